#pragma once

#include "common/xml/Parser.h"

#include <QStringList>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace tallix::test {

// Writes every report as one line, with the attributes and the parser's level, so
// that whole event sequences can be compared at once.
inline QString describeAttributes(const Attributes& attributes)
{
    QStringList parts;
    for (const AttributeItem& item : attributes)
        parts << item.Name() + u'=' + item.Value();
    return u'[' + parts.join(u';') + u']';
}

class EventRecorder : public IContentHandler {
public:
    explicit EventRecorder(Parser& parser)
        : m_parser(parser)
    {}

    QStringList events;
    int cancelAt = 0; // 1-based report after which Cancel is set; 0 = never

    void StartDocument() override { record(QStringLiteral("SD")); }
    void EndDocument() override { record(QStringLiteral("ED")); }
    void StartElement(const QString& name, const Attributes& attributes) override
    {
        record(
            QStringLiteral("SE %1 %2 L%3").arg(name, describeAttributes(attributes)).arg(level()));
    }
    void EndElement(const QString& name) override
    {
        record(QStringLiteral("EE %1 L%2").arg(name).arg(level()));
    }
    void Characters(const QString& text) override { record(QStringLiteral("CH ") + text); }
    void ProcessingInstruction(const QString& name, const Attributes& attributes) override
    {
        record(
            QStringLiteral("PI %1 %2 L%3").arg(name, describeAttributes(attributes)).arg(level()));
    }
    void Comment(const QString& text) override { record(QStringLiteral("CM ") + text); }

private:
    int level() const { return m_parser.ElementLevel(); }
    void record(const QString& line)
    {
        events << line;
        if (cancelAt > 0 && events.size() == cancelAt)
            m_parser.setCancel(true);
    }

    Parser& m_parser;
};

// Hands out a fixed list of chunks, then an empty text.
class ChunkSource : public ISourceHandler {
public:
    explicit ChunkSource(QStringList chunks)
        : m_chunks(std::move(chunks))
    {}
    QString GetText() override { return m_next < m_chunks.size() ? m_chunks[m_next++] : QString(); }
    int calls() const { return m_next; }

private:
    QStringList m_chunks;
    qsizetype m_next = 0;
};

} // namespace tallix::test
