#include "report/NotebookText.h"

#include <array>
#include <cstdio>

namespace {

// The length of the UTF-8 sequence that starts with byte c (1 for a stray byte).
size_t SequenceLength(unsigned char c)
{
    if (c >= 0xF0)
        return 4;
    if (c >= 0xE0)
        return 3;
    if (c >= 0xC0)
        return 2;
    return 1;
}

// Half-width katakana, U+FF61 to U+FF9F, is EF BD A1 to EF BE 9F.
bool IsHalfWidthKana(std::string_view sequence)
{
    if (sequence.size() != 3 || static_cast<unsigned char>(sequence[0]) != 0xEF)
        return false;
    const auto second = static_cast<unsigned char>(sequence[1]);
    const auto third = static_cast<unsigned char>(sequence[2]);
    return (second == 0xBD && third >= 0xA1) || (second == 0xBE && third <= 0x9F);
}

int SequenceColumns(std::string_view sequence)
{
    return sequence.size() == 1 || IsHalfWidthKana(sequence) ? 1 : 2;
}

// The sequence at `at`, cut short at the end of the text.
std::string_view SequenceAt(std::string_view text, size_t at)
{
    return text.substr(at, SequenceLength(static_cast<unsigned char>(text[at])));
}

std::string PulseText(std::optional<long> pulse)
{
    return pulse && *pulse > 0 ? std::to_string(*pulse) : std::string("-");
}

} // namespace

int TextColumns(std::string_view utf8)
{
    int columns = 0;
    for (size_t at = 0; at < utf8.size();) {
        const std::string_view sequence = SequenceAt(utf8, at);
        columns += SequenceColumns(sequence);
        at += sequence.size();
    }
    return columns;
}

std::string CutToColumns(std::string_view utf8, int columns)
{
    if (TextColumns(utf8) <= columns)
        return std::string(utf8);
    static constexpr std::string_view kEllipsis = "…";
    const int room = columns - TextColumns(kEllipsis);
    int used = 0;
    size_t at = 0;
    while (at < utf8.size()) {
        const std::string_view sequence = SequenceAt(utf8, at);
        if (used + SequenceColumns(sequence) > room)
            break;
        used += SequenceColumns(sequence);
        at += sequence.size();
    }
    return room < 0 ? std::string() : std::string(utf8.substr(0, at)) + std::string(kEllipsis);
}

std::string NotebookDateText(CalendarDay day)
{
    return std::to_string(static_cast<int>(day.year())) + "/" +
           std::to_string(static_cast<unsigned>(day.month())) + "/" +
           std::to_string(static_cast<unsigned>(day.day()));
}

std::string NotebookRowDateText(CalendarDay day)
{
    static const std::array<std::string, 7> kWeekdays{"日", "月", "火", "水", "木", "金", "土"};
    const std::chrono::weekday weekday{std::chrono::sys_days{day}};
    return std::to_string(static_cast<unsigned>(day.month())) + "/" +
           std::to_string(static_cast<unsigned>(day.day())) + "（" + kWeekdays[weekday.c_encoding()] + "）";
}

std::string NotebookReadingText(long max, long min, std::optional<long> pulse)
{
    return std::to_string(max) + "/" + std::to_string(min) + " " + PulseText(pulse);
}

std::string NotebookReadingText(const NotebookReading& reading)
{
    return NotebookReadingText(reading.max, reading.min, reading.pulse);
}

std::string NotebookAverageText(const NotebookAverage& average)
{
    return NotebookReadingText(average.max, average.min, average.pulse);
}

std::string NotebookTimedText(const NotebookReading& reading)
{
    std::array<char, 8> time{};
    std::snprintf(time.data(), time.size(), "%02d:%02d", reading.hour % 100, reading.minute % 100);
    return std::string(time.data()) + " " + NotebookReadingText(reading);
}
