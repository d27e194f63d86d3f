#include "update/OtherPage.h"

#include "res/Templates.h"

COtherPage::COtherPage(IModalSeam& seam) : CPage(OtherTemplate(), seam)
{
    SwallowEnterAndEscape(true);
}

bool COtherPage::OnInitDialog()
{
    return CPage::OnInitDialog();
}
