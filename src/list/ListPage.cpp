#include "list/ListPage.h"

#include "backup/BackupNotice.h"
#include "folder/DataFolder.h"
#include "list/RecordDlg.h"
#include "list/RecordListModel.h"
#include "platform/ComboEntries.h"
#include "platform/LocalMoment.h"
#include "platform/ModalSeam.h"
#include "platform/QtText.h"
#include "platform/UserSettings.h"
#include "platform/WinTypes.h"
#include "print/ReportPrinter.h"
#include "record/Averages.h"
#include "record/DateTimeText.h"
#include "record/RecordLimit.h"
#include "record/RecordLine.h"
#include "res/Templates.h"
#include "store/DataFiles.h"
#include "store/WriteFailure.h"
#include "undo/UndoController.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <climits>

namespace {

// The record the entry dialog holds, as it is stored when adding and when correcting.
MEASUREMENT EnteredRecord(const CRecordDlg& dlg)
{
    return {FormatDateTime(dlg.m_timeDate, dlg.m_timeTime),
            dlg.m_nMax,
            dlg.m_nMin,
            dlg.m_nPulse,
            dlg.m_nIhb,
            dlg.m_nType,
            dlg.m_strComment};
}

} // namespace

CListPage::CListPage(IModalSeam& seam, CDataFolder& folder)
    : CPage(ListTemplate(), seam), m_folder(folder), m_dataFile(folder.Records())
{
    SwallowEnterAndEscape(true);
    m_comboAverageType = Get<QComboBox>(ListIds::IDC_AVERAGE_TYPE);
    m_listRecords = Get<QTableView>(ListIds::IDC_RECORD_LIST);
    m_staticMaxAverage = Get<QLabel>(ListIds::IDC_MAX_AVERAGE);
    m_staticMinAverage = Get<QLabel>(ListIds::IDC_MIN_AVERAGE);
    m_staticPulseAverage = Get<QLabel>(ListIds::IDC_PULSE_AVERAGE);
    m_comboPeriod = Get<QComboBox>(ListIds::IDC_PERIOD);
    m_staticRecordCount = Get<QLabel>(ListIds::IDC_RECORD_COUNT);
    m_model = new CRecordListModel(m_dataFile, this);

    connect(Get<QPushButton>(ListIds::IDC_ADD), &QPushButton::clicked, this, [this] { OnAddRecord(); });
    connect(Get<QPushButton>(ListIds::IDC_MODIFY), &QPushButton::clicked, this, [this] { OnModify(); });
    connect(Get<QPushButton>(ListIds::IDC_DELETE), &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(Get<QPushButton>(ListIds::IDC_PRINT), &QPushButton::clicked, this, [this] { OnPrint(); });
    // Only a choice of the user recomputes the averages; a program's change of the entry does not.
    connect(m_comboAverageType, &QComboBox::activated, this, [this] { OnSelchangeAverageType(); });
    connect(m_comboPeriod, &QComboBox::activated, this, [this] { OnSelchangePeriod(); });
    connect(&m_folder, &CDataFolder::RecordsChanged, this, [this] { ReloadDataFiles(); });
    connect(&m_folder, &CDataFolder::TypesChanged, this, [this] { OnTypesChanged(); });
}

CListPage::~CListPage()
{
    // The view asks the model about its rows until it goes; the model reads m_dataFile.
    if (m_listRecords)
        m_listRecords->setModel(nullptr);
}

QString CListPage::WriteFailedMessage(int error, const char* fileName)
{
    return QStringLiteral("データファイル（%1）に書き込めなかったため、この変更は保存されていません。\n"
                          "一覧には、ファイルに保存されている内容を表示しています。\n")
               .arg(QString::fromUtf8(fileName)) +
           QString::fromStdString(WriteFailureText(fileName, error));
}

QString CListPage::UnwritableDataMessage(const std::vector<UnwritableDataFile>& unwritable)
{
    QString text = QStringLiteral("データを保存できません。\n");
    for (const UnwritableDataFile& file : unwritable)
        text += QStringLiteral("\n・") + QString::fromStdString(WriteFailureText(file.name, file.error));
    return text +
           QStringLiteral("\n\n表示と印刷はできますが、登録、修正、削除と設定の変更は保存されません。");
}

bool CListPage::OnInitDialog()
{
    CPage::OnInitDialog();
    SetUpRecordList();
    LoadAverageTypes();
    LoadPeriods();
    m_model->ResetFromFile();
    RefreshAverages();
    return true;
}

void CListPage::FocusRecordList()
{
    m_listRecords->setFocus(Qt::OtherFocusReason);
}

std::int32_t CListPage::RecordLimit() const
{
    return m_folder.RecordLimit();
}

void CListPage::ReloadDataFiles()
{
    m_dataFile.Reload();
    m_model->ResetFromFile();
    RefreshAverages();
}

void CListPage::SetUpRecordList()
{
    QTableView* view = m_listRecords;
    view->setModel(m_model);
    view->setAccessibleName(QStringLiteral("血圧情報の一覧"));
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setShowGrid(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    // The rows share one height, so that a hundred thousand rows cost no measuring.
    QHeaderView* rows = view->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(view->fontMetrics().height() + 4);
    SizeColumns();
    // The selection stays as visible when the focus is elsewhere.
    QPalette palette = view->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setBrush(QPalette::Inactive, role, palette.brush(QPalette::Active, role));
    view->setPalette(palette);
    connect(view, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { OnDblclkRecordList(index.isValid() ? index.row() : -1); });
    view->viewport()->installEventFilter(this);
}

bool CListPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu && watched == m_listRecords->viewport())
        return OnContextMenuRecordList(*static_cast<QContextMenuEvent*>(event));
    if (event->type() == QEvent::FocusIn && watched == m_listRecords)
        OnSetfocusRecordList(static_cast<QFocusEvent*>(event)->reason());
    return CPage::eventFilter(watched, event);
}

void CListPage::OnSetfocusRecordList(Qt::FocusReason reason)
{
    // A click selects the row it hits by itself.
    QItemSelectionModel* selection = m_listRecords->selectionModel();
    if (reason == Qt::MouseFocusReason || !selection || selection->hasSelection() || m_model->rowCount() == 0)
        return;
    // The row of the current cell, or the first row; its first shown column is the current cell.
    int column = 0;
    while (column + 1 < m_model->columnCount() && m_listRecords->isColumnHidden(column))
        ++column;
    const QModelIndex current = m_listRecords->currentIndex();
    const QModelIndex index =
        m_model->index(current.isValid() ? current.row() : 0, current.isValid() ? current.column() : column);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool CListPage::OnContextMenuRecordList(const QContextMenuEvent& event)
{
    QTableView* view = m_listRecords;
    // From the keyboard, the menu is for the current row; from the mouse, for the row under it.
    const QModelIndex index =
        event.reason() == QContextMenuEvent::Keyboard ? view->currentIndex() : view->indexAt(event.pos());
    if (!index.isValid())
        return false; // below the rows: the window's own menu
    const int row = index.row();
    // A row outside the selection becomes the selection, so that 削除 removes the row clicked.
    if (!view->selectionModel()->isRowSelected(row, QModelIndex()))
        view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                           QItemSelectionModel::Rows);
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("修正"), this, [this, row] { ModifyRecord(row); });
    menu->addAction(QStringLiteral("削除"), this, [this] { OnDelete(); });
    if (m_pUndo) {
        menu->addSeparator();
        m_pUndo->AddActions(menu);
    }
    const QPoint at = event.reason() == QContextMenuEvent::Keyboard
                          ? view->viewport()->mapToGlobal(view->visualRect(index).center())
                          : event.globalPos();
    menu->popup(at);
    return true;
}

void CListPage::SizeColumns()
{
    QTableView* view = m_listRecords;
    QHeaderView* columns = view->horizontalHeader();
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    // The widths are pixels of the classic small font; the date column grows to hold a whole
    // date and time in the dialog font. A dialog font made smaller to fit a small screen
    // narrows them all alike, so that the columns still fill the list as they do at full size.
    const int cellMargin = 2 * view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 8;
    const int dateWidth =
        view->fontMetrics().horizontalAdvance(QStringLiteral("2038/12/31 23:59:59")) + cellMargin;
    const double shrink = std::min(1.0, static_cast<double>(CDialogUnits(view->font()).X(100)) /
                                            CDialogUnits(DialogFontAt(kDialogPointSize)).X(100));
    for (int c = 0; c < CRecordListModel::kColumnCount; ++c) {
        int width = static_cast<int>(CRecordListModel::ColumnWidth(c) * shrink);
        if (c == 0)
            width = std::max(width, dateWidth);
        columns->resizeSection(c, width);
        view->setColumnHidden(c, width == 0);
    }
}

void CListPage::LoadAverageTypes()
{
    m_comboAverageType->addItems(FromCp932Lines(m_folder.TypeNames()));
    m_comboAverageType->setCurrentIndex(m_comboAverageType->count() > 0 ? 0 : -1);
}

void CListPage::OnTypesChanged()
{
    // Quietly: the averages follow the records, recomputed by whoever changed them.
    RefillKeepingEntry(*m_comboAverageType, FromCp932Lines(m_folder.TypeNames()));
}

void CListPage::LoadPeriods()
{
    // The choice is not stored: each start covers every record.
    for (int days : kPeriodChoiceDays)
        m_comboPeriod->addItem(days == 0 ? QStringLiteral("全期間") : QStringLiteral("直近 %1 日").arg(days));
    m_comboPeriod->setCurrentIndex(0);
}

unsigned CListPage::RecordCount()
{
    // An empty file never counts as loaded: load it before asking for the count.
    if (!m_dataFile.IsLoaded())
        m_dataFile.LoadCache();
    return m_dataFile.GetLineCount();
}

void CListPage::RefreshAverages()
{
    // The three averages and their count in one pass over the records: the same figures as
    // ComputeAverageText of each field, at a third of the reading.
    const RecordPeriod period =
        PeriodOfChoice(m_comboPeriod->currentIndex(), LocalDay(CTime::GetCurrentTime()));
    const PressureAverages figures =
        ComputePressureAverages(RecordCount(), CachedLineAt(), m_comboAverageType->currentIndex(), period);
    m_staticMaxAverage->setText(QString::fromStdString(figures.averages[0]));
    m_staticMinAverage->setText(QString::fromStdString(figures.averages[1]));
    m_staticPulseAverage->setText(QString::fromStdString(figures.averages[2]));
    m_staticRecordCount->setText(QString::fromStdString(figures.count));
}

RecordLineAt CListPage::CachedLineAt()
{
    return [this](unsigned n) {
        const char* line = m_dataFile.GetLine(n);
        return line ? std::string_view(line) : std::string_view();
    };
}

void CListPage::OnSelchangeAverageType()
{
    RefreshAverages();
}

void CListPage::OnSelchangePeriod()
{
    RefreshAverages();
}

void CListPage::OnTypeRenamed(int index, const QString& name)
{
    QComboBox* combo = m_comboAverageType;
    if (!combo)
        return;
    // Quietly: the averages stay as they are.
    const QSignalBlocker quiet(combo);
    if (index < combo->count()) {
        combo->removeItem(index);
        combo->insertItem(index, name);
    }
    combo->setCurrentIndex(0);
}

LimitedInsertResult CListPage::InsertRecord(const std::string& line)
{
    // A limit of 0 or less comes from an emptied or broken setting; it keeps every record
    // rather than deleting all but the new one. What the limit removes goes to the archive first.
    return InsertLineArchiving(m_dataFile, m_folder.FilePath(kArchiveFileName), line, RecordLimit());
}

bool CListPage::ReplaceRecord(int row, const std::string& line)
{
    return m_dataFile.ReplaceLine(static_cast<unsigned>(row) + 1, line);
}

void CListPage::OnAddRecord()
{
    CRecordDlg dlg(Seam(), m_folder.TypeNames(), this);
    const CTime now = CTime::GetCurrentTime();
    dlg.m_timeDate = now;
    dlg.m_timeTime = now;
    dlg.m_nType = 0;
    bool bAskedAboutLimit = false;
    dlg.m_fnStore = [this, &bAskedAboutLimit](CRecordDlg& entered) {
        return StoreNewRecord(entered, bAskedAboutLimit);
    };
    // A user who has just been asked about the limit is not told about it again at once.
    if (dlg.DoModal() == IDOK && !bAskedAboutLimit)
        TellOnceWhenFull();
}

bool CListPage::StoreNewRecord(CRecordDlg& dlg, bool& bAskedAboutLimit)
{
    const std::int32_t limit = RecordLimit();
    const unsigned dropped = RecordsDroppedByAddition(RecordCount(), limit);
    if (dropped > 1) {
        bAskedAboutLimit = true;
        const QString question = QString::fromStdString(DropQuestionText(dropped, limit));
        // Return keeps the records: the addition would delete them for good.
        if (Seam().MessageBox(&dlg, question, AppTitle(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
            IDYES)
            return false;
        BackUpBefore(m_pBackups, BackupReason::BeforeLimit, Seam(), &dlg);
    }
    CUndoRecorder step(m_pUndo, "登録", {kDataFileName});
    const LimitedInsertResult inserted = InsertRecord(FormatRecordLine(EnteredRecord(dlg)));
    if (!inserted.done) {
        ReportFailedWrite(&dlg, inserted.failedFile.c_str(), inserted.error);
        return false;
    }
    step.Commit();
    m_model->InsertTopRow();
    m_model->MatchFile(); // drops the rows whose lines the limit dropped
    RefreshAverages();
    return true;
}

void CListPage::TellOnceWhenFull()
{
    const std::int32_t limit = RecordLimit();
    if (m_bFullNoticeShown || !LogIsFull(RecordCount(), limit) ||
        CUserSettings::IsNoticeHidden(LogFullNoticeKey()))
        return;
    m_bFullNoticeShown = true;
    bool bHide = false;
    Seam().MessageBoxWithCheck(this, QString::fromStdString(LogFullNoticeText(limit)), AppTitle(),
                               MB_OK | MB_ICONINFORMATION, DoNotShowAgainText(), bHide);
    if (bHide)
        CUserSettings::HideNotice(LogFullNoticeKey(), m_folder.Path());
}

QString CListPage::SelectToModifyMessage()
{
    return QStringLiteral("修正する血圧情報を選んでください。");
}

QString CListPage::SelectToDeleteMessage()
{
    return QStringLiteral("削除する血圧情報を選んでください。");
}

void CListPage::OnModify()
{
    const int row = FirstSelectedRow();
    if (row < 0) {
        Seam().MessageBox(this, SelectToModifyMessage(), AppTitle(), MB_OK | MB_ICONINFORMATION);
        return;
    }
    ModifyRecord(row);
}

void CListPage::OnDblclkRecordList(int row)
{
    if (row >= 0)
        ModifyRecord(row);
}

void CListPage::ModifyRecord(int row)
{
    if (row < 0 || static_cast<unsigned>(row) >= RecordCount())
        return;
    const char* stored = m_dataFile.GetLine(static_cast<unsigned>(row) + 1);
    // From the file's line rather than the cells, so that the whole stored comment comes back.
    const MEASUREMENT record = ParseRecordLine(stored ? stored : "");
    CRecordDlg dlg(Seam(), m_folder.TypeNames(), this);
    const CTime when = ParseDateTime(record.dateTime, CTime::GetCurrentTime());
    dlg.m_timeDate = when;
    dlg.m_timeTime = when;
    dlg.m_nMax = record.max;
    dlg.m_nMin = record.min;
    dlg.m_nPulse = record.pulse;
    dlg.m_nIhb = record.ihb;
    dlg.m_nType = record.type;
    dlg.m_strComment = record.comment;
    // A date and time the user left as they were keep their stored text, byte for byte: a text
    // that cannot be read back as a date opened as the current time and would lose its date.
    dlg.m_fnStore = [this, row, opened = FormatDateTime(when, when),
                     kept = record.dateTime](CRecordDlg& entered) {
        MEASUREMENT corrected = EnteredRecord(entered);
        if (corrected.dateTime == opened)
            corrected.dateTime = kept;
        return StoreCorrection(entered, row, corrected);
    };
    dlg.DoModal();
}

bool CListPage::StoreCorrection(CRecordDlg& dlg, int row, const MEASUREMENT& corrected)
{
    CUndoRecorder step(m_pUndo, "修正", {kDataFileName});
    if (!ReplaceRecord(row, FormatRecordLine(corrected))) {
        ReportFailedWrite(&dlg);
        return false;
    }
    step.Commit();
    m_model->RowChanged(row);
    m_model->MatchFile();
    RefreshAverages();
    return true;
}

void CListPage::OnDelete()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        Seam().MessageBox(this, SelectToDeleteMessage(), AppTitle(), MB_OK | MB_ICONINFORMATION);
        return;
    }
    const int answer =
        Seam().MessageBox(this, QStringLiteral("選択された血圧情報を削除しますか？"),
                          QStringLiteral("削除の確認"), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer != IDYES)
        return;
    // All selected rows in one rewrite: a crash or a failed write never leaves half of them deleted.
    if (rows.size() > 1)
        BackUpBefore(m_pBackups, BackupReason::BeforeDelete, Seam(), this);
    std::vector<unsigned> lines;
    lines.reserve(rows.size());
    for (const int row : rows)
        lines.push_back(static_cast<unsigned>(row) + 1);
    CUndoRecorder step(m_pUndo, "削除（" + std::to_string(rows.size()) + " 件）", {kDataFileName});
    if (!m_dataFile.DeleteLines(std::move(lines))) {
        ReportFailedWrite(this);
        return;
    }
    step.Commit();
    m_model->RemoveRows(rows);
    m_model->MatchFile();
    RefreshAverages();
}

std::vector<int> CListPage::SelectedRows() const
{
    std::vector<int> rows;
    const QItemSelectionModel* selection = m_listRecords->selectionModel();
    if (!selection)
        return rows;
    for (const QItemSelectionRange& range : selection->selection())
        for (int row = range.top(); range.isValid() && row <= range.bottom(); ++row)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int CListPage::FirstSelectedRow() const
{
    const QItemSelectionModel* selection = m_listRecords->selectionModel();
    if (!selection)
        return -1;
    int first = INT_MAX;
    for (const QItemSelectionRange& range : selection->selection())
        if (range.isValid() && range.top() < first)
            first = range.top();
    return first == INT_MAX ? -1 : first;
}

void CListPage::ReportFailedWrite(QWidget* parent, const char* fileName, int error)
{
    if (error < 0)
        error = m_dataFile.GetLastError();
    ReloadDataFiles();
    Seam().MessageBox(parent, WriteFailedMessage(error, fileName), AppTitle(), MB_OK | MB_ICONEXCLAMATION);
}

void CListPage::OnPrint()
{
    PrintReport();
}

void CListPage::PrintReport()
{
    ::PrintReport(this, Seam(), RealPrinterSeam(), m_dataFile, m_folder.Settings(), m_folder.TypeNames());
}
