#include "res/Templates.h"

const DlgTemplate& SettingsTemplate()
{
    static const DlgTemplate t{131, "", 280, 200, {}};
    return t;
}

const DlgTemplate& RenameTemplate()
{
    static const DlgTemplate t{134, "名前の変更", 144, 45, {}};
    return t;
}
