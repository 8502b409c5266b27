#pragma once

#include "common/base/Version.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QString>

namespace tallix {

// What the about box and the support mail say about the running program.
struct ProgramInfo {
    QString title;   // the program's title, "Tallix"
    QString exeName; // the executable's name without extension
    int major = kVersionMajor;
    int minor = kVersionMinor;
    int revision = kVersionRevision;

    // The running program under `title`, with this build's version.
    static ProgramInfo current(const QString& title)
    {
        return {title, QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(),
                kVersionMajor, kVersionMinor, kVersionRevision};
    }
};

} // namespace tallix
