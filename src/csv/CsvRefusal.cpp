#include "csv/CsvRefusal.h"

namespace {

// At most this many characters of a cell go into a message.
constexpr size_t kCellCharsShown = 40;

// The cell on one line (a line break shows as a blank), cut to kCellCharsShown characters.
std::string Shortened(const std::string& cell)
{
    std::string shown;
    size_t chars = 0;
    for (const char c : cell) {
        const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80; // of the character before
        if (!continuation && chars++ == kCellCharsShown)
            return shown + "…";
        shown += c == '\r' || c == '\n' ? ' ' : c;
    }
    return shown;
}

std::string Japanese(const CsvRefusal& r)
{
    const std::string field = CsvFieldName(r.field, Language::Japanese);
    const std::string quoted = field + "「" + Shortened(r.cell) + "」";
    switch (r.reason) {
    case CsvRefusalReason::NoDate:
        return "日付がありません";
    case CsvRefusalReason::UnreadableDate:
        return quoted + "を日付として読めません";
    case CsvRefusalReason::NoSuchDate:
        return quoted + "は存在しない日付です";
    case CsvRefusalReason::AmbiguousDate:
        return quoted + "は日と月のどちらが先か決まりません";
    case CsvRefusalReason::UnreadableTime:
        return quoted + "を時刻として読めません";
    case CsvRefusalReason::EmptyNumber:
        return field + "がありません";
    case CsvRefusalReason::NotANumber:
        return quoted + "は整数ではありません";
    case CsvRefusalReason::UnknownZone:
        return quoted + "は知られていないタイムゾーンです";
    }
    return {};
}

std::string English(const CsvRefusal& r)
{
    const std::string field = CsvFieldName(r.field, Language::English);
    const std::string quoted = "the " + field + " \"" + Shortened(r.cell) + "\"";
    switch (r.reason) {
    case CsvRefusalReason::NoDate:
        return "no date";
    case CsvRefusalReason::UnreadableDate:
        return quoted + " cannot be read as a date";
    case CsvRefusalReason::NoSuchDate:
        return quoted + " is a date that does not exist";
    case CsvRefusalReason::AmbiguousDate:
        return quoted + " could be day/month or month/day";
    case CsvRefusalReason::UnreadableTime:
        return quoted + " cannot be read as a time";
    case CsvRefusalReason::EmptyNumber:
        return "no " + field;
    case CsvRefusalReason::NotANumber:
        return quoted + " is not a whole number";
    case CsvRefusalReason::UnknownZone:
        return quoted + " is not a known time zone";
    }
    return {};
}

} // namespace

std::string CsvRefusalText(const CsvRefusal& refusal, Language language)
{
    if (language == Language::Japanese)
        return std::to_string(refusal.line) + " 行目: " + Japanese(refusal);
    return "line " + std::to_string(refusal.line) + ": " + English(refusal);
}
