#pragma once
// Making the blood-pressure notebook from a data folder (its path; "." is the current folder):
// as a PDF file, or on a printer chosen in the print dialog.

#include "report/NotebookBuilder.h"

#include <QString>

#include <string>

class IFileDialogSeam;
class IModalSeam;
class IPrinterSeam;
class QPainter;
class QRect;
class QWidget;

// The records, the settings and the name as the data folder holds them now, laid out for the
// request; the chart of the same period.
struct NotebookSource
{
    NotebookContent content;
    EvaluationChartInput chart;
};
NotebookSource ReadNotebookSource(const std::string& folder, const NotebookRequest& request);

// The request of the days first..last, made today; the evaluation covers the same days.
NotebookRequest NotebookRequestOf(CalendarDay first, CalendarDay last, CalendarDay today);

// The request of a period as the 評価 page shows it: the period's records, the chart's days.
NotebookRequest NotebookRequestOf(const RecordPeriod& period, const ChartDays& days, CalendarDay today);

// What the 評価 page's buttons do. レポートを印刷...: the print dialog, then the report.
// PDF に保存...: a file dialog, then the PDF, with no print dialog. A period longer than a
// report covers, or a file that cannot be written, is said in a message box; cancelling says
// nothing.
void PrintNotebookOfPeriod(QWidget* parent, IModalSeam& seam, IPrinterSeam& printers,
                           const std::string& folder, const NotebookRequest& request);
void SaveNotebookPdfAs(QWidget* parent, IModalSeam& seam, IFileDialogSeam& files, const std::string& folder,
                       const NotebookRequest& request);

// Draws the chart into the rectangle: at about 150 dots per inch, whatever the device's
// resolution, so that its lines and labels keep the size they have on the 評価 page.
void PaintNotebookChart(QPainter& painter, const QRect& area, const EvaluationChartInput& input);

// Writes the notebook of the data folder to a PDF file. False when it cannot be written.
bool SaveNotebookPdf(const QString& file, const NotebookSource& source);

// Prints the notebook on the printer the user chooses; cancelling prints nothing and says
// nothing, a job that cannot start or finish is reported through seam.
void PrintNotebook(QWidget* parent, IModalSeam& seam, IPrinterSeam& printers, const NotebookSource& source);
