#pragma once

#include <QString>

namespace tallix {

// The maker's addresses, shown in the about box and used for bug reports and support requests.
inline QString makerWebSite()
{
    return QStringLiteral("https://www.veltorin.example/");
}

inline QString makerBugReportAddress()
{
    return QStringLiteral("bugs@veltorin.example");
}

inline QString makerSupportAddress()
{
    return QStringLiteral("support@veltorin.example");
}

} // namespace tallix
