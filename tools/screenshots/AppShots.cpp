#include "tools/screenshots/Shots.h"

#include "app/AboutDlg.h"
#include "app/MainDlg.h"
#include "platform/ModalSeam.h"

#include <QApplication>
#include <QTabBar>

void ShootApp(const ShotContext& ctx)
{
    CMainDlg dlg(RealModalSeam());
    dlg.OnInitDialog();
    dlg.show();
    const char* names[] = {"main-list", "main-graph", "main-evaluation", "main-settings", "main-other"};
    for (int tab = 0; tab < CMainDlg::kTabCount; ++tab) {
        dlg.TabBar()->setCurrentIndex(tab);
        QApplication::processEvents();
        ctx.Save(dlg, QString::fromLatin1(names[tab]));
    }
    CAboutDlg about(RealModalSeam());
    about.show();
    QApplication::processEvents();
    ctx.Save(about, QStringLiteral("about"));
}
