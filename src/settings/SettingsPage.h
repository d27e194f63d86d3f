#pragma once
// The settings tab: the user's name, the record limit, the print range and the type names.
// There is no OK step: each field is written to its line of the settings file when it loses
// the focus, each check box when it is clicked, and a type name when its rename is confirmed.
//
// Every setting is written through the data folder (CDataFolder), which holds the settings as
// one value and announces each change; the page shows the folder's values and follows its
// signals (an import that raises the limit, a restore, an undo). How the changes reach the
// other pages:
// - the record limit applies at once, everywhere: the list and an import read the folder's
//   value. A lower limit removes nothing by itself; the next addition or import trims to it,
//   asking first;
// - the print range and the name: the printed report reads the folder's value at every print;
// - a renamed type through the TypeRenamed signal, which the main window connects to the list
//   page's selector, and through the folder's TypesChanged, which the graph page's selector
//   follows; the entry dialog reads the type names when it fills its own selector.

#include "platform/Cp932Edit.h"
#include "platform/Dialog.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CDataFolder;
class CUndoController;
class QCheckBox;
class QLineEdit;
class QListWidget;

class CSettingsPage : public CPage
{
    Q_OBJECT
public:
    CSettingsPage(IModalSeam& seam, CDataFolder& folder);
    ~CSettingsPage() override;

    bool OnInitDialog() override;
    // Shows the folder's settings and type names.
    void ShowFiles();
    // The name as the page holds it (code page 932).
    const std::string& Name() const { return m_strName; }
    // The run's undo history: each saved field and each renamed type becomes a step.
    void SetUndo(CUndoController* undo) { m_pUndo = undo; }
    // The note beside the print range: about `rows` rows of the report fit one A4 page.
    static QString RowsPerPageText(int rows);
    // A record limit newly set below the number of stored records: the user learns how many
    // of the oldest records the next addition will delete.
    void OnPageLeft() override;

    // Each field's text as typed onto its line of the settings file.
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
    // The folder's settings, or its type names, into the page: after a change made elsewhere.
    void ShowSettings();
    void ShowTypes();
    void WatchFocusLoss(QLineEdit* edit, void (CSettingsPage::*handler)());
    // Text (without its line feed) onto a line of the settings file, through the folder: 0, or
    // the system's reason.
    int WriteSetting(unsigned line, const std::string& text);
    // A field's text or a box's state onto its line; tells the user when that failed.
    void SaveField(QLineEdit* edit, unsigned line, const QString& fieldName);
    void SaveCheck(QCheckBox* box, unsigned line, const QString& fieldName);
    // The field's text as code page 932 bytes (nullopt: not representable) onto its line; false,
    // once the user has been told, when it was not stored.
    bool SaveText(const std::optional<std::string>& text, unsigned line, const QString& fieldName);
    void ReplaceTypeEntry(int index, const std::string& name);

    CDataFolder& m_folder;
    CCp932Edit* m_editName = nullptr;      // 1030
    QLineEdit* m_editPrintTo = nullptr;    // 1027
    QLineEdit* m_editPrintFrom = nullptr;  // 1026
    QLineEdit* m_editMaxRecords = nullptr; // 1022
    QCheckBox* m_checkFuse = nullptr;      // 1023, hidden
    QCheckBox* m_checkBl = nullptr;        // 1024, hidden
    QListWidget* m_listTypes = nullptr;    // 1025

    CUndoController* m_pUndo = nullptr;
    bool m_bWriting = false; // the page's own change is being written: the folder's signal is not shown

    std::uint32_t m_nMaxRecords = 0;
    std::uint32_t m_nPrintFrom = 0;
    std::uint32_t m_nPrintTo = 0;
    int m_nUseFuse = 0;             // check box 1023: 1 when ticked (an int, as the check box exchange takes)
    int m_nUseBl = 0;               // check box 1024: 1 when ticked
    std::string m_strName;          // code page 932
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
