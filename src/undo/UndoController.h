#pragma once
// 元に戻す (Ctrl+Z) and やり直し (Ctrl+Y, Ctrl+Shift+Z) of the main window: the run's history,
// the shortcuts on every page, the entries of the list's menu naming the step, and what the
// user is told when a step is refused or cannot be written. The pages record their changes
// through CUndoRecorder.

#include "undo/UndoHistory.h"

#include <QObject>
#include <QString>

#include <optional>

class IModalSeam;
class QMenu;
class QWidget;

class CUndoController : public QObject
{
    Q_OBJECT
public:
    // The history of the data folder at folder, its shortcuts on window.
    CUndoController(IModalSeam& seam, QWidget* window, std::string folder);

    CUndoHistory& History() { return m_history; }
    void OnUndo();
    void OnRedo();
    // "元に戻す: 削除（3 件）", or "元に戻す" when there is nothing to undo; the same for redo.
    QString UndoText() const;
    QString RedoText() const;
    // The two entries, enabled when there is a step, for a context menu.
    void AddActions(QMenu* menu);

Q_SIGNALS:
    // An undo or a redo rewrote files: the pages show them as they are now.
    void FilesChanged();

private:
    void Report(const CUndoHistory::Outcome& outcome, const QString& what);

    IModalSeam& m_seam;
    QWidget* m_pWindow;
    CUndoHistory m_history;
};

// One change made undoable: the files' contents are taken when it is made (before the change is
// written), and Commit, after the change was written, makes it a step. Without a controller (a
// page used on its own) it does nothing.
class CUndoRecorder
{
public:
    CUndoRecorder(CUndoController* controller, std::string label, std::vector<std::string> files);
    void Commit();

private:
    CUndoController* m_pController;
    std::optional<PendingUndoStep> m_pending;
};
