#pragma once
// The settings tab: the user's name, the record limit, the print range and the type names.
// There is no OK step: each field is written to its line of the settings file when it loses
// the focus, each check box when it is clicked, and a type name when its rename is confirmed.
//
// How the changes reach the other pages:
// - the record limit only through the settings file: the list page reads it once, when it is
//   initialised, so a new limit applies from the next start;
// - the print range and the name through the settings file: the printed report reads the file
//   afresh at every print;
// - a renamed type through the TypeRenamed signal, which the main window connects to the list
//   page's selector; the graph page and the entry dialog read the type file when they fill
//   their own selectors.

#include "platform/Cp932Edit.h"
#include "platform/Dialog.h"
#include "store/TextFile.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CUndoController;
class QCheckBox;
class QLineEdit;
class QListWidget;

class CSettingsPage : public CPage
{
    Q_OBJECT
public:
    explicit CSettingsPage(IModalSeam& seam);
    ~CSettingsPage() override;

    CTextFile m_settingFile;
    CTextFile m_itemFile;

    CCp932Edit* m_editName = nullptr;      // 1030
    QLineEdit* m_editPrintTo = nullptr;    // 1027
    QLineEdit* m_editPrintFrom = nullptr;  // 1026
    QLineEdit* m_editMaxRecords = nullptr; // 1022
    QCheckBox* m_checkFuse = nullptr;      // 1023, hidden
    QCheckBox* m_checkBl = nullptr;        // 1024, hidden
    QListWidget* m_listTypes = nullptr;    // 1025

    std::uint32_t m_nMaxRecords = 0;
    std::uint32_t m_nPrintFrom = 0;
    std::uint32_t m_nPrintTo = 0;
    int m_nUseFuse = 0;    // check box 1023: 1 when ticked (an int, as the check box exchange takes)
    int m_nUseBl = 0;      // check box 1024: 1 when ticked
    std::string m_strName; // code page 932

    bool OnInitDialog() override;
    // Shows the settings and the type names as the files hold them (also after a restore).
    void ShowFiles();
    // The run's undo history: each saved field and each renamed type becomes a step.
    void SetUndo(CUndoController* undo) { m_pUndo = undo; }
    // The note beside the print range: about `rows` rows of the report fit one A4 page.
    static QString RowsPerPageText(int rows);
    // A record limit newly set below the number of stored records: the user learns how many
    // of the oldest records the first addition after the next start will delete.
    void OnPageLeft() override;

    // Each field's text as typed, with its line feed, onto its line of the settings file.
    void OnKillfocusMaxRecords();
    void OnKillfocusPrintFrom();
    void OnKillfocusPrintTo();
    void OnKillfocusName();
    // The hidden boxes: "1" or "0"; box 1024 owns line 4 and box 1023 line 5.
    void OnUseBl();
    void OnUseFuse();
    // Renames the selected type in the list and the type file, then announces TypeRenamed.
    void OnRenameType();

Q_SIGNALS:
    // Type `index` is now called `name`: its line of the type file holds the new name.
    void TypeRenamed(int index, const QString& name);

protected:
    void DoDataExchange(CDataExchange& dx) override;
    void showEvent(QShowEvent* event) override;

private:
    void BindControls();
    void WatchFocusLoss(QLineEdit* edit, void (CSettingsPage::*handler)());
    // Replaces one line of the settings file with text (ending in its line feed).
    bool WriteSettingLine(unsigned line, std::string text);
    // A field's text or a box's state onto its line; tells the user when that failed.
    void SaveField(QLineEdit* edit, unsigned line, const QString& fieldName);
    void SaveCheck(QCheckBox* box, unsigned line, const QString& fieldName);
    // The field's text as code page 932 bytes (nullopt: not representable) onto its line; false,
    // once the user has been told, when it was not stored.
    bool SaveText(const std::optional<std::string>& text, unsigned line, const QString& fieldName);
    void ReplaceTypeEntry(int index, const std::string& name);

    CUndoController* m_pUndo = nullptr;
    std::uint32_t m_nToldLimit = 0; // the record limit the user was last told about (or started with)

    // Declared last, so destroyed first: no focus loss of a control reaches a page whose
    // members are already gone.
    std::vector<std::unique_ptr<QObject>> m_focusFilters;
};

// "「%1」を保存できませんでした。…": a setting that could not be written to the settings file,
// with the system's reason (an errno value) and the advice that fits it.
QString SettingNotSavedMessage(const QString& fieldName, int error);
// A type name that could not be written to the type file, with the system's reason.
QString TypeNotRenamedMessage(int error);
