#pragma once

#include "controls/Solido3dExport.h"

#include <QString>

namespace Solido {

// Whether this build plays wave files (it does where an audio library was found when it was
// built).
SOLIDO3D_EXPORT bool soundFilesSupported();

// Plays a wave file (kwPlaySoundFile) or the platform's alert sound (kwPlaySystemSound, whatever
// the sound's name). Raises "Invalid procedure call" for other flags, "File not found" for a
// missing file, and error 445 where wave files cannot be played. Playing does not wait.
SOLIDO3D_EXPORT void playSound(const QString& sound, int flags);

} // namespace Solido
