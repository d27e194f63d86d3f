#pragma once
// The settings file's six lines as one value, and the edit that changes one of them.
//
// setting.txt holds, one per line: the record limit, the print range (from, to), the two flags
// and the user's name. Every part of the program reads the settings through ReadFolderSettings,
// so that the list, the settings page, an import and the report never disagree about them.

#include "store/DataFiles.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct FolderSettings
{
    std::int32_t recordLimit = 0; // 0 or less keeps every record
    std::int32_t printFrom = 0;   // the print range: from the nth newest record
    std::int32_t printTo = 0;     // to the nth
    bool useBl = false;           // line 4
    bool useFuse = false;         // line 5
    std::string name;             // code page 932
    friend bool operator==(const FolderSettings&, const FolderSettings&) = default;
};

// The settings the lines hold. Numbers are read by the atoi rule into 32 bits ("12abc" is 12,
// "" is 0), a flag is set only when its number is exactly 1, and a missing line reads as 0, an
// unset flag or the empty name.
FolderSettings ReadFolderSettings(const std::vector<std::string>& lines);

// One line's replacement in the settings file: the line to replace and the text that takes its
// place (without its line end; a line feed inside it ends an empty line before it).
struct SettingLineEdit
{
    unsigned line = 0;
    std::string text;
    friend bool operator==(const SettingLineEdit&, const SettingLineEdit&) = default;
};

// The edit that puts text (without its line feed) on a setting's line of a file of lineCount
// lines. Only that line changes. In a file too short to hold it, the text goes on the first
// missing line preceded by empty lines, which read exactly as the missing lines did; a line
// written beyond the end would otherwise be read as another setting at the next start.
SettingLineEdit PlanSettingEdit(unsigned lineCount, SettingLine line, std::string_view text);

// The text a flag's line holds: "1" or "0".
std::string FlagLineText(bool on);
