#pragma once
// A settings page on its own, over data files written by the test.

#include "folder/DataFolder.h"
#include "platform/Cp932.h"
#include "settings/SettingsPage.h"
#include "store/DataFiles.h"
#include "support/Controls.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>

#include <filesystem>
#include <memory>

class SettingsFixture : public ::testing::Test
{
protected:
    ScopedDataDir dir;
    FakeModalSeam seam;
    CDataFolder folder;
    QWidget host;

    // Default files for whichever the test did not write, then the page as the main window makes it.
    std::unique_ptr<CSettingsPage> OpenPage()
    {
        folder.Open();
        auto page = std::make_unique<CSettingsPage>(seam, folder);
        page->Create(&host);
        return page;
    }
    // The edit's kill-focus: the focus went elsewhere.
    static void LoseFocus(QWidget* control)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(control, &out);
    }
    // Every later edit of a data file fails: its temporary file cannot be created.
    static void BreakWrites() { std::filesystem::create_directory(CTextFile::kTempFileName); }
    static std::string Sjis(const char* utf8) { return Cp932FromUtf8(utf8); }
    // The page's fields, found by their ids.
    static CCp932Edit* NameEdit(const CSettingsPage& page)
    {
        return Control<CCp932Edit>(page, SettingsIds::IDC_NAME);
    }
    static QLineEdit* MaxRecordsEdit(const CSettingsPage& page)
    {
        return Control<QLineEdit>(page, SettingsIds::IDC_MAX_RECORDS);
    }
    static QLineEdit* PrintFromEdit(const CSettingsPage& page)
    {
        return Control<QLineEdit>(page, SettingsIds::IDC_PRINT_FROM);
    }
    static QLineEdit* PrintToEdit(const CSettingsPage& page)
    {
        return Control<QLineEdit>(page, SettingsIds::IDC_PRINT_TO);
    }
    static QCheckBox* FuseBox(const CSettingsPage& page)
    {
        return Control<QCheckBox>(page, SettingsIds::IDC_USE_FUSE);
    }
    static QCheckBox* BlBox(const CSettingsPage& page)
    {
        return Control<QCheckBox>(page, SettingsIds::IDC_USE_BL);
    }
    static QListWidget* TypeList(const CSettingsPage& page)
    {
        return Control<QListWidget>(page, SettingsIds::IDC_TYPES);
    }
};
