#include "platform/ModalSeam.h"

#include "platform/DialogFont.h"
#include "platform/WinTypes.h"

#include <QCheckBox>
#include <QDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon IconOf(unsigned type)
{
    switch (type & 0xF0) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

class CRealModalSeam final : public IModalSeam
{
public:
    int RunDialog(QDialog& dialog) override { return dialog.exec(); }

    int MessageBox(QWidget* parent, const QString& text, const QString& caption, unsigned type) override
    {
        return Run(*MakeMessageBox(parent, text, caption, type), type);
    }

    int MessageBoxWithCheck(QWidget* parent, const QString& text, const QString& caption, unsigned type,
                            const QString& checkText, bool& checked) override
    {
        const std::unique_ptr<QMessageBox> box = MakeMessageBox(parent, text, caption, type, checkText);
        box->checkBox()->setChecked(checked);
        const int answer = Run(*box, type);
        checked = box->checkBox()->isChecked();
        return answer;
    }

private:
    static int Run(QMessageBox& box, unsigned type)
    {
        const int pressed = box.exec();
        if ((type & 0x0F) == MB_YESNO)
            return pressed == QMessageBox::Yes ? IDYES : IDNO;
        return IDOK;
    }
};

} // namespace

QString DoNotShowAgainText()
{
    return QStringLiteral("今後このメッセージを表示しない");
}

IModalSeam& RealModalSeam()
{
    static CRealModalSeam seam; // stateless
    return seam;
}

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text, const QString& caption,
                                            unsigned type, const QString& checkText)
{
    auto box = std::make_unique<QMessageBox>(parent);
    // Set on the box itself, so that a desktop theme's own message-box font does not win over
    // the pages' font.
    box->setFont(DialogFont());
    box->setWindowTitle(caption);
    box->setText(text);
    box->setIcon(IconOf(type));
    if (!checkText.isEmpty()) {
        auto* check = new QCheckBox(checkText);
        check->setAccessibleName(checkText);
        box->setCheckBox(check); // the box owns it
    }
    if ((type & 0x0F) == MB_YESNO) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton((type & MB_DEFBUTTON2) != 0 ? QMessageBox::No : QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
        return box;
    }
    box->setStandardButtons(QMessageBox::Ok);
    return box;
}
