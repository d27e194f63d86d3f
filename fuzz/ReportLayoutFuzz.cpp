// The printed report on arbitrary record lines, type names, print ranges and line heights:
// the lines stay in order down the page, every record of the range (and only those) becomes a
// row, the highest and lowest values are those of the rows, and each type that occurs gets
// its average line.
#include "FuzzCheck.h"

#include "print/ReportLayout.h"
#include "record/RecordLine.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

namespace {

// The bytes a C string shows: up to the first zero byte.
std::string Shown(std::string_view text)
{
    return std::string(text.substr(0, text.find('\0')));
}

void CheckRows(const std::vector<ReportLine>& lines, const std::vector<std::string>& rows)
{
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::string& text = lines[2 + r].text;
        Require(text.find('\0') == std::string::npos, "a row holds a zero byte");
        const std::string date = Shown(GetRecordField(rows[r], 1)).substr(0, 20);
        Require(text.substr(0, 20) == std::string(20 - date.size(), ' ') + date, "a row's date-time");
    }
    std::array<long, 6> expected{};
    for (int m = 0; m < 3; ++m) {
        const auto value = [&](const std::string& row) { return ReadLong(GetRecordField(row, m + 2)); };
        const auto [low, high] = std::minmax_element(
            rows.begin(), rows.end(), [&](const auto& a, const auto& b) { return value(a) < value(b); });
        expected[static_cast<size_t>(2 * m)] = value(*high);
        expected[static_cast<size_t>(2 * m + 1)] = value(*low);
    }
    std::array<long, 6> shown{};
    const int read =
        std::sscanf(lines[2 + rows.size() + 1].text.c_str(), " ( %ld - %ld ) ( %ld - %ld ) ( %ld - %ld )",
                    &shown[0], &shown[1], &shown[2], &shown[3], &shown[4], &shown[5]);
    Require(read == 6 && shown == expected, "highest and lowest values differ from the rows");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider fdp(data, size);
    const int h = fdp.ConsumeIntegralInRange(-1000, 10000);
    const long from =
        fdp.ConsumeBool() ? fdp.ConsumeIntegral<long>() : fdp.ConsumeIntegralInRange<long>(-3, 40);
    const long to =
        fdp.ConsumeBool() ? fdp.ConsumeIntegral<long>() : fdp.ConsumeIntegralInRange<long>(-3, 40);
    const std::string name = fdp.ConsumeRandomLengthString(64);
    std::vector<std::string> typeNames(fdp.ConsumeIntegralInRange<size_t>(0, 12));
    for (std::string& typeName : typeNames)
        typeName = fdp.ConsumeRandomLengthString(32);
    std::vector<std::string> records;
    while (fdp.remaining_bytes() > 0)
        records.push_back(fdp.ConsumeRandomLengthString(120));

    const std::vector<ReportLine> lines = LayoutReport(h, name, from, to, records, typeNames);

    const long long first = std::max<long long>(from, 1);
    const long long last = std::min<long long>(to, static_cast<long long>(records.size()));
    std::vector<std::string> rows;
    for (long long p = first; p <= last; ++p)
        rows.push_back(records[static_cast<size_t>(p - 1)]);
    std::array<bool, 10> typed{};
    for (const std::string& row : rows) {
        const long type = ReadLong(GetRecordField(row, 6));
        if (type >= 1 && type <= 9)
            typed[static_cast<size_t>(type)] = true;
    }
    const size_t types = static_cast<size_t>(std::count(typed.begin(), typed.end(), true));
    Require(lines.size() == 2 + rows.size() + (rows.empty() ? 0 : 2 + types),
            "rows or averages missing or extra");
    Require(lines[0].y == h + 1 && lines[0].text.starts_with(name), "the header");
    for (size_t k = 0; k < lines.size(); ++k) {
        Require(lines[k].x == 10, "a line out of its margin");
        Require(h <= 0 || k == 0 || lines[k].y > lines[k - 1].y, "a line above the one before it");
    }
    if (!rows.empty())
        CheckRows(lines, rows);
    return 0;
}
