#include "platform/ProgressRunner.h"

#include "platform/DialogTemplate.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <thread>

namespace {

// The progress dialog. Cancelling (the button, Escape, the close box) asks the work to stop
// once; the dialog stays until the work has really ended.
class CProgressDlg final : public QDialog
{
public:
    CProgressDlg(QWidget* parent, const QString& text, const QString& title, std::function<void()> cancel)
        : QDialog(parent), m_cancel(std::move(cancel))
    {
        setWindowFlag(Qt::WindowContextHelpButtonHint, false);
        setWindowTitle(title);
        setFont(DialogFont());
        setWindowModality(Qt::ApplicationModal);
        m_label = new QLabel(text, this);
        auto* bar = new QProgressBar(this);
        bar->setRange(0, 0); // busy: the length of the answer is not known
        bar->setTextVisible(false);
        bar->setAccessibleName(text);
        m_button = new QPushButton(QStringLiteral("キャンセル"), this);
        m_button->setAccessibleName(m_button->text());
        connect(m_button, &QPushButton::clicked, this, [this] { reject(); });
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(m_button);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_label);
        layout->addWidget(bar);
        layout->addLayout(buttons);
        layout->setContentsMargins(16, 16, 16, 12);
        layout->setSpacing(10);
        setMinimumWidth(fontMetrics().horizontalAdvance(text) + 120);
    }

    void reject() override
    {
        if (m_cancelled)
            return;
        m_cancelled = true;
        m_label->setText(QStringLiteral("中止しています…"));
        m_button->setEnabled(false);
        m_cancel();
    }

private:
    std::function<void()> m_cancel;
    QLabel* m_label = nullptr;
    QPushButton* m_button = nullptr;
    bool m_cancelled = false;
};

// Keeps the user's input away from every window but the progress dialog while the work runs,
// also in the half second before the dialog shows: no second click starts another task, and
// no key or close box ends the program under a running one.
class CInputBlocker final : public QObject
{
public:
    explicit CInputBlocker(QWidget* allowed) : m_allowed(allowed) { qApp->installEventFilter(this); }
    ~CInputBlocker() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!IsUserInput(event->type()))
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() == m_allowed)
            return false;
        if (event->type() == QEvent::ShortcutOverride)
            event->accept(); // taken by the widget: no shortcut fires
        else
            event->ignore(); // a refused close keeps the window open
        return true;
    }

private:
    static bool IsUserInput(QEvent::Type type)
    {
        switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Close:
            return true;
        default:
            return false;
        }
    }

    QWidget* m_allowed;
};

} // namespace

void CProgressRunner::Run(QWidget* parent, const std::function<void()>& work,
                          const std::function<void()>& cancel)
{
    QEventLoop loop;
    CProgressDlg dlg(parent ? parent->window() : nullptr, m_strText, m_strTitle, cancel);
    dlg.setObjectName(QString::fromLatin1(kDialogName));
    const CInputBlocker blocker(&dlg);
    QTimer::singleShot(kShowAfterMs, &dlg, [&dlg] { dlg.show(); });

    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            // The work reports its own outcome; whatever escaped it must not end the program.
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
}
