#include "app/AboutDlg.h"

#include "res/Templates.h"

CAboutDlg::CAboutDlg(IModalSeam& seam, QWidget* parent) : CDialog(AboutTemplate(), seam, parent) {}
