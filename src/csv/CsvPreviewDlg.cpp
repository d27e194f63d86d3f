#include "csv/CsvPreviewDlg.h"

#include "platform/ModalSeam.h"
#include "platform/QtText.h"
#include "platform/WinTypes.h"
#include "res/Templates.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QStandardItemModel>
#include <QTableView>

namespace {

const char* const kDateOrderEntries[] = {"自動（ファイルの日付から判断）", "年/月/日", "日/月/年",
                                         "月/日/年"};
const char* const kRowColumns[] = {"行",   "結果", "日時", "最高血圧", "最低血圧",
                                   "脈拍", "IHB",  "種類", "コメント"};

QString OutcomeText(const CsvPlannedRow& row)
{
    switch (row.outcome) {
    case CsvRowOutcome::New:
        return row.changed ? QStringLiteral("新規（文字を置換）") : QStringLiteral("新規");
    case CsvRowOutcome::Duplicate:
        return QStringLiteral("重複");
    case CsvRowOutcome::NotBloodPressure:
        return QStringLiteral("血圧以外");
    case CsvRowOutcome::Refused:
        break;
    }
    return QStringLiteral("読めない");
}

QString TypeName(const std::vector<std::string>& typeLines, int type)
{
    if (type < 0 || static_cast<size_t>(type) >= typeLines.size())
        return {};
    return FromCp932(typeLines[static_cast<size_t>(type)]);
}

// A number as the record stores it and the list shows it: the unsigned value in signed decimal.
QString Signed(std::uint32_t value)
{
    return QString::number(static_cast<std::int32_t>(value));
}

} // namespace

CCsvPreviewDlg::CCsvPreviewDlg(IModalSeam& seam, const QString& fileName, std::vector<std::string> header,
                               std::vector<std::string> typeLines, const CsvColumnMap& map,
                               CsvImportPlan plan, Planner planner, QWidget* parent)
    : CDialog(CsvPreviewTemplate(), seam, parent), m_header(std::move(header)),
      m_typeLines(std::move(typeLines)), m_map(map), m_plannedMap(map), m_plan(std::move(plan)),
      m_planner(std::move(planner))
{
    if (auto* file = Get<QLabel>(CsvPreviewIds::IDC_FILE)) {
        file->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        file->setText(fileName);
        file->setAccessibleName(fileName);
    }
    m_staticCounts = Get<QLabel>(CsvPreviewIds::IDC_COUNTS);
    m_staticCounts->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_staticCounts->setAccessibleDescription(QStringLiteral("読み込みの結果"));
    m_staticUnused = Get<QLabel>(CsvPreviewIds::IDC_UNUSED);
    m_staticUnused->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_staticUnused->setAccessibleDescription(QStringLiteral("使われない列"));
    m_listRefusals = Get<QListWidget>(CsvPreviewIds::IDC_REFUSALS);
    m_comboDateOrder = Get<QComboBox>(CsvPreviewIds::IDC_DATE_ORDER);
    for (const char* entry : kDateOrderEntries)
        m_comboDateOrder->addItem(QString::fromUtf8(entry));

    for (int f = 0; f < kCsvFieldCount; ++f) {
        const auto field = static_cast<CsvField>(f);
        QComboBox* combo = ColumnCombo(field);
        combo->addItem(QStringLiteral("（なし）"));
        for (size_t c = 0; c < m_header.size(); ++c)
            combo->addItem(QStringLiteral("%1: %2").arg(c + 1).arg(QString::fromStdString(m_header[c])));
        connect(combo, &QComboBox::activated, this,
                [this, field](int entry) { OnColumnChanged(field, entry); });
    }
    connect(m_comboDateOrder, &QComboBox::activated, this, [this](int entry) { OnDateOrderChanged(entry); });

    m_rows = new QStandardItemModel(this);
    QStringList captions;
    for (const char* caption : kRowColumns)
        captions << QString::fromUtf8(caption);
    m_rows->setHorizontalHeaderLabels(captions);
    auto* view = Get<QTableView>(CsvPreviewIds::IDC_ROWS);
    view->setModel(m_rows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
}

QComboBox* CCsvPreviewDlg::ColumnCombo(CsvField field) const
{
    return Get<QComboBox>(CsvPreviewIds::IDC_COLUMN_FIRST + static_cast<int>(field));
}

bool CCsvPreviewDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ShowChoices();
    ShowPlan();
    return true;
}

void CCsvPreviewDlg::ShowChoices()
{
    for (int f = 0; f < kCsvFieldCount; ++f)
        ColumnCombo(static_cast<CsvField>(f))->setCurrentIndex(m_map.columns[static_cast<size_t>(f)] + 1);
    m_comboDateOrder->setCurrentIndex(static_cast<int>(m_dateOrder));
}

void CCsvPreviewDlg::OnColumnChanged(CsvField field, int entry)
{
    m_map[field] = entry <= 0 ? CsvColumnMap::kNone : entry - 1;
    ColumnCombo(field)->setCurrentIndex(entry < 0 ? 0 : entry);
    Replan();
}

void CCsvPreviewDlg::OnDateOrderChanged(int entry)
{
    m_dateOrder = static_cast<CsvDateOrder>(std::clamp(entry, 0, 3));
    m_comboDateOrder->setCurrentIndex(static_cast<int>(m_dateOrder));
    Replan();
}

void CCsvPreviewDlg::Replan()
{
    // A cancelled planning keeps the plan shown so far, and the choices go back to the ones it
    // was planned with, so that OK never stores a plan other than the one the choices show.
    if (std::optional<CsvImportPlan> plan = m_planner(m_map, m_dateOrder)) {
        m_plan = std::move(*plan);
        m_plannedMap = m_map;
        m_plannedOrder = m_dateOrder;
    } else {
        m_map = m_plannedMap;
        m_dateOrder = m_plannedOrder;
        ShowChoices();
    }
    ShowPlan();
}

QString CCsvPreviewDlg::Obstacle() const
{
    if (!m_plan.missingFields.empty())
        return QString::fromStdString(MissingCsvFieldsText(m_plan.missingFields, Language::Japanese)) +
               QStringLiteral("。読む列を選んでください。");
    if (m_plan.dateOrderNeeded)
        return QStringLiteral("日付の日と月のどちらが先か決まりません。「日付の順」で選んでください。");
    if (m_plan.newCount == 0)
        return QStringLiteral("読み込む新しい記録がありません。");
    return {};
}

void CCsvPreviewDlg::ShowPlan()
{
    QString counts =
        QStringLiteral("新しい記録 %1 件、重複 %2 件、読めない行 %3 件、文字を置き換えた記録 %4 件")
            .arg(m_plan.newCount)
            .arg(m_plan.duplicateCount)
            .arg(m_plan.refusedCount)
            .arg(m_plan.changedCount);
    if (m_plan.notBloodPressureCount > 0)
        counts += QStringLiteral("、血圧以外の行 %1 件").arg(m_plan.notBloodPressureCount);
    if (m_plan.unknownFlagCount > 0)
        counts += QStringLiteral("、IHB の値を読めなかった行 %1 件（0 として読み込み）")
                      .arg(m_plan.unknownFlagCount);
    if (const QString obstacle = Obstacle(); !obstacle.isEmpty())
        counts = m_plan.missingFields.empty() ? counts + QStringLiteral("　") + obstacle : obstacle;
    m_staticCounts->setText(counts);
    m_staticCounts->setAccessibleName(counts);

    const QString unused =
        QString::fromStdString(UnusedColumnsText(m_header, m_plan.unusedColumns, Language::Japanese));
    m_staticUnused->setText(unused);
    m_staticUnused->setAccessibleName(unused);
    m_listRefusals->clear();
    for (const CsvRefusal& refusal : m_plan.refusals)
        m_listRefusals->addItem(QString::fromStdString(CsvRefusalText(refusal, Language::Japanese)));
    ShowRows();
    if (auto* ok = Get<QWidget>(IDOK))
        ok->setEnabled(Obstacle().isEmpty());
}

void CCsvPreviewDlg::ShowRows()
{
    m_rows->removeRows(0, m_rows->rowCount());
    const size_t shown = std::min<size_t>(m_plan.rows.size(), kPreviewRows);
    for (size_t r = 0; r < shown; ++r) {
        const CsvPlannedRow& row = m_plan.rows[r];
        QList<QStandardItem*> cells{new QStandardItem(QString::number(row.line)),
                                    new QStandardItem(OutcomeText(row))};
        if (row.outcome == CsvRowOutcome::New || row.outcome == CsvRowOutcome::Duplicate) {
            const MEASUREMENT& m = row.record;
            cells << new QStandardItem(FromCp932(m.dateTime)) << new QStandardItem(Signed(m.max))
                  << new QStandardItem(Signed(m.min)) << new QStandardItem(Signed(m.pulse))
                  << new QStandardItem(QString::number(m.ihb))
                  << new QStandardItem(TypeName(m_typeLines, m.type))
                  << new QStandardItem(FromCp932(m.comment));
        }
        m_rows->appendRow(cells);
    }
    Get<QTableView>(CsvPreviewIds::IDC_ROWS)->resizeColumnsToContents();
}

void CCsvPreviewDlg::OnOK()
{
    if (const QString obstacle = Obstacle(); !obstacle.isEmpty()) {
        Seam().MessageBox(this, obstacle, windowTitle(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CDialog::OnOK();
}
