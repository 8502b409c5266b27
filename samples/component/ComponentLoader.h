#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QObject;

namespace tallix {

// Finds an in-process component by its class id, as a registry of classes would: every plugin
// in the given folders whose metadata carries "ClassId" is a registered class, served by that
// file and offering the plugin's IID as its interface. Ids compare as GUIDs (letter case and
// braces do not matter). A loaded component stays loaded for the rest of the program, so the
// objects it made never outlive its code.
class ComponentLoader {
public:
    // One registered class: its file, class id and interface id as the metadata spells them.
    struct Registration {
        QString file;
        QString classId;
        QString interfaceId;
    };

    explicit ComponentLoader(QStringList folders);

    // The folders of TALLIX_COMPONENT_PATH (separated as PATH is), then "components" beside the
    // program.
    static QStringList defaultFolders();

    const QStringList& folders() const { return m_folders; }

    // Every class registered in the folders, in folder order, then file-name order.
    QList<Registration> registrations() const;

    // The class object (the plugin's root instance) of `classId`. Fails with tallix::Error 429
    // naming the cause: no component installed at all, none with that class id, a file that
    // cannot be loaded, or a class that does not offer `interfaceId`.
    QObject* classObject(const QString& classId, const QString& interfaceId) const;

    // "Can't create object", the number a failed creation of a component carries.
    static constexpr long CannotCreateObject = 429;

private:
    QString whereLooked() const;

    QStringList m_folders;
};

} // namespace tallix
