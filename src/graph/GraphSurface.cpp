#include "graph/GraphSurface.h"

#include "graph/LinePixels.h"
#include "platform/DialogTemplate.h"
#include "platform/QtText.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>

namespace {

constexpr int kTextCellHeight = 16;

QColor ToColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

// The state a sequence of operations carries from one to the next. The pixels of consecutive
// lines in one pen are painted together.
struct OpPerformer
{
    QPainter& dc;
    int W;
    int H;
    QColor background = Qt::white;
    PenOp pen;
    QPolygon points;

    void Flush()
    {
        if (points.isEmpty())
            return;
        QPen qpen(ToColor(pen.colour));
        qpen.setCosmetic(true);
        qpen.setWidth(1);
        dc.setPen(qpen);
        dc.drawPoints(points);
        points.clear();
    }

    void operator()(const FillOp& fill)
    {
        Flush();
        background = ToColor(fill.colour);
        dc.fillRect(QRect(fill.left, fill.top, fill.width, fill.height), background);
    }

    void operator()(const PenOp& op)
    {
        Flush();
        pen = op;
    }

    void operator()(const LineOp& line)
    {
        for (const Pixel& p : LinePixels(line, pen.style, W, H))
            points.append(QPoint(p.x, p.y));
    }

    void operator()(const TextOp& op)
    {
        Flush();
        const QString text = FromCp932(op.text);
        const QFontMetrics metrics(dc.font());
        const QRect cell(op.x, op.y, metrics.horizontalAdvance(text), metrics.height());
        dc.fillRect(cell, background);
        dc.setPen(Qt::black);
        dc.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    }
};

} // namespace

CGraphSurface::CGraphSurface(QWidget* parent) : QWidget(parent)
{
    setFont(GraphFont());
}

QFont CGraphSurface::GraphFont()
{
    QFont font = DialogFont();
    for (int pixels = kTextCellHeight; pixels > 6; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= kTextCellHeight)
            break;
    }
    return font;
}

void CGraphSurface::paintEvent(QPaintEvent*)
{
    if (!m_painter)
        return;
    QPainter dc(this);
    dc.setRenderHint(QPainter::Antialiasing, false);
    dc.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter(dc, width(), height());
}

void PerformGraphOps(QPainter& dc, int W, int H, const std::vector<GraphOp>& ops)
{
    const QPen previous = dc.pen();
    OpPerformer performer{dc, W, H, Qt::white, PenOp{}, QPolygon{}};
    for (const GraphOp& op : ops)
        std::visit(performer, op);
    performer.Flush();
    dc.setPen(previous);
}
