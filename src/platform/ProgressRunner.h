#pragma once
// The runner of the running program: the work on a worker thread, a modal progress dialog
// with "キャンセル" once it has taken longer than half a second, and no input to the window
// meanwhile, so that nothing can start a second task or close the window under the first.

#include "platform/WorkRunner.h"

#include <QString>

class CProgressRunner final : public IWorkRunner
{
public:
    static constexpr int kShowAfterMs = 500;
    // The object name of the progress dialog, by which tests find it.
    static constexpr const char* kDialogName = "workProgress";

    // text says what runs; title is the progress dialog's caption, named by the task.
    CProgressRunner(QString text, QString title) : m_strText(std::move(text)), m_strTitle(std::move(title)) {}
    void Run(QWidget* parent, const std::function<void()>& work,
             const std::function<void()>& cancel) override;

private:
    QString m_strText;
    QString m_strTitle;
};
