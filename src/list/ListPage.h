#pragma once
// The main tab: the list of measurements, their averages, and adding, correcting and deleting.

#include "platform/Dialog.h"
#include "store/TextFile.h"

class IPrinterSeam;
class QComboBox;

class CListPage : public CPage
{
    Q_OBJECT
public:
    explicit CListPage(IModalSeam& seam);

    void RefreshAverages();
    void OnPrint();     // "印刷"
    void PrintReport(); // the one-page report of the print range
    void SetPrinterSeam(IPrinterSeam& printers) { m_pPrinters = &printers; }

    CTextFile m_dataFile{nullptr, true}; // bound to the measurement file from initialisation on
    int m_nRecordLimit = 0;
    QComboBox* m_comboAverageType = nullptr; // combo 1010, the type the averages cover

private:
    IPrinterSeam* m_pPrinters;

    bool OnInitDialog() override;
};
