#include "report/NotebookPrinter.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr int kFontPoints = 9;
constexpr double kMarginMillimetres = 12.0;
constexpr int kPdfResolution = 300;

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct COpPainter
{
    QPainter& painter;
    const NotebookChartPainter& chart;

    void operator()(const NotebookText& op) const
    {
        QFont font = painter.font();
        font.setBold(op.bold);
        painter.setFont(font);
        // drawText takes the baseline: the top of the text lies one ascent above it.
        painter.drawText(op.x, op.y + painter.fontMetrics().ascent(), FromUtf8(op.text));
    }
    void operator()(const NotebookRule& op) const { painter.drawLine(op.x1, op.y1, op.x2, op.y2); }
    void operator()(const NotebookChartArea& op) const
    {
        if (!chart)
            return;
        painter.save();
        chart(painter, QRect(op.left, op.top, op.width, op.height));
        painter.restore();
    }
};

} // namespace

QFont NotebookFont()
{
    QFont font(QStringLiteral("IPAGothic"));
    font.setFamilies({QStringLiteral("IPAGothic")});
    font.setPointSize(kFontPoints);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

NotebookGeometry NotebookGeometryOf(QPainter& painter)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect area = painter.viewport();
    // The wider of the two halves of a full-width character and a digit, so that no text
    // reaches past the cell the layout gives it.
    const int column = std::max(metrics.horizontalAdvance(QStringLiteral("0")),
                                (metrics.horizontalAdvance(QStringLiteral("血")) + 1) / 2);
    return NotebookGeometry{area.width(), area.height(), column, metrics.height()};
}

void PaintNotebookPage(QPainter& painter, const NotebookPage& page, const NotebookChartPainter& chart)
{
    const QFont font = painter.font();
    QPen pen(Qt::black);
    pen.setWidth(std::max(1, painter.device()->logicalDpiX() / 150));
    painter.setPen(pen);
    for (const NotebookOp& op : page) {
        std::visit(COpPainter{painter, chart}, op);
        painter.setFont(font);
        painter.setPen(pen);
    }
}

bool PaintNotebook(QPagedPaintDevice& device, const NotebookContent& content,
                   const NotebookChartPainter& chart)
{
    device.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                    QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
                    QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setFont(NotebookFont());
    const std::vector<NotebookPage> pages = LayoutNotebook(NotebookGeometryOf(painter), content);
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !device.newPage())
            return false;
        PaintNotebookPage(painter, pages[p], chart);
    }
    return painter.end();
}

bool WriteNotebookPdf(const QString& file, const NotebookContent& content, const NotebookChartPainter& chart)
{
    {
        QPdfWriter writer(file);
        writer.setResolution(kPdfResolution);
        writer.setTitle(QStringLiteral("家庭血圧の記録"));
        writer.setCreator(QStringLiteral("Velliqa"));
        if (!PaintNotebook(writer, content, chart))
            return false;
    }
    const QFileInfo written(file);
    return written.exists() && written.size() > 0;
}
