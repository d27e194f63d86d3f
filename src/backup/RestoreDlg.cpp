#include "backup/RestoreDlg.h"

#include "backup/BackupKeeper.h"
#include "platform/Cp932.h"
#include "platform/LocalTime.h"
#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"
#include "record/RecordLine.h"
#include "res/Templates.h"
#include "store/DataFiles.h"
#include "store/WriteFailure.h"

#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>

#include <algorithm>

CRestoreDlg::CRestoreDlg(IModalSeam& seam, std::vector<BackupInfo> backups, unsigned recordsNow,
                         std::string newestNow, QWidget* parent)
    : CDialog(RestoreTemplate(), seam, parent), m_backups(std::move(backups)), m_nRecordsNow(recordsNow),
      m_strNewestNow(std::move(newestNow))
{
    std::reverse(m_backups.begin(), m_backups.end());
    m_listBackups = Get<QTableView>(RestoreIds::IDC_BACKUPS);
    m_staticChange = Get<QLabel>(RestoreIds::IDC_CHANGE);
    m_staticChange->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_staticChange->setAccessibleDescription(QStringLiteral("戻すと"));
    m_model = new QStandardItemModel(this);
    m_model->setHorizontalHeaderLabels({QStringLiteral("日時"), QStringLiteral("記録数"),
                                        QStringLiteral("最新の記録"), QStringLiteral("理由")});
    m_listBackups->setModel(m_model);
    m_listBackups->setAccessibleName(QStringLiteral("バックアップ（新しい順）"));
    m_listBackups->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listBackups->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listBackups->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listBackups->verticalHeader()->hide();
    m_listBackups->horizontalHeader()->setStretchLastSection(true);
}

bool CRestoreDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const BackupInfo& info : m_backups) {
        auto* records = new QStandardItem(QString::number(info.records));
        records->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_model->appendRow({new QStandardItem(QString::fromStdString(BackupTimeText(info.name))), records,
                            new QStandardItem(QString::fromStdString(Utf8FromCp932(info.newestDate))),
                            new QStandardItem(QString::fromStdString(info.reason))});
    }
    m_listBackups->resizeColumnsToContents();
    connect(m_listBackups->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { OnSelchangeBackup(); });
    if (!m_backups.empty())
        m_listBackups->selectRow(0);
    OnSelchangeBackup();
    return true;
}

std::string CRestoreDlg::Chosen() const
{
    const QModelIndex current = m_listBackups->currentIndex();
    if (!current.isValid() || current.row() >= static_cast<int>(m_backups.size()))
        return {};
    return m_backups[static_cast<size_t>(current.row())].name;
}

void CRestoreDlg::OnSelchangeBackup()
{
    const QModelIndex current = m_listBackups->currentIndex();
    const QString text =
        current.isValid() ? QString::fromStdString(RestoreChangeText(
                                m_nRecordsNow, m_strNewestNow, m_backups[static_cast<size_t>(current.row())]))
                          : QString();
    m_staticChange->setText(text);
    m_staticChange->setAccessibleName(text);
}

void CRestoreDlg::OnOK()
{
    if (Chosen().empty()) {
        Seam().MessageBox(this, QStringLiteral("戻すバックアップを選んでください。"), windowTitle(),
                          MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CDialog::OnOK();
}

bool ChooseAndRestoreBackup(const std::string& folder, CBackupKeeper* keeper, IModalSeam& seam,
                            QWidget* parent)
{
    const QString caption = QStringLiteral("バックアップから戻す");
    std::vector<BackupInfo> backups = ListBackups(folder);
    if (backups.empty()) {
        seam.MessageBox(parent, QStringLiteral("バックアップはまだありません。"), caption,
                        MB_OK | MB_ICONINFORMATION);
        return false;
    }
    const std::vector<std::string> lines = ReadDataFileLines(DataFilePath(folder, kDataFileName).c_str());
    const std::string dateTime = lines.empty() ? std::string() : ParseRecordLine(lines.front()).dateTime;
    const std::string newestNow = dateTime.substr(0, dateTime.find(' '));
    CRestoreDlg dlg(seam, std::move(backups), static_cast<unsigned>(lines.size()), newestNow, parent);
    if (dlg.DoModal() != IDOK)
        return false;
    const std::string name = dlg.Chosen();
    const RestoreResult result =
        keeper ? keeper->Restore(name) : RestoreBackup(name, LocalStampOf(CTime::GetCurrentTime()), folder);
    if (!result.done) {
        seam.MessageBox(parent,
                        QStringLiteral("バックアップから戻せませんでした。\n") +
                            QString::fromStdString(WriteFailureText(result.failedFile, result.error)),
                        caption, MB_OK | MB_ICONEXCLAMATION);
        return !result.backupTaken.empty(); // some files may have been restored
    }
    seam.MessageBox(
        parent,
        QStringLiteral("%1 のバックアップから戻しました。\n戻す前のデータはバックアップ %2 にあります。")
            .arg(QString::fromStdString(BackupTimeText(name)), QString::fromStdString(result.backupTaken)),
        caption, MB_OK | MB_ICONINFORMATION);
    return true;
}
