#pragma once

#include "viewer/reports/PageRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace tallix::reports {

// The compact form in which finished pages are kept, in memory and in page documents: numbers
// as variable-length integers, texts as UTF-8, the whole page compressed. A page of a report
// takes a few kilobytes this way instead of its drawing's hundreds.
namespace pagecodec {

QByteArray encode(const Page& page);

// The page of `bytes`, or nothing when they are not one: cut short, corrupted, out of range, or
// naming a font at or beyond `fontCount`. Texts come back through pageText(), whoever wrote
// them.
std::optional<Page> decode(QByteArrayView bytes, int fontCount);

// The largest page accepted when decoding, uncompressed.
inline constexpr qsizetype kMaxPageBytes = 16 * 1024 * 1024;

} // namespace pagecodec

} // namespace tallix::reports
