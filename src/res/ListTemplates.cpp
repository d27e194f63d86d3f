#include "res/Templates.h"

const DlgTemplate& ListTemplate()
{
    static const DlgTemplate t{130, "", 280, 200, {}};
    return t;
}

const DlgTemplate& RecordTemplate()
{
    static const DlgTemplate t{129, "血圧情報の登録・修正", 219, 134, {}};
    return t;
}
