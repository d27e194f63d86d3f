#pragma once
// The print job of the measurement report, run by the list page's "印刷".

#include "print/PrinterSeam.h"

#include <string>
#include <string_view>
#include <vector>

class CTextFile;
struct FolderSettings;
class IModalSeam;
class QFont;
class QFontMetrics;
class QPainter;
class QWidget;

// The print dialog, run through the program's own modal seam.
IPrinterSeam& RealPrinterSeam();

// Prints the report of the records in dataFile on the printer the user chooses, on as many
// pages as it needs, with the print range and the name of the settings and the type names.
// Cancelling prints nothing and says nothing; a job that cannot start or finish is reported
// through seam.
void PrintReport(QWidget* parent, IModalSeam& seam, IPrinterSeam& printers, CTextFile& dataFile,
                 const FolderSettings& settings, const std::vector<std::string>& typeNames);
// The same with the settings and the type names read from the files of the data folder at folder.
void PrintReport(QWidget* parent, IModalSeam& seam, IPrinterSeam& printers, CTextFile& dataFile,
                 std::string_view folder);

// The report's font: the size of the device's default font, in a fixed-pitch Japanese face in
// which a full-width character is exactly two half-width ones wide. The rows are padded by
// counting code page 932 bytes, so only such a face lines the columns up under their headers.
QFont ReportFont(const QFont& base);

// The report's line height: the height of "Orvanta" in the report font's metrics.
int ReportLineHeight(const QFontMetrics& metrics);

// How many rows of the report fit one A4 page, in the report font at the size of the
// application's font, as a printer's default font has it.
int ReportRowsPerA4Page();

// Draws the report on an active painter in the report font at its current size: each line's
// text has its top-left corner at the line's position. On a printer (a paged device) the
// report goes on over new pages of the device's printable height; any other device gets it
// all as one page. False when the device could not start a new page.
bool PaintReport(QPainter& painter, CTextFile& dataFile, const FolderSettings& settings,
                 const std::vector<std::string>& typeNames);
// The same with the settings and the type names read from the files of the data folder at folder.
bool PaintReport(QPainter& painter, CTextFile& dataFile, std::string_view folder);
