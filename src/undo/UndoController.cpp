#include "undo/UndoController.h"

#include "platform/DataExchange.h"
#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"
#include "store/WriteFailure.h"

#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <QWidget>

CUndoController::CUndoController(IModalSeam& seam, QWidget* window, std::string folder)
    : m_seam(seam), m_pWindow(window), m_history(std::move(folder))
{
    const struct
    {
        const char* keys;
        bool undo;
    } shortcuts[] = {{"Ctrl+Z", true}, {"Ctrl+Y", false}, {"Ctrl+Shift+Z", false}};
    for (const auto& s : shortcuts) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(s.keys)), window);
        connect(shortcut, &QShortcut::activated, this,
                s.undo ? &CUndoController::OnUndo : &CUndoController::OnRedo);
    }
}

QString CUndoController::UndoText() const
{
    const std::string label = m_history.UndoLabel();
    return label.empty() ? QStringLiteral("元に戻す")
                         : QStringLiteral("元に戻す: ") + QString::fromStdString(label);
}

QString CUndoController::RedoText() const
{
    const std::string label = m_history.RedoLabel();
    return label.empty() ? QStringLiteral("やり直し")
                         : QStringLiteral("やり直し: ") + QString::fromStdString(label);
}

void CUndoController::AddActions(QMenu* menu)
{
    QAction* undo = menu->addAction(UndoText(), this, &CUndoController::OnUndo);
    undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    undo->setEnabled(m_history.CanUndo());
    QAction* redo = menu->addAction(RedoText(), this, &CUndoController::OnRedo);
    redo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Y")));
    redo->setEnabled(m_history.CanRedo());
}

void CUndoController::OnUndo()
{
    if (!m_history.CanUndo())
        return;
    const QString what = QString::fromStdString(m_history.UndoLabel());
    Report(m_history.Undo(), QStringLiteral("「%1」を元に戻せません。").arg(what));
}

void CUndoController::OnRedo()
{
    if (!m_history.CanRedo())
        return;
    const QString what = QString::fromStdString(m_history.RedoLabel());
    Report(m_history.Redo(), QStringLiteral("「%1」をやり直せません。").arg(what));
}

void CUndoController::Report(const CUndoHistory::Outcome& outcome, const QString& what)
{
    if (!outcome.refusal.empty()) {
        m_seam.MessageBox(m_pWindow,
                          what +
                              QStringLiteral("\n%1 が Velliqa の外で変更されています。何も変更していません。")
                                  .arg(QString::fromStdString(outcome.refusal)),
                          AppTitle(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!outcome.done)
        m_seam.MessageBox(m_pWindow,
                          what + QStringLiteral("\n") +
                              QString::fromStdString(WriteFailureText(outcome.failedFile, outcome.error)),
                          AppTitle(), MB_OK | MB_ICONEXCLAMATION);
    // Even a step that failed part way may have rewritten files.
    Q_EMIT FilesChanged();
}

CUndoRecorder::CUndoRecorder(CUndoController* controller, std::string label, std::vector<std::string> files)
    : m_pController(controller)
{
    if (m_pController)
        m_pending = m_pController->History().Begin(std::move(label), std::move(files));
}

void CUndoRecorder::Commit()
{
    if (m_pController && m_pending)
        m_pController->History().Commit(*m_pending);
    m_pending.reset();
}
