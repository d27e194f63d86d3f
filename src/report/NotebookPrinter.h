#pragma once
// The blood-pressure notebook on paper or as a PDF: performs the pages LayoutNotebook returns
// on a printer or a PDF writer, in IPAGothic, so that the PDF holds real, searchable text with
// the font embedded.

#include "report/NotebookLayout.h"

#include <QString>

#include <functional>

class QFont;
class QPagedPaintDevice;
class QPainter;
class QRect;

// Draws the chart into the rectangle of the painter's device.
using NotebookChartPainter = std::function<void(QPainter&, const QRect&)>;

// IPAGothic at 9 points, chosen by name: a face the system would prefer instead can give
// look-alike characters back when the PDF's text is copied.
QFont NotebookFont();

// The printable area of the painter's device and the font's cell, in device units.
NotebookGeometry NotebookGeometryOf(QPainter& painter);

// Performs one page on an active painter whose font is the notebook's.
void PaintNotebookPage(QPainter& painter, const NotebookPage& page, const NotebookChartPainter& chart);

// Lays out and performs the whole notebook on the device, A4 portrait, a page at a time. False
// when the painter cannot start or finish.
bool PaintNotebook(QPagedPaintDevice& device, const NotebookContent& content,
                   const NotebookChartPainter& chart);

// Writes the notebook as a PDF file. False when the file cannot be written.
bool WriteNotebookPdf(const QString& file, const NotebookContent& content, const NotebookChartPainter& chart);
