#include "common/db/RecordsetFilter.h"

#include "common/db/DbErrors.h"

namespace tallix {

namespace {

class Reader {
public:
    explicit Reader(const QString& text)
        : m_text(text)
    {}

    QList<RecordsetFilter::Term> terms()
    {
        QList<RecordsetFilter::Term> out;
        skipBlanks();
        out.append(term());
        skipBlanks();
        while (!atEnd()) {
            if (!keyword(QLatin1String("AND")))
                throw fail();
            skipBlanks();
            out.append(term());
            skipBlanks();
        }
        return out;
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text[m_pos]; }

    Error fail() const
    {
        return dberror::invalidArgument(
            QStringLiteral("The filter is not of the form FIELD = 'value' [AND ...]."));
    }

    void skipBlanks()
    {
        while (!atEnd() && peek().isSpace())
            ++m_pos;
    }

    // AND in any case, followed by a blank.
    bool keyword(QLatin1String word)
    {
        const qsizetype end = m_pos + word.size();
        if (end >= m_text.size() || !m_text[end].isSpace())
            return false;
        if (QStringView(m_text).mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        m_pos = end;
        return true;
    }

    RecordsetFilter::Term term()
    {
        RecordsetFilter::Term t;
        t.field = name();
        skipBlanks();
        if (peek() != QLatin1Char('='))
            throw fail();
        ++m_pos;
        skipBlanks();
        t.value = quoted();
        return t;
    }

    QString name()
    {
        if (peek() == QLatin1Char('[')) {
            const qsizetype close = m_text.indexOf(QLatin1Char(']'), m_pos + 1);
            if (close < 0 || close == m_pos + 1)
                throw fail();
            QString n = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            return n;
        }
        const qsizetype start = m_pos;
        while (!atEnd() && (peek().isLetterOrNumber() || peek() == QLatin1Char('_')))
            ++m_pos;
        if (m_pos == start || m_text[start].isDigit())
            throw fail();
        return m_text.mid(start, m_pos - start);
    }

    QString quoted()
    {
        if (peek() != QLatin1Char('\''))
            throw fail();
        ++m_pos;
        QString value;
        while (!atEnd()) {
            const QChar c = m_text[m_pos++];
            if (c != QLatin1Char('\'')) {
                value += c;
                continue;
            }
            if (peek() == QLatin1Char('\'')) {
                value += c;
                ++m_pos;
                continue;
            }
            return value;
        }
        throw fail(); // not closed
    }

    const QString& m_text;
    qsizetype m_pos = 0;
};

} // namespace

QList<RecordsetFilter::Term> RecordsetFilter::parse(const QString& text)
{
    return Reader(text).terms();
}

} // namespace tallix
