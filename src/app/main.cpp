#include "app/PressureApp.h"
#include "config/VelliqaConfig.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velliqa"));
    // Lets the desktop match the window to the installed launcher entry and its icon.
    QGuiApplication::setDesktopFileName(
        QString::fromLatin1(kVelliqaAppId.data(), static_cast<qsizetype>(kVelliqaAppId.size())));
    CPressureApp theApp;
    theApp.InitInstance();
    return 0;
}
