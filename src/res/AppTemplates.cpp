#include "res/Templates.h"

#include "config/VelliqaConfig.h"

#include <string>

const DlgTemplate& AboutTemplate()
{
    static const std::string version = "Velliqa Version " + std::string(kVelliqaVersion);
    static const DlgTemplate t{
        AboutIds::IDD,
        "Velliqaのﾊﾞｰｼﾞｮﾝ情報",
        235,
        55,
        {
            {IDOK, CtlKind::DefButton, "OK", 178, 7, 50, 14},
            {-1, CtlKind::Icon, "", 11, 17, 20, 20},
            {-1, CtlKind::Static, version.c_str(), 40, 10, 119, 8},
            // The notice itself is in one file; the box names it.
            {-1, CtlKind::Static, "著作権表示: COPYING (/usr/share/doc/velliqa/copyright)", 40, 26, 188, 8},
        }};
    return t;
}

const DlgTemplate& MainTemplate()
{
    static const DlgTemplate t{
        MainIds::IDD,
        "Velliqa",
        347,
        253,
        {
            {MainIds::IDC_TAB, CtlKind::TabControl, "", 7, 7, 300, 240, kCtlNoTabStop | kCtlSizeX},
            {MainIds::IDC_EXIT, CtlKind::DefButton, "終了", 309, 18, 31, 29, kCtlMoveX},
        }};
    return t;
}
