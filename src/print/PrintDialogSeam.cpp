#include "print/PrintDialogSeam.h"

#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"

#include <QPrintDialog>
#include <QPrinter>

std::unique_ptr<QPrinter> CPrintDialogSeam::ChoosePrinter(QWidget* parent)
{
    // Device units are the printer's own pixels.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (m_modal.RunDialog(dialog) != IDOK)
        return nullptr;
    return printer;
}
