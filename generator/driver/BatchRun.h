#pragma once

#include "generator/driver/CommandLine.h"

#include <cstdio>

namespace tallix {

// Runs the generator without a window. Help and version go to `out`; every message
// goes to `err` as one line "title: text", the title the window's box would have.
// Returns the exit status: 0 only when the script was written. A command line with
// neither a project nor an output opens the window (see opensWindow) and never
// comes here.
int RunBatch(const CommandLine& commandLine, std::FILE* out = stdout, std::FILE* err = stderr);

} // namespace tallix
