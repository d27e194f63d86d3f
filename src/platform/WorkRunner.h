#pragma once
// Runs the slow part of a task away from the user-interface thread, so the window stays
// painted; the real runner shows a progress dialog with a cancel button meanwhile.

#include <functional>

class QWidget;

class IWorkRunner
{
public:
    virtual ~IWorkRunner() = default;
    // Runs work on a worker thread and returns once it has ended. cancel is called on this
    // thread when the user asks to stop; work must then end soon.
    virtual void Run(QWidget* parent, const std::function<void()>& work,
                     const std::function<void()>& cancel) = 0;
};
