#pragma once

#include "generator/driver/CommandLine.h"

#include <cstdio>

namespace tallix {

// Runs the generator without a window. Messages go through the message seam
// (standard error in the program); help and version go to `out`. Returns the exit
// status: 0 only when the script was written. A command line with neither a project
// nor an output opens the window (see opensWindow) and never comes here.
int RunBatch(const CommandLine& commandLine, std::FILE* out = stdout);

} // namespace tallix
