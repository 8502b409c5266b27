#include "common/base/Messages.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using tallix::IMessages;
using tallix::ShellLaunch;
using tallix::test::RecordingMessages;

TEST(ShellLaunch, ReportsEachKnownFailureWithItsTextAndStaysQuietOtherwise)
{
    using R = IMessages::LaunchResult;
    const struct {
        R result;
        const char* text;
    } cases[] = {
        {R::OutOfResources, "Cannot launch file 'a.sql.' System is unstable or low on resources."},
        {R::NoAssociation, "No file association exists for 'a.sql.' Cannot launch file."},
        {R::FileNotFound, "Cannot launch file 'a.sql.' File not found."},
        {R::PathNotFound, "Cannot launch file 'a.sql.' Path not found."},
        {R::BadFormat, "Cannot launch file 'a.sql.' Bad File Format."},
    };
    for (const auto& c : cases) {
        RecordingMessages rec;
        rec.launchResult = c.result;
        EXPECT_FALSE(ShellLaunch(QStringLiteral("a.sql"), QStringLiteral("T")));
        ASSERT_EQ(rec.shown.size(), 1u);
        EXPECT_EQ(rec.shown[0].text, QString::fromUtf8(c.text));
        EXPECT_EQ(rec.launched, QStringList{QStringLiteral("a.sql")});
    }

    RecordingMessages other;
    other.launchResult = R::Failed;
    EXPECT_FALSE(ShellLaunch(QStringLiteral("x"), QStringLiteral("T")));
    EXPECT_TRUE(other.shown.empty());

    RecordingMessages ok;
    EXPECT_TRUE(ShellLaunch(QStringLiteral("mailto:a@b"), QStringLiteral("T")));
    EXPECT_TRUE(ok.shown.empty());
}

TEST(StderrMessages, NeverWaitsForAnAnswer)
{
    tallix::StderrMessages batch;
    EXPECT_EQ(batch.ask(QStringLiteral("Save?"), QStringLiteral("T"), IMessages::Icon::Question,
                        IMessages::Buttons::YesNoCancel, IMessages::Answer::No),
              IMessages::Answer::No);
    EXPECT_FALSE(batch.chooseSaveFile({QStringLiteral("Save"), QStringLiteral("a.tpx"), {}}));
    EXPECT_EQ(batch.launch(QStringLiteral("a.sql")), IMessages::LaunchResult::Failed);
}
