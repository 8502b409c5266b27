#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QPushButton;

namespace tallix::pubs {

// The sample client's one window. "Do It" creates a fresh instance of the sample server
// component, calls its first method, holds the recordset it returns and releases both unread.
// A component that cannot be found, loaded or created, and a call that fails, are shown in a
// message box naming the cause.
class Form1 : public QWidget {
    Q_OBJECT
public:
    // The component is looked for in `componentFolders` under `classId`.
    explicit Form1(QStringList componentFolders, QString classId, QWidget* parent = nullptr);

    // The program's title, which its message boxes carry.
    static QString programTitle();

    void cmdDoit_Click();

private:
    QStringList m_componentFolders;
    QString m_classId;
    QLabel* m_lblDescription;
    QLabel* m_lblNotes;
    QLabel* m_lblReminder;
    QPushButton* m_cmdDoit;
};

} // namespace tallix::pubs
