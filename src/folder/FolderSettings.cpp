#include "folder/FolderSettings.h"

#include "record/RecordLine.h"

namespace {

std::string_view LineAt(const std::vector<std::string>& lines, SettingLine line)
{
    return line <= lines.size() ? std::string_view(lines[line - 1]) : std::string_view();
}

} // namespace

FolderSettings ReadFolderSettings(const std::vector<std::string>& lines)
{
    FolderSettings settings;
    settings.recordLimit = ReadInt(LineAt(lines, kSettingRecordLimit));
    settings.printFrom = ReadInt(LineAt(lines, kSettingPrintFrom));
    settings.printTo = ReadInt(LineAt(lines, kSettingPrintTo));
    settings.useBl = ReadInt(LineAt(lines, kSettingUseBl)) == 1;
    settings.useFuse = ReadInt(LineAt(lines, kSettingUseFuse)) == 1;
    settings.name = std::string(LineAt(lines, kSettingName));
    return settings;
}

SettingLineEdit PlanSettingEdit(unsigned lineCount, SettingLine line, std::string_view text)
{
    SettingLineEdit edit{line, std::string(text)};
    if (lineCount + 1 < line) {
        edit.text.insert(0, line - 1 - lineCount, '\n');
        edit.line = lineCount + 1;
    }
    return edit;
}

std::string FlagLineText(bool on)
{
    return on ? "1" : "0";
}
