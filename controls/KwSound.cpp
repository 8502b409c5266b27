#include "controls/KwSound.h"

#include "controls/KwEnums.h"
#include "controls/KwError.h"

#include <QApplication>
#include <QFileInfo>

#if defined(SOLIDO3D_HAVE_MULTIMEDIA)
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>
#endif

namespace Solido {

bool soundFilesSupported()
{
#if defined(SOLIDO3D_HAVE_MULTIMEDIA)
    return true;
#else
    return false;
#endif
}

void playSound(const QString& sound, int flags)
{
    if (flags == kwPlaySystemSound) {
        QApplication::beep();
        return;
    }
    if (flags != kwPlaySoundFile)
        throw KwError::of(KwError::InvalidProcedureCall);
    if (!QFileInfo(sound).isFile())
        throw KwError::of(KwError::FileNotFound);
#if defined(SOLIDO3D_HAVE_MULTIMEDIA)
    // One sound at a time, as the platform's own player does; the next one replaces it.
    static QPointer<QSoundEffect> effect;
    if (!effect)
        effect = new QSoundEffect(QCoreApplication::instance());
    effect->stop();
    effect->setSource(QUrl::fromLocalFile(QFileInfo(sound).absoluteFilePath()));
    effect->play();
#else
    throw KwError::of(KwError::NotSupported);
#endif
}

} // namespace Solido
