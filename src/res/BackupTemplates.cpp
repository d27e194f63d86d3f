#include "res/Templates.h"

// The restore dialog: the backups, newest first, and what a restore of the chosen one changes.
const DlgTemplate& RestoreTemplate()
{
    static const DlgTemplate t{
        RestoreIds::IDD,
        "バックアップから戻す",
        320,
        200,
        {
            {-1, CtlKind::Static, "・バックアップ（新しい順）", 7, 7, 200, 8, 0, RestoreIds::IDC_BACKUPS},
            {RestoreIds::IDC_BACKUPS, CtlKind::ListView, "", 7, 18, 306, 110},
            {-1, CtlKind::Static, "・戻すと", 7, 134, 200, 8, 0, RestoreIds::IDC_CHANGE},
            {RestoreIds::IDC_CHANGE, CtlKind::ValueField, "", 7, 145, 306, 12},
            {-1, CtlKind::Static, "戻す前のデータもバックアップします。archive.txt はそのまま残ります。", 7,
             162, 306, 8},
            {IDOK, CtlKind::DefButton, "OK", 199, 179, 54, 14},
            {IDCANCEL, CtlKind::Button, "キャンセル", 259, 179, 54, 14},
        }};
    return t;
}
