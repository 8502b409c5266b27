#include "common/db/sqlite/TsqlRewriter.h"

#include "common/db/ColumnTypeInfo.h"

#include <QList>

namespace tallix {

namespace {

enum class Kind { Blank, String, QuotedName, Word, Number, Punct };

struct Token {
    Kind kind;
    QString text;
};

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@') ||
           c == QLatin1Char('#') || c == QLatin1Char('$');
}

// Splits the text into tokens whose concatenation is the text again.
QList<Token> tokenize(const QString& s)
{
    QList<Token> out;
    const qsizetype n = s.size();
    qsizetype i = 0;
    auto take = [&](Kind kind, qsizetype end) {
        out.append({kind, s.mid(i, end - i)});
        i = end;
    };
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            qsizetype j = i;
            while (j < n && s[j].isSpace())
                ++j;
            take(Kind::Blank, j);
        } else if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
            qsizetype j = s.indexOf(QLatin1Char('\n'), i);
            take(Kind::Blank, j < 0 ? n : j);
        } else if (c == QLatin1Char('/') && i + 1 < n && s[i + 1] == QLatin1Char('*')) {
            const qsizetype j = s.indexOf(QLatin1String("*/"), i + 2);
            take(Kind::Blank, j < 0 ? n : j + 2);
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') ||
                   c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            qsizetype j = i + 1;
            while (j < n) {
                if (s[j] == close) {
                    if (j + 1 < n && s[j + 1] == close) {
                        j += 2; // a doubled quote stands for one
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            take(c == QLatin1Char('\'') ? Kind::String : Kind::QuotedName, std::min(j, n));
        } else if (c.isDigit()) {
            qsizetype j = i;
            while (j < n && (s[j].isDigit() || s[j] == QLatin1Char('.')))
                ++j;
            take(Kind::Number, j);
        } else if (isWordChar(c)) {
            qsizetype j = i;
            while (j < n && isWordChar(s[j]))
                ++j;
            take(Kind::Word, j);
        } else {
            take(Kind::Punct, i + 1);
        }
    }
    return out;
}

class Rewriter {
public:
    explicit Rewriter(QList<Token> tokens)
        : m_t(std::move(tokens))
    {}

    QString run() { return range(0, static_cast<int>(m_t.size())); }

private:
    bool isWord(int i, const char* word) const
    {
        return i >= 0 && i < size() && m_t[i].kind == Kind::Word &&
               m_t[i].text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isPunct(int i, char c) const
    {
        return i >= 0 && i < size() && m_t[i].kind == Kind::Punct &&
               m_t[i].text[0] == QLatin1Char(c);
    }
    int size() const { return static_cast<int>(m_t.size()); }

    // The first token in [from, to) outside nested parentheses that `matches`, or -1.
    template <typename Match> int firstAtTopLevel(int from, int to, Match matches) const
    {
        int depth = 0;
        for (int k = from; k < to; ++k) {
            if (isPunct(k, '('))
                ++depth;
            else if (isPunct(k, ')'))
                --depth;
            else if (depth == 0 && matches(k))
                return k;
        }
        return -1;
    }

    int next(int i, int end) const
    {
        for (++i; i < end; ++i) {
            if (m_t[i].kind != Kind::Blank)
                return i;
        }
        return end;
    }

    // The ')' that closes the '(' at `open`, or -1.
    int closing(int open, int end) const
    {
        int depth = 0;
        for (int i = open; i < end; ++i) {
            if (isPunct(i, '('))
                ++depth;
            else if (isPunct(i, ')') && --depth == 0)
                return i;
        }
        return -1;
    }

    // A SQL Server type name with optional (n), (max) or (p, s) from `i`, ending just before
    // `stop` (the next significant token must be `stop`). Gives the compact type text, or a null
    // text when the tokens are not such a type.
    QString typeSpec(int i, int stop) const
    {
        QStringList words;
        QString args;
        int j = i;
        while (j < stop && m_t[j].kind == Kind::Word && words.size() < 3) {
            words << m_t[j].text;
            j = next(j, stop);
        }
        if (words.isEmpty())
            return {};
        if (isPunct(j, '(')) {
            args = QStringLiteral("(");
            j = next(j, stop);
            for (int argCount = 0;; ++argCount) {
                const bool isArg = j < stop && (m_t[j].kind == Kind::Number || isWord(j, "max"));
                if (!isArg || argCount >= 2)
                    return {};
                args += m_t[j].text;
                j = next(j, stop);
                if (isPunct(j, ',')) {
                    args += QLatin1Char(',');
                    j = next(j, stop);
                    continue;
                }
                if (!isPunct(j, ')'))
                    return {};
                args += QLatin1Char(')');
                j = next(j, stop);
                break;
            }
        }
        if (j != stop)
            return {};
        const QString text = words.join(QLatin1Char(' ')) + args;
        if (ColumnTypeInfo::of(SqlType::parse(text)).dataType == dbtype::VARIANT)
            return {};
        return text;
    }

    static bool isOneOf(const Token* t, std::initializer_list<const char*> words)
    {
        if (!t || t->kind != Kind::Word)
            return false;
        for (const char* w : words) {
            if (t->text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    }

    QString range(int begin, int end)
    {
        QString out;
        const Token* previous = nullptr; // the last significant token emitted
        for (int i = begin; i < end; ++i) {
            const Token& t = m_t[i];
            if (t.kind == Kind::Word) {
                const int after = next(i, end);
                const Token* following = after < end ? &m_t[after] : nullptr;

                if ((isWord(i, "CONVERT") || isWord(i, "CAST")) && isPunct(after, '(')) {
                    const int close = closing(after, end);
                    if (close > 0) {
                        if (isWord(i, "CONVERT")) {
                            int comma = firstAtTopLevel(after + 1, close,
                                                        [&](int k) { return isPunct(k, ','); });
                            if (comma < 0)
                                comma = after;
                            const QString type =
                                comma > after ? typeSpec(next(after, close), comma) : QString();
                            if (!type.isNull()) {
                                out += t.text + QStringLiteral("('") + type + QStringLiteral("',") +
                                       range(comma + 1, close) + QLatin1Char(')');
                                previous = &m_t[close];
                                i = close;
                                continue;
                            }
                        } else {
                            const int as = firstAtTopLevel(after + 1, close,
                                                           [&](int k) { return isWord(k, "AS"); });
                            const QString type =
                                as > 0 ? typeSpec(next(as, close), close) : QString();
                            if (!type.isNull()) {
                                out += QStringLiteral("CONVERT('") + type + QStringLiteral("',") +
                                       range(after + 1, as) + QLatin1Char(')');
                                previous = &m_t[close];
                                i = close;
                                continue;
                            }
                        }
                    }
                }

                const bool afterTriggerWord =
                    isOneOf(previous, {"ON", "BEFORE", "AFTER", "OF", "INSTEAD", "OR"});
                const bool followedByName =
                    following && (following->kind == Kind::QuotedName ||
                                  (following->kind == Kind::Word &&
                                   !isOneOf(following, {"FROM", "INTO", "ON", "OR", "CASCADE",
                                                        "RESTRICT", "SET", "NO", "TOP", "OF"})));
                if (isWord(i, "DELETE") && !afterTriggerWord && followedByName) {
                    out += t.text + QStringLiteral(" FROM");
                    previous = &t;
                    continue;
                }
                if (isWord(i, "INSERT") && !afterTriggerWord && followedByName) {
                    out += t.text + QStringLiteral(" INTO");
                    previous = &t;
                    continue;
                }
                if (isWord(i, "MAX") && isPunct(after, ')') && isTypeLengthOpening(i)) {
                    // nvarchar(max) in a column definition: SQLite takes only a number there,
                    // and the column schema reads -1 as (max), as the catalogue writes it.
                    out += QStringLiteral("-1");
                    previous = &t;
                    continue;
                }
                if (isWord(i, "SET") && isWord(after, "IDENTITY_INSERT")) {
                    // SET IDENTITY_INSERT name[.name...] ON|OFF
                    int k = next(after, end);
                    while (k < end &&
                           (m_t[k].kind == Kind::Word || m_t[k].kind == Kind::QuotedName)) {
                        const int dot = next(k, end);
                        if (!isPunct(dot, '.'))
                            break;
                        k = next(dot, end);
                    }
                    const int onOff = next(k, end);
                    if (k < end && !isWord(k, "ON") &&
                        (isWord(onOff, "ON") || isWord(onOff, "OFF"))) {
                        i = onOff;
                        continue;
                    }
                }
            }
            if (isNationalPrefix(i)) {
                previous = &t;
                continue; // N'...': SQLite's strings are all Unicode
            }
            if (isPunct(i, '+') && joinsText(i, end)) {
                out += QStringLiteral("||");
                previous = &t;
                continue;
            }
            out += t.text;
            if (t.kind != Kind::Blank)
                previous = &t;
        }
        return out;
    }

    // Whether the token before `i` is a "(" that follows a word, as the length of a type does.
    bool isTypeLengthOpening(int i) const
    {
        int k = i - 1;
        while (k >= 0 && m_t[k].kind == Kind::Blank)
            --k;
        if (!isPunct(k, '('))
            return false;
        --k;
        while (k >= 0 && m_t[k].kind == Kind::Blank)
            --k;
        return k >= 0 && m_t[k].kind == Kind::Word;
    }

    // An N right before a string literal.
    bool isNationalPrefix(int i) const
    {
        return isWord(i, "N") && i + 1 < size() && m_t[i + 1].kind == Kind::String;
    }

    bool isText(int i) const
    {
        return i >= 0 && i < size() && (m_t[i].kind == Kind::String || isNationalPrefix(i));
    }

    // Whether the "+" at `i` joins texts, as in 'a' + CHAR(13) + 'b': a string literal or a
    // CHAR or NCHAR call on either side. SQLite's "+" adds numbers; its "||" joins texts.
    bool joinsText(int i, int end) const
    {
        const int after = next(i, end);
        if (isText(after) ||
            ((isWord(after, "CHAR") || isWord(after, "NCHAR")) && isPunct(next(after, end), '(')))
            return true;
        int before = i - 1;
        while (before >= 0 && m_t[before].kind == Kind::Blank)
            --before;
        if (isText(before))
            return true;
        if (!isPunct(before, ')'))
            return false;
        // The "(" that the ")" before closes, and the word before that.
        int depth = 0;
        for (int k = before; k >= 0; --k) {
            if (isPunct(k, ')'))
                ++depth;
            else if (isPunct(k, '(') && --depth == 0) {
                int word = k - 1;
                while (word >= 0 && m_t[word].kind == Kind::Blank)
                    --word;
                return isWord(word, "CHAR") || isWord(word, "NCHAR");
            }
        }
        return false;
    }

    QList<Token> m_t;
};

} // namespace

QString TsqlRewriter::rewrite(const QString& sql)
{
    return Rewriter(tokenize(sql)).run();
}

} // namespace tallix
