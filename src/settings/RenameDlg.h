#pragma once
// "名前の変更": one measurement type's name, edited in a small modal dialog. OK takes the name
// only when it stays one line of the type file and every character fits code page 932.

#include "platform/Dialog.h"
#include "settings/SettingLines.h"

#include <string>

class CRenameDlg : public CDialog
{
    Q_OBJECT
public:
    explicit CRenameDlg(IModalSeam& seam, QWidget* parent = nullptr);

    std::string m_strName; // code page 932

    bool OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};

// Why a text cannot be stored as one line: a line break, or more bytes than a line holds.
QString NotOneLineMessage(LineFit fit);
