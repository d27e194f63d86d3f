#include "app/CommandLine.h"
#include "app/PressureApp.h"
#include "config/VelliqaConfig.h"

#include <QApplication>

#include <iostream>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    CCommandLine commandLine;
    commandLine.Parse(arguments);

    // The PDF report draws text: a GUI application without a display.
    if (commandLine.NeedsFonts()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QGuiApplication::setApplicationName(QStringLiteral("velliqa"));
        return commandLine.Run(std::cout, std::cerr);
    }
    // Commands run without a display: only the core application, never a window.
    if (!commandLine.WantsWindow()) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("velliqa"));
        return commandLine.Run(std::cout, std::cerr);
    }
    if (!commandLine.EnterDataFolder(std::cerr))
        return CCommandLine::kExitFailed;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velliqa"));
    // Lets the desktop match the window to the installed launcher entry and its icon.
    QGuiApplication::setDesktopFileName(
        QString::fromLatin1(kVelliqaAppId.data(), static_cast<qsizetype>(kVelliqaAppId.size())));
    CPressureApp theApp;
    theApp.InitInstance();
    return 0;
}
