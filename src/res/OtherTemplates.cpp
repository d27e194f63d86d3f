#include "res/Templates.h"

const DlgTemplate& OtherTemplate()
{
    static const DlgTemplate t{
        OtherIds::IDD,
        "",
        280,
        200,
        {
            {-1, CtlKind::Static, "Velliqa　バージョン 1.0.0", 29, 25, 217, 8},
            {OtherIds::IDC_ONLINE_UPDATE, CtlKind::Button, "オンラインアップデート", 29, 83, 91, 25},
        }};
    return t;
}
