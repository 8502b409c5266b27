#pragma once

#include <QSize>

class QPrinter;
class QWidget;

namespace tallix {

// The program's one printer, made on first use. Printer Setup edits it, every report takes its
// paper from it and every preview prints on it.
QPrinter& sharedPrinter();
// The shared printer's paper in twips, turned as the printer is.
QSize sharedPaper();

// The print and page-setup dialogs, behind a seam so that tests answer them without a window.
class PrinterDialogs {
public:
    virtual ~PrinterDialogs() = default;
    // The print dialog for a document of `pageCount` pages; true when the user prints. The
    // chosen range is left in the printer (fromPage/toPage, 0 for all).
    virtual bool print(QPrinter& printer, int pageCount, QWidget* parent) = 0;
    // The page-setup dialog; true when the user accepts it.
    virtual bool pageSetup(QPrinter& printer, QWidget* parent) = 0;
};

// The dialogs in use: Qt's own unless a test installed others.
PrinterDialogs& printerDialogs();
// Installs `dialogs` (not owned; nullptr for Qt's) and returns the previous ones.
PrinterDialogs* setPrinterDialogs(PrinterDialogs* dialogs);

} // namespace tallix
