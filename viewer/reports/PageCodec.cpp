#include "viewer/reports/PageCodec.h"

#include <QtEndian>

namespace tallix::reports::pagecodec {

namespace {

// How a page's bytes are stored: the first byte says.
enum Method : char { Plain = 0, Zlib = 1 };

// Coordinates beyond this are no page's (a little under 700 inches).
constexpr qint64 kMaxCoordinate = 1000000;

class Writer {
public:
    void unsignedNumber(quint64 n)
    {
        while (n >= 0x80) {
            m_bytes.append(static_cast<char>((n & 0x7F) | 0x80));
            n >>= 7;
        }
        m_bytes.append(static_cast<char>(n));
    }
    void number(qint64 n)
    {
        unsignedNumber((static_cast<quint64>(n) << 1) ^ static_cast<quint64>(n >> 63));
    }
    void byte(quint8 b) { m_bytes.append(static_cast<char>(b)); }
    void text(const QString& s)
    {
        const QByteArray utf8 = s.toUtf8();
        unsignedNumber(static_cast<quint64>(utf8.size()));
        m_bytes.append(utf8);
    }
    QByteArray& bytes() { return m_bytes; }

private:
    QByteArray m_bytes;
};

class Reader {
public:
    explicit Reader(QByteArrayView bytes)
        : m_bytes(bytes)
    {}

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_pos == m_bytes.size(); }
    qsizetype left() const { return m_bytes.size() - m_pos; }

    quint64 unsignedNumber()
    {
        quint64 n = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (m_pos >= m_bytes.size())
                return fail();
            const auto b = static_cast<quint8>(m_bytes[m_pos++]);
            n |= static_cast<quint64>(b & 0x7F) << shift;
            if (!(b & 0x80))
                return n;
        }
        return fail();
    }
    qint64 number()
    {
        const quint64 z = unsignedNumber();
        return static_cast<qint64>(z >> 1) ^ -static_cast<qint64>(z & 1);
    }
    // A coordinate or size: within the range any page can have.
    int coordinate()
    {
        const qint64 n = number();
        if (n < -kMaxCoordinate || n > kMaxCoordinate)
            return static_cast<int>(fail());
        return static_cast<int>(n);
    }
    // A count of items each at least `itemBytes` long.
    qsizetype count(qsizetype itemBytes)
    {
        const quint64 n = unsignedNumber();
        if (n > static_cast<quint64>(left() / itemBytes))
            return static_cast<qsizetype>(fail());
        return static_cast<qsizetype>(n);
    }
    quint8 byte()
    {
        if (m_pos >= m_bytes.size())
            return static_cast<quint8>(fail());
        return static_cast<quint8>(m_bytes[m_pos++]);
    }
    QString text()
    {
        const qsizetype n = count(1);
        if (!m_ok)
            return {};
        const QString s = QString::fromUtf8(m_bytes.sliced(m_pos, n));
        m_pos += n;
        return s;
    }

private:
    quint64 fail()
    {
        m_ok = false;
        m_pos = m_bytes.size();
        return 0;
    }

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

// The smallest encoded band, text box and rule.
constexpr qsizetype kBandBytes = 5;
constexpr qsizetype kTextBytes = 7;
constexpr qsizetype kRuleBytes = 5;

} // namespace

QByteArray encode(const Page& page)
{
    Writer w;
    w.unsignedNumber(static_cast<quint64>(page.bands.size()));
    for (const Band& band : page.bands) {
        w.byte(static_cast<quint8>(band.section));
        w.number(band.top);
        w.number(band.height);
        w.unsignedNumber(static_cast<quint64>(band.texts.size()));
        w.unsignedNumber(static_cast<quint64>(band.rules.size()));
        for (const TextBox& t : band.texts) {
            w.number(t.rect.x());
            w.number(t.rect.y() - band.top);
            w.number(t.rect.width());
            w.number(t.rect.height());
            w.byte(t.font);
            w.byte(t.flags);
            w.text(t.text);
        }
        for (const Rule& r : band.rules) {
            w.number(r.line.x1());
            w.number(r.line.y1() - band.top);
            w.number(r.line.x2());
            w.number(r.line.y2() - band.top);
            w.number(r.width);
        }
    }
    // Level 1: pages compress to about a fifth at a small part of the cost of the best level.
    QByteArray out = qCompress(w.bytes(), 1);
    out.prepend(Zlib);
    return out;
}

std::optional<Page> decode(QByteArrayView bytes, int fontCount)
{
    if (bytes.isEmpty())
        return std::nullopt;
    QByteArray plain;
    QByteArrayView body = bytes.sliced(1);
    if (bytes[0] == Zlib) {
        // qCompress puts the uncompressed size first; a claimed size beyond any page's is refused
        // before anything is allocated for it.
        if (body.size() < 4)
            return std::nullopt;
        const quint32 size = qFromBigEndian<quint32>(body.data());
        if (size == 0 || size > kMaxPageBytes)
            return std::nullopt;
        plain = qUncompress(reinterpret_cast<const uchar*>(body.data()), body.size());
        if (plain.size() != static_cast<qsizetype>(size))
            return std::nullopt;
        body = plain;
    } else if (bytes[0] != Plain) {
        return std::nullopt;
    }

    Reader r(body);
    Page page;
    const qsizetype bands = r.count(kBandBytes);
    for (qsizetype b = 0; b < bands && r.ok(); ++b) {
        Band band;
        const quint8 section = r.byte();
        if (section >= kSectionKinds)
            return std::nullopt;
        band.section = static_cast<SectionKind>(section);
        band.top = r.coordinate();
        band.height = r.coordinate();
        const qsizetype texts = r.count(kTextBytes);
        const qsizetype rules = r.count(kRuleBytes);
        for (qsizetype i = 0; i < texts && r.ok(); ++i) {
            TextBox t;
            const int x = r.coordinate();
            const int y = r.coordinate() + band.top;
            const int w = r.coordinate();
            const int h = r.coordinate();
            t.rect = QRect(x, y, w, h);
            t.font = r.byte();
            t.flags = r.byte() & (AlignMask | WordWrap | Number);
            if ((t.flags & AlignMask) == AlignMask)
                t.flags &= ~AlignMask;
            t.text = pageText(r.text());
            if (t.font >= fontCount)
                return std::nullopt;
            band.texts.append(std::move(t));
        }
        for (qsizetype i = 0; i < rules && r.ok(); ++i) {
            const int x1 = r.coordinate();
            const int y1 = r.coordinate() + band.top;
            const int x2 = r.coordinate();
            const int y2 = r.coordinate() + band.top;
            band.rules.append({QLine(x1, y1, x2, y2), r.coordinate()});
        }
        page.bands.append(std::move(band));
    }
    if (!r.ok() || !r.atEnd())
        return std::nullopt;
    return page;
}

} // namespace tallix::reports::pagecodec
