#include "report/NotebookJob.h"

#include "graph/GraphSurface.h"
#include "platform/DataExchange.h"
#include "platform/FileDialogSeam.h"
#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"
#include "print/ReportPrinter.h"
#include "report/NotebookPrinter.h"
#include "store/ArchiveFile.h"
#include "store/DataFiles.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

constexpr int kChartDotsPerInch = 150;

// The widest of the digits and '/' in the font, and its line height, as the chart places its
// labels by them.
ChartTextMetrics ChartMetricsOf(const QFontMetrics& metrics)
{
    int digit = metrics.horizontalAdvance(QLatin1Char('/'));
    for (char c = '0'; c <= '9'; ++c)
        digit = std::max(digit, metrics.horizontalAdvance(QLatin1Char(c)));
    return ChartTextMetrics{digit, metrics.height()};
}

void Warn(QWidget* parent, IModalSeam& seam, const QString& text)
{
    seam.MessageBox(parent, text, AppTitle(), MB_OK | MB_ICONEXCLAMATION);
}

// A period the report cannot cover, said on the page; false when it can.
bool RefuseLongPeriod(QWidget* parent, IModalSeam& seam, const NotebookRequest& request)
{
    const long days = NotebookDayCount(request.days);
    if (days <= kNotebookMaxDays)
        return false;
    Warn(parent, seam,
         QStringLiteral("レポートの期間は %1 日までです（選ばれた期間は %2 日）。期間を短くしてください。")
             .arg(kNotebookMaxDays)
             .arg(days));
    return true;
}

std::string NameOf(const std::vector<std::string>& settings)
{
    return kSettingName <= settings.size() ? settings[kSettingName - 1] : std::string();
}

} // namespace

NotebookRequest NotebookRequestOf(CalendarDay first, CalendarDay last, CalendarDay today)
{
    return NotebookRequest{BetweenDays(first, last), ChartDays{first, last}, today, {}};
}

NotebookRequest NotebookRequestOf(const RecordPeriod& period, const ChartDays& days, CalendarDay today)
{
    return NotebookRequest{period, days, today, {}};
}

void PrintNotebookOfPeriod(QWidget* parent, IModalSeam& seam, IPrinterSeam& printers,
                           const std::string& folder, const NotebookRequest& request)
{
    if (!RefuseLongPeriod(parent, seam, request))
        PrintNotebook(parent, seam, printers, ReadNotebookSource(folder, request));
}

void SaveNotebookPdfAs(QWidget* parent, IModalSeam& seam, IFileDialogSeam& files, const std::string& folder,
                       const NotebookRequest& request)
{
    if (RefuseLongPeriod(parent, seam, request))
        return;
    const QString file =
        files.SaveFileName(parent, QStringLiteral("PDF に保存"), QStringLiteral("家庭血圧の記録.pdf"),
                           QStringLiteral("PDF (*.pdf)"));
    if (file.isEmpty())
        return; // cancelled
    if (!SaveNotebookPdf(file, ReadNotebookSource(folder, request)))
        Warn(parent, seam, QStringLiteral("PDF ファイルを書き込めませんでした。\n保存先: %1").arg(file));
}

NotebookSource ReadNotebookSource(const std::string& folder, const NotebookRequest& request)
{
    NotebookRequest named = request;
    named.name = NameOf(SettingLinesInUse(folder));
    const std::vector<std::string> lines = ReadAllRecordLines(folder); // with the archive: every day whole
    const EvaluationSettings settings =
        ReadEvaluationSettings(TypeNamesInUse(folder), DataFilePath(folder, kEvaluationFileName));
    OccasionTable occasions = NotebookOccasions(lines, settings, named);
    NotebookContent content = BuildNotebook(lines, settings, named, occasions);
    return NotebookSource{std::move(content), NotebookChartInput(std::move(occasions), settings, named)};
}

void PaintNotebookChart(QPainter& painter, const QRect& area, const EvaluationChartInput& input)
{
    const double scale = std::max(1.0, painter.device()->logicalDpiX() / double(kChartDotsPerInch));
    const int W = static_cast<int>(area.width() / scale);
    const int H = static_cast<int>(area.height() / scale);
    if (W <= 0 || H <= 0)
        return;
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter dc(&image);
    dc.setFont(CGraphSurface::GraphFont());
    dc.setRenderHint(QPainter::TextAntialiasing, true);
    PerformGraphOps(dc, W, H, PlotEvaluationChart(W, H, input, ChartMetricsOf(dc.fontMetrics())));
    dc.end();
    painter.drawImage(area, image);
}

bool SaveNotebookPdf(const QString& file, const NotebookSource& source)
{
    return WriteNotebookPdf(file, source.content, [&source](QPainter& painter, const QRect& area) {
        PaintNotebookChart(painter, area, source.chart);
    });
}

void PrintNotebook(QWidget* parent, IModalSeam& seam, IPrinterSeam& printers, const NotebookSource& source)
{
    const std::unique_ptr<QPrinter> printer = printers.ChoosePrinter(parent);
    if (!printer)
        return; // cancelled
    printer->setDocName(QStringLiteral("家庭血圧の記録"));
    const bool printed =
        PaintNotebook(*printer, source.content, [&source](QPainter& painter, const QRect& area) {
            PaintNotebookChart(painter, area, source.chart);
        });
    if (printed && printer->printerState() != QPrinter::Error && printer->printerState() != QPrinter::Aborted)
        return;
    seam.MessageBox(parent, QStringLiteral("レポートを印刷できませんでした。"), AppTitle(),
                    MB_OK | MB_ICONEXCLAMATION);
}
