#include "platform/ModalSeam.h"

#include "platform/WinTypes.h"

#include <QDialog>
#include <QMessageBox>

namespace {

class CRealModalSeam final : public IModalSeam
{
public:
    int RunDialog(QDialog& dialog) override { return dialog.exec(); }

    int MessageBox(QWidget* parent, const QString& text, const QString& caption, unsigned type) override
    {
        QMessageBox box(parent);
        box.setWindowTitle(caption);
        box.setText(text);
        switch (type & 0xF0) {
        case MB_ICONSTOP:
            box.setIcon(QMessageBox::Critical);
            break;
        case MB_ICONQUESTION:
            box.setIcon(QMessageBox::Question);
            break;
        case MB_ICONEXCLAMATION:
            box.setIcon(QMessageBox::Warning);
            break;
        case MB_ICONINFORMATION:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
        }
        if ((type & 0x0F) == MB_YESNO) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            return box.exec() == QMessageBox::Yes ? IDYES : IDNO;
        }
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return IDOK;
    }
};

} // namespace

IModalSeam& RealModalSeam()
{
    static CRealModalSeam seam; // stateless
    return seam;
}
