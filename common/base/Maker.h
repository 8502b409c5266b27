#pragma once

#include <QString>

namespace tallix {

// The maker's addresses, shown in the about box and used for bug reports and support requests.
inline QString makerWebSite()
{
    return QStringLiteral("https://www.veltorin.example/");
}

// A page of the maker's web site, e.g. "Support_Menu.asp"; the site itself for an empty name.
inline QString makerPage(const QString& page)
{
    if (page.isEmpty())
        return makerWebSite();
    QString site = makerWebSite();
    while (site.endsWith(QLatin1Char('/')))
        site.chop(1);
    return site + QLatin1Char('/') + page;
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
