#pragma once
// The screenshot renderer: every window of the program drawn to PNG files, with no display.
// Each subsystem adds its pages and dialogs in its own Shoot function.

#include <QString>

class CMainDlg;
class QWidget;

struct ShotContext
{
    QString outDir;
    // Writes the widget, as drawn now, to outDir/name.png.
    void Save(QWidget& widget, const QString& name) const;
    // Writes the whole screen with the window (and its frame) where it stands on it.
    void SaveOnScreen(QWidget& window, const QString& name) const;
    // Writes the program's message box with this text (type as for IModalSeam::MessageBox).
    void SaveMessageBox(const QString& name, const QString& text, unsigned type,
                        const QString& checkText = QString()) const;
};

// Initialises the main window, shows it and selects the tab, with its page painted.
void ShowMainWindowOnTab(CMainDlg& dlg, int tab);

// Writes sample measurements into data.txt of the current folder.
void WriteSampleRecords();

// Each runs in a fresh data folder that is its current directory.
void ShootApp(const ShotContext& ctx);        // main window on each tab, about box
void ShootList(const ShotContext& ctx);       // list page with data, entry dialog
void ShootGraph(const ShotContext& ctx);      // graph page with data
void ShootEvaluation(const ShotContext& ctx); // evaluation page with four weeks of data
void ShootSettings(const ShotContext& ctx);   // settings page, rename dialog
void ShootPrint(const ShotContext& ctx);      // the printed report as PDF and PNG
void ShootReport(const ShotContext& ctx);     // the report for the doctor, pages 1 and 2
void ShootUpdate(const ShotContext& ctx);     // other page
void ShootBackups(const ShotContext& ctx);    // restore dialog, the list's menu with 元に戻す
