#pragma once
// The application object: sets up the program's look and language and runs the main window.

#include <QTranslator>

#include <string>

class CPressureApp
{
public:
    // Runs the whole program on the data folder at folder; returns false, as the program has no
    // message loop of its own.
    bool InitInstance(const std::string& folder);

    static QString AlreadyRunningMessage();

private:
    QTranslator m_qtTranslator;
};
