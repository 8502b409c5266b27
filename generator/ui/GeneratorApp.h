#pragma once

#include <QStringList>

namespace tallix {

struct CommandLine;

// True when the command line asks for the window: no project to run, no output, no help or
// version, nothing misunderstood.
bool opensWindow(const CommandLine& commandLine);

class frmMain;

// Opens the project that the command line's non-option words name (double quotes removed, outer
// blanks trimmed), without a dialog; does nothing when there are none.
void openProjectArgument(frmMain& window, const QStringList& words);

// The interactive run: the splash window, then the main window; `words` (the command line's
// non-option words), when there are any, name a project to open. Returns the exit status.
int RunWindow(int& argc, char** argv, const QStringList& words);

} // namespace tallix
