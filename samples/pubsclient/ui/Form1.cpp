#include "samples/pubsclient/ui/Form1.h"

#include "common/base/Error.h"
#include "common/base/Messages.h"
#include "common/ui/HourglassCursor.h"
#include "samples/component/ComponentLoader.h"
#include "samples/component/IPubsServer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tallix::pubs {

namespace {

QLabel* wrappedLabel(const QString& text, const QString& name)
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

void showFailure(const QString& what, const QString& cause)
{
    messages().showMessage(what + QStringLiteral("\n\n") + cause, Form1::programTitle(),
                           IMessages::Icon::Critical);
}

} // namespace

QString Form1::programTitle()
{
    return QStringLiteral("Tallix Sample Application (Client)");
}

Form1::Form1(QStringList componentFolders, QString classId, QWidget* parent)
    : QWidget(parent)
    , m_componentFolders(std::move(componentFolders))
    , m_classId(std::move(classId))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tallix MTS Sample Application"));
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    m_lblDescription = wrappedLabel(
        QStringLiteral("This application will show how with minor modifications to the connection "
                       "strings in your MTS/COM+ components Tallix can detect and log the *real* "
                       "user."),
        QStringLiteral("lblDescription"));
    m_lblNotes =
        wrappedLabel(QStringLiteral("This sample works against the pubs database.  It logs "
                                    "an insert, update and delete action on the authors "
                                    "table."),
                     QStringLiteral("lblNotes"));
    m_lblReminder = wrappedLabel(
        QStringLiteral("Please remember to update the source code in the pubsserver project to "
                       "change connection settings to match your environment."),
        QStringLiteral("lblReminder"));
    m_cmdDoit = new QPushButton(QStringLiteral("Do It"));
    m_cmdDoit->setObjectName(QStringLiteral("cmdDoit"));
    m_cmdDoit->setMinimumWidth(100);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdDoit);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addWidget(m_lblDescription);
    layout->addWidget(m_lblNotes);
    layout->addWidget(m_lblReminder);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(QSize(360, 230));

    connect(m_cmdDoit, &QPushButton::clicked, this, &Form1::cmdDoit_Click);
}

void Form1::cmdDoit_Click()
{
    const HourglassCursor busy;
    std::unique_ptr<IPubsServer> server;
    try {
        QObject* root =
            ComponentLoader(m_componentFolders).classObject(m_classId, QLatin1String(kInterfaceId));
        auto* classObject = qobject_cast<IPubsServerClass*>(root);
        if (!classObject) {
            throw Error(ComponentLoader::CannotCreateObject,
                        QStringLiteral("The component %1 does not offer the interface %2.")
                            .arg(m_classId, QLatin1String(kInterfaceId)));
        }
        server = classObject->CreateInstance();
        if (!server) {
            throw Error(ComponentLoader::CannotCreateObject,
                        QStringLiteral("The component %1 made no instance.").arg(m_classId));
        }
    } catch (const Error& e) {
        showFailure(QStringLiteral("The sample server component could not be created."),
                    e.description());
        return;
    } catch (const std::exception& e) {
        showFailure(QStringLiteral("The sample server component could not be created."),
                    QString::fromLocal8Bit(e.what()));
        return;
    }
    try {
        // The recordset is held until the end of this scope and released unread, before the
        // instance that returned it.
        const CallResult result = server->ChangeAuthors();
        if (!result.succeeded()) {
            showFailure(QStringLiteral("The sample server component failed."), result.description);
        }
    } catch (const std::exception& e) {
        showFailure(QStringLiteral("The sample server component failed."),
                    QString::fromLocal8Bit(e.what()));
    }
}

} // namespace tallix::pubs
