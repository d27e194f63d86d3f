#include "graph/GraphPage.h"

#include "res/Templates.h"

CGraphPage::CGraphPage(IModalSeam& seam) : CPage(GraphTemplate(), seam)
{
    SwallowEnterAndEscape(false);
}

bool CGraphPage::OnInitDialog()
{
    return CPage::OnInitDialog();
}
