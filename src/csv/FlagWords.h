#pragma once
// The words devices and programs write for the irregular-pulse flag. A cell is compared as a
// whole (blanks around it dropped, ASCII letters in any case, blanks inside taken as one), so
// "未検出" is never read as "検出".

#include <string_view>

enum class CsvFlag
{
    Set,     // 1, 検出, あり, 有, yes, true, detected, y, x, ○, ●
    Clear,   // 0, 未検出, なし, 無, no, false, not detected, -, empty
    Unknown, // anything else: read as clear, and counted so that the preview can say so
};

CsvFlag ReadCsvFlag(std::string_view cell);
