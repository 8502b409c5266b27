// Stored passwords and connection strings come from the settings store and from project files:
// unscrambling and parsing them must survive any text.

#include "common/db/ConnectionOptions.h"
#include "common/db/OdbcConnectionString.h"
#include "common/settings/PasswordScrambling.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const QString password = tallix::UnscramblePassword(text);
    // Whatever comes out scrambles and unscrambles to itself.
    if (tallix::UnscramblePassword(tallix::ScramblePassword(password)) != password)
        std::abort();

    try {
        const auto options = tallix::ConnectionOptions::parse(text);
        const QString odbc =
            tallix::OdbcConnectionString::translate(options, QStringLiteral("{FreeTDS}"));
        const QString pw = options.password();
        if (pw.size() >= 3 && options.scrub(odbc).contains(pw))
            std::abort(); // a password must never survive scrubbing
    } catch (const tallix::Error&) {
    }
    return 0;
}
