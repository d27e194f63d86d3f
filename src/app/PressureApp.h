#pragma once
// The application object: sets up the program's look and language and runs the main window.

#include <QTranslator>

class CPressureApp
{
public:
    // Runs the whole program; returns false, as the program has no message loop of its own.
    bool InitInstance();

    static QString AlreadyRunningMessage();

private:
    QTranslator m_qtTranslator;
};
