#include "common/base/SupportMail.h"

#include "common/base/Maker.h"

namespace tallix {

namespace {
const QString kLineBreak = QStringLiteral("%0D%0A");
}

QString versionLabel(const ProgramInfo& program)
{
    return QStringLiteral("Version %1.%2 (Build %3)")
        .arg(program.major)
        .arg(program.minor)
        .arg(program.revision);
}

QString supportMailBody(const ProgramInfo& program, MailKind kind)
{
    QString body = program.title + QStringLiteral(" Configuration") + kLineBreak;
    body += QString(60, QLatin1Char('=')) + kLineBreak + kLineBreak;
    body += QStringLiteral("Program Version     : %1.%2.%3")
                .arg(program.major)
                .arg(program.minor)
                .arg(program.revision) +
            kLineBreak;
    if (kind == MailKind::SupportRequest)
        body += QStringLiteral("Program Name        : ") + program.exeName + kLineBreak;
    body += kLineBreak;
    body += kLineBreak + kLineBreak + QStringLiteral("Problem Description : ");
    return body;
}

QString supportMailQuestion(MailKind kind)
{
    return QStringLiteral("Configuration information will be copied into the e-mail to facilitate "
                          "support. \n"
                          "SUPPORT CANNOT BE PROVIDED if this information is not included in your "
                          "bug report.\n\n") +
           (kind == MailKind::BugReport
                ? QStringLiteral("Do you want to create a bug report e-mail?")
                : QStringLiteral("Do you want to create a support request?"));
}

QString supportMailAddress(const QString& body, MailKind kind)
{
    if (kind == MailKind::BugReport)
        return QStringLiteral("mailto:") + makerBugReportAddress() + QStringLiteral("?body=") +
               body + QStringLiteral("&subject=Tallix Bug Report");
    return QStringLiteral("mailto:") + makerSupportAddress() + QStringLiteral("?body=") + body +
           QStringLiteral("&subject=Tallix Support Request");
}

} // namespace tallix
