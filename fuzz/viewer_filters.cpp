// The texts a user types into the viewer's key filter and gives as LogIDs. A key filter must read
// back as exactly the typed text (CHAR(1) shown as " | ") with no wildcard, bracket or
// apostrophe left active; a LogID is either refused or written in the one spelling the programs
// read GUIDs back in.

#include "common/db/sqlite/TsqlLike.h"
#include "viewer/query/LogQuery.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// The literal text a LIKE pattern between apostrophes matches, or nothing when any character of
// it would act as more than itself.
std::optional<QString> literalOf(const QString& pattern)
{
    QString out;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\'')) {
            if (i + 1 >= pattern.size() || pattern[i + 1] != QLatin1Char('\''))
                return std::nullopt; // would end the literal
            out += c;
            ++i;
        } else if (c == QLatin1Char('[')) {
            if (i + 2 >= pattern.size() || pattern[i + 2] != QLatin1Char(']') ||
                !QStringLiteral("%_[").contains(pattern[i + 1]))
                return std::nullopt; // a set of more than one character
            out += pattern[i + 1];
            i += 2;
        } else if (c == QLatin1Char('%') || c == QLatin1Char('_')) {
            return std::nullopt;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const QString condition = tallix::logquery::KeyContains(text);
    if (text.isEmpty() != condition.isEmpty())
        std::abort();
    if (!text.isEmpty()) {
        QString shown = text;
        shown.replace(QChar(1), QStringLiteral(" | "));
        // A text beyond ASCII is a Unicode literal, so the server does not narrow it to "?".
        const bool ascii =
            std::all_of(shown.begin(), shown.end(), [](QChar c) { return c.unicode() < 0x80; });
        const QString head = QStringLiteral("REPLACE(slk.KeyValues,CHAR(1),' | ') like ") +
                             (ascii ? QStringLiteral("'%") : QStringLiteral("N'%"));
        const QString tail = QStringLiteral("%'");
        if (!condition.startsWith(head) || !condition.endsWith(tail))
            std::abort();
        const std::optional<QString> literal =
            literalOf(condition.mid(head.size(), condition.size() - head.size() - tail.size()));
        if (!literal || *literal != shown)
            std::abort();
        // And SQLite's stand-in LIKE finds the text the pattern was made of.
        // From the leading % to the closing apostrophe, apostrophes undoubled.
        const QString like = condition.mid(head.size() - 1)
                                 .chopped(1)
                                 .replace(QStringLiteral("''"), QStringLiteral("'"));
        if (!tallix::TsqlLike(like).matches(QStringLiteral("x") + shown + QStringLiteral("y")))
            std::abort();
    }

    static const QRegularExpression normal(
        QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
    const std::optional<QString> id = tallix::logquery::LogIdText(text);
    if (id) {
        // The same GUID: the digits and dashes typed, in upper case, between braces.
        QString digits;
        for (const QChar c : text) {
            if (c == QLatin1Char('-') || QStringLiteral("0123456789abcdefABCDEF").contains(c))
                digits += c.toUpper();
        }
        if (!normal.match(*id).hasMatch() || tallix::logquery::LogIdText(*id) != id ||
            *id != QLatin1Char('{') + digits + QLatin1Char('}'))
            std::abort();
    }
    return 0;
}
