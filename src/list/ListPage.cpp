#include "list/ListPage.h"

#include "print/ReportPrinter.h"
#include "res/Templates.h"
#include "store/DataFiles.h"
#include "store/RecordLine.h"

CListPage::CListPage(IModalSeam& seam) : CPage(ListTemplate(), seam), m_pPrinters(&RealPrinterSeam())
{
    SwallowEnterAndEscape(true);
}

bool CListPage::OnInitDialog()
{
    CPage::OnInitDialog();
    // The pages created after this one read the data files: create any missing one first.
    CreateMissingDataFiles();
    CTextFile settings(nullptr, true);
    settings.SetPath(kSettingFileName);
    settings.Reload();
    const char* limit = settings.GetLine(kSettingRecordLimit);
    m_nRecordLimit = ReadInt(limit ? limit : "");
    m_dataFile.SetPath(kDataFileName);
    m_dataFile.Reload();
    return true;
}

void CListPage::RefreshAverages() {}

void CListPage::OnPrint()
{
    PrintReport();
}

void CListPage::PrintReport()
{
    ::PrintReport(this, Seam(), *m_pPrinters, m_dataFile);
}
