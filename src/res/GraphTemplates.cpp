#include "res/Templates.h"

const DlgTemplate& GraphTemplate()
{
    // 1032: the framed drawing surface; 1010: the type list.
    static const DlgTemplate t{133,
                               "",
                               280,
                               200,
                               {
                                   {1032, CtlKind::Frame, "", 7, 7, 260, 170, kCtlNoTabStop},
                                   {-1, CtlKind::Static, "表示する種類", 7, 181, 45, 8, 0, 1010},
                                   {1010, CtlKind::ComboBox, "", 60, 181, 66, 54},
                               }};
    return t;
}
