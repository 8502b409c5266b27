#pragma once

#include "common/xml/Parser.h"

#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace tallix::test {

// Writes every report as one line with its attributes and the parser's level, so
// whole event sequences compare at once; can set Cancel after the n-th report.
class EventRecorder : public IContentHandler {
public:
    explicit EventRecorder(Parser& parser)
        : m_parser(parser)
    {}

    QStringList events;
    int cancelAt = 0;

    void StartDocument() override { record(QStringLiteral("SD")); }
    void EndDocument() override { record(QStringLiteral("ED")); }
    void StartElement(const QString& name, const Attributes& a) override
    {
        record(QStringLiteral("SE %1 %2 L%3").arg(name, list(a)).arg(m_parser.ElementLevel()));
    }
    void EndElement(const QString& name) override
    {
        record(QStringLiteral("EE %1 L%2").arg(name).arg(m_parser.ElementLevel()));
    }
    void Characters(const QString& text) override { record(QStringLiteral("CH ") + text); }
    void ProcessingInstruction(const QString& name, const Attributes& a) override
    {
        record(QStringLiteral("PI %1 %2 L%3").arg(name, list(a)).arg(m_parser.ElementLevel()));
    }
    void Comment(const QString& text) override { record(QStringLiteral("CM ") + text); }

private:
    static QString list(const Attributes& a)
    {
        QStringList parts;
        for (const AttributeItem& item : a)
            parts << item.Name() + u'=' + item.Value();
        return u'[' + parts.join(u';') + u']';
    }
    void record(const QString& line)
    {
        events << line;
        if (events.size() == cancelAt)
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
    QString GetText() override { return m_chunks.isEmpty() ? QString() : m_chunks.takeFirst(); }

private:
    QStringList m_chunks;
};

} // namespace tallix::test
