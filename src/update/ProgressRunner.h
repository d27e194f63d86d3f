#pragma once
// The runner of the running program: the work on a worker thread, a modal progress dialog
// with "キャンセル" once it has taken longer than half a second, and no input to the window
// meanwhile, so that nothing can start a second check or close the window under the first.

#include "update/CheckRunner.h"

#include <QString>

class CProgressRunner final : public ICheckRunner
{
public:
    static constexpr int kShowAfterMs = 500;
    // The object name of the progress dialog, by which tests find it.
    static constexpr const char* kDialogName = "checkProgress";

    // text says what runs; title is the progress dialog's caption.
    explicit CProgressRunner(QString text, QString title = QStringLiteral("バージョンの確認"))
        : m_strText(std::move(text)), m_strTitle(std::move(title))
    {
    }
    void Run(QWidget* parent, const std::function<void()>& work,
             const std::function<void()>& cancel) override;

private:
    QString m_strText;
    QString m_strTitle;
};
