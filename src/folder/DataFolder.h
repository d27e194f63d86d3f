#pragma once
// The data folder of a run: its path, the records file every page shares, the settings as one
// value, the type names, and the creation of missing files. The window owns one and gives it
// to every page and dialog; a command makes one for the folder it works in.
//
// Changes to the settings and the type names are written here, each to its own line (store/
// below does the atomic, durable replace), and announced by a signal, so that every page shows
// the same values: the pages listen instead of reaching into each other. The records file is
// edited by the list page, which owns the records' edits; an outside change to the files (an
// import, a restore, an undo) is announced by Reload.
//
// The record limit applies at once, everywhere, as soon as it is written or read again; it
// removes nothing by itself. The next addition or import trims to it, asking first.

#include "folder/FolderSettings.h"
#include "store/DataFiles.h"
#include "store/TextFile.h"

#include <QObject>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CDataFolder : public QObject
{
    Q_OBJECT
public:
    // The folder at path; "." is the current directory. Nothing is read or created yet.
    explicit CDataFolder(std::string path = ".");
    ~CDataFolder() override;

    const std::string& Path() const { return m_strPath; }
    // The path of a file of the folder (a data file, the archive, the evaluation's settings, the
    // backup folder).
    std::string FilePath(std::string_view name) const;

    // The window at open, before any page exists: creates the missing files with their
    // defaults, reads the folder, and returns what keeps changes from being stored (see
    // PrepareDataFiles).
    std::vector<UnwritableDataFile> Open();
    // Reads the settings and the type names (the defaults while a file is missing) and binds the
    // records file. Announces nothing.
    void Load();
    // After another part of the program rewrote the files (an import, a restore, an undo):
    // reads them again and announces all three.
    void Reload();

    // The records file, shared by every page that reads or edits the records.
    CTextFile& Records() { return m_records; }
    const FolderSettings& Settings() const { return m_settings; }
    // The record limit; 0 or less keeps every record.
    std::int32_t RecordLimit() const { return m_settings.recordLimit; }
    // The measurement type names (code page 932), in file order: a name's index is its type.
    const std::vector<std::string>& TypeNames() const { return m_typeNames; }

    // Puts text (code page 932, one line, without its line feed) on a setting's line; every
    // other line keeps its bytes. Returns 0 and announces SettingsChanged, or the system's
    // reason (an errno value) when it could not be written, changing nothing.
    int WriteSetting(SettingLine line, std::string_view text);
    // Renames type index (counted from 0) on its line of the type file; 0 and TypesChanged, or
    // the system's reason.
    int RenameType(int index, std::string_view name);

Q_SIGNALS:
    // The records file was rewritten by another part of the program.
    void RecordsChanged();
    // A setting changed: Settings() holds the new values.
    void SettingsChanged();
    // The type names changed: TypeNames() holds the new names.
    void TypesChanged();

private:
    void ReadSettings();
    void ReadTypes();
    // Binds a file of the folder and reads it.
    void Bind(CTextFile& file, const char* name) const;

    std::string m_strPath;
    CTextFile m_records;
    CTextFile m_settingFile;
    CTextFile m_itemFile;
    FolderSettings m_settings;
    std::vector<std::string> m_typeNames;
};
