#include "platform/Dialog.h"

#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace {

bool RunExchange(QWidget* host, IModalSeam& seam, bool save,
                 const std::function<void(CDataExchange&)>& exchange)
{
    CDataExchange dx(host, save, seam);
    exchange(dx);
    return !dx.Failed();
}

} // namespace

CDialog::CDialog(const DlgTemplate& tmpl, IModalSeam& seam, QWidget* parent)
    : QDialog(parent), m_seam(seam), m_controls(BuildTemplate(this, tmpl))
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // Enter presses the push button that has the focus; elsewhere it presses the default button.
    for (QWidget* control : m_controls.All())
        if (auto* button = qobject_cast<QPushButton*>(control))
            button->setAutoDefault(true);
    if (auto* ok = Get<QPushButton>(IDOK))
        connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });
    if (auto* cancel = Get<QPushButton>(IDCANCEL))
        connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
}

int CDialog::DoModal()
{
    OnInitDialog();
    return m_seam.RunDialog(*this);
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    return RunExchange(this, m_seam, saveAndValidate, [this](CDataExchange& dx) { DoDataExchange(dx); });
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        done(IDOK);
}

void CDialog::OnCancel()
{
    done(IDCANCEL);
}

CPage::CPage(const DlgTemplate& tmpl, IModalSeam& seam) : m_seam(seam), m_controls(BuildTemplate(this, tmpl))
{
    setVisible(false);
}

bool CPage::Create(QWidget* parent, QPoint positionDu)
{
    setParent(parent);
    const CDialogUnits du(font());
    move(du.X(positionDu.x()), du.Y(positionDu.y()));
    setVisible(false);
    qApp->installEventFilter(this);
    return OnInitDialog();
}

bool CPage::UpdateData(bool saveAndValidate)
{
    return RunExchange(this, m_seam, saveAndValidate, [this](CDataExchange& dx) { DoDataExchange(dx); });
}

bool CPage::OnInitDialog()
{
    UpdateData(false);
    return true;
}

bool CPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != this && !isAncestorOf(widget)))
        return false;
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    // Enter presses the push button that has the focus, as Space does; held down, it presses
    // it once.
    if (enter && (keyEvent->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            if (!keyEvent->isAutoRepeat() && button->isEnabled())
                button->click();
            return true;
        }
    }
    return m_bSwallowKeys && (enter || key == Qt::Key_Escape);
}
