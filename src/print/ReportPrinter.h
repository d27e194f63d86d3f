#pragma once
// The print job of the one-page report, run by the list page's "印刷".

#include <memory>

class CTextFile;
class IModalSeam;
class QFont;
class QPainter;
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

// The print dialog, run through the program's own modal seam.
IPrinterSeam& RealPrinterSeam();

// Prints the report of the records in dataFile on one page of the printer the user chooses;
// the settings and the type names are read afresh. Cancelling prints nothing and says nothing;
// a job that cannot start or finish is reported through seam.
void PrintReport(QWidget* parent, IModalSeam& seam, IPrinterSeam& printers, CTextFile& dataFile);

// The report's font: the size of the device's default font, in a fixed-pitch Japanese face in
// which a full-width character is exactly two half-width ones wide. The rows are padded by
// counting code page 932 bytes, so only such a face lines the columns up under their headers.
QFont ReportFont(const QFont& base);

// Draws the report on an active painter in the report font at its current size: the line
// height is the height of "Orvanta" in that font, and each line's text has its top-left corner
// at the line's position.
void PaintReport(QPainter& painter, CTextFile& dataFile);
