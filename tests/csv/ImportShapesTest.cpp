// The files monitors and phones export, each read and planned as the program imports them.
#include "ZipMaker.h"
#include "csv/CsvImport.h"
#include "csv/ImportFile.h"
#include "csv/ZoneNames.h"
#include "platform/Cp932.h"
#include "store/DataFiles.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

std::string Fixture(const char* name)
{
    return std::string(VELLIQA_FIXTURES) + "/" + name;
}

struct Planned
{
    CsvTable table;
    CsvImportPlan plan;
};

Planned PlanFile(const std::string& path)
{
    Planned p;
    ImportFileRead read = ReadImportFile(path);
    EXPECT_TRUE(read.Ok()) << ImportFileErrorText(read, Language::English);
    p.table = std::move(read.table);
    CsvImportOptions options;
    options.zoneNames = LocalFromZoneName;
    p.plan = PlanCsvImport(p.table, MatchCsvColumns(p.table.header), {}, DefaultItemLines(), options);
    return p;
}

// The stored line of a wall time at an offset from UTC, in the computer's local time.
std::string At(Moment wall, int offsetHours, const std::string& values)
{
    return LocalFromOffset(wall, offsetHours * 3600)->Text() + "," + values;
}

std::vector<std::string> Utf8(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    for (const std::string& line : lines)
        out.push_back(Utf8FromCp932(line));
    return out;
}

TEST(ImportShapesTest, JapaneseMonitorExportReadsFlagsZonesAndNamesUnusedColumns)
{
    const Planned p = PlanFile(Fixture("monitor-ja.csv"));
    EXPECT_EQ(p.plan.newCount, 4);
    EXPECT_EQ(p.plan.unknownFlagCount, 1); // "?"
    EXPECT_EQ(Utf8(p.plan.lines), (std::vector<std::string>{
                                      At({2024, 12, 9, 21, 40, 0}, 9, "133,88,70,1,0,"),
                                      At({2024, 12, 9, 7, 5, 0}, 9, "121,79,64,0,0,"),
                                      At({2024, 12, 8, 6, 58, 0}, 9, "118,77,61,0,0,"),
                                      At({2024, 12, 7, 20, 10, 0}, 0, "125,80,66,0,0,"),
                                  }));
    ASSERT_EQ(p.plan.refusals.size(), 1U);
    EXPECT_EQ(p.plan.refusals[0].line, 6);
    EXPECT_EQ(p.plan.refusals[0].reason, CsvRefusalReason::UnknownZone);
    EXPECT_EQ(UnusedColumnsText(p.table.header, p.plan.unusedColumns, Language::Japanese),
              "使われない列: 不規則脈波検出回数(回), 体動検出, 機器");
}

TEST(ImportShapesTest, EnglishReportReadsMonthNamesAndTwelveHourTimes)
{
    const Planned p = PlanFile(Fixture("monitor-report-en.csv"));
    EXPECT_EQ(p.plan.refusedCount, 0);
    EXPECT_EQ(Utf8(p.plan.lines), (std::vector<std::string>{
                                      "2025/1/12 20:40:00,131,86,71,0,0,After dinner， tired",
                                      "2025/1/12 08:12:00,128,84,66,0,0,Before breakfast",
                                      "2025/1/5 00:05:00,119,78,60,0,0,",
                                      "2024/12/12 07:00:00,122,80,0,0,0,",
                                  }));
    EXPECT_EQ(UnusedColumnsText(p.table.header, p.plan.unusedColumns, Language::English),
              "columns not imported: Symptoms, Consumed, TruRead");
}

TEST(ImportShapesTest, SmartMonitorBpCsvKeepsCommentsAndPassesOverPulseOnlyRows)
{
    const Planned p = PlanFile(Fixture("bp.csv"));
    EXPECT_EQ(Utf8(p.plan.lines), (std::vector<std::string>{"2025/10/2 07:34:49,124,81,72,0,0,after walk",
                                                            "2025/9/30 07:28:31,121,79,0,0,0,morning"}));
    EXPECT_EQ(p.plan.notBloodPressureCount, 1);
    ASSERT_EQ(p.plan.refusals.size(), 1U); // one pressure without the other is still refused
    EXPECT_EQ(p.plan.refusals[0].line, 4);
    EXPECT_TRUE(p.plan.unusedColumns.empty());
}

// One reading per correlation, the top-level copies not counted again; the pulse of the nearest
// heart rate of the same source within 2 minutes; dates with their offsets in local time.
const std::vector<std::string> kHealthLines = {
    At({2024, 1, 2, 12, 0, 0}, -5, "121,79,0,0,0,"),
    At({2024, 1, 2, 20, 58, 0}, 9, "135,88,0,0,0,"), // the heart rate is 121 s later
    At({2024, 1, 1, 8, 0, 0}, 9, "128,82,64,0,0,"),  // 63.6 at 30 s, not 70 at 60 s nor the watch's
};

TEST(ImportShapesTest, AppleHealthExportXmlAndItsZipImportTheSameReadings)
{
    const Planned xml = PlanFile(Fixture("export.xml"));
    EXPECT_EQ(xml.plan.lines, kHealthLines);
    EXPECT_EQ(xml.plan.refusedCount, 0);
    EXPECT_EQ(xml.plan.rows.at(0).line, 28); // the line its correlation starts on

    ScopedDataDir dir;
    const std::string zip = (dir.Path() / "export.zip").string();
    ASSERT_TRUE(WriteZip(zip, {{"apple_health_export/export_cda.xml", "<ClinicalDocument/>"},
                               {"apple_health_export/export.xml", ReadBytes(Fixture("export.xml"))}}));
    EXPECT_EQ(PlanFile(zip).plan.lines, kHealthLines);
}

TEST(ImportShapesTest, ZoneNamesComeFromQtAndUnknownNamesAreRefused)
{
    EXPECT_EQ(LocalFromZoneName("Asia/Tokyo", {2024, 7, 1, 9, 0, 0}),
              LocalFromOffset({2024, 7, 1, 9, 0, 0}, 9 * 3600));
    EXPECT_EQ(LocalFromZoneName("America/New_York", {2024, 7, 1, 9, 0, 0}),
              LocalFromOffset({2024, 7, 1, 9, 0, 0}, -4 * 3600)); // summer time
    EXPECT_EQ(LocalFromZoneName("Mars/Olympus", {2024, 7, 1, 9, 0, 0}), std::nullopt);
    EXPECT_EQ(LocalFromZoneName("", {2024, 7, 1, 9, 0, 0}), std::nullopt);
}

} // namespace
