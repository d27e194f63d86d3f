#pragma once
// The evaluation tab 評価: the morning and evening averages of a period as home blood pressure is
// judged, with the target and the guideline beside them, and the chart of the period's days. The
// page reads the measurement file whenever it is shown or drawn and the file has changed, and
// writes only its own settings file, when the user changes a setting.

#include "evaluation/EvaluationSettings.h"
#include "evaluation/PeriodEvaluation.h"
#include "platform/Dialog.h"
#include "store/TextFile.h"

class CGraphSurface;
class IFileDialogSeam;
class IPrinterSeam;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPainter;
class QStandardItemModel;
class QTableView;

class CDataFolder;

class CEvaluationPage : public CPage
{
    Q_OBJECT
public:
    // The page over the data folder's records, archive, type names and evaluation.txt.
    CEvaluationPage(IModalSeam& seam, CDataFolder& folder);

    bool OnInitDialog() override;

    // The period choices, in entry order: the number of last days, 0 for 期間を指定.
    static constexpr int kPeriodDays[] = {7, 14, 28, 0};

    // Reads what changed (the measurements, the type names) and shows the evaluation again.
    void Refresh();
    // The period the page evaluates now.
    RecordPeriod CurrentPeriod() const;
    // Draws the chart of the shown evaluation on a surface of W x H pixels.
    void DrawChart(QPainter& dc, int W, int H);

    void OnSelchangePeriod();
    void OnSelchangeOccasionType(QComboBox* changed);
    void OnKillfocusTarget(QLineEdit* edit);
    // The report for the doctor of the shown period: printed, or saved as a PDF.
    void OnPrintReport();
    void OnSaveReport();
    void SetReportSeams(IPrinterSeam& printers, IFileDialogSeam& files)
    {
        m_pPrinters = &printers;
        m_pFileDialogs = &files;
    }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillTypeSelectors();
    void ShowSettings();
    void SaveSettings();
    void Evaluate();
    bool ReloadIfChanged();

    CDataFolder& m_folder;
    CTextFile m_dataFile;
    FileStamp m_dataFileStamp; // the measurement file as it was at the last load
    std::vector<std::string> m_typeNames;
    EvaluationSettings m_settings;
    OccasionTable m_occasions; // of the shown period
    PeriodEvaluation m_evaluation;

    QComboBox* m_comboPeriod = nullptr;      // 1060
    QDateEdit* m_datePeriodFrom = nullptr;   // 1061
    QDateEdit* m_datePeriodTo = nullptr;     // 1062
    QComboBox* m_comboMorningType = nullptr; // 1063
    QComboBox* m_comboEveningType = nullptr; // 1064
    QLineEdit* m_editTargetMax = nullptr;    // 1065
    QLineEdit* m_editTargetMin = nullptr;    // 1066
    QTableView* m_listResult = nullptr;      // 1067
    CGraphSurface* m_staticChart = nullptr;  // lies over the frame of 1069

    QStandardItemModel* m_result = nullptr;
    IPrinterSeam* m_pPrinters = nullptr;
    IFileDialogSeam* m_pFileDialogs = nullptr;
};
