#include "common/base/SupportMail.h"

#include <gtest/gtest.h>

using tallix::MailKind;
using tallix::ProgramInfo;

namespace {
const ProgramInfo kViewer{QStringLiteral("Tallix"), QStringLiteral("tallixview"), 2, 0, 15};
}

TEST(SupportMail, BodiesCarryTheConfigurationWithLiteralLineBreakEscapes)
{
    // Written out by hand: title line, sixty "=", the version, (the name), then the description.
    const QString bug =
        QStringLiteral("Tallix Configuration%0D%0A"
                       "============================================================%0D%0A%0D%0A"
                       "Program Version     : 2.0.15%0D%0A"
                       "%0D%0A"
                       "%0D%0A%0D%0AProblem Description : ");
    const QString support =
        QStringLiteral("Tallix Configuration%0D%0A"
                       "============================================================%0D%0A%0D%0A"
                       "Program Version     : 2.0.15%0D%0A"
                       "Program Name        : tallixview%0D%0A"
                       "%0D%0A"
                       "%0D%0A%0D%0AProblem Description : ");
    EXPECT_EQ(tallix::supportMailBody(kViewer, MailKind::BugReport), bug);
    EXPECT_EQ(tallix::supportMailBody(kViewer, MailKind::SupportRequest), support);

    EXPECT_EQ(tallix::supportMailAddress(QStringLiteral("B"), MailKind::BugReport),
              QStringLiteral("mailto:bugs@veltorin.example?body=B&subject=Tallix Bug Report"));
    EXPECT_EQ(
        tallix::supportMailAddress(QStringLiteral("B"), MailKind::SupportRequest),
        QStringLiteral("mailto:support@veltorin.example?body=B&subject=Tallix Support Request"));
}

TEST(SupportMail, VersionLabelAndQuestions)
{
    EXPECT_EQ(tallix::versionLabel(kViewer), QStringLiteral("Version 2.0 (Build 15)"));
    const QString lead = QStringLiteral(
        "Configuration information will be copied into the e-mail to facilitate support. \n"
        "SUPPORT CANNOT BE PROVIDED if this information is not included in your bug report.\n\n");
    EXPECT_EQ(tallix::supportMailQuestion(MailKind::BugReport),
              lead + QStringLiteral("Do you want to create a bug report e-mail?"));
    EXPECT_EQ(tallix::supportMailQuestion(MailKind::SupportRequest),
              lead + QStringLiteral("Do you want to create a support request?"));
}
