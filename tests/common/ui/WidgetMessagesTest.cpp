#include "common/ui/WidgetMessages.h"

#include "common/ui/HourglassCursor.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using tallix::IMessages;
using tallix::WidgetMessages;

TEST(WidgetMessages, TellsAMissingFileFromAMissingFolderAndKeepsAddressesAsTheyAre)
{
    using R = IMessages::LaunchResult;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missingFile = QDir(dir.path()).filePath(QStringLiteral("absent.sql"));
    const QString missingFolder = QDir(dir.path()).filePath(QStringLiteral("no/such/a.sql"));
    WidgetMessages widgets;
    EXPECT_EQ(widgets.launch(missingFile), R::FileNotFound);
    EXPECT_EQ(widgets.launch(missingFolder), R::PathNotFound);

    const QUrl mail = WidgetMessages::urlOf(
        QStringLiteral("mailto:bugs@veltorin.example?body=A%0D%0AB&subject=Tallix Bug Report"));
    EXPECT_EQ(mail.scheme(), QStringLiteral("mailto"));
    EXPECT_TRUE(mail.toString(QUrl::FullyEncoded).contains(QStringLiteral("A%0D%0AB")));
    EXPECT_TRUE(WidgetMessages::urlOf(QStringLiteral("C:/x.sql")).isLocalFile());
    EXPECT_TRUE(WidgetMessages::urlOf(QStringLiteral("x.sql")).isLocalFile());
}

TEST(HourglassCursor, NestsAndRestoresThePointerWhenTheOutermostGuardEnds)
{
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        tallix::HourglassCursor outer;
        {
            tallix::HourglassCursor inner;
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

namespace {

// Answers the next message box that opens by pressing `key` in it, and records its texts.
class BoxAnswerer {
public:
    explicit BoxAnswerer(int key)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this, key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            m_timer.stop();
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            buttons = box->standardButtons();
            QTest::keyClick(box, static_cast<Qt::Key>(key));
        });
        m_timer.start();
    }
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;

private:
    QTimer m_timer;
};

} // namespace

TEST(WidgetMessages, AsksWithTheRealBoxAndMapsItsButtons)
{
    WidgetMessages widgets;
    {
        BoxAnswerer answerer(Qt::Key_Escape);
        EXPECT_EQ(widgets.ask(QStringLiteral("Save changes?"), QStringLiteral("Tallix"),
                              IMessages::Icon::Question, IMessages::Buttons::YesNoCancel,
                              IMessages::Answer::Yes),
                  IMessages::Answer::Cancel);
        EXPECT_EQ(answerer.text, QStringLiteral("Save changes?"));
        EXPECT_EQ(answerer.title, QStringLiteral("Tallix"));
        EXPECT_EQ(answerer.icon, QMessageBox::Question);
        EXPECT_EQ(answerer.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    }
    {
        BoxAnswerer answerer(Qt::Key_Escape);
        EXPECT_EQ(widgets.ask(QStringLiteral("Discard changes?"), QStringLiteral("Discard?"),
                              IMessages::Icon::None, IMessages::Buttons::YesNo,
                              IMessages::Answer::Yes),
                  IMessages::Answer::No);
        EXPECT_EQ(answerer.buttons, QMessageBox::Yes | QMessageBox::No);
    }
    {
        BoxAnswerer answerer(Qt::Key_Return); // the default button
        EXPECT_EQ(widgets.ask(QStringLiteral("Delete?"), QString(), IMessages::Icon::Warning,
                              IMessages::Buttons::YesNo, IMessages::Answer::No),
                  IMessages::Answer::No);
        EXPECT_EQ(answerer.title, QApplication::applicationDisplayName());
    }
    {
        BoxAnswerer answerer(Qt::Key_Return);
        widgets.showMessage(QStringLiteral("Done."), QStringLiteral("Tallix"),
                            IMessages::Icon::Information);
        EXPECT_EQ(answerer.text, QStringLiteral("Done."));
        EXPECT_EQ(answerer.icon, QMessageBox::Information);
    }
}
