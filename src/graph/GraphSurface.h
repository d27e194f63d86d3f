#pragma once
// The graph page's drawing surface: it lies over the black frame of control 1032 and, when it
// paints, hands its painter and its size to the page, which draws the graph's operations on it.
// The outermost ring of pixels is never painted here, so the frame below shows through.

#include "graph/PlotGraph.h"

#include <QWidget>

#include <functional>
#include <vector>

class QPainter;

class CGraphSurface : public QWidget
{
    Q_OBJECT
public:
    using Painter = std::function<void(QPainter& dc, int W, int H)>;

    explicit CGraphSurface(QWidget* parent = nullptr);
    void SetPainter(Painter painter) { m_painter = std::move(painter); }

    // The font text operations use: the dialog font at the size whose text cell is 16 pixels
    // high, so that a label drawn 8 pixels above a grid line stands centred on it.
    static QFont GraphFont();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Painter m_painter;
};

// Performs the operations in order on a surface of W x H pixels: a fill paints its rectangle
// and becomes the text background; a pen is a cosmetic one-pixel pen, solid or dotted; a line
// paints from its start up to, but not including, its end pixel; a text is drawn black with the
// top-left corner of its cell at (x, y) on an opaque background.
void PerformGraphOps(QPainter& dc, int W, int H, const std::vector<GraphOp>& ops);
