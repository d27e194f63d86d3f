#include "settings/RenameDlg.h"

#include "platform/Cp932Edit.h"
#include "res/Templates.h"

QString NotOneLineMessage(LineFit fit)
{
    if (fit == LineFit::HasLineBreak)
        return QStringLiteral("名前に改行は使えません。1 行で入力してください。");
    return QStringLiteral("名前が長すぎます。%1 バイト（全角文字は 1 文字 2 バイト）以内で入力してください。")
        .arg(kMaxLineBytes);
}

CRenameDlg::CRenameDlg(IModalSeam& seam, QWidget* parent) : CDialog(RenameTemplate(), seam, parent)
{
    if (auto* edit = Get<CCp932Edit>(RenameIds::IDC_NAME)) {
        edit->setAccessibleName(QStringLiteral("新しい名前"));
        // A name is one line of the type file: typing and pasting stop where a line ends.
        edit->SetByteLimit(static_cast<int>(kMaxLineBytes));
    }
}

bool CRenameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The dialog opens with the current name selected, ready to be typed over.
    if (auto* edit = Get<CCp932Edit>(RenameIds::IDC_NAME)) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
    return true;
}

void CRenameDlg::DoDataExchange(CDataExchange& dx)
{
    auto* edit = Get<CCp932Edit>(RenameIds::IDC_NAME);
    if (!DDX_Text(dx, edit, m_strName) || !dx.m_bSaveAndValidate)
        return;
    // The name becomes one line of the type file: a second line would shift every later type.
    if (const LineFit fit = CheckOneLine(m_strName); fit != LineFit::Fits)
        dx.Fail(edit, NotOneLineMessage(fit));
}
