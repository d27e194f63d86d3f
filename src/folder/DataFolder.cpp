#include "folder/DataFolder.h"

#include <cerrno>
#include <filesystem>

namespace {

// The file's lines, or, while the file does not exist (it could not be created), the defaults.
std::vector<std::string> LinesInUse(CTextFile& file, const std::vector<std::string>& defaults)
{
    return file.Exists() ? FileLines(file) : defaults;
}

int ErrorOf(const CTextFile& file)
{
    return file.GetLastError() != 0 ? file.GetLastError() : EIO;
}

} // namespace

CDataFolder::CDataFolder(std::string path) : m_strPath(std::move(path)) {}

CDataFolder::~CDataFolder() = default;

std::string CDataFolder::FilePath(std::string_view name) const
{
    return DataFilePath(m_strPath, name);
}

std::vector<UnwritableDataFile> CDataFolder::Open()
{
    std::vector<UnwritableDataFile> unwritable = PrepareDataFiles(m_strPath);
    Load();
    return unwritable;
}

void CDataFolder::Load()
{
    ReadSettings();
    ReadTypes();
    Bind(m_records, kDataFileName);
}

void CDataFolder::Reload()
{
    Load();
    // The type names first: a page that refills its type selector and then its records shows
    // figures for the entry it ends up with.
    Q_EMIT TypesChanged();
    Q_EMIT SettingsChanged();
    Q_EMIT RecordsChanged();
}

void CDataFolder::Bind(CTextFile& file, const char* name) const
{
    BindDataFile(file, FilePath(name).c_str());
}

void CDataFolder::ReadSettings()
{
    Bind(m_settingFile, kSettingFileName);
    m_settings = ReadFolderSettings(LinesInUse(m_settingFile, DefaultSettingLines()));
}

void CDataFolder::ReadTypes()
{
    Bind(m_itemFile, kItemFileName);
    m_typeNames = LinesInUse(m_itemFile, DefaultItemLines());
}

int CDataFolder::WriteSetting(SettingLine line, std::string_view text)
{
    const SettingLineEdit edit = PlanSettingEdit(m_settingFile.GetLineCount(), line, text);
    if (!m_settingFile.ReplaceLine(edit.line, edit.text))
        return ErrorOf(m_settingFile);
    m_settings = ReadFolderSettings(FileLines(m_settingFile));
    Q_EMIT SettingsChanged();
    return 0;
}

int CDataFolder::RenameType(int index, std::string_view name)
{
    if (index < 0)
        return EINVAL;
    if (!m_itemFile.ReplaceLine(static_cast<unsigned>(index) + 1, name))
        return ErrorOf(m_itemFile);
    m_typeNames = FileLines(m_itemFile);
    Q_EMIT TypesChanged();
    return 0;
}
