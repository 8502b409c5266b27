#pragma once

#include <QPixmap>

namespace tallix {

// The small pictures the generator's grids show: a finished action, an action that failed, and
// a primary-key column. Drawn at run time, so the program ships no image files.
namespace GeneratorImages {
QPixmap done();
QPixmap warning();
QPixmap key();
} // namespace GeneratorImages

} // namespace tallix
