// Files of arbitrary bytes through the whole import plan, read as a CSV file and as an Apple
// Health export.xml (streamed in small pieces, so that every token can fall across a buffer
// boundary): every line it would write must be one record line the program reads back, the
// stored lines must stay whole and in order, and importing the result again must add nothing.
#include "FuzzCheck.h"

#include "csv/CsvImport.h"
#include "csv/HealthExport.h"
#include "record/DateTimeText.h"
#include "record/RecordLine.h"
#include "store/DataFiles.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kStored = {"2024/3/1 07:00:00,120,80,60,0,1,stored", "bad date,1,2,3,0,0,",
                                          "2000/1/1 00:00:00,130,85,70,1,0,"};

bool IsOneStorableLine(const std::string& line)
{
    return line.size() <= 1022 && line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

// The stored lines appear in the plan in their order.
bool KeepsStoredOrder(const std::vector<std::string>& lines)
{
    size_t next = 0;
    for (const std::string& line : lines)
        next += next < kStored.size() && line == kStored[next];
    return next == kStored.size();
}

// Plans the table's import and checks what it would write.
void CheckPlan(const CsvTable& table)
{
    const CsvColumnMap map = MatchCsvColumns(table.header);
    const CsvImportPlan plan =
        PlanCsvImport(table, map, kStored, DefaultItemLines(), {CsvDateOrder::Dmy, 0, {}, {}});
    if (!plan.missingFields.empty())
        return;
    Require(plan.newCount + plan.duplicateCount + plan.refusedCount + plan.notBloodPressureCount ==
                static_cast<int>(plan.rows.size()),
            "every row has one outcome");
    Require(plan.lines.size() == kStored.size() + static_cast<size_t>(plan.newCount), "one line per record");
    Require(KeepsStoredOrder(plan.lines), "stored lines kept in order");
    for (const std::string& line : plan.lines) {
        Require(IsOneStorableLine(line), "a written line reads back as one line");
        if (std::find(kStored.begin(), kStored.end(), line) != kStored.end())
            continue;
        Require(ReadMoment(GetRecordField(line, 1)).has_value(), "a new record's date reads back");
        Require(StoredComment(line).find(',') == std::string_view::npos, "a new comment holds no comma");
    }
    const CsvImportPlan again =
        PlanCsvImport(table, map, plan.lines, DefaultItemLines(), {CsvDateOrder::Dmy, 0, {}, {}});
    Require(again.newCount == 0 && again.lines == plan.lines, "importing twice adds nothing");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckPlan(ReadCsvTable(bytes));
    size_t at = 0;
    const size_t piece = size % 7 + 1;
    const HealthReadResult health = ReadHealthExport([&](char* buffer, size_t room) -> std::optional<size_t> {
        const size_t n = std::min({room, piece, size - at});
        std::copy_n(bytes.data() + at, n, buffer);
        at += n;
        return n;
    });
    Require(health.error == HealthReadError::None || health.table.rows.empty(),
            "a refused file gives no rows");
    CheckPlan(health.table);
    return 0;
}
