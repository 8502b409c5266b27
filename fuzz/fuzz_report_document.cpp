// Feeds arbitrary bytes to the page-document reader, as a file opened in the preview would be.
// A document it accepts must hold pages that decode, whose texts carry no control character but
// their line breaks, and that encode and decode again to the same page.

#include "common/base/Error.h"
#include "viewer/reports/Exports.h"
#include "viewer/reports/PageCodec.h"
#include "viewer/reports/ReportDocument.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

using namespace tallix;
using namespace tallix::reports;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    std::shared_ptr<PageCollection> pages;
    try {
        pages = reportdocument::read(buffer, QStringLiteral("fuzz.rdf"));
    } catch (const Error& e) {
        if (e.description().isEmpty())
            std::abort(); // a refusal always says why
        return 0;
    }
    const int fonts = static_cast<int>(pages->fonts().size());
    for (int i = 0; i < pages->count(); ++i) {
        const std::optional<Page> page = pagecodec::decode(pages->encoded(i), fonts);
        if (!page)
            std::abort();
        for (const Band& band : page->bands) {
            for (const TextBox& t : band.texts) {
                if (t.font >= fonts || pageText(t.text) != t.text)
                    std::abort();
            }
            for (const TextRow& row : textRows(band)) {
                if (row.cells.isEmpty())
                    std::abort();
            }
        }
        if (pagecodec::decode(pagecodec::encode(*page), fonts) != page)
            std::abort();
    }
    return 0;
}
