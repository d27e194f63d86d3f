#pragma once
// Watching the progress dialog of CProgressRunner from a test, while its work runs.

#include "platform/ProgressRunner.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

// Calls check every 20 ms while an event loop runs, until it returns true.
inline void WhileRunning(std::function<bool()> check)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, check = std::move(check)] {
        if (check())
            timer->deleteLater();
    });
    timer->start(20);
}

inline QDialog* ProgressDialog()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(CProgressRunner::kDialogName) && w->isVisible())
            return qobject_cast<QDialog*>(w);
    return nullptr;
}
