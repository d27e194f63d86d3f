// velliqa-screenshots OUTDIR: renders the main window, each page and each dialog to PNG.
#include "tools/screenshots/Shots.h"

#include "app/MainDlg.h"
#include "res/Resources.h"

#include <QApplication>
#include <QDir>
#include <QTabBar>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>

void ShotContext::Save(QWidget& widget, const QString& name) const
{
    const QString path = outDir + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!widget.grab().save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
}

void ShowMainWindowOnTab(CMainDlg& dlg, int tab)
{
    dlg.OnInitDialog();
    dlg.show();
    dlg.TabBar()->setCurrentIndex(tab);
    QApplication::processEvents();
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InitResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velliqa.svg")));
    const QString outDir =
        QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots")).absolutePath();
    QDir().mkpath(outDir);
    const ShotContext ctx{outDir};

    for (auto* shoot : {&ShootApp, &ShootList, &ShootGraph, &ShootSettings, &ShootPrint, &ShootUpdate}) {
        QTemporaryDir data;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(data.path());
        shoot(ctx);
        QDir::setCurrent(previous);
    }
    return 0;
}
