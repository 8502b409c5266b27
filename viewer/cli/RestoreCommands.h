#pragma once

namespace tallix::cli {

class Invocation;

// --details LOGID: the detail rows of one audit row as CSV (Field, Before Value, After Value,
// Current Value), with --all-fields and --current as the window's check boxes.
int runDetails(const Invocation& call);
// --restore LOGID: the restore text of one audit row, as the window's Restore tab shows it.
int runRestore(const Invocation& call);
// --restore-script FILE LOGID...: one restore script of the audit rows in the order given.
int runRestoreScript(const Invocation& call);

} // namespace tallix::cli
