#include "res/Templates.h"

#include "config/VelliqaConfig.h"

#include <string>

const DlgTemplate& OtherTemplate()
{
    static const std::string version = "Velliqa　バージョン " + std::string(kVelliqaVersion);
    static const DlgTemplate t{
        OtherIds::IDD,
        "",
        280,
        200,
        {
            {-1, CtlKind::Static, version.c_str(), 29, 25, 217, 8},
            {OtherIds::IDC_ONLINE_UPDATE, CtlKind::Button, "オンラインアップデート", 29, 83, 91, 25},
        }};
    return t;
}
