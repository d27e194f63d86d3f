#include "evaluation/EvaluationPage.h"

#include "folder/DataFolder.h"

#include "evaluation/ChartPainter.h"
#include "graph/GraphSurface.h"
#include "platform/DataExchange.h"
#include "platform/FileDialogSeam.h"
#include "platform/LocalMoment.h"
#include "platform/ModalSeam.h"
#include "platform/QtText.h"
#include "platform/WinTypes.h"
#include "print/ReportPrinter.h"
#include "report/NotebookJob.h"
#include "res/Templates.h"
#include "store/ArchiveFile.h"
#include "store/DataFiles.h"
#include "store/WriteFailure.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>

namespace {

QDate ToQDate(CalendarDay day)
{
    return QDate(static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
                 static_cast<int>(static_cast<unsigned>(day.day())));
}

CalendarDay ToDay(const QDate& date)
{
    using namespace std::chrono;
    return CalendarDay{year{date.year()}, month{static_cast<unsigned>(date.month())},
                       day{static_cast<unsigned>(date.day())}};
}

CalendarDay Today()
{
    return LocalDay(CTime::GetCurrentTime());
}

// Entry 0 is (なし); entry k is type k.
int TypeOfEntry(int entry)
{
    return entry <= 0 ? kNoOccasionType : entry;
}

int EntryOfType(int type)
{
    return type == kNoOccasionType ? 0 : type;
}

} // namespace

CEvaluationPage::CEvaluationPage(IModalSeam& seam, CDataFolder& folder)
    : CPage(EvaluationTemplate(), seam), m_folder(folder)
{
    SwallowEnterAndEscape(true);
    m_comboPeriod = Get<QComboBox>(EvaluationIds::IDC_PERIOD);
    m_datePeriodFrom = Get<QDateEdit>(EvaluationIds::IDC_FROM);
    m_datePeriodTo = Get<QDateEdit>(EvaluationIds::IDC_TO);
    m_comboMorningType = Get<QComboBox>(EvaluationIds::IDC_MORNING_TYPE);
    m_comboEveningType = Get<QComboBox>(EvaluationIds::IDC_EVENING_TYPE);
    m_editTargetMax = Get<QLineEdit>(EvaluationIds::IDC_TARGET_MAX);
    m_editTargetMin = Get<QLineEdit>(EvaluationIds::IDC_TARGET_MIN);
    m_listResult = Get<QTableView>(EvaluationIds::IDC_RESULT);
    m_editTargetMax->setAccessibleName(QStringLiteral("降圧目標の最高血圧"));
    m_editTargetMin->setAccessibleName(QStringLiteral("降圧目標の最低血圧"));
    m_editTargetMax->setMaxLength(3);
    m_editTargetMin->setMaxLength(3);

    m_result = new QStandardItemModel(4, 6, this);
    m_listResult->setModel(m_result);
    m_listResult->setAccessibleName(QStringLiteral("評価"));
    m_listResult->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listResult->setSelectionMode(QAbstractItemView::NoSelection);
    m_listResult->setTabKeyNavigation(false);
    m_listResult->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_listResult->horizontalHeader()->setStretchLastSection(true);
    m_listResult->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto* frame = Get<QFrame>(EvaluationIds::IDC_CHART);
    m_staticChart = new CGraphSurface(frame);
    m_staticChart->setGeometry(1, 1, frame->width() - 2, frame->height() - 2);
    m_staticChart->setAccessibleName(QStringLiteral("朝と晩の血圧のグラフ"));
    m_staticChart->SetPainter([this](QPainter& dc, int W, int H) { DrawChart(dc, W, H); });

    connect(m_comboPeriod, &QComboBox::activated, this, [this] { OnSelchangePeriod(); });
    for (QDateEdit* date : {m_datePeriodFrom, m_datePeriodTo})
        connect(date, &QDateEdit::dateChanged, this, [this] { Evaluate(); });
    for (QComboBox* combo : {m_comboMorningType, m_comboEveningType})
        connect(combo, &QComboBox::activated, this, [this, combo] { OnSelchangeOccasionType(combo); });
    for (QLineEdit* edit : {m_editTargetMax, m_editTargetMin})
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { OnKillfocusTarget(edit); });
    SetReportSeams(RealPrinterSeam(), RealFileDialogSeam());
    connect(Get<QPushButton>(EvaluationIds::IDC_PRINT_REPORT), &QPushButton::clicked, this,
            [this] { OnPrintReport(); });
    connect(Get<QPushButton>(EvaluationIds::IDC_SAVE_REPORT), &QPushButton::clicked, this,
            [this] { OnSaveReport(); });
}

// The report covers the days the chart shows.
void CEvaluationPage::OnPrintReport()
{
    const RecordPeriod period = CurrentPeriod();
    PrintNotebookOfPeriod(window(), Seam(), *m_pPrinters, m_folder.Path(),
                          NotebookRequestOf(period, ChartDaysOf(period, Today(), m_occasions), Today()));
}

void CEvaluationPage::OnSaveReport()
{
    const RecordPeriod period = CurrentPeriod();
    SaveNotebookPdfAs(window(), Seam(), *m_pFileDialogs, m_folder.Path(),
                      NotebookRequestOf(period, ChartDaysOf(period, Today(), m_occasions), Today()));
}

bool CEvaluationPage::OnInitDialog()
{
    CPage::OnInitDialog();
    m_dataFile.SetPath(m_folder.FilePath(kDataFileName));
    for (int days : kPeriodDays)
        m_comboPeriod->addItem(days == 0 ? QStringLiteral("期間を指定")
                                         : QStringLiteral("直近 %1 日").arg(days));
    m_comboPeriod->setCurrentIndex(0);
    const CalendarDay today = Today();
    const QDate last = ToQDate(today);
    for (QDateEdit* date : {m_datePeriodFrom, m_datePeriodTo}) {
        const QSignalBlocker quiet(date);
        date->setDateRange(ToQDate(kEarliestStoredDay), ToQDate(kLatestStoredDay));
        date->setDate(date == m_datePeriodFrom ? last.addDays(-6) : last);
        date->setEnabled(false);
    }
    m_typeNames = m_folder.TypeNames();
    m_settings = ReadEvaluationSettings(m_typeNames, m_folder.FilePath(kEvaluationFileName));
    FillTypeSelectors();
    ShowSettings();
    return true;
}

void CEvaluationPage::FillTypeSelectors()
{
    for (QComboBox* combo : {m_comboMorningType, m_comboEveningType}) {
        const QSignalBlocker quiet(combo);
        combo->clear();
        combo->addItem(QStringLiteral("(なし)"));
        for (size_t k = 1; k < m_typeNames.size(); ++k)
            combo->addItem(FromCp932(m_typeNames[k]));
    }
}

void CEvaluationPage::ShowSettings()
{
    const QSignalBlocker quietMorning(m_comboMorningType);
    const QSignalBlocker quietEvening(m_comboEveningType);
    m_comboMorningType->setCurrentIndex(EntryOfType(m_settings.types.morning));
    m_comboEveningType->setCurrentIndex(EntryOfType(m_settings.types.evening));
    m_editTargetMax->setText(QString::number(m_settings.targetMax));
    m_editTargetMin->setText(QString::number(m_settings.targetMin));
}

void CEvaluationPage::showEvent(QShowEvent* event)
{
    CPage::showEvent(event);
    Refresh();
}

bool CEvaluationPage::ReloadIfChanged()
{
    // The stamp is taken before the lines are read: a change in between shows at the next look.
    if (m_dataFile.GetFileStamp() == m_dataFileStamp && m_dataFile.IsLoaded())
        return false;
    m_dataFileStamp = m_dataFile.GetFileStamp();
    m_dataFile.Reload();
    return true;
}

void CEvaluationPage::Refresh()
{
    // A renamed type shows in the selectors; the choice stays with its type index.
    if (m_folder.TypeNames() != m_typeNames) {
        m_typeNames = m_folder.TypeNames();
        FillTypeSelectors();
        ShowSettings();
    }
    ReloadIfChanged();
    Evaluate();
}

RecordPeriod CEvaluationPage::CurrentPeriod() const
{
    const int entry = m_comboPeriod->currentIndex();
    const int days = entry >= 0 && entry < static_cast<int>(std::size(kPeriodDays)) ? kPeriodDays[entry] : 7;
    if (days > 0)
        return LastDays(Today(), days);
    const CalendarDay from = ToDay(m_datePeriodFrom->date());
    const CalendarDay to = ToDay(m_datePeriodTo->date());
    return BetweenDays(std::min(from, to), std::max(from, to));
}

void CEvaluationPage::Evaluate()
{
    // The readings the record limit moved to the archive belong to their days as well.
    m_occasions = ClassifyOccasions(
        MergeArchivedLines(FileLines(m_dataFile), ReadArchiveLines(m_folder.FilePath(kArchiveFileName))),
        m_settings.types, CurrentPeriod());
    m_evaluation = EvaluatePeriod(m_occasions);
    const std::array<EvaluationRow, 5> rows = EvaluationRows(m_evaluation);
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const QString text = QString::fromStdString(rows[r][c]);
            const int column = static_cast<int>(c);
            if (r == 0) {
                m_result->setHeaderData(column, Qt::Horizontal, text);
                continue;
            }
            auto* item = new QStandardItem(text);
            item->setTextAlignment(c == 0 || c == 5 ? Qt::AlignLeft | Qt::AlignVCenter
                                                    : Qt::AlignRight | Qt::AlignVCenter);
            m_result->setItem(static_cast<int>(r) - 1, column, item);
        }
    }
    m_staticChart->update();
}

void CEvaluationPage::DrawChart(QPainter& dc, int W, int H)
{
    // A change to the records seen while drawing: the table follows too.
    if (ReloadIfChanged())
        Evaluate();
    const ChartDays days = ChartDaysOf(CurrentPeriod(), Today(), m_occasions);
    const EvaluationChartInput input{days.first, days.last, m_occasions.days, m_settings.targetMax,
                                     m_settings.targetMin};
    PerformChartOps(dc, PlotEvaluationChart(W, H, input, ChartMetricsOf(dc)));
}

void CEvaluationPage::OnSelchangePeriod()
{
    const bool chosen = kPeriodDays[std::clamp(m_comboPeriod->currentIndex(), 0, 3)] == 0;
    m_datePeriodFrom->setEnabled(chosen);
    m_datePeriodTo->setEnabled(chosen);
    Evaluate();
}

void CEvaluationPage::OnSelchangeOccasionType(QComboBox* changed)
{
    QComboBox* other = changed == m_comboMorningType ? m_comboEveningType : m_comboMorningType;
    // One type cannot stand for both occasions: the other selector gives it up.
    if (changed->currentIndex() > 0 && other->currentIndex() == changed->currentIndex()) {
        const QSignalBlocker quiet(other);
        other->setCurrentIndex(0);
    }
    m_settings.types = {TypeOfEntry(m_comboMorningType->currentIndex()),
                        TypeOfEntry(m_comboEveningType->currentIndex())};
    SaveSettings();
    Evaluate();
}

void CEvaluationPage::OnKillfocusTarget(QLineEdit* edit)
{
    long& stored = edit == m_editTargetMax ? m_settings.targetMax : m_settings.targetMin;
    bool ok = false;
    const long value = edit->text().trimmed().toLong(&ok);
    if (!ok || value < kLowestTarget || value > kHighestTarget) {
        edit->setText(QString::number(stored));
        Seam().MessageBox(this,
                          QStringLiteral("降圧目標には %1 から %2 までの数を入力してください。")
                              .arg(kLowestTarget)
                              .arg(kHighestTarget),
                          AppTitle(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    edit->setText(QString::number(value));
    if (value == stored)
        return;
    stored = value;
    SaveSettings();
    m_staticChart->update();
}

void CEvaluationPage::SaveSettings()
{
    if (const int error = WriteEvaluationSettings(m_settings, m_folder.FilePath(kEvaluationFileName));
        error != 0)
        Seam().MessageBox(this,
                          QStringLiteral("評価の設定を保存できませんでした。\n") +
                              QString::fromStdString(WriteFailureText(kEvaluationFileName, error)) +
                              QStringLiteral("この設定はプログラムを終了するまで使われます。"),
                          AppTitle(), MB_OK | MB_ICONEXCLAMATION);
}
