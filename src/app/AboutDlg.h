#pragma once
// The about box: the program's name and version.

#include "platform/Dialog.h"

class CAboutDlg : public CDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(IModalSeam& seam, QWidget* parent = nullptr);
};
