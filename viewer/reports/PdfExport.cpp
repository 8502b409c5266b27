#include "viewer/reports/ExportFile.h"
#include "viewer/reports/Exports.h"
#include "viewer/reports/PagePainter.h"

#include <QPageLayout>
#include <QPdfWriter>

namespace tallix::reports {

void exportPdf(const PageCollection& pages, const QString& fileName)
{
    ExportFile file(fileName);
    {
        QPdfWriter writer(&file.device());
        writer.setTitle(pages.title());
        writer.setCreator(QStringLiteral("Tallix Viewer"));
        // Page sizes are portrait; wider paper is the same size turned.
        const QSize paper = pages.paper();
        const bool landscape = paper.width() > paper.height();
        const QSizeF points = QSizeF(paper.width() / 20.0, paper.height() / 20.0);
        writer.setPageLayout(QPageLayout(
            QPageSize(landscape ? points.transposed() : points, QPageSize::Point),
            landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        if (!pagepainter::print(writer, pages, 0, pages.count() - 1))
            throw fileError(fileName, QStringLiteral("the PDF cannot be drawn"));
    }
    file.commit();
}

} // namespace tallix::reports
