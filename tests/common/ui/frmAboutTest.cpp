#include "common/ui/frmAbout.h"

#include "tests/support/TestSupport.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using tallix::frmAbout;
using tallix::IMessages;
using tallix::ProgramInfo;
using tallix::test::RecordingMessages;

namespace {

const ProgramInfo kViewer{QStringLiteral("Tallix"), QStringLiteral("tallixview"), 2, 0, 15};

QLabel* label(const frmAbout& box, const char* name)
{
    auto* found = box.findChild<QLabel*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Puts a known text on the clipboard, so that a test can tell whether the box replaced it.
void primeClipboard()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
}

// Points PATH at one folder for the life of the guard.
class ScopedPath {
public:
    explicit ScopedPath(const QString& folder)
        : m_saved(qgetenv("PATH"))
    {
        qputenv("PATH", QFile::encodeName(folder));
    }
    ~ScopedPath() { qputenv("PATH", m_saved); }

private:
    QByteArray m_saved;
};

} // namespace

TEST(AboutBox, ShowsTitleVersionAndTheMakersAddresses)
{
    frmAbout box(kViewer);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About Tallix"));
    EXPECT_EQ(label(box, "lblTitle")->text(), QStringLiteral("Tallix"));
    EXPECT_EQ(label(box, "lblVersion")->text(), QStringLiteral("Version 2.0 (Build 15)"));
    EXPECT_EQ(label(box, "lblWebSiteLabel")->text(), QStringLiteral("Web Site:"));
    EXPECT_EQ(label(box, "lblBugReportLabel")->text(), QStringLiteral("Bug Reports:"));
    EXPECT_EQ(label(box, "lblSupport")->text(), QStringLiteral("Support:"));
    EXPECT_EQ(label(box, "lblWebSite_0")->text(), QStringLiteral("https://www.veltorin.example/"));
    EXPECT_EQ(label(box, "lblWebSite_1")->text(), QStringLiteral("bugs@veltorin.example"));
    EXPECT_EQ(label(box, "lblWebSite_2")->text(), QStringLiteral("support@veltorin.example"));
    EXPECT_EQ(box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(),
              QStringLiteral("&System Info..."));
}

TEST(AboutBox, LinksLightUpUnderThePointerAndGoBackOverTheForm)
{
    frmAbout box(kViewer);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QLabel* bugs = label(box, "lblWebSite_1");
    const QColor normal = bugs->palette().color(QPalette::WindowText);
    EXPECT_FALSE(bugs->font().underline());
    QTest::mouseMove(bugs, bugs->rect().center());
    EXPECT_TRUE(box.isHovered(1));
    EXPECT_TRUE(bugs->font().underline());
    EXPECT_EQ(bugs->palette().color(QPalette::WindowText), QColor(255, 0, 255));
    QTest::mouseMove(&box, QPoint(2, 2));
    EXPECT_FALSE(box.isHovered(1));
    EXPECT_FALSE(bugs->font().underline());
    EXPECT_EQ(bugs->palette().color(QPalette::WindowText), normal);
}

TEST(AboutBox, BugReportPutsTheBodyOnTheClipboardAndOpensTheMail)
{
    RecordingMessages rec;
    primeClipboard();
    frmAbout box(kViewer);
    box.show();
    rec.answer(IMessages::Answer::Yes);
    QTest::mouseClick(label(box, "lblWebSite_1"), Qt::LeftButton);

    const QString body =
        QStringLiteral("Tallix Configuration%0D%0A"
                       "============================================================%0D%0A%0D%0A"
                       "Program Version     : 2.0.15%0D%0A"
                       "%0D%0A"
                       "%0D%0A%0D%0AProblem Description : ");
    ASSERT_EQ(rec.asked.size(), 1u);
    EXPECT_TRUE(rec.asked[0].text.endsWith(
        QStringLiteral("\n\nDo you want to create a bug report e-mail?")));
    EXPECT_EQ(rec.asked[0].buttons, IMessages::Buttons::YesNo);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), body);
    EXPECT_EQ(rec.launched, QStringList{QStringLiteral("mailto:bugs@veltorin.example?body=") +
                                        body + QStringLiteral("&subject=Tallix Bug Report")});
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(AboutBox, SupportRequestNamesTheProgramAndNoLeavesEverythingAlone)
{
    RecordingMessages rec;
    {
        primeClipboard();
        frmAbout box(kViewer);
        box.show();
        rec.answer(IMessages::Answer::No);
        QTest::mouseClick(label(box, "lblWebSite_2"), Qt::LeftButton);
        ASSERT_EQ(rec.asked.size(), 1u);
        EXPECT_TRUE(
            rec.asked[0].text.endsWith(QStringLiteral("Do you want to create a support request?")));
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("earlier"));
        EXPECT_TRUE(rec.launched.isEmpty());
        EXPECT_FALSE(box.isVisible()) << "the box closes after any link click";
    }
    frmAbout box(kViewer);
    box.show();
    rec.answer(IMessages::Answer::Yes);
    QTest::mouseClick(label(box, "lblWebSite_2"), Qt::LeftButton);
    const QString body =
        QStringLiteral("Tallix Configuration%0D%0A"
                       "============================================================%0D%0A%0D%0A"
                       "Program Version     : 2.0.15%0D%0A"
                       "Program Name        : tallixview%0D%0A"
                       "%0D%0A"
                       "%0D%0A%0D%0AProblem Description : ");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), body);
    EXPECT_EQ(rec.launched, QStringList{QStringLiteral("mailto:support@veltorin.example?body=") +
                                        body + QStringLiteral("&subject=Tallix Support Request")});
}

TEST(AboutBox, WebSiteLinkReportsALaunchFailureAndClosesAllTheSame)
{
    RecordingMessages rec;
    rec.launchResult = IMessages::LaunchResult::NoAssociation;
    frmAbout box(kViewer);
    box.show();
    QTest::mouseClick(label(box, "lblWebSite_0"), Qt::LeftButton);
    EXPECT_EQ(rec.launched, QStringList{QStringLiteral("https://www.veltorin.example/")});
    EXPECT_EQ(rec.shownTexts(),
              QStringList{QStringLiteral("No file association exists for "
                                         "'https://www.veltorin.example/.' Cannot launch file.")});
    EXPECT_TRUE(rec.asked.empty());
    EXPECT_FALSE(box.isVisible());
}

TEST(AboutBox, SystemInfoStartsTheFirstProgramOnThePathOrSaysThereIsNone)
{
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    RecordingMessages rec;
    frmAbout box(kViewer);
    auto* sysInfo = box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
    {
        ScopedPath path(bin.path());
        sysInfo->click();
        EXPECT_TRUE(rec.started.isEmpty());
        EXPECT_EQ(rec.shownTexts(),
                  QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
        EXPECT_EQ(rec.shown[0].icon, IMessages::Icon::None);
    }
    // Two of the listed programs present: the earlier one in the list is started.
    for (const QString& name : {QStringLiteral("hardinfo"), QStringLiteral("hardinfo2")}) {
        QFile program(QDir(bin.path()).filePath(name));
        ASSERT_TRUE(program.open(QIODevice::WriteOnly));
        program.write("#!/bin/sh\n");
        program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ScopedPath path(bin.path());
    sysInfo->click();
    EXPECT_EQ(rec.started, QStringList{QDir(bin.path()).filePath(QStringLiteral("hardinfo2"))});
    EXPECT_EQ(rec.shown.size(), 1u);
}
