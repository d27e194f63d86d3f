#pragma once
// The settings page's limits on a text, and the check that a text written as one line of a data
// file reads back as that same single line. The settings themselves are read by
// folder/FolderSettings.

#include <cstddef>
#include <string_view>

// The user's name is refused on read-back when it holds more bytes than this.
inline constexpr int kMaxNameBytes = 129;
// The longest text one line of a data file holds and still reads back whole.
inline constexpr std::size_t kMaxLineBytes = 1022;

enum class LineFit
{
    Fits,
    HasLineBreak, // CR or LF (or a NUL, which would end the line when it is read back)
    TooLong,      // more than kMaxLineBytes bytes: it would read back as two lines
};

// Whether a code page 932 text, followed by its line feed, stays exactly one line of a file.
LineFit CheckOneLine(std::string_view text);
