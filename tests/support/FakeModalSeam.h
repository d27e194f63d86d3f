#pragma once
// Answers modal dialogs and message boxes in tests: each dialog is handed to the next queued
// handler, which may fill its controls and returns the dialog's result; each message box is
// recorded and answered from a queue (IDOK / IDYES when the queue is empty), and a check box under
// a message is left as queued.

#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"

#include <QDialog>
#include <QString>

#include <deque>
#include <functional>
#include <vector>

struct ShownMessage
{
    QString text;
    QString caption;
    unsigned type = 0;
    QString checkText; // the check box under the message, if any
};

class FakeModalSeam : public IModalSeam
{
public:
    using DialogHandler = std::function<int(QDialog&)>;

    void QueueDialog(DialogHandler handler) { m_dialogs.push_back(std::move(handler)); }
    void QueueAnswer(int answer) { m_answers.push_back(answer); }
    // How the user leaves the check box of the next message that has one (else as it was).
    void QueueCheck(bool checked) { m_checks.push_back(checked); }

    int RunDialog(QDialog& dialog) override
    {
        ++dialogsRun;
        if (m_dialogs.empty())
            return IDCANCEL;
        DialogHandler handler = std::move(m_dialogs.front());
        m_dialogs.pop_front();
        return handler(dialog);
    }

    int MessageBox(QWidget*, const QString& text, const QString& caption, unsigned type) override
    {
        messages.push_back({text, caption, type, {}});
        if (m_answers.empty())
            return (type & 0x0F) == MB_YESNO ? IDYES : IDOK;
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    int MessageBoxWithCheck(QWidget* parent, const QString& text, const QString& caption, unsigned type,
                            const QString& checkText, bool& checked) override
    {
        const int answer = MessageBox(parent, text, caption, type);
        messages.back().checkText = checkText;
        if (!m_checks.empty()) {
            checked = m_checks.front();
            m_checks.pop_front();
        }
        return answer;
    }

    std::vector<ShownMessage> messages;
    int dialogsRun = 0;

private:
    std::deque<DialogHandler> m_dialogs;
    std::deque<int> m_answers;
    std::deque<bool> m_checks;
};

// Presses OK the way a user does: the dialog's own OK path runs its checks. Returns the result
// the dialog ended with, or IDCANCEL while it stays open.
inline int PressOk(QDialog& dialog)
{
    dialog.setResult(0);
    dialog.accept();
    return dialog.result() == 0 ? IDCANCEL : dialog.result();
}
