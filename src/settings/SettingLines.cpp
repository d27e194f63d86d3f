#include "settings/SettingLines.h"

LineFit CheckOneLine(std::string_view text)
{
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return LineFit::HasLineBreak;
    if (text.size() > kMaxLineBytes)
        return LineFit::TooLong;
    return LineFit::Fits;
}
