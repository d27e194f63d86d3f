// Record lines of arbitrary bytes through everything that reads them: the field splitting, the
// atoi rule, the date-time text, the cell colours, the averages and the stored form of a
// record. Each result is checked against a plain reading of the same bytes.
#include "FuzzCheck.h"

#include "list/CellColours.h"
#include "platform/LocalMoment.h"
#include "record/Averages.h"
#include "record/DateTimeText.h"
#include "record/RecordLine.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fuzzer/FuzzedDataProvider.h>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::int64_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();

// The atoi rule read digit by digit as text: more than ten significant digits saturate.
std::int32_t PlainAtoi(std::string_view text)
{
    size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string_view::npos)
        return 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-')
        negative = text[i++] == '-';
    const size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    std::string_view digits = text.substr(start, i - start);
    digits.remove_prefix(std::min(digits.size(), digits.find_first_not_of('0')));
    std::int64_t value = 0;
    if (digits.size() > 10)
        value = negative ? kIntMin : kIntMax;
    else {
        for (char c : digits)
            value = value * 10 + (c - '0');
        value = std::clamp(negative ? -value : value, kIntMin, kIntMax);
    }
    return static_cast<std::int32_t>(value);
}

void CheckFields(std::string_view line)
{
    Require(GetRecordField(line, 0).empty() && GetRecordField(line, -1).empty(),
            "field 0 or below is not empty");
    int n = 1;
    size_t start = 0;
    for (;; ++n) {
        const size_t comma = line.find(',', start);
        const std::string_view expected =
            line.substr(start, comma == std::string_view::npos ? comma : comma - start);
        const std::string_view field = GetRecordField(line, n);
        Require(field == expected, "field differs from the bytes between its commas");
        Require(field.empty() ||
                    (field.data() >= line.data() && field.data() + field.size() <= line.data() + line.size()),
                "field lies outside its line");
        Require(ReadInt(field) == PlainAtoi(field), "ReadInt differs from the atoi rule");
        Require(ReadLong(field) == ReadInt(field), "ReadLong leaves the 32-bit range");
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    Require(GetRecordField(line, n + 1).empty(), "a field beyond the last comma is not empty");
    const std::array<std::string_view, 7> split = SplitRecordFields(line);
    for (int k = 1; k <= 7; ++k)
        Require(split[static_cast<size_t>(k - 1)] == GetRecordField(line, k),
                "split fields differ from single ones");
}

void CheckNumbers(std::string_view text, std::int32_t value)
{
    Require(ReadInt(text) == PlainAtoi(text), "ReadInt differs from the atoi rule");
    const std::string written = std::to_string(value);
    Require(ReadInt(written) == value && ReadInt(" \t" + written + ",9") == value,
            "a written number does not read back");
}

void CheckDateTime(std::string_view text, CTime fallback)
{
    const std::optional<CTime> parsed = TryParseDateTime(text);
    const CTime t = ParseDateTime(text, fallback);
    Require(t == parsed.value_or(fallback), "ParseDateTime differs from TryParseDateTime");
    if (!parsed)
        return;
    Require(parsed->GetYear() >= 1900 && parsed->GetYear() <= 9999, "a parsed year outside 1900-9999");
    const std::string shown = FormatDateTime(*parsed, *parsed);
    Require(shown.size() <= 19, "date-time text longer than its 19 bytes");
    const std::optional<CTime> again = TryParseDateTime(shown);
    Require(again && *again == *parsed, "a shown date-time does not read back as the same time");
}

void CheckColours(int column, std::string_view line)
{
    const CellColour colour = CellColours(column, line);
    if (column < 1 || column > 3) {
        Require(colour == CellColour{}, "a column without categories is coloured");
        return;
    }
    const int field = column == 3 ? 5 : column + 1;
    const std::int32_t value = ReadInt(GetRecordField(line, field));
    if (column == 3)
        Require(colour.system == (value <= 0), "the pulse cell ignores the irregular-pulse mark");
    // The colour depends on the cell's own field only, as read by the atoi rule.
    const std::string alone = std::string(static_cast<size_t>(field - 1), ',') + std::to_string(value);
    Require(CellColours(column, alone) == colour, "a cell colour depends on another field");
}

void CheckAverage(const std::vector<std::string>& lines, unsigned lineCount, int field, int typeFilter)
{
    const RecordLineAt at = [&](unsigned n) {
        return n >= 1 && n <= lines.size() ? std::string_view(lines[n - 1]) : std::string_view();
    };
    std::int64_t sum = 0;
    std::int64_t count = 0;
    for (unsigned n = 1; n <= lineCount; ++n) {
        if (typeFilter > 0 && PlainAtoi(GetRecordField(at(n), 6)) != typeFilter)
            continue;
        sum += PlainAtoi(GetRecordField(at(n), field));
        ++count;
    }
    // The sum wraps around as a signed 32-bit sum does.
    const auto wrapped =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(sum)));
    const std::string expected = lineCount == 0 ? "" : std::to_string(count == 0 ? 0 : wrapped / count);
    Require(ComputeAverageText(lineCount, at, static_cast<RecordField>(field), typeFilter) == expected,
            "average text");
    const std::array<std::string, 3> pressures = ComputePressureAverageTexts(lineCount, at, typeFilter);
    for (int k = 0; k < 3; ++k)
        Require(pressures[static_cast<size_t>(k)] ==
                    ComputeAverageText(lineCount, at, static_cast<RecordField>(k + 2), typeFilter),
                "the averages in one pass differ from one at a time");
}

void CheckStoredRecord(FuzzedDataProvider& fdp, const std::string& comment)
{
    const std::string stored = StorableComment(comment);
    Require(stored.find_first_of(",\r\n") == std::string::npos, "a stored comment can split its record");
    Require(stored.size() ==
                comment.size() + static_cast<size_t>(std::count(comment.begin(), comment.end(), ',')),
            "a stored comment lost or gained bytes");
    const auto max = fdp.ConsumeIntegral<std::uint32_t>();
    const auto min = fdp.ConsumeIntegral<std::uint32_t>();
    const auto pulse = fdp.ConsumeIntegral<std::uint32_t>();
    const int ihb = fdp.ConsumeIntegral<int>();
    const int type = fdp.ConsumeIntegral<int>();
    const std::string dateTime = "9999/12/31 23:59:59";
    const std::string line = FormatRecordLine({dateTime, max, min, pulse, ihb, type, stored});
    const MEASUREMENT m = ParseRecordLine(line);
    Require(m.dateTime == dateTime && m.max == max && m.min == min && m.pulse == pulse && m.ihb == ihb &&
                m.type == type && m.comment == stored,
            "a record does not read back from its line");
    if (stored.size() <= static_cast<size_t>(kCommentMaxBytes))
        Require(line.size() <= static_cast<size_t>(kRecordLineMaxBytes),
                "a record within its limits spans two lines");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A zone with daylight saving, given as a rule so that no time zone files are needed.
    ::setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
    ::tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider fdp(data, size);
    const int column = fdp.ConsumeIntegralInRange(-1, 8);
    const int field = fdp.ConsumeIntegralInRange(-1, 9);
    const int typeFilter = fdp.ConsumeIntegralInRange(-2, 11);
    const auto value = fdp.ConsumeIntegral<std::int32_t>();
    const unsigned extraLines = fdp.ConsumeIntegralInRange(0u, 3u);
    const CTime fallback(fdp.ConsumeIntegralInRange<std::time_t>(0, 4102444800));

    std::vector<std::string> lines;
    while (lines.size() < 16 && fdp.remaining_bytes() > 0)
        lines.push_back(fdp.ConsumeRandomLengthString(1100));
    for (const std::string& line : lines) {
        CheckFields(line);
        CheckNumbers(line, value);
        CheckDateTime(line, fallback);
        CheckDateTime(GetRecordField(line, 1), fallback);
        CheckColours(column, line);
        Require(ParseRecordLine(line).comment == StoredComment(line), "the comment of a record");
    }
    CheckAverage(lines, static_cast<unsigned>(lines.size()) + extraLines, field, typeFilter);
    FuzzedDataProvider rest(data, size); // the same bytes once more, read as a record
    CheckStoredRecord(rest, lines.empty() ? std::string() : lines.back());
    return 0;
}
