#include "generator/model/XmlText.h"

namespace tallix {

namespace {

struct Reference {
    QStringView text; // behind the ampersand
    QChar character;
};

constexpr Reference kReferences[] = {
    {u"quot;", u'"'},
    {u"#13;", u'\r'},
    {u"#10;", u'\n'},
};

constexpr QStringView kAmp = u"amp;";

// The reference that `text` starts with after its ampersand and any number of
// "amp;", and how many of those stand before it; null when there is none.
const Reference* referenceAt(QStringView text, qsizetype& amps)
{
    amps = 0;
    qsizetype at = 1;
    while (text.sliced(at).startsWith(kAmp)) {
        at += kAmp.size();
        ++amps;
    }
    for (const Reference& r : kReferences) {
        if (text.sliced(at).startsWith(r.text))
            return &r;
    }
    return nullptr;
}

} // namespace

void appendAttributeValue(QString& out, QStringView value)
{
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        qsizetype amps = 0;
        if (c == u'"')
            out += QLatin1StringView("&quot;");
        else if (c == u'\r')
            out += QLatin1StringView("&#13;");
        else if (c == u'\n')
            out += QLatin1StringView("&#10;");
        else if (c == u'&' && referenceAt(value.sliced(i), amps))
            out += QLatin1StringView("&amp;");
        else
            out += c;
    }
}

QString readAttributeValue(const QString& raw)
{
    if (!raw.contains(u'&'))
        return raw;
    QString out;
    out.reserve(raw.size());
    const QStringView text(raw);
    for (qsizetype i = 0; i < text.size();) {
        qsizetype amps = 0;
        const Reference* r = text[i] == u'&' ? referenceAt(text.sliced(i), amps) : nullptr;
        if (!r) {
            out += text[i++];
        } else if (amps == 0) {
            out += r->character;
            i += 1 + r->text.size();
        } else {
            // One "amp;" fewer; the rest holds no ampersand and is copied as it stands.
            out += u'&';
            i += 1 + kAmp.size();
        }
    }
    return out;
}

} // namespace tallix
