// Builds the restore statement of an audit row whose table, column and key names, recorded
// values and key values come from the input, and the statement of the same row with plain names
// and values of the same kind (bare or bracketed, NULL, a style-21 date, a control character in a
// name). Both must be refused alike, or have the same token structure: the same keywords,
// punctuation and line ends, every value one literal and every unusual name one bracketed name.
// Each literal and name of the first must give back exactly the text it was made from, no control
// character may stand anywhere but as CHAR(n) or NCHAR(n) between two parts of a literal, and a
// reason for a refusal holds no control character either.
//
// Input: a byte choosing the transaction type, a byte of flags, two bytes choosing the three
// columns' types, then texts separated by NUL bytes: table, key column, key value, and per column
// its name, before and after value; with flag 1 the last text is taken as the whole data text
// and flag 2 the one before it as the whole key text (both then unchecked against a plain twin).

#include "common/audit/AuditData.h"
#include "common/audit/KeyValues.h"
#include "common/audit/SqlQuoting.h"
#include "common/db/Recordset.h"
#include "viewer/details/AuditRecord.h"
#include "viewer/query/SchemaCache.h"
#include "viewer/restore/ExecuteRestoreScript.h"
#include "viewer/restore/RestoreStatement.h"

#include <QHash>
#include <QRegularExpression>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace {

using namespace tallix;

[[noreturn]] void fail()
{
    std::abort();
}

// ---- the statement's tokens ----

struct Token {
    enum Kind { Word, Number, Punctuation, LineEnd, Literal, Bracketed, Comment } kind;
    QString text;          // a word, number or punctuation as written; a literal's or name's value
    bool national = false; // an N'...' literal

    bool sameShape(const Token& o) const
    {
        return kind == o.kind && national == o.national &&
               (kind == Literal || kind == Bracketed || text == o.text);
    }
};

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$';
}

// The value of a quoted run starting at `at`, its closer doubled inside; `at` moves past it.
QString unquote(const QString& s, qsizetype& at, QChar closer)
{
    QString value;
    for (qsizetype i = at + 1; i < s.size(); ++i) {
        if (SqlQuoting::isControl(s[i]))
            fail(); // raw, where a client tool would see a line end
        if (s[i] != closer) {
            value += s[i];
            continue;
        }
        if (i + 1 < s.size() && s[i + 1] == closer) {
            value += closer;
            ++i;
            continue;
        }
        at = i + 1;
        return value;
    }
    fail(); // an unterminated literal or bracketed name
}

// "' + CHAR(n) + '" between two literals is part of one literal's value: CHAR below 128 in a
// plain literal, NCHAR otherwise, and both parts of the same kind.
void mergeCharacterCodes(std::vector<Token>& t)
{
    const std::size_t n = t.size();
    const auto is = [&](std::size_t back, Token::Kind kind, const char* text = nullptr) {
        const Token& k = t[n - back];
        return k.kind == kind && (!text || k.text == QLatin1StringView(text));
    };
    if (n < 8 || !is(1, Token::Literal) || !is(2, Token::Punctuation, "+") ||
        !is(3, Token::Punctuation, ")") || !is(4, Token::Number) ||
        !is(5, Token::Punctuation, "(") || !is(7, Token::Punctuation, "+") ||
        !is(8, Token::Literal))
        return;
    const bool nchar = is(6, Token::Word, "NCHAR");
    if (!nchar && !is(6, Token::Word, "CHAR"))
        return;
    Token& first = t[n - 8];
    if (first.national != t[n - 1].national)
        fail(); // a Unicode literal continued as a plain one
    bool ok = false;
    const uint code = t[n - 4].text.toUInt(&ok);
    if (!ok || code > 0xFFFF || !SqlQuoting::isControl(QChar(char16_t(code))))
        fail(); // only control characters are written as codes
    if (nchar != (first.national || code >= 0x80))
        fail();
    first.text += QChar(char16_t(code)) + t[n - 1].text;
    t.resize(n - 7);
}

std::vector<Token> tokenize(const QString& s)
{
    std::vector<Token> tokens;
    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s[i];
        if (c == u'\r') {
            if (i + 1 >= s.size() || s[i + 1] != u'\n')
                fail(); // a line end that is not CR LF
            tokens.push_back({Token::LineEnd, {}});
            i += 2;
        } else if (c == u' ') {
            ++i;
        } else if (SqlQuoting::isControl(c)) {
            fail(); // a raw control character
        } else if (c == u'-' && i + 1 < s.size() && s[i + 1] == u'-') {
            const qsizetype start = i;
            while (i < s.size() && s[i] != u'\r')
                ++i;
            tokens.push_back({Token::Comment, s.mid(start, i - start)});
        } else if (c == u'\'' || (c == u'N' && i + 1 < s.size() && s[i + 1] == u'\'')) {
            const bool national = c == u'N';
            qsizetype at = national ? i + 1 : i;
            tokens.push_back({Token::Literal, unquote(s, at, u'\''), national});
            i = at;
            mergeCharacterCodes(tokens);
        } else if (c == u'[') {
            qsizetype at = i;
            tokens.push_back({Token::Bracketed, unquote(s, at, u']')});
            i = at;
        } else if (c.isDigit()) {
            const qsizetype start = i;
            while (i < s.size() && s[i].isDigit())
                ++i;
            tokens.push_back({Token::Number, s.mid(start, i - start)});
        } else if (isWordCharacter(c)) {
            const qsizetype start = i;
            while (i < s.size() && isWordCharacter(s[i]))
                ++i;
            tokens.push_back({Token::Word, s.mid(start, i - start)});
        } else {
            tokens.push_back({Token::Punctuation, QString(c)});
            ++i;
        }
    }
    return tokens;
}

// ---- the audit row and its plain twin ----

struct ColumnType {
    int dataType;
    int flags;
    int length;
};

// varchar(10), nvarchar(10), int identity, datetime, ntext, char(5), a type without a name, int.
const ColumnType kTypes[] = {{129, 8, 10},           {130, 8, 10}, {3, 16, 0},  {135, 24, 0},
                             {130, 136, 1073741823}, {129, 24, 5}, {999, 8, 0}, {3, 24, 0}};

struct Column {
    QString name, before, after;
    int type = 0;
};

struct Row {
    QString type, table, keyName, keyValue;
    std::vector<Column> columns;
    QString rawKey, rawData; // used instead of the composed texts when not null
};

SchemaCache cacheOf(const Row& row)
{
    QList<FieldInfo> fields;
    for (const QString& name : SchemaCache::fields())
        fields.push_back({name, name.endsWith(QLatin1StringView("_NAME")) ? 130 : 3});
    auto rows = std::make_shared<RowSet>(fields);
    const auto add = [&](const QString& name, int type) {
        const ColumnType& t = kTypes[type % std::size(kTypes)];
        rows->appendRow({row.table, name, t.dataType, 10, t.flags,
                         t.length ? QVariant(t.length) : QVariant(), 3, 0});
    };
    // Audit tables of the Unicode layout: the notes that the narrow one puts before a value
    // holding "?" depend on the value, which the plain twin does not share.
    rows->appendRow({QStringLiteral("Tallix"), QStringLiteral("Data"), 130, QVariant(), 128,
                     QVariant(), QVariant(), QVariant()});
    for (const Column& c : row.columns)
        add(c.name, c.type);
    return SchemaCache::fromColumnsRowset(Recordset(rows));
}

AuditRecord recordOf(const Row& row)
{
    AuditRecord record;
    record.TransactionType = row.type;
    record.SourceTable = row.table;
    record.KeyValues =
        row.rawKey.isNull() ? audit::keyValuesText({{row.keyName, row.keyValue}}) : row.rawKey;
    if (!row.rawData.isNull()) {
        record.Data = row.rawData;
    } else {
        QStringList columns;
        for (const Column& c : row.columns)
            columns << audit::columnElement(audit::recordedText(c.name),
                                            audit::recordedText(c.before),
                                            audit::recordedText(c.after));
        record.Data = audit::dataText(columns);
    }
    return record;
}

// Plain texts of the same kind, and the way back to the fuzzed ones.
class Twins {
public:
    QString name(const QString& n)
    {
        if (n.isEmpty())
            return n;
        const QString folded = n.toCaseFolded();
        auto known = m_names.constFind(folded);
        if (known != m_names.constEnd())
            return known.value();
        const bool bare = SqlQuoting::statementName(n) == n;
        QString plain = QStringLiteral("zname") + (bare ? QString() : QStringLiteral(" ")) +
                        QString::number(m_names.size() + 1);
        if (SqlQuoting::hasControl(n))
            plain += u'\t';
        m_names.insert(folded, plain);
        m_nameBack.insert(plain, n);
        return plain;
    }

    QString value(const QString& v)
    {
        static const QRegularExpression style21(
            QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3}$"));
        // As the viewer reads it back; the same text stays the same plain text.
        const QString read = audit::decodeValue(audit::recordedText(v));
        if (read == audit::kNullValue || style21.match(read).hasMatch()) {
            m_valueBack.insert(read, read);
            return read;
        }
        auto known = m_values.constFind(read);
        if (known != m_values.constEnd())
            return known.value();
        const QString plain = QStringLiteral("zv%1").arg(m_values.size() + 1);
        m_values.insert(read, plain);
        m_valueBack.insert(plain, read);
        return plain;
    }

    QString nameBack(const QString& plain) const { return m_nameBack.value(plain); }
    bool isPlainName(const QString& word) const { return m_nameBack.contains(word); }
    QString valueBack(const QString& plain) const
    {
        if (!m_valueBack.contains(plain))
            fail();
        return m_valueBack.value(plain);
    }

private:
    QHash<QString, QString> m_names, m_nameBack, m_values, m_valueBack;
};

// Either a statement or a reason that can be shown as it is.
void checkRefusal(const RestoreBuild& b)
{
    if (b.ok() ? b.text.isEmpty() : !b.text.isEmpty() || SqlQuoting::hasControl(b.refusal))
        fail();
}

void compare(const RestoreBuild& fuzzed, const RestoreBuild& plain, const Twins& twins)
{
    if (fuzzed.ok() != plain.ok())
        fail(); // refused for one and not for the other
    if (!fuzzed.ok())
        return;
    const std::vector<Token> f = tokenize(fuzzed.text);
    const std::vector<Token> p = tokenize(plain.text);
    if (f.size() != p.size() || SplitBatches(fuzzed.text).size() != SplitBatches(plain.text).size())
        fail();
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (p[i].kind == Token::Word && twins.isPlainName(p[i].text)) {
            // A bare name: the original, which must be a regular identifier.
            if (f[i].kind != Token::Word ||
                f[i].text.toCaseFolded() != twins.nameBack(p[i].text).toCaseFolded())
                fail();
            continue;
        }
        if (!f[i].sameShape(p[i]))
            fail();
        if (f[i].kind == Token::Literal && f[i].text != twins.valueBack(p[i].text))
            fail(); // a value did not come back whole
        if (f[i].kind == Token::Bracketed &&
            f[i].text.toCaseFolded() != twins.nameBack(p[i].text).toCaseFolded())
            fail();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    static const char* const types[] = {"I", "U", "D", "X"};
    const unsigned flags = data[1];
    const unsigned columnTypes = data[2] | (unsigned(data[3]) << 8);
    QStringList texts =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 4), qsizetype(size - 4))
            .split(QChar(u'\0'));

    Row row;
    row.type = QLatin1StringView(types[data[0] % 4]);
    row.table = texts.value(0);
    // The data text writes an apostrophe as "&apos;" and reads that entity back as one, so a
    // name or key value holding the entity itself names something else there (and is refused);
    // that, and names and values the key text cannot carry apart, are left to the whole-text
    // modes.
    const auto unambiguous = [](QString text) {
        return text.replace(QLatin1StringView("&apos;"), QStringLiteral("'"));
    };
    row.keyName = unambiguous(texts.value(1).remove(QChar(1)).remove(u'='));
    row.keyValue = unambiguous(texts.value(2).remove(QChar(1)));
    row.columns.push_back({row.keyName, row.keyValue, row.keyValue, int(columnTypes & 7)});
    for (int c = 0; c < 2 && 3 + 3 * c < texts.size(); ++c)
        row.columns.push_back({unambiguous(texts[3 + 3 * c]), texts.value(4 + 3 * c),
                               texts.value(5 + 3 * c), int((columnTypes >> (3 + 3 * c)) & 7)});
    const bool allFields = flags & 4;
    if (flags & 1)
        row.rawData = texts.last();
    if (flags & 2)
        row.rawKey = texts.value(texts.size() - 2);

    const RestoreBuild fuzzed = BuildRestore(recordOf(row), cacheOf(row), allFields);
    checkRefusal(fuzzed);
    if (fuzzed.ok())
        (void)tokenize(fuzzed.text);
    if (flags & 3)
        return 0; // no plain twin for a whole text from the input

    Twins twins;
    Row plain = row;
    plain.table = twins.name(row.table);
    plain.keyName = twins.name(row.keyName);
    plain.keyValue = twins.value(row.keyValue);
    for (Column& c : plain.columns) {
        c.name = twins.name(c.name);
        c.before = twins.value(c.before);
        c.after = twins.value(c.after);
    }
    const RestoreBuild twin = BuildRestore(recordOf(plain), cacheOf(plain), allFields);
    checkRefusal(twin);
    compare(fuzzed, twin, twins);
    return 0;
}
