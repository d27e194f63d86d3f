#include "app/PressureApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velliqa"));
    CPressureApp theApp;
    theApp.InitInstance();
    return 0;
}
