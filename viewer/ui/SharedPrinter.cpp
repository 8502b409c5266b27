#include "viewer/ui/SharedPrinter.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace tallix {

namespace {

class QtPrinterDialogs : public PrinterDialogs {
public:
    bool print(QPrinter& printer, int pageCount, QWidget* parent) override
    {
        QPrintDialog dialog(&printer, parent);
        dialog.setMinMax(1, std::max(pageCount, 1));
        dialog.setOption(QAbstractPrintDialog::PrintPageRange);
        return dialog.exec() == QDialog::Accepted;
    }
    bool pageSetup(QPrinter& printer, QWidget* parent) override
    {
        QPageSetupDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
};

PrinterDialogs* g_dialogs = nullptr;

} // namespace

QPrinter& sharedPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

QSize sharedPaper()
{
    const QSizeF points = sharedPrinter().pageLayout().fullRect(QPageLayout::Point).size();
    return QSize(qRound(points.width() * 20), qRound(points.height() * 20));
}

PrinterDialogs& printerDialogs()
{
    static QtPrinterDialogs qtDialogs;
    return g_dialogs ? *g_dialogs : qtDialogs;
}

PrinterDialogs* setPrinterDialogs(PrinterDialogs* dialogs)
{
    return std::exchange(g_dialogs, dialogs);
}

} // namespace tallix
