#pragma once
// The settings file's lines read into the settings page's values, and the check that a text
// written as one line of a data file reads back as that same single line.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The user's name is refused on read-back when it holds more bytes than this.
inline constexpr int kMaxNameBytes = 129;
// The longest text one line of a data file holds and still reads back whole.
inline constexpr std::size_t kMaxLineBytes = 1022;

// A number line (record limit, print range) by the atoi rule, taken as unsigned: a line holding
// -5 gives 4294967291. A missing line (null) gives 0.
std::uint32_t SettingNumber(const char* line);

// A flag line: 1 only when its number is exactly 1 ("1", "01", "1abc"), else 0.
int SettingFlag(const char* line);

// A text line; a missing line is the empty text.
std::string SettingText(const char* line);

enum class LineFit
{
    Fits,
    HasLineBreak, // CR or LF (or a NUL, which would end the line when it is read back)
    TooLong,      // more than kMaxLineBytes bytes: it would read back as two lines
};

// Whether a code page 932 text, followed by its line feed, stays exactly one line of a file.
LineFit CheckOneLine(std::string_view text);
