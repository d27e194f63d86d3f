#include "res/Templates.h"

const DlgTemplate& AboutTemplate()
{
    static const DlgTemplate t{100, "Velliqaのﾊﾞｰｼﾞｮﾝ情報", 235, 55,
                               {
                                   {1, CtlKind::DefButton, "OK", 178, 7, 50, 14},
                                   {-1, CtlKind::Icon, "", 11, 17, 20, 20},
                                   {-1, CtlKind::Static, "Velliqa Version 1.0.0", 40, 10, 119, 8},
                               }};
    return t;
}

const DlgTemplate& MainTemplate()
{
    static const DlgTemplate t{102, "Velliqa", 347, 253,
                               {
                                   {IDC_TAB, CtlKind::TabControl, "", 7, 7, 300, 240, kCtlNoTabStop},
                                   {1, CtlKind::DefButton, "終了", 309, 18, 31, 29},
                               }};
    return t;
}
