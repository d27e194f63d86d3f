#include "evaluation/ChartPainter.h"

#include "platform/QtText.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

QColor ToColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

struct ChartPerformer
{
    QPainter& dc;
    QColor background = Qt::white;

    void operator()(const FillOp& fill)
    {
        background = ToColor(fill.colour);
        dc.fillRect(QRect(fill.left, fill.top, fill.width, fill.height), background);
    }

    void operator()(const PenOp& op)
    {
        QPen pen(ToColor(op.colour));
        pen.setWidth(op.width);
        pen.setStyle(op.style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        dc.setPen(pen);
    }

    void operator()(const LineOp& line)
    {
        dc.drawLine(QLineF(static_cast<double>(line.x1), static_cast<double>(line.y1),
                           static_cast<double>(line.x2), static_cast<double>(line.y2)));
    }

    void operator()(const TextOp& op)
    {
        const QString text = FromCp932(op.text);
        const QFontMetrics metrics(dc.font());
        const QRect cell(op.x, op.y, metrics.horizontalAdvance(text), metrics.height());
        dc.fillRect(cell, background);
        const QPen pen = dc.pen();
        dc.setPen(Qt::black);
        dc.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        dc.setPen(pen);
    }
};

} // namespace

void PerformChartOps(QPainter& dc, const std::vector<GraphOp>& ops)
{
    dc.save();
    dc.setRenderHint(QPainter::Antialiasing, true);
    ChartPerformer performer{dc, Qt::white};
    for (const GraphOp& op : ops)
        std::visit(performer, op);
    dc.restore();
}

ChartTextMetrics ChartMetricsOf(const QPainter& dc)
{
    const QFontMetrics metrics(dc.font());
    int widest = metrics.horizontalAdvance(QLatin1Char('/'));
    for (char c = '0'; c <= '9'; ++c)
        widest = std::max(widest, metrics.horizontalAdvance(QLatin1Char(c)));
    return {widest, metrics.height()};
}
