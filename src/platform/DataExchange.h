#pragma once
// Moving values between controls and members, with the checks and messages users of desktop
// dialogs know: "正の整数を入力してください。" and "%1 文字以内で入力してください。". A failing
// check shows its message once, puts the focus on the field with its text selected, and ends
// the exchange.

#include "platform/LocalTime.h"

#include <QString>
#include <cstdint>

#include <string>

class CCp932Edit;
class IModalSeam;
class QAbstractButton;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QWidget;

class CDataExchange
{
public:
    CDataExchange(QWidget* dialog, bool saveAndValidate, IModalSeam& seam)
        : m_bSaveAndValidate(saveAndValidate), m_pDialog(dialog), m_seam(seam)
    {
    }

    const bool m_bSaveAndValidate;
    bool Failed() const { return m_bFailed; }
    // Shows the message (exclamation icon, under the program's title), focuses the control,
    // selects its text and marks the exchange failed.
    void Fail(QWidget* control, const QString& message);
    IModalSeam& Seam() { return m_seam; }
    QWidget* Dialog() const { return m_pDialog; }

private:
    QWidget* m_pDialog;
    IModalSeam& m_seam;
    bool m_bFailed = false;
};

// Each returns false when its check failed; the caller then ends its exchange.
bool DDX_TextUnsigned(CDataExchange& dx, QLineEdit* edit, std::uint32_t& value);
// Text as code page 932 bytes; a character that code page 932 cannot hold fails the check. A
// text left as it was filled is not checked: it goes back as the bytes it was filled from.
bool DDX_Text(CDataExchange& dx, CCp932Edit* edit, std::string& value);
// At most maxBytes code page 932 bytes. When filling, also limits typing and pasting in the edit.
bool DDV_MaxChars(CDataExchange& dx, CCp932Edit* edit, const std::string& value, int maxBytes);
void DDX_Check(CDataExchange& dx, QAbstractButton* box, int& value);
void DDX_CBIndex(CDataExchange& dx, QComboBox* combo, int& index);
// The date part (date picker) or the time of day (time picker) of a point in time.
void DDX_DateTime(CDataExchange& dx, QDateTimeEdit* picker, CTime& value);

QString PositiveIntegerMessage();      // "正の整数を入力してください。"
QString MaxCharsMessage(int maxBytes); // "%1 文字以内で入力してください。"
QString UnsupportedCharacterMessage();
QString AppTitle(); // "Velliqa"
