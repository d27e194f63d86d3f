#include "platform/DataExchange.h"

#include "platform/Cp932Edit.h"
#include "platform/ModalSeam.h"
#include "platform/QtText.h"
#include "platform/UnsignedText.h"
#include "platform/WinTypes.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDate>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTime>

QString PositiveIntegerMessage()
{
    return QStringLiteral("正の整数を入力してください。");
}

QString MaxCharsMessage(int maxBytes)
{
    return QStringLiteral("%1 文字以内で入力してください。").arg(maxBytes);
}

QString UnsupportedCharacterMessage()
{
    return QStringLiteral(
        "保存できない文字が含まれています。絵文字など、Shift-JIS で表せない文字は使えません。");
}

QString AppTitle()
{
    return QStringLiteral("Velliqa");
}

void CDataExchange::Fail(QWidget* control, const QString& message)
{
    m_bFailed = true;
    m_seam.MessageBox(m_pDialog, message, AppTitle(), MB_OK | MB_ICONEXCLAMATION);
    if (!control)
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
}

bool DDX_TextUnsigned(CDataExchange& dx, QLineEdit* edit, std::uint32_t& value)
{
    if (!dx.m_bSaveAndValidate) {
        edit->setText(QString::number(value));
        return true;
    }
    const QByteArray text = edit->text().toUtf8();
    const auto parsed =
        ParseUnsignedField(std::string_view(text.constData(), static_cast<size_t>(text.size())));
    if (!parsed) {
        dx.Fail(edit, PositiveIntegerMessage());
        return false;
    }
    value = *parsed;
    return true;
}

bool DDX_Text(CDataExchange& dx, CCp932Edit* edit, std::string& value)
{
    if (!dx.m_bSaveAndValidate) {
        edit->SetCp932Text(value);
        return true;
    }
    // A text the user left as it was goes back as it was stored, whatever its bytes.
    const auto bytes = edit->Cp932Text();
    if (!bytes) {
        dx.Fail(edit, UnsupportedCharacterMessage());
        return false;
    }
    value = *bytes;
    return true;
}

bool DDV_MaxChars(CDataExchange& dx, CCp932Edit* edit, const std::string& value, int maxBytes)
{
    if (!dx.m_bSaveAndValidate) {
        // Typing and pasting stop at the limit; a longer stored text is shown whole, and the
        // check below then asks the user to shorten it.
        edit->SetByteLimit(maxBytes);
        return true;
    }
    if (static_cast<int>(value.size()) <= maxBytes)
        return true;
    dx.Fail(edit, MaxCharsMessage(maxBytes));
    return false;
}

void DDX_Check(CDataExchange& dx, QAbstractButton* box, int& value)
{
    if (dx.m_bSaveAndValidate)
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

void DDX_CBIndex(CDataExchange& dx, QComboBox* combo, int& index)
{
    if (dx.m_bSaveAndValidate)
        index = combo->currentIndex();
    else
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void DDX_DateTime(CDataExchange& dx, QDateTimeEdit* picker, CTime& value)
{
    // The pickers hold their value in UTC: the fields go in and out as they are, through
    // setDate/setTime and date()/time(), so that no zone conversion moves them.
    const bool showsDate = (picker->displayedSections() & QDateTimeEdit::DateSections_Mask) != 0;
    const bool showsTime = (picker->displayedSections() & QDateTimeEdit::TimeSections_Mask) != 0;
    if (!dx.m_bSaveAndValidate) {
        if (showsDate)
            picker->setDate(QDate(value.GetYear(), value.GetMonth(), value.GetDay()));
        if (showsTime)
            picker->setTime(QTime(value.GetHour(), value.GetMinute(), value.GetSecond()));
        return;
    }
    // The part the picker does not show is kept from the member.
    const QDate date = showsDate ? picker->date() : QDate(value.GetYear(), value.GetMonth(), value.GetDay());
    const QTime time =
        showsTime ? picker->time() : QTime(value.GetHour(), value.GetMinute(), value.GetSecond());
    value = CTime(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
}
