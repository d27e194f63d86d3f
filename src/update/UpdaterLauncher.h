#pragma once
// Starts the updater as a process of its own, detached from the program, with its arguments
// as a list: no shell reads them, so no value can become another argument or a command.

#include <QString>
#include <QStringList>

class IUpdaterLauncher
{
public:
    virtual ~IUpdaterLauncher() = default;
    // True when the process was started.
    virtual bool StartDetached(const QString& program, const QStringList& arguments) = 0;
};

// QProcess::startDetached.
IUpdaterLauncher& RealUpdaterLauncher();
