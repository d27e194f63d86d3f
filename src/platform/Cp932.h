#pragma once
// Code page 932 (Shift-JIS) conversion. The program keeps every text as code page 932 bytes;
// only the widget boundary and the few texts written in this source code convert.

#include <optional>
#include <string>
#include <string_view>

// Whether the byte starts a double-byte character of code page 932.
constexpr bool IsCp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// UTF-8 to code page 932; nullopt when a character has no code page 932 form (an emoji, say).
std::optional<std::string> TryCp932FromUtf8(std::string_view utf8);

// UTF-8 text that is known to fit code page 932 (the program's own texts).
std::string Cp932FromUtf8(std::string_view utf8);

// Code page 932 to UTF-8 for display; an invalid byte sequence shows as U+FFFD.
std::string Utf8FromCp932(std::string_view cp932);
