#pragma once

#include "common/base/ProgramInfo.h"

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace tallix {

// The about box of both programs: title, version, the maker's web site and its bug-report and
// support addresses as links, a button that starts a system-information program, and OK. The
// three links are the labels "lblWebSite_0" (web site), "lblWebSite_1" (bug reports) and
// "lblWebSite_2" (support). Clicking a mail link composes a mail with the program's
// configuration, puts its body on the clipboard and hands it to the mail handler; after any
// link click the box closes.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(ProgramInfo program, QWidget* parent = nullptr);

    // Gives link `index` its hovered look (underlined, magenta) or its normal one.
    void HoverLabel(int index, bool hover);
    bool isHovered(int index) const;

    // Starts the first system-information program found on PATH, or says there is none.
    void StartSysInfo();
    // The programs looked for, in order.
    static QStringList systemInfoPrograms();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void linkClicked(int index);

    ProgramInfo m_program;
    QLabel* m_lblTitle;
    QLabel* m_lblVersion;
    std::array<QLabel*, 3> m_links{};
    std::array<bool, 3> m_hovered{};
    QPushButton* m_cmdSysInfo;
    QPushButton* m_cmdOK;
};

} // namespace tallix
