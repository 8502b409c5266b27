// Builds the audit and removal scripts of a small project whose database, table
// and column names come from the input, and the scripts of the same project with
// plain names of the same kind (regular or not as a trigger name, too long or not,
// with a control character or not). Both scripts must have the same token
// structure: the same keywords, punctuation and line ends, with every name inside
// a string literal, a bracketed name or a comment. No name can then leave its
// place, however it is spelt. Neither script may hold a control character other
// than its CR LF line ends, not even inside a literal or brackets.
//
// Input: two bytes of flags, then the names separated by NUL bytes, in the order
// database, then per table its name and its two columns' names.

#include "common/audit/SqlQuoting.h"
#include "common/base/Error.h"
#include "generator/driver/ScriptDriver.h"
#include "generator/project/Project.h"
#include "generator/templates/Templates.h"

#include <QHash>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using namespace tallix;

struct Token {
    enum Kind { Word, Punctuation, LineEnd, Literal, Bracketed, Comment } kind;
    QString text; // for words and punctuation only

    bool operator==(const Token&) const = default;
};

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$';
}

bool isTriggerName(const QString& word)
{
    return word.endsWith(QLatin1StringView("TallixInsert")) ||
           word.endsWith(QLatin1StringView("TallixUpdate")) ||
           word.endsWith(QLatin1StringView("TallixDelete"));
}

// The end of a quoted run starting at `at` (an apostrophe or "["), past its closer;
// the closer written twice stands for itself.
qsizetype quotedEnd(const QString& s, qsizetype at, QChar closer)
{
    for (qsizetype i = at + 1; i < s.size(); ++i) {
        if (s[i] != closer)
            continue;
        if (i + 1 < s.size() && s[i + 1] == closer) {
            ++i;
            continue;
        }
        return i + 1;
    }
    std::abort(); // an unterminated literal or bracket
}

// "' + CHAR(n) + '" between two literals is part of one literal's value.
void mergeCharacterCodes(std::vector<Token>& tokens)
{
    const auto is = [&](std::size_t at, Token::Kind kind, const char* text = nullptr) {
        return at < tokens.size() && tokens[at].kind == kind &&
               (!text || tokens[at].text == QLatin1StringView(text));
    };
    const std::size_t n = tokens.size();
    if (n < 8 || !is(n - 1, Token::Literal) || !is(n - 2, Token::Punctuation, "+") ||
        !is(n - 3, Token::Punctuation, ")") || !is(n - 4, Token::Word) ||
        !is(n - 5, Token::Punctuation, "(") ||
        !(is(n - 6, Token::Word, "CHAR") || is(n - 6, Token::Word, "NCHAR")) ||
        !is(n - 7, Token::Punctuation, "+") || !is(n - 8, Token::Literal))
        return;
    tokens.resize(n - 7);
}

std::vector<Token> tokenize(const QString& script)
{
    std::vector<Token> tokens;
    for (qsizetype i = 0; i < script.size();) {
        const QChar c = script[i];
        if (c == u'\r') {
            if (i + 1 >= script.size() || script[i + 1] != u'\n')
                std::abort(); // a line end that is not CR LF
            tokens.push_back({Token::LineEnd, {}});
            i += 2;
        } else if (c == u' ') {
            ++i;
        } else if (SqlQuoting::isControl(c)) {
            std::abort(); // a raw control character
        } else if (c == u'-' && i + 1 < script.size() && script[i + 1] == u'-') {
            while (i < script.size() && script[i] != u'\r')
                ++i;
            tokens.push_back({Token::Comment, {}});
        } else if (c == u'\'') {
            i = quotedEnd(script, i, u'\'');
            tokens.push_back({Token::Literal, {}});
            mergeCharacterCodes(tokens);
        } else if (c == u'[') {
            i = quotedEnd(script, i, u']');
            tokens.push_back({Token::Bracketed, {}});
        } else if (isWordCharacter(c)) {
            const qsizetype start = i;
            while (i < script.size() && isWordCharacter(script[i]))
                ++i;
            QString word = script.mid(start, i - start);
            if (isTriggerName(word))
                word = QStringLiteral("<trigger>");
            tokens.push_back({Token::Word, word});
        } else {
            tokens.push_back({Token::Punctuation, QString(c)});
            ++i;
        }
    }
    return tokens;
}

// A plain name of the same kind as `name`.
QString plainTableName(const QString& name, int number)
{
    const bool regular =
        SqlQuoting::isRegularIdentifier(CleanTriggerName(name) + QStringLiteral("TallixInsert"));
    QString plain =
        (regular ? QStringLiteral("t") : QStringLiteral("t.")) + QString::number(number);
    CTable probe;
    probe.TableName = name;
    if (HasLongName(probe))
        plain += QString(65 - plain.size(), u'x');
    if (SqlQuoting::hasControl(name))
        plain += u'\t';
    return plain;
}

QString plainName(const QString& name, const QString& base)
{
    return SqlQuoting::hasControl(name) ? base + u'\t' : base;
}

struct Scripts {
    QString audit, removal;
};

Scripts scriptsOf(const Project& project)
{
    IScriptObserver silent;
    ScriptDriver driver(silent, [] { return QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53)); });
    return {driver.GenerateScript(project), driver.GenerateRemoveScript(project)};
}

// Whether two tables that get triggers share their trigger names.
bool collides(const Project& project)
{
    QHash<QString, int> seen;
    for (const CTable& t : project.Tables()) {
        if (t.LargeKey || !(t.Insert || t.Update || t.Delete) || !t.HasPrimaryKey() ||
            HasLongName(t) || HasControlInNames(t))
            continue;
        if (seen[CleanTriggerName(t.TableName).toCaseFolded()]++)
            return true;
    }
    return false;
}

void check(const QString& fuzzed, const QString& plain, bool fuzzedMayFail)
{
    if (fuzzed.isEmpty() && fuzzedMayFail)
        return;
    if (fuzzed.isEmpty() != plain.isEmpty() || tokenize(fuzzed) != tokenize(plain))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const unsigned flags = data[0] | (static_cast<unsigned>(data[1]) << 8);
    const QStringList names =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2))
            .split(QChar(u'\0'));

    Project fuzzed, plain;
    fuzzed.setSpecialMTSHandling(flags & 0x8000);
    plain.setSpecialMTSHandling(flags & 0x8000);
    // A database name that is blank or holds a control character is refused.
    const QString db = names.value(0);
    const bool dbRefused = SqlQuoting::hasControl(db) || db.trimmed().isEmpty();
    fuzzed.setDB(db);
    plain.setDB(dbRefused ? QStringLiteral("db\t") : QStringLiteral("db"));
    for (int t = 0; t < 3 && 1 + 3 * t < names.size(); ++t) {
        const QString name = names[1 + 3 * t];
        CTable* added = nullptr;
        try {
            added = &fuzzed.Tables().Add(name);
        } catch (const Error&) {
            continue; // a repeated name (in any case) is not added
        }
        CTable& f = *added;
        CTable& p = plain.Tables().Add(plainTableName(name, t + 1));
        const unsigned bits = flags >> (4 * t);
        f.Insert = p.Insert = bits & 1;
        f.Update = p.Update = bits & 2;
        f.Delete = p.Delete = bits & 4;
        const bool keyed = !(bits & 8);
        for (int c = 0; c < 2; ++c) {
            const QString column = names.value(2 + 3 * t + c);
            const bool key = keyed && c == 0;
            const bool include = c == 0 || (flags & 0x1000);
            f.Columns.Add(column, QStringLiteral("varchar"), 10, 0, 0, true, key, false, include);
            p.Columns.Add(plainName(column, QStringLiteral("c%1").arg(c + 1)),
                          QStringLiteral("varchar"), 10, 0, 0, true, key, false, include);
        }
    }

    const Scripts f = scriptsOf(fuzzed);
    const Scripts p = scriptsOf(plain);
    if (p.removal.isEmpty() != dbRefused)
        std::abort(); // a plain project always gives its scripts unless its database is refused
    const bool fuzzedCollides = collides(fuzzed);
    if (fuzzedCollides != f.audit.isEmpty() && !dbRefused)
        std::abort(); // the run fails exactly when trigger names collide
    check(f.audit, p.audit, fuzzedCollides);
    check(f.removal, p.removal, false);
    return 0;
}
