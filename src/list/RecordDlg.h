#pragma once
// The dialog "血圧情報の登録・修正": one measurement, entered anew or corrected. The caller sets
// the members, runs DoModal and, on IDOK, reads them back; the dialog itself writes no file.

#include "platform/Dialog.h"
#include "platform/LocalTime.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QComboBox;

class CRecordDlg : public CDialog
{
    Q_OBJECT
public:
    // typeNames: the data folder's measurement type names (code page 932), offered in the type
    // combo in file order.
    CRecordDlg(IModalSeam& seam, std::vector<std::string> typeNames, QWidget* parent = nullptr);

    // In the order of the data exchange.
    std::uint32_t m_nPulse = 0; // edit 1012
    std::uint32_t m_nMax = 0;   // edit 1010
    std::uint32_t m_nMin = 0;   // edit 1009
    CTime m_timeTime;           // time picker 1021: only its time of day counts
    CTime m_timeDate;           // date picker 1020: only its date counts
    int m_nIhb = 0;             // check box 1013
    std::string m_strComment;   // edit 1027, code page 932, stored form (see StorableComment)
    int m_nType = -1;           // combo 1025: the type index, -1 for none

    // Stores the entered record while the dialog is still open; false keeps the dialog open
    // with everything typed (the store has told the user why). Unset, OK only closes.
    std::function<bool(CRecordDlg&)> m_fnStore;

    bool OnInitDialog() override;
    // The checks of the exchange, a question about each implausible value, then the store.
    void OnOK() override;

    // "コメントは半角 … 文字（全角 … 文字）以内で入力してください。"
    static QString CommentTooLongMessage();

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    bool ExchangeComment(CDataExchange& dx);
    // Asks about each implausible value; false when the user wants to correct one.
    bool ConfirmImplausibleValues();

    std::vector<std::string> m_typeNames;
    QComboBox* m_comboType = nullptr; // filled with the type names when the dialog opens
};
