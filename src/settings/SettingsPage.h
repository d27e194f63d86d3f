#pragma once
// The settings tab: the user's name, the record limit, the print range and the type names.

#include "platform/Dialog.h"

class CListPage;

class CSettingsPage : public CPage
{
    Q_OBJECT
public:
    explicit CSettingsPage(IModalSeam& seam);

    CListPage* m_pListPage = nullptr; // set by the main window once all pages exist

    bool OnInitDialog() override;
};
