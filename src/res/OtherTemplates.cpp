#include "res/Templates.h"

const DlgTemplate& OtherTemplate()
{
    static const DlgTemplate t{132,
                               "",
                               280,
                               200,
                               {
                                   {-1, CtlKind::Static, "Velliqa　バージョン 1.0.0", 29, 25, 217, 8},
                                   {1035, CtlKind::Button, "オンラインアップデート", 29, 83, 91, 25},
                               }};
    return t;
}
