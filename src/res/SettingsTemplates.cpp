#include "res/Templates.h"

#include "platform/WinTypes.h"

// The settings page. The controls come in the page's tab order; the two check boxes are created
// hidden and never shown, and the labels follow the controls.
const DlgTemplate& SettingsTemplate()
{
    static const DlgTemplate t{
        SettingsIds::IDD,
        "",
        280,
        200,
        {
            {SettingsIds::IDC_NAME, CtlKind::Edit, "", 64, 16, 125, 13},
            {SettingsIds::IDC_TYPES, CtlKind::ListBox, "", 19, 120, 73, 45},
            {SettingsIds::IDC_MAX_RECORDS, CtlKind::NumberEdit, "", 76, 38, 60, 14},
            {SettingsIds::IDC_PRINT_FROM, CtlKind::NumberEdit, "", 61, 77, 40, 14},
            {SettingsIds::IDC_PRINT_TO, CtlKind::NumberEdit, "", 143, 77, 40, 14},
            {SettingsIds::IDC_RENAME, CtlKind::Button, "名称の変更", 100, 120, 71, 14},
            {SettingsIds::IDC_USE_BL, CtlKind::CheckBox, "use bl", 225, 168, 35, 10,
             kCtlHidden | kCtlNoTabStop},
            {SettingsIds::IDC_USE_FUSE, CtlKind::CheckBox, "use fuse", 229, 151, 44, 10,
             kCtlHidden | kCtlNoTabStop},
            {-1, CtlKind::Static, "・お名前", 20, 18, 44, 12, 0, SettingsIds::IDC_NAME},
            {-1, CtlKind::Static, "様", 195, 20, 24, 10},
            {-1, CtlKind::Static, "・最大保存件数", 19, 40, 51, 12, 0, SettingsIds::IDC_MAX_RECORDS},
            {-1, CtlKind::Static, "件", 142, 40, 9, 8},
            {-1, CtlKind::Static, "・印刷範囲の設定", 19, 62, 62, 12, 0, SettingsIds::IDC_PRINT_FROM},
            {-1, CtlKind::Static, "最新の", 30, 80, 24, 8},
            {-1, CtlKind::Static, "件目から", 106, 80, 33, 14},
            {-1, CtlKind::Static, "件目まで", 189, 79, 40, 14, 0, SettingsIds::IDC_PRINT_TO},
            {SettingsIds::IDC_ROWS_PER_PAGE, CtlKind::Static, "", 61, 94, 170, 9},
            {-1, CtlKind::Static, "・測定の種類", 19, 105, 43, 8, 0, SettingsIds::IDC_TYPES},
        }};
    return t;
}

// The rename dialog: one edit with no length limit, OK and cancel.
const DlgTemplate& RenameTemplate()
{
    static const DlgTemplate t{RenameIds::IDD,
                               "名前の変更",
                               144,
                               45,
                               {
                                   {RenameIds::IDC_NAME, CtlKind::Edit, "", 7, 7, 130, 14},
                                   {IDOK, CtlKind::DefButton, "OK", 19, 25, 50, 14},
                                   {IDCANCEL, CtlKind::Button, "ｷｬﾝｾﾙ", 73, 25, 50, 14},
                               }};
    return t;
}
