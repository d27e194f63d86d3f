#pragma once
// The one way pages ask the user for a file to read or write, so that tests can answer
// without a screen.

#include <QString>

class QWidget;

class IFileDialogSeam
{
public:
    virtual ~IFileDialogSeam() = default;
    // The file chosen to read, or empty when the user cancelled. filter as QFileDialog takes it.
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter) = 0;
    // The file chosen to write (the dialog has asked before replacing one), or empty.
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                 const QString& filter) = 0;
};

// The seam of the running program: the desktop's usual file dialogs.
IFileDialogSeam& RealFileDialogSeam();
