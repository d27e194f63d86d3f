#pragma once
// The settings tab: the user's name, the record limit, the print range and the type names.
// There is no OK step: each field is written to its line of the settings file when it loses
// the focus, each check box when it is clicked, and a type name when its rename is confirmed.

#include "platform/Dialog.h"
#include "store/TextFile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CListPage;
class QCheckBox;
class QLineEdit;
class QListWidget;

class CSettingsPage : public CPage
{
    Q_OBJECT
public:
    explicit CSettingsPage(IModalSeam& seam);
    ~CSettingsPage() override;

    CTextFile m_settingFile{nullptr, true};
    CTextFile m_itemFile{nullptr, true};
    CListPage* m_pListPage = nullptr; // set by the main window once all pages exist; not owned

    QLineEdit* m_editName = nullptr;       // 1030
    QLineEdit* m_editPrintTo = nullptr;    // 1027
    QLineEdit* m_editPrintFrom = nullptr;  // 1026
    QLineEdit* m_editMaxRecords = nullptr; // 1022
    QCheckBox* m_checkFuse = nullptr;      // 1023, hidden
    QCheckBox* m_checkBl = nullptr;        // 1024, hidden
    QListWidget* m_listTypes = nullptr;    // 1025

    std::uint32_t m_nMaxRecords = 0;
    std::uint32_t m_nPrintFrom = 0;
    std::uint32_t m_nPrintTo = 0;
    int m_bUseFuse = 0;
    int m_bUseBl = 0;
    std::string m_strName; // code page 932

    bool OnInitDialog() override;

    // Each field's text as typed, with its line feed, onto its line of the settings file.
    void OnKillfocusMaxRecords();
    void OnKillfocusPrintFrom();
    void OnKillfocusPrintTo();
    void OnKillfocusName();
    // The hidden boxes: "1" or "0"; box 1024 owns line 4 and box 1023 line 5.
    void OnUseBl();
    void OnUseFuse();
    // Renames the selected type in the list, the type file and the list page's selector.
    void OnRenameType();

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    void BindControls();
    void WatchFocusLoss(QLineEdit* edit, void (CSettingsPage::*handler)());
    // Replaces one line of the settings file with text (ending in its line feed).
    bool WriteSettingLine(unsigned line, std::string text);
    // A field's text or a box's state onto its line; tells the user when that failed.
    void SaveField(QLineEdit* edit, unsigned line, const QString& fieldName);
    void SaveCheck(QCheckBox* box, unsigned line, const QString& fieldName);
    void ReplaceTypeEntry(int index, const std::string& name);
    void ReplaceComboEntry(int index, const std::string& name);

    // Declared last, so destroyed first: no focus loss of a control reaches a page whose
    // members are already gone.
    std::vector<std::unique_ptr<QObject>> m_focusFilters;
};

// "「%1」を保存できませんでした。…": a setting that could not be written to the settings file,
// with the system's reason (an errno value) and the advice that fits it.
QString SettingNotSavedMessage(const QString& fieldName, int error);
// A type name that could not be written to the type file, with the system's reason.
QString TypeNotRenamedMessage(int error);
