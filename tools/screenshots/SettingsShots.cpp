#include "tools/screenshots/Shots.h"

#include "app/MainDlg.h"
#include "platform/Cp932.h"
#include "platform/ModalSeam.h"
#include "settings/RenameDlg.h"

#include <QApplication>
#include <QTabBar>

#include <fstream>
#include <string>

namespace {

void WriteFile(const char* name, const std::string& utf8Lines)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << Cp932FromUtf8(utf8Lines);
}

} // namespace

void ShootSettings(const ShotContext& ctx)
{
    WriteFile("setting.txt", "1000\r\n1\r\n30\r\n0\r\n0\r\n山田 花子\r\n");
    WriteFile("item.txt", "[指定なし]\r\n朝\r\n昼\r\n晩\r\nその他\r\n");

    CMainDlg dlg(RealModalSeam());
    ShowMainWindowOnTab(dlg, CMainDlg::kSettingsTab);
    ctx.Save(dlg, QStringLiteral("settings-page"));

    CRenameDlg rename(RealModalSeam(), &dlg);
    rename.m_strName = Cp932FromUtf8("朝");
    rename.OnInitDialog();
    rename.show();
    QApplication::processEvents();
    ctx.Save(rename, QStringLiteral("settings-rename"));
}
