#include "app/CommandLine.h"
#include "app/PressureApp.h"
#include "config/VelliqaConfig.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // What the command line asks for without a window runs before any window system is needed.
    if (const std::optional<int> exitCode = RunCommandLine(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velliqa"));
    // Lets the desktop match the window to the installed launcher entry and its icon.
    QGuiApplication::setDesktopFileName(
        QString::fromLatin1(kVelliqaAppId.data(), static_cast<qsizetype>(kVelliqaAppId.size())));
    CPressureApp theApp;
    theApp.InitInstance();
    return 0;
}
