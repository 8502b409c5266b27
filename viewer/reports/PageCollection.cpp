#include "viewer/reports/PageCollection.h"

#include "viewer/reports/PageCodec.h"

namespace tallix::reports {

namespace {

// Enough for the pages a preview shows side by side while it scrolls.
constexpr qsizetype kDecodedPages = 6;

} // namespace

PageCollection::PageCollection(QString title, QSize paper, QList<ReportFont> fonts)
    : m_title(std::move(title))
    , m_paper(paper)
    , m_fonts(std::move(fonts))
{}

void PageCollection::append(const Page& page)
{
    QByteArray bytes = pagecodec::encode(page);
    m_storedBytes += bytes.size();
    m_pages.append(std::move(bytes));
}

bool PageCollection::appendEncoded(const QByteArray& bytes)
{
    if (!pagecodec::decode(bytes, static_cast<int>(m_fonts.size())))
        return false;
    m_storedBytes += bytes.size();
    m_pages.append(bytes);
    return true;
}

Page PageCollection::page(int index) const
{
    for (qsizetype i = 0; i < m_decoded.size(); ++i) {
        if (m_decoded[i].first == index) {
            if (i > 0)
                m_decoded.move(i, 0);
            return m_decoded.first().second;
        }
    }
    Page page =
        pagecodec::decode(m_pages[index], static_cast<int>(m_fonts.size())).value_or(Page{});
    m_decoded.prepend({index, page});
    if (m_decoded.size() > kDecodedPages)
        m_decoded.removeLast();
    return page;
}

} // namespace tallix::reports
