#pragma once
// The one way pages and dialogs run modal dialogs and message boxes, so that tests can answer
// them without a screen.

#include <QString>

class QDialog;
class QWidget;

class IModalSeam
{
public:
    virtual ~IModalSeam() = default;
    // Runs the dialog modally; returns IDOK or IDCANCEL.
    virtual int RunDialog(QDialog& dialog) = 0;
    // Shows a message box; type combines MB_OK or MB_YESNO with an MB_ICON flag. Returns IDOK,
    // IDYES or IDNO.
    virtual int MessageBox(QWidget* parent, const QString& text, const QString& caption, unsigned type) = 0;
};

// The seam of the running program: QDialog::exec and QMessageBox.
IModalSeam& RealModalSeam();
