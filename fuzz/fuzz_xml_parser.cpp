// Feeds arbitrary bytes to the XML event parser, whole and in chunks. Besides
// surviving, both ways must give the same reports and the same failure: a chunk
// boundary may fall anywhere without changing what is read.

#include "common/base/Error.h"
#include "common/xml/Parser.h"
#include "common/xml/TextCodec.h"

#include <QStringList>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace tallix;

class Recorder : public IContentHandler {
public:
    explicit Recorder(Parser& parser)
        : m_parser(parser)
    {}

    QStringList events;

    void StartDocument() override { events << QStringLiteral("SD"); }
    void EndDocument() override { events << QStringLiteral("ED"); }
    void StartElement(const QString& name, const Attributes& a) override
    {
        events << QStringLiteral("SE %1 %2 %3").arg(name, describe(a)).arg(m_parser.ElementLevel());
    }
    void EndElement(const QString& name) override
    {
        events << QStringLiteral("EE %1 %2").arg(name).arg(m_parser.ElementLevel());
    }
    void Characters(const QString& text) override { events << QStringLiteral("CH ") + text; }
    void ProcessingInstruction(const QString& name, const Attributes& a) override
    {
        events << QStringLiteral("PI %1 %2").arg(name, describe(a));
    }
    void Comment(const QString& text) override { events << QStringLiteral("CM ") + text; }

private:
    // Walks the list every way a consumer can.
    static QString describe(const Attributes& a)
    {
        QString out;
        for (int i = 1; i <= a.Count(); ++i) {
            const AttributeItem& byName = a.Item(a.getName(i));
            out += a.getName(i) + u'=' + a.getValue(i) + u';' + byName.Value() + u'\n';
        }
        try {
            a.Item(a.Count() + 1);
            std::abort();
        } catch (const Error& e) {
            if (e.number() != Error::SubscriptOutOfRange)
                std::abort();
        }
        return out;
    }

    Parser& m_parser;
};

class Chunks : public ISourceHandler {
public:
    Chunks(const QString& text, qsizetype size)
        : m_text(text)
        , m_size(size)
    {}
    QString GetText() override
    {
        const QString chunk = m_text.mid(m_at, m_size);
        m_at += m_size;
        // Vary the size so that boundaries fall in many places.
        m_size = m_size % 13 + 1;
        return chunk;
    }

private:
    QString m_text;
    qsizetype m_at = 0;
    qsizetype m_size;
};

struct Outcome {
    QStringList events;
    long error = 0;
    bool operator==(const Outcome&) const = default;
};

template <typename Run> Outcome outcome(Run run)
{
    Parser parser;
    Recorder recorder(parser);
    Outcome out;
    try {
        run(parser, recorder);
    } catch (const Error& e) {
        out.error = e.number();
    }
    out.events = recorder.events;
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = decode8Bit(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const Outcome whole = outcome([&](Parser& p, Recorder& r) { p.ParseString(text, &r); });
    if (text.isEmpty())
        return 0;
    const qsizetype first = size > 0 ? data[0] % 7 + 1 : 1;
    const Outcome chunked = outcome([&](Parser& p, Recorder& r) {
        Chunks chunks(text, first);
        p.Parse(&chunks, &r);
    });
    if (!(whole == chunked))
        std::abort();
    return 0;
}
