#pragma once

#include <QString>

namespace tallix {

// The help's contents page that both programs open: in a help folder beside the program, else
// in the installed share folder, else in the source tree the program was built from. When none
// has it, the path beside the program, so the failure to open it names where it was looked for.
QString helpFile();

} // namespace tallix
