#pragma once
// How a report gets its printer: the print dialog in the program, a PDF printer in tests.

#include <memory>

class QPrinter;
class QWidget;

class IPrinterSeam
{
public:
    virtual ~IPrinterSeam() = default;
    // The printer the user chose, or null when the dialog was cancelled.
    virtual std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent) = 0;
};
