#pragma once
// The print job of the one-page report, run by the list page's "印刷".

#include <memory>

class CTextFile;
class IModalSeam;
class QPrinter;
class QWidget;

// How the report gets its printer: the print dialog in the program, a PDF printer in tests.
class IPrinterSeam
{
public:
    virtual ~IPrinterSeam() = default;
    // The printer the user chose, or null when the dialog was cancelled.
    virtual std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent) = 0;
};

IPrinterSeam& RealPrinterSeam();

// Prints the report of the records in dataFile; settings and type names are read afresh.
void PrintReport(QWidget* parent, IModalSeam& seam, IPrinterSeam& printers, CTextFile& dataFile);
