#pragma once

#include "viewer/reports/PageCollection.h"

#include <QFont>

class QPagedPaintDevice;
class QPainter;

namespace tallix::reports {

// Draws finished pages: for the preview, for printers and for PDF files alike.
namespace pagepainter {

// The font of a report font for a painter that works in twips.
QFont fontOf(const ReportFont& font);

// Paints `page` with the painter's unit the twip and its origin the paper's top-left corner.
void paint(QPainter& painter, const QList<QFont>& fonts, const QList<ReportFont>& reportFonts,
           const Page& page);
void paint(QPainter& painter, const PageCollection& pages, const Page& page);

// Paints pages `first` to `last` (0-based) onto a paged device, one device page each, scaled to
// fit the device's paper. False when the device cannot be painted on.
bool print(QPagedPaintDevice& device, const PageCollection& pages, int first, int last);

} // namespace pagepainter

} // namespace tallix::reports
