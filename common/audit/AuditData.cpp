#include "common/audit/AuditData.h"

#include "common/audit/SqlQuoting.h"

#include <QSet>
#include <array>

namespace tallix::audit {

namespace {

// The writers' quote around every attribute value, and the end of an empty element.
constexpr QLatin1Char kQuote('\'');
constexpr QLatin1StringView kEmptyElementEnd("/>");

QString attributeStart(QLatin1StringView attribute)
{
    return QLatin1Char(' ') + attribute + QLatin1Char('=') + kQuote;
}

// Between elements: blanks, tabs and line ends. Inside a tag only blanks (skipSpaces): the event
// parser that shows the details would read anything else there differently.
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// The reader stops at the first fault; its message names the character (1-based) and the column.
class DataReader {
public:
    explicit DataReader(QStringView text)
        : m_text(text)
    {}

    DataReading run()
    {
        if (m_text.isEmpty())
            return fail(QStringLiteral("The audit data is empty."));
        if (!take(dataStart()))
            return fail(QStringLiteral("The audit data does not begin with <AUDIT>."));
        for (;;) {
            skipBlanks();
            if (take(dataEnd()))
                break;
            if (atEnd())
                return fail(QStringLiteral("The audit data ends without </AUDIT>."));
            if (!take(columnTag()))
                return fail(QStringLiteral("The audit data holds something other than a COLUMN "
                                           "element at character %1.")
                                .arg(m_pos + 1));
            if (!readColumn())
                return std::move(m_result);
        }
        skipBlanks();
        if (!atEnd())
            return fail(QStringLiteral("The audit data goes on after </AUDIT> at character %1.")
                            .arg(m_pos + 1));
        return std::move(m_result);
    }

private:
    bool readColumn()
    {
        static constexpr std::array<QLatin1StringView, 3> names{kNameAttribute, kBeforeAttribute,
                                                                kAfterAttribute};
        const qsizetype number = m_result.columns.size() + 1;
        std::array<QString, 3> values;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const qsizetype blanks = skipSpaces();
            if (blanks == 0 || !take(names[i])) {
                // One pass of arg(): a name holding "%4" must not be taken for a placeholder.
                const QString hint =
                    i == 0 ? QString()
                           : QStringLiteral(" (is an apostrophe in the %1 value not written as "
                                            "&apos;?)")
                                 .arg(names[i - 1]);
                fail(QStringLiteral("Column %1%2 of the audit data has no %3 attribute where "
                                    "character %4 stands%5.")
                         .arg(QString::number(number), i == 0 ? QString() : label(values[0]),
                              names[i], QString::number(m_pos + 1), hint));
                return false;
            }
            skipSpaces();
            if (!take(u"=")) {
                fail(QStringLiteral("Column %1 of the audit data has no \"=\" after %2.")
                         .arg(number)
                         .arg(names[i]));
                return false;
            }
            skipSpaces();
            const QChar quote = atEnd() ? QChar() : m_text[m_pos];
            if (quote != u'\'' && quote != u'"') {
                fail(QStringLiteral("Column %1 of the audit data has no quoted %2 value.")
                         .arg(number)
                         .arg(names[i]));
                return false;
            }
            const qsizetype close = m_text.indexOf(quote, m_pos + 1);
            if (close < 0) {
                fail(QStringLiteral("Column %1 of the audit data ends inside its %2 value.")
                         .arg(number)
                         .arg(names[i]));
                return false;
            }
            values[i] = decodeValue(m_text.sliced(m_pos + 1, close - m_pos - 1));
            m_pos = close + 1;
        }
        skipSpaces();
        if (!take(kEmptyElementEnd)) {
            fail(QStringLiteral("Column %1%2 of the audit data does not end with \"/>\" after "
                                "its AFTER value (is an apostrophe in that value not written as "
                                "&apos;?).")
                     .arg(QString::number(number), label(values[0])));
            return false;
        }
        if (values[0].isEmpty()) {
            fail(QStringLiteral("Column %1 of the audit data has no name.").arg(number));
            return false;
        }
        if (m_seen.contains(values[0].toCaseFolded())) {
            fail(QStringLiteral("The audit data records the column %1 more than once.")
                     .arg(QLatin1Char('"') + SqlQuoting::shownName(values[0]) + QLatin1Char('"')));
            return false;
        }
        m_seen.insert(values[0].toCaseFolded());
        m_result.columns.push_back({values[0], values[1], values[2]});
        return true;
    }

    static QString label(const QString& name)
    {
        return QStringLiteral(" (\"%1\")").arg(SqlQuoting::shownName(name));
    }

    DataReading fail(const QString& error)
    {
        m_result.error = error;
        return m_result;
    }

    bool atEnd() const { return m_pos >= m_text.size(); }

    bool take(QStringView token)
    {
        if (!m_text.sliced(m_pos).startsWith(token))
            return false;
        m_pos += token.size();
        return true;
    }

    bool take(QLatin1StringView token)
    {
        if (!m_text.sliced(m_pos).startsWith(token))
            return false;
        m_pos += token.size();
        return true;
    }

    static const QString& columnTag()
    {
        static const QString tag = QLatin1Char('<') + kColumnElement;
        return tag;
    }

    qsizetype skipBlanks()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && isBlank(m_text[m_pos]))
            ++m_pos;
        return m_pos - start;
    }

    qsizetype skipSpaces()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && m_text[m_pos] == u' ')
            ++m_pos;
        return m_pos - start;
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    DataReading m_result;
    QSet<QString> m_seen;
};

} // namespace

const QString& dataStart()
{
    static const QString piece = QLatin1Char('<') + kAuditElement + QLatin1Char('>');
    return piece;
}

const QString& columnStart()
{
    static const QString piece = QLatin1Char('<') + kColumnElement + attributeStart(kNameAttribute);
    return piece;
}

const QString& beforeStart()
{
    static const QString piece = kQuote + attributeStart(kBeforeAttribute);
    return piece;
}

const QString& afterStart()
{
    static const QString piece = kQuote + attributeStart(kAfterAttribute);
    return piece;
}

const QString& columnEnd()
{
    static const QString piece = kQuote + kEmptyElementEnd;
    return piece;
}

const QString& dataEnd()
{
    static const QString piece = QLatin1StringView("</") + kAuditElement + QLatin1Char('>');
    return piece;
}

QString recordedText(QStringView text)
{
    QString out = text.toString();
    return out.replace(kQuote, kApostropheEntity);
}

QString columnElement(QStringView name, QStringView before, QStringView after)
{
    QString element;
    element.reserve(columnStart().size() + name.size() + before.size() + after.size() + 24);
    element += columnStart();
    element += name;
    element += beforeStart();
    element += before;
    element += afterStart();
    element += after;
    element += columnEnd();
    return element;
}

QString dataText(const QStringList& columnElements)
{
    return dataStart() + columnElements.join(QString()) + dataEnd();
}

DataReading readData(QStringView data)
{
    return DataReader(data).run();
}

QString decodeValue(QStringView raw)
{
    QString text = raw.toString();
    return text.replace(kApostropheEntity, QString(kQuote));
}

} // namespace tallix::audit
