#include "common/base/HelpFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace tallix {

QString helpFile()
{
    const QString topic = QStringLiteral("What_is_Tallix.htm");
    const QDir here(QCoreApplication::applicationDirPath());
    const QStringList folders{here.filePath(QStringLiteral("help")),
                              here.filePath(QStringLiteral("../share/tallix/help")),
                              QStringLiteral(TALLIX_HELP_DIR)};
    for (const QString& folder : folders) {
        const QFileInfo file(QDir(folder).filePath(topic));
        if (file.exists())
            return file.absoluteFilePath();
    }
    return QDir(folders.constFirst()).filePath(topic);
}

} // namespace tallix
