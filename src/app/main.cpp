#include "app/PressureApp.h"
#include "cli/CommandFolder.h"
#include "cli/ExitStatus.h"
#include "cli/Messages.h"
#include "cli/ParseCommandLine.h"
#include "cli/RunRequest.h"
#include "config/VelliqaConfig.h"
#include "platform/LocalMoment.h"

#include <QApplication>

#include <iostream>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineRequest request =
        ParseCommandLine(arguments, LocalDay(CTime::GetCurrentTime()), MessageLanguage());

    // The PDF report draws text, so it needs a GUI application, though never a display.
    if (std::holds_alternative<ReportPdfRequest>(request.action)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QGuiApplication::setApplicationName(QStringLiteral("velliqa"));
        return RunRequest(request, std::cout, std::cerr);
    }
    // Commands run without a display: only the core application, never a window.
    if (!std::holds_alternative<WindowRequest>(request.action)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("velliqa"));
        return RunRequest(request, std::cout, std::cerr);
    }
    if (!CheckDataFolder(request.dataDir, std::cerr))
        return kExitFailed;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velliqa"));
    // Lets the desktop match the window to the installed launcher entry and its icon.
    QGuiApplication::setDesktopFileName(
        QString::fromLatin1(kVelliqaAppId.data(), static_cast<qsizetype>(kVelliqaAppId.size())));
    CPressureApp theApp;
    theApp.InitInstance(CommandFolderPath(request.dataDir));
    return 0;
}
