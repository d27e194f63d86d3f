#pragma once
// The printer the user chooses in the system's print dialog.

#include "print/PrinterSeam.h"

class IModalSeam;

class CPrintDialogSeam final : public IPrinterSeam
{
public:
    explicit CPrintDialogSeam(IModalSeam& modal) : m_modal(modal) {}

    // Shows the print dialog for the whole report: no page range, no selection, and printing
    // to a PDF file offered, as it is the only way to get the report as a file here.
    std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent) override;

private:
    IModalSeam& m_modal;
};
