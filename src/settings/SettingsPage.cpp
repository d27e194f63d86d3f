#include "settings/SettingsPage.h"

#include "folder/DataFolder.h"
#include "platform/Cp932Edit.h"
#include "platform/ModalSeam.h"
#include "platform/QtText.h"
#include "platform/WinTypes.h"
#include "print/ReportPrinter.h"
#include "record/RecordLimit.h"
#include "res/Templates.h"
#include "settings/RenameDlg.h"
#include "settings/SettingLines.h"
#include "store/DataFiles.h"
#include "store/WriteFailure.h"
#include "undo/UndoController.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <functional>

namespace {

// Calls its handler when the watched edit loses the keyboard focus: the edit's kill-focus
// notification. A context menu opening over the edit leaves the focus where it is.
class CKillFocusFilter : public QObject
{
public:
    explicit CKillFocusFilter(std::function<void()> handler) : m_handler(std::move(handler)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            m_handler();
        return false;
    }

private:
    std::function<void()> m_handler;
};

// A type entry shows its name and keeps the name's bytes as read, so that a name holding bytes
// that do not decode cleanly is offered to the rename dialog unchanged.
QListWidgetItem* MakeTypeEntry(const std::string& name)
{
    auto* entry = new QListWidgetItem(FromCp932(name));
    entry->setData(Qt::UserRole, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
    return entry;
}

std::string TypeEntryBytes(const QListWidgetItem& entry)
{
    const QByteArray bytes = entry.data(Qt::UserRole).toByteArray();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString NotStoredIntro(const QString& fieldName)
{
    return QStringLiteral("「%1」は保存されていません。\n").arg(fieldName);
}

} // namespace

QString SettingNotSavedMessage(const QString& fieldName, int error)
{
    return QStringLiteral("「%1」を保存できませんでした。\n").arg(fieldName) +
           QString::fromStdString(WriteFailureText("setting.txt", error)) +
           QStringLiteral("入力した内容は画面に残っています。");
}

QString TypeNotRenamedMessage(int error)
{
    return QStringLiteral("測定の種類の名前を変更できませんでした。\n") +
           QString::fromStdString(WriteFailureText("item.txt", error));
}

CSettingsPage::CSettingsPage(IModalSeam& seam, CDataFolder& folder)
    : CPage(SettingsTemplate(), seam), m_folder(folder)
{
    SwallowEnterAndEscape(true);
    BindControls();

    // The two range fields share one caption; each gets a name of its own.
    m_editPrintFrom->setAccessibleName(QStringLiteral("印刷範囲の設定：最新の何件目から"));
    m_editPrintTo->setAccessibleName(QStringLiteral("印刷範囲の設定：何件目まで"));

    WatchFocusLoss(m_editMaxRecords, &CSettingsPage::OnKillfocusMaxRecords);
    WatchFocusLoss(m_editPrintFrom, &CSettingsPage::OnKillfocusPrintFrom);
    WatchFocusLoss(m_editPrintTo, &CSettingsPage::OnKillfocusPrintTo);
    WatchFocusLoss(m_editName, &CSettingsPage::OnKillfocusName);
    connect(m_checkBl, &QCheckBox::clicked, this, [this] { OnUseBl(); });
    connect(m_checkFuse, &QCheckBox::clicked, this, [this] { OnUseFuse(); });
    if (auto* rename = Get<QPushButton>(SettingsIds::IDC_RENAME))
        connect(rename, &QPushButton::clicked, this, [this] { OnRenameType(); });
    // A change made elsewhere (an import that raises the limit, a restore, an undo) shows here;
    // the page's own change is already on screen as the user typed it.
    connect(&m_folder, &CDataFolder::SettingsChanged, this, [this] {
        if (!m_bWriting)
            ShowSettings();
    });
    connect(&m_folder, &CDataFolder::TypesChanged, this, [this] {
        if (!m_bWriting)
            ShowTypes();
    });
}

CSettingsPage::~CSettingsPage() = default;

void CSettingsPage::BindControls()
{
    m_editName = Get<CCp932Edit>(SettingsIds::IDC_NAME);
    m_editPrintTo = Get<QLineEdit>(SettingsIds::IDC_PRINT_TO);
    m_editPrintFrom = Get<QLineEdit>(SettingsIds::IDC_PRINT_FROM);
    m_editMaxRecords = Get<QLineEdit>(SettingsIds::IDC_MAX_RECORDS);
    m_checkFuse = Get<QCheckBox>(SettingsIds::IDC_USE_FUSE);
    m_checkBl = Get<QCheckBox>(SettingsIds::IDC_USE_BL);
    m_listTypes = Get<QListWidget>(SettingsIds::IDC_TYPES);
}

void CSettingsPage::WatchFocusLoss(QLineEdit* edit, void (CSettingsPage::*handler)())
{
    auto filter = std::make_unique<CKillFocusFilter>([this, handler] { (this->*handler)(); });
    edit->installEventFilter(filter.get());
    m_focusFilters.push_back(std::move(filter));
}

void CSettingsPage::DoDataExchange(CDataExchange& dx)
{
    if (!DDX_TextUnsigned(dx, m_editMaxRecords, m_nMaxRecords) ||
        !DDX_TextUnsigned(dx, m_editPrintFrom, m_nPrintFrom) ||
        !DDX_TextUnsigned(dx, m_editPrintTo, m_nPrintTo))
        return;
    DDX_Check(dx, m_checkFuse, m_nUseFuse);
    DDX_Check(dx, m_checkBl, m_nUseBl);
    if (!DDX_Text(dx, m_editName, m_strName))
        return;
    DDV_MaxChars(dx, m_editName, m_strName, kMaxNameBytes);
}

bool CSettingsPage::OnInitDialog()
{
    CPage::OnInitDialog();
    ShowFiles();
    return true;
}

void CSettingsPage::ShowFiles()
{
    ShowTypes();
    ShowSettings();
}

void CSettingsPage::ShowSettings()
{
    // Files that could not be created show the built-in defaults, as the folder reads them.
    const FolderSettings& settings = m_folder.Settings();
    m_nMaxRecords = static_cast<std::uint32_t>(settings.recordLimit);
    m_nPrintFrom = static_cast<std::uint32_t>(settings.printFrom);
    m_nPrintTo = static_cast<std::uint32_t>(settings.printTo);
    m_nUseBl = settings.useBl ? 1 : 0;
    m_nUseFuse = settings.useFuse ? 1 : 0;
    m_strName = settings.name;
    UpdateData(false);
    m_nToldLimit = m_nMaxRecords;
}

void CSettingsPage::ShowTypes()
{
    m_listTypes->clear();
    for (const std::string& name : m_folder.TypeNames())
        m_listTypes->addItem(MakeTypeEntry(name));
    if (m_listTypes->count() > 0)
        m_listTypes->setCurrentRow(0);
}

void CSettingsPage::showEvent(QShowEvent* event)
{
    CPage::showEvent(event);
    // Beside the print range: how long a range one page of the report takes. It is measured
    // in the report font when the page is first shown, not while the program starts.
    auto* rows = Get<QLabel>(SettingsIds::IDC_ROWS_PER_PAGE);
    if (rows && rows->text().isEmpty())
        rows->setText(RowsPerPageText(ReportRowsPerA4Page()));
}

QString CSettingsPage::RowsPerPageText(int rows)
{
    return QStringLiteral("（A4 で 1 ページ約 %1 件）").arg(rows);
}

void CSettingsPage::OnPageLeft()
{
    if (m_nMaxRecords == m_nToldLimit)
        return;
    m_nToldLimit = m_nMaxRecords;
    // A limit beyond the signed range reads as none at all, as the list page reads it.
    const int limit = static_cast<int>(m_nMaxRecords);
    const unsigned stored = m_folder.Records().GetLineCount();
    if (limit <= 0 || stored <= static_cast<unsigned>(limit))
        return;
    Seam().MessageBox(this, QString::fromStdString(LimitBelowStoredText(stored, limit)), AppTitle(),
                      MB_OK | MB_ICONEXCLAMATION);
}

int CSettingsPage::WriteSetting(unsigned line, const std::string& text)
{
    m_bWriting = true;
    const int error = m_folder.WriteSetting(static_cast<SettingLine>(line), text);
    m_bWriting = false;
    return error;
}

void CSettingsPage::SaveField(QLineEdit* edit, unsigned line, const QString& fieldName)
{
    SaveText(ToCp932(edit->text()), line, fieldName);
}

bool CSettingsPage::SaveText(const std::optional<std::string>& text, unsigned line, const QString& fieldName)
{
    if (!text) {
        Seam().MessageBox(this, NotStoredIntro(fieldName) + UnsupportedCharacterMessage(), AppTitle(),
                          MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // A line break or an over-long text would spill into a second line of the file.
    if (const LineFit fit = CheckOneLine(*text); fit != LineFit::Fits) {
        Seam().MessageBox(this, NotStoredIntro(fieldName) + NotOneLineMessage(fit), AppTitle(),
                          MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    CUndoRecorder step(m_pUndo, "設定の変更（" + fieldName.toStdString() + "）", {kSettingFileName});
    if (const int error = WriteSetting(line, *text); error != 0) {
        Seam().MessageBox(this, SettingNotSavedMessage(fieldName, error), AppTitle(),
                          MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    step.Commit();
    return true;
}

void CSettingsPage::SaveCheck(QCheckBox* box, unsigned line, const QString& fieldName)
{
    CUndoRecorder step(m_pUndo, "設定の変更（" + fieldName.toStdString() + "）", {kSettingFileName});
    if (const int error = WriteSetting(line, FlagLineText(box->isChecked())); error != 0) {
        Seam().MessageBox(this, SettingNotSavedMessage(fieldName, error), AppTitle(),
                          MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    step.Commit();
}

void CSettingsPage::OnKillfocusMaxRecords()
{
    SaveField(m_editMaxRecords, kSettingRecordLimit, QStringLiteral("最大保存件数"));
}

void CSettingsPage::OnKillfocusPrintFrom()
{
    SaveField(m_editPrintFrom, kSettingPrintFrom, QStringLiteral("印刷範囲（最新の何件目から）"));
}

void CSettingsPage::OnKillfocusPrintTo()
{
    SaveField(m_editPrintTo, kSettingPrintTo, QStringLiteral("印刷範囲（何件目まで）"));
}

void CSettingsPage::OnKillfocusName()
{
    // A name the user left as it was is already on its line, whatever bytes it holds.
    if (m_editName->IsCp932TextUnchanged())
        return;
    const std::optional<std::string> text = m_editName->Cp932Text();
    if (SaveText(text, kSettingName, QStringLiteral("お名前")))
        m_editName->RememberCp932Text(*text); // what the line holds now
}

void CSettingsPage::OnUseBl()
{
    SaveCheck(m_checkBl, kSettingUseBl, QStringLiteral("use bl"));
}

void CSettingsPage::OnUseFuse()
{
    SaveCheck(m_checkFuse, kSettingUseFuse, QStringLiteral("use fuse"));
}

void CSettingsPage::OnRenameType()
{
    const QList<QListWidgetItem*> selected = m_listTypes->selectedItems();
    if (selected.isEmpty())
        return; // an empty type list: there is no line to rename
    const int i = m_listTypes->row(selected.front());
    const std::string oldName = TypeEntryBytes(*selected.front());

    CRenameDlg dlg(Seam(), this);
    dlg.m_strName = oldName;
    // An unchanged name is not written again: the file already holds its bytes.
    if (dlg.DoModal() != IDOK || dlg.m_strName == oldName)
        return;

    ReplaceTypeEntry(i, dlg.m_strName);
    CUndoRecorder step(m_pUndo, "種類の名前の変更", {kItemFileName});
    m_bWriting = true;
    const int error = m_folder.RenameType(i, dlg.m_strName);
    m_bWriting = false;
    if (error != 0) {
        // The list keeps showing what the file holds.
        ReplaceTypeEntry(i, oldName);
        Seam().MessageBox(this, TypeNotRenamedMessage(error), AppTitle(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    step.Commit();
    Q_EMIT TypeRenamed(i, FromCp932(dlg.m_strName));
}

void CSettingsPage::ReplaceTypeEntry(int index, const std::string& name)
{
    delete m_listTypes->takeItem(index);
    m_listTypes->insertItem(index, MakeTypeEntry(name));
    m_listTypes->setCurrentRow(index);
}
