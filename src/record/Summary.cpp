#include "record/Summary.h"

#include "platform/Cp932.h"
#include "record/RecordLine.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>

namespace {

// The figures of one row, gathered a record at a time.
struct RowFigures
{
    std::int32_t count = 0;
    // Unsigned sums wrap around as the list page's signed 32-bit sums do.
    std::array<std::uint32_t, 3> sums{};
    std::int32_t maxHigh = 0, maxLow = 0, minHigh = 0, minLow = 0;

    void Add(std::int32_t max, std::int32_t min, std::int32_t pulse)
    {
        maxHigh = count == 0 ? max : std::max(maxHigh, max);
        maxLow = count == 0 ? max : std::min(maxLow, max);
        minHigh = count == 0 ? min : std::max(minHigh, min);
        minLow = count == 0 ? min : std::min(minLow, min);
        sums[0] += static_cast<std::uint32_t>(max);
        sums[1] += static_cast<std::uint32_t>(min);
        sums[2] += static_cast<std::uint32_t>(pulse);
        ++count;
    }
};

std::string Average(std::uint32_t sum, std::int32_t count)
{
    std::int64_t average = static_cast<std::int32_t>(sum);
    if (count > 0)
        average /= count;
    return std::to_string(average);
}

std::string Row(std::string name, const RowFigures& f)
{
    std::replace(name.begin(), name.end(), '\t', ' '); // a tab would start another column
    std::string row = name + '\t' + std::to_string(f.count);
    for (std::uint32_t sum : f.sums)
        row += '\t' + Average(sum, f.count);
    if (f.count == 0)
        return row + "\t\t\t\t\n";
    for (std::int32_t value : {f.maxHigh, f.maxLow, f.minHigh, f.minLow})
        row += '\t' + std::to_string(value);
    return row + '\n';
}

std::string TypeName(const std::vector<std::string>& typeNames, int type)
{
    if (type >= 0 && static_cast<size_t>(type) < typeNames.size())
        return Utf8FromCp932(typeNames[static_cast<size_t>(type)]);
    return "(種類 " + std::to_string(type) + ")";
}

} // namespace

std::string FormatSummaryTable(const std::vector<std::string>& recordLines,
                               const std::vector<std::string>& typeNames, const RecordPeriod& period)
{
    std::string table = "種類\t件数\t最高血圧の平均\t最低血圧の平均\t脈拍数の平均\t"
                        "最高血圧の最高値\t最高血圧の最低値\t最低血圧の最高値\t最低血圧の最低値\n";
    if (recordLines.empty())
        return table;
    std::map<int, RowFigures> byType;
    RowFigures all;
    for (const std::string& line : recordLines) {
        const std::array<std::string_view, 7> fields = SplitRecordFields(line);
        if (!period.Contains(fields[0]))
            continue;
        const std::int32_t max = ReadInt(fields[1]), min = ReadInt(fields[2]), pulse = ReadInt(fields[3]);
        byType[ReadInt(fields[5])].Add(max, min, pulse);
        all.Add(max, min, pulse);
    }
    for (const auto& [type, figures] : byType)
        table += Row(TypeName(typeNames, type), figures);
    return table + Row("全測定結果", all);
}
