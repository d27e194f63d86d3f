#include "list/RecordDlg.h"

#include "platform/Cp932Edit.h"
#include "platform/ModalSeam.h"
#include "platform/QtText.h"
#include "platform/WinTypes.h"
#include "record/DateTimeText.h"
#include "record/Plausibility.h"
#include "record/RecordLine.h"
#include "res/Templates.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateTimeEdit>
#include <QLineEdit>

namespace {

QDate ToQDate(CalendarDay day)
{
    return QDate(static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
                 static_cast<int>(static_cast<unsigned>(day.day())));
}

} // namespace

CRecordDlg::CRecordDlg(IModalSeam& seam, std::vector<std::string> typeNames, QWidget* parent)
    : CDialog(RecordTemplate(), seam, parent), m_typeNames(std::move(typeNames))
{
    m_comboType = Get<QComboBox>(RecordIds::IDC_TYPE);
    // The dates a record can hold and still be read back as that date.
    Get<QDateTimeEdit>(RecordIds::IDC_DATE)
        ->setDateRange(ToQDate(kEarliestStoredDay), ToQDate(kLatestStoredDay));
    // One label names both pickers; each says which half of the time it holds.
    Control(RecordIds::IDC_DATE)->setAccessibleName(QStringLiteral("測定時刻（日付）"));
    Control(RecordIds::IDC_TIME)->setAccessibleName(QStringLiteral("測定時刻（時刻）"));
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
    m_comboType->addItems(FromCp932Lines(m_typeNames));
    UpdateData(false); // now that the list is filled, m_nType selects its entry
    auto* max = Get<QLineEdit>(RecordIds::IDC_MAX);
    max->setFocus(Qt::OtherFocusReason);
    max->selectAll();
    return true;
}

void CRecordDlg::OnOK()
{
    if (!UpdateData(true) || !ConfirmImplausibleValues())
        return;
    if (m_fnStore && !m_fnStore(*this))
        return;
    done(IDOK);
}

bool CRecordDlg::ConfirmImplausibleValues()
{
    // Return answers いいえ and goes back to the field: a slip of the keyboard is not stored.
    for (const PlausibilityQuestion& question : ImplausibleValueQuestions(m_nMax, m_nMin, m_nPulse)) {
        if (Seam().MessageBox(this, QString::fromStdString(question.text), AppTitle(),
                              MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
            continue;
        const int id = question.field == MeasuredField::Max   ? RecordIds::IDC_MAX
                       : question.field == MeasuredField::Min ? RecordIds::IDC_MIN
                                                              : RecordIds::IDC_PULSE;
        auto* edit = Get<QLineEdit>(id);
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        return false;
    }
    return true;
}

void CRecordDlg::DoDataExchange(CDataExchange& dx)
{
    if (!DDX_TextUnsigned(dx, Get<QLineEdit>(RecordIds::IDC_PULSE), m_nPulse))
        return;
    if (!DDX_TextUnsigned(dx, Get<QLineEdit>(RecordIds::IDC_MAX), m_nMax))
        return;
    if (!DDX_TextUnsigned(dx, Get<QLineEdit>(RecordIds::IDC_MIN), m_nMin))
        return;
    DDX_DateTime(dx, Get<QDateTimeEdit>(RecordIds::IDC_TIME), m_timeTime);
    DDX_DateTime(dx, Get<QDateTimeEdit>(RecordIds::IDC_DATE), m_timeDate);
    DDX_Check(dx, Get<QCheckBox>(RecordIds::IDC_IHB), m_nIhb);
    if (!ExchangeComment(dx))
        return;
    DDX_CBIndex(dx, m_comboType, m_nType);
}

bool CRecordDlg::ExchangeComment(CDataExchange& dx)
{
    auto* edit = Get<CCp932Edit>(RecordIds::IDC_COMMENT);
    if (!dx.m_bSaveAndValidate) {
        // Typing and pasting stop at the limit, but a longer stored comment is shown whole: the
        // check below then asks the user to shorten it instead of cutting it unseen.
        edit->SetByteLimit(kCommentMaxBytes);
        edit->SetCp932Text(m_strComment);
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
