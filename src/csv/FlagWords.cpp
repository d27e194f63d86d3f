#include "csv/FlagWords.h"

#include <array>
#include <string>

namespace {

constexpr std::array<std::string_view, 11> kSetWords = {"1", "yes",  "true", "y",    "x",       "○",
                                                        "●", "あり", "有",   "検出", "detected"};
constexpr std::array<std::string_view, 9> kClearWords = {"0",    "no", "false",  "-",           "",
                                                         "なし", "無", "未検出", "not detected"};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Lower case, no blanks around, one blank between words; the full-width blank counts too.
std::string Folded(std::string_view cell)
{
    std::string text;
    bool blank = false;
    for (std::size_t i = 0; i < cell.size();) {
        const bool wide = cell.substr(i).starts_with("\u3000");
        if (wide || IsBlank(cell[i])) {
            blank = true;
            i += wide ? 3 : 1;
            continue;
        }
        if (blank && !text.empty())
            text += ' ';
        blank = false;
        const char c = cell[i++];
        text += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return text;
}

} // namespace

CsvFlag ReadCsvFlag(std::string_view cell)
{
    const std::string text = Folded(cell);
    for (const std::string_view word : kSetWords) {
        if (text == word)
            return CsvFlag::Set;
    }
    for (const std::string_view word : kClearWords) {
        if (text == word)
            return CsvFlag::Clear;
    }
    return CsvFlag::Unknown;
}
