#include "app/PressureApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velliqa"));
    // Lets the desktop match the window to the installed launcher entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velliqa.Velliqa"));
    CPressureApp theApp;
    theApp.InitInstance();
    return 0;
}
