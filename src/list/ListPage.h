#pragma once
// The main tab: the list of measurements, their averages, and adding, correcting and deleting.

#include "platform/Dialog.h"
#include "store/TextFile.h"

class CListPage : public CPage
{
    Q_OBJECT
public:
    explicit CListPage(IModalSeam& seam);

    CTextFile m_dataFile{nullptr, true}; // bound to the measurement file from initialisation on
    int m_nRecordLimit = 0;

    bool OnInitDialog() override;
};
