#include "print/ReportPrinter.h"

#include "folder/FolderSettings.h"
#include "platform/DataExchange.h"
#include "platform/ModalSeam.h"
#include "platform/QtText.h"
#include "platform/WinTypes.h"
#include "print/PrintDialogSeam.h"
#include "print/ReportLayout.h"
#include "record/RecordLine.h"
#include "store/DataFiles.h"
#include "store/TextFile.h"

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <string>
#include <vector>

namespace {

// Where the job goes, for the messages: the output file, else the printer's name.
QString Destination(const QPrinter& printer)
{
    return printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
}

QString FailureText(const QString& what, const QPrinter& printer)
{
    const QString destination = Destination(printer);
    return destination.isEmpty() ? what : what + QStringLiteral("\n出力先: ") + destination;
}

void ReportFailure(QWidget* parent, IModalSeam& seam, const QString& what, const QPrinter& printer)
{
    seam.MessageBox(parent, FailureText(what, printer), AppTitle(), MB_OK | MB_ICONEXCLAMATION);
}

// A PDF written to a file counts as finished only when the file holds the page.
bool OutputWritten(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
        return true;
    const QFileInfo file(printer.outputFileName());
    return file.exists() && file.size() > 0;
}

} // namespace

IPrinterSeam& RealPrinterSeam()
{
    static CPrintDialogSeam seam(RealModalSeam()); // holds only the seam it runs the dialog through
    return seam;
}

QFont ReportFont(const QFont& base)
{
    QFont font(base);
    font.setFamilies({QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic"),
                      QStringLiteral("TakaoGothic"), QStringLiteral("VL Gothic"),
                      QStringLiteral("monospace")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

int ReportLineHeight(const QFontMetrics& metrics)
{
    // The height of a sample text, measured only.
    return metrics.size(Qt::TextSingleLine, QStringLiteral("Orvanta")).height();
}

int ReportRowsPerA4Page()
{
    // A PDF page at a printer's resolution stands in for the printer: writing nothing, it only
    // lends its page size and resolution to the measurement.
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter a4(&sink);
    a4.setResolution(1200);
    a4.setPageSize(QPageSize(QPageSize::A4));
    const QFontMetrics metrics(ReportFont(QApplication::font()), &a4);
    return ReportRowsPerPage(ReportLineHeight(metrics), a4.height());
}

bool PaintReport(QPainter& painter, CTextFile& dataFile, std::string_view folder)
{
    return PaintReport(painter, dataFile, ReadFolderSettings(SettingLinesInUse(folder)),
                       TypeNamesInUse(folder));
}

bool PaintReport(QPainter& painter, CTextFile& dataFile, const FolderSettings& settings,
                 const std::vector<std::string>& typeNames)
{
    painter.setFont(ReportFont(painter.font()));
    const QFontMetrics metrics = painter.fontMetrics();
    const int h = ReportLineHeight(metrics);
    // A printer has pages of its printable height; any other device is one page of any length.
    auto* pages = dynamic_cast<QPagedPaintDevice*>(painter.device());
    const int pageHeight = pages ? painter.device()->height() : kUnboundedPage;
    const std::vector<ReportLine> lines = LayoutReport(h, settings.name, settings.printFrom, settings.printTo,
                                                       FileLines(dataFile), typeNames, pageHeight);
    int page = 0;
    for (const ReportLine& line : lines) {
        for (; page < line.page; ++page)
            if (!pages || !pages->newPage())
                return false;
        // drawText takes the baseline: the top of the text lies one ascent above it.
        painter.drawText(line.x, line.y + metrics.ascent(), FromCp932(line.text));
    }
    return true;
}

void PrintReport(QWidget* parent, IModalSeam& seam, IPrinterSeam& printers, CTextFile& dataFile,
                 std::string_view folder)
{
    PrintReport(parent, seam, printers, dataFile, ReadFolderSettings(SettingLinesInUse(folder)),
                TypeNamesInUse(folder));
}

void PrintReport(QWidget* parent, IModalSeam& seam, IPrinterSeam& printers, CTextFile& dataFile,
                 const FolderSettings& settings, const std::vector<std::string>& typeNames)
{
    const std::unique_ptr<QPrinter> printer = printers.ChoosePrinter(parent);
    if (!printer)
        return; // cancelled
    printer->setDocName(QString());
    QPainter painter;
    if (!painter.begin(printer.get())) {
        ReportFailure(parent, seam, QStringLiteral("印刷を開始できませんでした。"), *printer);
        return;
    }
    const bool painted = PaintReport(painter, dataFile, settings, typeNames);
    const bool ended = painter.end();
    const bool failed =
        printer->printerState() == QPrinter::Error || printer->printerState() == QPrinter::Aborted;
    if (!painted || !ended || failed || !OutputWritten(*printer))
        ReportFailure(parent, seam, QStringLiteral("印刷を完了できませんでした。"), *printer);
}
