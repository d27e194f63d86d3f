#include "list/RecordDlg.h"

#include "platform/QtText.h"
#include "res/Templates.h"
#include "store/DataFiles.h"
#include "store/RecordLine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int IDC_MIN = 1009;
constexpr int IDC_MAX = 1010;
constexpr int IDC_PULSE = 1012;
constexpr int IDC_IHB = 1013;
constexpr int IDC_DATE = 1020;
constexpr int IDC_TIME = 1021;
constexpr int IDC_TYPE = 1025;
constexpr int IDC_COMMENT = 1027;

} // namespace

CRecordDlg::CRecordDlg(IModalSeam& seam, QWidget* parent) : CDialog(RecordTemplate(), seam, parent)
{
    m_comboType = Get<QComboBox>(IDC_TYPE);
    // One label names both pickers; each says which half of the time it holds.
    Control(IDC_DATE)->setAccessibleName(QStringLiteral("測定時刻（日付）"));
    Control(IDC_TIME)->setAccessibleName(QStringLiteral("測定時刻（時刻）"));
}

QString CRecordDlg::CommentTooLongMessage()
{
    return QStringLiteral("コメントが長すぎます。半角 %1 文字（全角 %2 文字）以内で入力してください。")
        .arg(kCommentMaxBytes)
        .arg(kCommentMaxBytes / 2);
}

bool CRecordDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_comboType->addItems(FromCp932Lines(ReadTypeNames()));
    UpdateData(false); // now that the list is filled, m_nType selects its entry
    auto* max = Get<QLineEdit>(IDC_MAX);
    max->setFocus(Qt::OtherFocusReason);
    max->selectAll();
    return true;
}

void CRecordDlg::DoDataExchange(CDataExchange& dx)
{
    if (!DDX_TextUnsigned(dx, Get<QLineEdit>(IDC_PULSE), m_nPulse))
        return;
    if (!DDX_TextUnsigned(dx, Get<QLineEdit>(IDC_MAX), m_nMax))
        return;
    if (!DDX_TextUnsigned(dx, Get<QLineEdit>(IDC_MIN), m_nMin))
        return;
    DDX_DateTime(dx, Get<QDateTimeEdit>(IDC_TIME), m_timeTime);
    DDX_DateTime(dx, Get<QDateTimeEdit>(IDC_DATE), m_timeDate);
    DDX_Check(dx, Get<QCheckBox>(IDC_IHB), m_nIhb);
    if (!ExchangeComment(dx))
        return;
    DDX_CBIndex(dx, m_comboType, m_nType);
}

bool CRecordDlg::ExchangeComment(CDataExchange& dx)
{
    auto* edit = Get<QLineEdit>(IDC_COMMENT);
    if (!dx.m_bSaveAndValidate) {
        // Typing stops at the limit, but a longer stored comment is shown whole: the check
        // below then asks the user to shorten it instead of cutting it unseen.
        const QString shown = FromCp932(m_strComment);
        edit->setMaxLength(std::max(kCommentMaxBytes, static_cast<int>(shown.size())));
        edit->setText(shown);
        return true;
    }
    std::string typed;
    if (!DDX_Text(dx, edit, typed))
        return false;
    std::string stored = StorableComment(typed);
    if (static_cast<int>(stored.size()) > kCommentMaxBytes) {
        dx.Fail(edit, CommentTooLongMessage());
        return false;
    }
    m_strComment = std::move(stored);
    return true;
}
