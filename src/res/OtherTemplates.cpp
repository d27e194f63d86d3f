#include "res/Templates.h"

const DlgTemplate& OtherTemplate()
{
    static const DlgTemplate t{132, "", 280, 200, {}};
    return t;
}
