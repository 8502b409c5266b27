#include "common/db/sqlite/TsqlLike.h"

namespace tallix {

namespace {

QChar folded(QChar c)
{
    return c.toCaseFolded();
}

} // namespace

TsqlLike::TsqlLike(const QString& pattern, std::optional<QChar> escape)
{
    const auto literal = [](QChar c) {
        Element e;
        e.ranges.append({folded(c), folded(c)});
        return e;
    };
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (escape && c == *escape && i + 1 < pattern.size()) {
            m_elements.append(literal(pattern[++i]));
        } else if (c == QLatin1Char('%')) {
            if (m_elements.isEmpty() || m_elements.constLast().kind != Element::Any)
                m_elements.append(Element{Element::Any});
        } else if (c == QLatin1Char('_')) {
            m_elements.append(Element{Element::One});
        } else if (c == QLatin1Char('[') && pattern.indexOf(QLatin1Char(']'), i + 1) > i + 1) {
            const qsizetype close = pattern.indexOf(QLatin1Char(']'), i + 1);
            Element set{Element::Set};
            qsizetype k = i + 1;
            if (pattern[k] == QLatin1Char('^') && k + 1 < close) {
                set.negated = true;
                ++k;
            }
            while (k < close) {
                const bool range = k + 2 < close && pattern[k + 1] == QLatin1Char('-');
                const QChar high = pattern[range ? k + 2 : k];
                set.ranges.append({folded(pattern[k]), folded(high)});
                k += range ? 3 : 1;
            }
            m_elements.append(set);
            i = close;
        } else {
            m_elements.append(literal(c));
        }
    }
}

bool TsqlLike::matches(const QString& text) const
{
    const auto one = [](const Element& e, QChar c) {
        if (e.ranges.isEmpty())
            return true; // _
        const QChar f = folded(c);
        bool in = false;
        for (const auto& [low, high] : e.ranges)
            in = in || (f >= low && f <= high);
        return in != e.negated;
    };
    // Every element but % takes one character: on a mismatch, let the last % take one more.
    qsizetype t = 0, p = 0, star = -1, mark = 0;
    const qsizetype n = text.size(), m = m_elements.size();
    while (t < n) {
        if (p < m && m_elements[p].kind == Element::Any) {
            star = p++;
            mark = t;
        } else if (p < m && one(m_elements[p], text[t])) {
            ++p;
            ++t;
        } else if (star >= 0) {
            p = star + 1;
            t = ++mark;
        } else {
            return false;
        }
    }
    while (p < m && m_elements[p].kind == Element::Any)
        ++p;
    return p == m;
}

} // namespace tallix
