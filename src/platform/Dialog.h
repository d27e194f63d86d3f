#pragma once
// The two kinds of window the program is made of, built from a template:
// CDialog, a modal dialog run through the modal seam, and CPage, a child page of the main
// window. Both exchange their members with their controls in DoDataExchange.

#include "platform/DataExchange.h"
#include "platform/DialogTemplate.h"

#include <QDialog>
#include <QWidget>

class IModalSeam;

class CDialog : public QDialog
{
    Q_OBJECT
public:
    CDialog(const DlgTemplate& tmpl, IModalSeam& seam, QWidget* parent = nullptr);

    // Runs OnInitDialog, then the dialog modally through the seam: IDOK or IDCANCEL.
    int DoModal();
    // Moves values between the controls and the members; false when a check failed.
    bool UpdateData(bool saveAndValidate = true);

    QWidget* Control(int id) const { return m_controls.Control(id); }
    template <typename T> T* Get(int id) const { return m_controls.Get<T>(id); }
    IModalSeam& Seam() const { return m_seam; }

    // The OK path: the exchange from the controls, and IDOK when nothing failed.
    virtual void OnOK();
    virtual void OnCancel();

    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }

    // Fills the controls; DoModal runs it before the dialog is shown.
    virtual bool OnInitDialog();

protected:
    virtual void DoDataExchange(CDataExchange&) {}

private:
    IModalSeam& m_seam;
    CBuiltTemplate m_controls;
};

class CPage : public QWidget
{
    Q_OBJECT
public:
    CPage(const DlgTemplate& tmpl, IModalSeam& seam);

    // Makes the page a hidden child of parent at its template position and runs OnInitDialog.
    bool Create(QWidget* parent, QPoint positionDu = QPoint(10, 25));
    bool UpdateData(bool saveAndValidate = true);

    QWidget* Control(int id) const { return m_controls.Control(id); }
    template <typename T> T* Get(int id) const { return m_controls.Get<T>(id); }
    IModalSeam& Seam() const { return m_seam; }

    // Runs inside Create: reads the page's files and fills its controls.
    virtual bool OnInitDialog();
    // The user has left the page for another tab, and its values were read back.
    virtual void OnPageLeft() {}

protected:
    virtual void DoDataExchange(CDataExchange&) {}
    // Enter and Escape inside the page do nothing, so that no key closes the main window
    // from inside a page; Enter on a focused push button still presses it.
    void SwallowEnterAndEscape(bool on) { m_bSwallowKeys = on; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    IModalSeam& m_seam;
    CBuiltTemplate m_controls;
    bool m_bSwallowKeys = false;
};
