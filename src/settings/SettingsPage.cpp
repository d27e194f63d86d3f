#include "settings/SettingsPage.h"

#include "res/Templates.h"

CSettingsPage::CSettingsPage(IModalSeam& seam) : CPage(SettingsTemplate(), seam)
{
    SwallowEnterAndEscape(true);
}

bool CSettingsPage::OnInitDialog()
{
    return CPage::OnInitDialog();
}
