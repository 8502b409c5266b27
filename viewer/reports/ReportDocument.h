#pragma once

#include "viewer/reports/PageCollection.h"

#include <memory>

class QIODevice;

namespace tallix::reports {

// The page document (".rdf"): a report's finished pages saved to a file, to be opened again
// with the very same pages. Our own versioned binary format: a signature, the format version,
// the title, the paper size and the font table, the pages in their stored form (pagecodec), and
// an end mark with the page count, so a file cut short is told from a whole one.
namespace reportdocument {

inline constexpr quint16 kVersion = 1;
// Error 321, "Invalid file format": not a page document, cut short, damaged or too new.
inline constexpr long kInvalidFileFormat = 321;

// Writes the document whole or not at all (a temporary file renamed at the end). Fails with
// error 75 and the reason.
void save(const PageCollection& pages, const QString& path);

// Reads a document, every page checked. Fails with error 321 and a message naming the file when
// it is none, or with error 75 when it cannot be read.
std::shared_ptr<PageCollection> load(const QString& path);
std::shared_ptr<PageCollection> read(QIODevice& device, const QString& name);

} // namespace reportdocument

} // namespace tallix::reports
