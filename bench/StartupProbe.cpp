// velliqa-startup-probe: starts the program as the user would (application object, main window
// with its four pages over the data files in the current directory), stops as soon as the main
// window has been shown, and prints the time that took and the peak resident memory.
#include "app/MainDlg.h"
#include "platform/ModalSeam.h"
#include "res/Resources.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

int main(int argc, char** argv)
{
    QElapsedTimer timer;
    timer.start();
    QApplication app(argc, argv);
    InitResources();
    CMainDlg dlg(RealModalSeam());
    dlg.OnInitDialog();
    dlg.show();
    QApplication::processEvents();
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("startup_ms %.2f peak_rss_kib %ld\n", ms, usage.ru_maxrss);
    return 0;
}
