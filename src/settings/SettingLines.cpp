#include "settings/SettingLines.h"

#include "record/RecordLine.h"

std::uint32_t SettingNumber(const char* line)
{
    return static_cast<std::uint32_t>(ReadInt(line ? line : ""));
}

int SettingFlag(const char* line)
{
    return line && ReadInt(line) == 1 ? 1 : 0;
}

std::string SettingText(const char* line)
{
    return line ? std::string(line) : std::string();
}

LineFit CheckOneLine(std::string_view text)
{
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return LineFit::HasLineBreak;
    if (text.size() > kMaxLineBytes)
        return LineFit::TooLong;
    return LineFit::Fits;
}
