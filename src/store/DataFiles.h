#pragma once
// The three data files of a data folder, their defaults and their creation, and the reading
// every page does: binding a file, taking its lines, the measurement type names. The folder "."
// is the current directory; the window and the commands hold theirs in CDataFolder.

#include <string>
#include <string_view>
#include <vector>

class CTextFile;

inline constexpr const char* kDataFileName = "data.txt";
inline constexpr const char* kItemFileName = "item.txt";
inline constexpr const char* kSettingFileName = "setting.txt";

inline constexpr int kDefaultRecordLimit = 1000;

// Default lines (code page 932 bytes, without line feeds).
const std::vector<std::string>& DefaultItemLines();    // "[指定なし]", "朝", "昼", "晩", "その他"
const std::vector<std::string>& DefaultSettingLines(); // "1000", "1", "30", "0", "0", "未設定"

// Lines of the settings file, counted from 1.
enum SettingLine : unsigned
{
    kSettingRecordLimit = 1,
    kSettingPrintFrom = 2,
    kSettingPrintTo = 3,
    kSettingUseBl = 4,
    kSettingUseFuse = 5,
    kSettingName = 6,
};

// A data file, or the data folder, that the program cannot write, with the system's reason
// (an errno value; 0 when none is known).
struct UnwritableDataFile
{
    std::string name;
    int error = 0;
    friend bool operator==(const UnwritableDataFile&, const UnwritableDataFile&) = default;
};

// The path of a file in a data folder: the name alone in ".", else folder/name.
std::string DataFilePath(std::string_view folder, std::string_view name);

// Creates whichever of the three files is missing, in the order item, setting, data, with
// its default lines. An existing file is left untouched, whatever it holds. Returns the files
// that could not be created.
std::vector<UnwritableDataFile> CreateMissingDataFiles(std::string_view folder = ".");

// Creates the missing files as CreateMissingDataFiles does and tells what keeps the program
// from storing changes: the data folder alone when nothing can be put into it (every edit goes
// through a temporary file there), else each file that could not be created or that would not
// be rewritten.
std::vector<UnwritableDataFile> PrepareDataFiles(std::string_view folder = ".");

// Binds a cached file to one of the data files (a name relative to the current directory) and
// reads it. False when nothing could be read: a missing or empty file has no lines.
bool BindDataFile(CTextFile& file, const char* name);

// Every line the file holds now, in order, without line ends; a file not yet read is read first.
std::vector<std::string> FileLines(CTextFile& file);

// Every line of one of the data files, read afresh; none when it cannot be read.
std::vector<std::string> ReadDataFileLines(const char* name);

// The measurement type names of the data folder at folder, in file order, so that a name's
// index is its type index; none while the file cannot be read.
std::vector<std::string> ReadTypeNames(std::string_view folder);

// The lines the pages work with: those of the file in the data folder, or, while the file does
// not exist (it could not be created), the built-in defaults, so that an unwritable folder still
// offers the five type names, the limit of 1,000 records, the print range 1 to 30 and the name.
std::vector<std::string> TypeNamesInUse(std::string_view folder);
std::vector<std::string> SettingLinesInUse(std::string_view folder);
