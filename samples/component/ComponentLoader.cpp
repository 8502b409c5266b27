#include "samples/component/ComponentLoader.h"

#include "common/base/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>
#include <QUuid>
#include <algorithm>

namespace tallix {

namespace {

bool sameId(const QString& a, const QString& b)
{
    const QUuid left = QUuid::fromString(a.trimmed());
    return !left.isNull() && left == QUuid::fromString(b.trimmed());
}

QString fileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace

ComponentLoader::ComponentLoader(QStringList folders)
    : m_folders(std::move(folders))
{}

QStringList ComponentLoader::defaultFolders()
{
    QStringList folders = qEnvironmentVariable("TALLIX_COMPONENT_PATH")
                              .split(QDir::listSeparator(), Qt::SkipEmptyParts);
    folders << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("components"));
    return folders;
}

QList<ComponentLoader::Registration> ComponentLoader::registrations() const
{
    QList<Registration> found;
    for (const QString& folder : m_folders) {
        const QDir dir(folder);
        for (const QString& entry : dir.entryList(QDir::Files | QDir::Readable, QDir::Name)) {
            const QString path = dir.filePath(entry);
            if (!QLibrary::isLibrary(path))
                continue;
            // Reads the metadata from the file without loading it.
            const QJsonObject meta = QPluginLoader(path).metaData();
            const QString classId = meta.value(QLatin1String("MetaData"))
                                        .toObject()
                                        .value(QLatin1String("ClassId"))
                                        .toString();
            if (classId.isEmpty())
                continue;
            found.append({path, classId, meta.value(QLatin1String("IID")).toString()});
        }
    }
    return found;
}

QString ComponentLoader::whereLooked() const
{
    QStringList shown;
    for (const QString& folder : m_folders)
        shown << QDir::toNativeSeparators(folder);
    return shown.isEmpty() ? QStringLiteral("no folder") : shown.join(QStringLiteral("; "));
}

QObject* ComponentLoader::classObject(const QString& classId, const QString& interfaceId) const
{
    const QList<Registration> all = registrations();
    if (all.isEmpty()) {
        throw Error(CannotCreateObject,
                    QStringLiteral("Class not registered: no component is installed in %1 "
                                   "(looked for the class %2).")
                        .arg(whereLooked(), classId));
    }
    const auto match = std::find_if(all.cbegin(), all.cend(), [&](const Registration& r) {
        return sameId(r.classId, classId);
    });
    if (match == all.cend()) {
        QStringList known;
        for (const Registration& r : all)
            known << QStringLiteral("%1 (%2)").arg(r.classId, fileName(r.file));
        throw Error(CannotCreateObject,
                    QStringLiteral("Class not registered: no component in %1 has the class id %2; "
                                   "registered: %3.")
                        .arg(whereLooked(), classId, known.join(QStringLiteral(", "))));
    }
    if (!sameId(match->interfaceId, interfaceId)) {
        throw Error(CannotCreateObject,
                    QStringLiteral("The component %1 (%2) does not offer the interface %3.")
                        .arg(classId, QDir::toNativeSeparators(match->file), interfaceId));
    }
    QPluginLoader loader(match->file);
    QObject* root = loader.instance();
    if (!root) {
        throw Error(CannotCreateObject,
                    QStringLiteral("The component %1 (%2) cannot be loaded: %3")
                        .arg(classId, QDir::toNativeSeparators(match->file), loader.errorString()));
    }
    return root;
}

} // namespace tallix
