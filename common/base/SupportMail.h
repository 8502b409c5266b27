#pragma once

#include "common/base/ProgramInfo.h"

namespace tallix {

// The two mails the about box composes.
enum class MailKind { BugReport, SupportRequest };

// "Version 2.0 (Build 9)".
QString versionLabel(const ProgramInfo& program);

// The mail body with the program's configuration. Line breaks are written as the three-character
// escapes "%0D%0A", since the body goes into a mailto: address as it stands; nothing else is
// escaped. Only a support request names the executable.
QString supportMailBody(const ProgramInfo& program, MailKind kind);

// The question asked before composing the mail.
QString supportMailQuestion(MailKind kind);

// "mailto:" + the maker's address for the kind + "?body=" + body + "&subject=...".
QString supportMailAddress(const QString& body, MailKind kind);

} // namespace tallix
