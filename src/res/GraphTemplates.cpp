#include "res/Templates.h"

const DlgTemplate& GraphTemplate()
{
    static const DlgTemplate t{133, "", 280, 200, {}};
    return t;
}
