#pragma once

#include "viewer/cli/CommandLine.h"

namespace tallix::cli {

// --report transactions|aggregate --export FILE: runs a report without a window and writes its
// pages to FILE in the format of its extension (.txt, .htm, .html, .rtf, .xlsx, .pdf, .rdf). The
// transaction list takes the filters of --list, without a row limit; the aggregate counts the
// whole audit table and takes no filter. A report whose rows could not all be read writes no
// file and fails with the reason.
int runReport(const Invocation& call);

// The options --report takes besides the connection and filters: --export.
QList<QCommandLineOption> reportOptions();

// True when the arguments ask for a report: reports draw their pages with fonts, which needs a
// GUI application (on the offscreen platform, without a display).
bool NeedsFonts(const QStringList& arguments);

} // namespace tallix::cli
