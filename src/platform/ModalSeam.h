#pragma once
// The one way pages and dialogs run modal dialogs and message boxes, so that tests can answer
// them without a screen.

#include <QString>

#include <memory>

class QDialog;
class QMessageBox;
class QWidget;

class IModalSeam
{
public:
    virtual ~IModalSeam() = default;
    // Runs the dialog modally; returns IDOK or IDCANCEL.
    virtual int RunDialog(QDialog& dialog) = 0;
    // Shows a message box; type combines MB_OK or MB_YESNO with an MB_ICON flag, and
    // MB_DEFBUTTON2 for いいえ as the default. Returns IDOK, IDYES or IDNO.
    virtual int MessageBox(QWidget* parent, const QString& text, const QString& caption, unsigned type) = 0;
    // A message box with a check box under its text, such as "今後このメッセージを表示しない";
    // checked holds the box's state before and after. A seam without check boxes shows the
    // message alone and leaves checked as it was.
    virtual int MessageBoxWithCheck(QWidget* parent, const QString& text, const QString& caption,
                                    unsigned type, const QString& checkText, bool& checked)
    {
        (void)checkText;
        (void)checked;
        return MessageBox(parent, text, caption, type);
    }
};

// "今後このメッセージを表示しない", the check box of a notice the user may turn off.
QString DoNotShowAgainText();

// The seam of the running program: QDialog::exec and QMessageBox.
IModalSeam& RealModalSeam();

// The message box the running program shows, in the dialog font: type as for
// IModalSeam::MessageBox; with MB_YESNO, Yes is the default (No with MB_DEFBUTTON2) and
// Escape answers No. A check text
// adds a check box (QMessageBox::checkBox) under the message.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text, const QString& caption,
                                            unsigned type, const QString& checkText = QString());
