#pragma once

#include <QString>

namespace tallix {

inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 9;

// major.minor.revision, as the script header and --version show it.
inline QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

// The generator's application title: the title of its messages that name no other.
inline QString generatorTitle()
{
    return QStringLiteral("Tallix");
}

} // namespace tallix
