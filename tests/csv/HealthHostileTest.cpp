// Hostile files fail with a clear reason before they can cost memory or write anything.
#include "ZipMaker.h"
#include "csv/ImportFile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kDtdStart = "<?xml version=\"1.0\"?>\n<!DOCTYPE HealthData [\n";

ImportFileRead ReadText(const ScopedDataDir& dir, const std::string& name, const std::string& bytes)
{
    const std::string path = (dir.Path() / name).string();
    WriteBytes(path, bytes);
    return ReadImportFile(path);
}

std::string BillionLaughs(const std::string& use)
{
    std::string dtd = kDtdStart;
    dtd += "<!ENTITY lol0 \"lollollollollollollollollollol\">\n";
    for (int i = 1; i < 10; ++i) {
        dtd += "<!ENTITY lol" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k)
            dtd += "&lol" + std::to_string(i - 1) + ";";
        dtd += "\">\n";
    }
    return dtd + "]>\n" + use;
}

std::string Nested(int depth)
{
    std::string xml = "<HealthData>";
    for (int i = 0; i < depth; ++i)
        xml += "<a>";
    return xml;
}

TEST(HealthHostileTest, EntitiesAreNeverExpandedAndDeepNestingIsRefused)
{
    ScopedDataDir dir;
    const struct
    {
        const char* name;
        std::string bytes;
        HealthReadError error;
    } cases[] = {
        {"content.xml", BillionLaughs("<HealthData>&lol9;</HealthData>"), HealthReadError::EntityReference},
        {"attribute.xml", BillionLaughs("<HealthData><Record value=\"&lol9;\"/></HealthData>"),
         HealthReadError::EntityReference},
        {"early.xml", BillionLaughs("<HealthData locale=\"&lol1;\"/>"), HealthReadError::EntityReference},
        {"deep.xml", Nested(100'000), HealthReadError::TooDeep},
        {"other.xml", "<?xml version=\"1.0\"?><ClinicalDocument/>", HealthReadError::NotHealthData},
        {"broken.xml", "<HealthData><Record></HealthData>", HealthReadError::Malformed},
    };
    for (const auto& c : cases) {
        const ImportFileRead read = ReadText(dir, c.name, c.bytes);
        EXPECT_EQ(read.healthError, c.error) << c.name;
        EXPECT_TRUE(read.table.rows.empty()) << c.name;
        EXPECT_FALSE(ImportFileErrorText(read, Language::Japanese).empty()) << c.name;
    }
    // Declarations alone, and the predefined five, are fine.
    const ImportFileRead fine =
        ReadText(dir, "fine.xml",
                 BillionLaughs("<HealthData locale=\"&lt;&amp;&#65;\">&quot;&apos;&gt;</HealthData>"));
    EXPECT_TRUE(fine.Ok()) << ImportFileErrorText(fine, Language::English);
}

TEST(HealthHostileTest, ZipBombsAndEscapingNamesAreRefusedWithoutExtracting)
{
    const struct
    {
        std::uint64_t inflated, compressed;
        bool bomb;
    } sizes[] = {
        {64ULL << 20, 1, false},              // up to 64 MiB any ratio
        {(64ULL << 20) + 200, 1, true},       // past it, more than 200-fold
        {200ULL << 20, 1ULL << 20, false},    // 200-fold exactly
        {(4ULL << 30) + 1, 1ULL << 30, true}, // past 4 GiB whatever the ratio
    };
    for (const auto& s : sizes)
        EXPECT_EQ(IsZipBomb(s.inflated, s.compressed), s.bomb) << s.inflated << " / " << s.compressed;

    ScopedDataDir dir;
    const std::string health = "<HealthData/>";
    const auto zipped = [&](const std::string& name, const std::string& member, const std::string& bytes) {
        const std::string path = (dir.Path() / name).string();
        EXPECT_TRUE(WriteZip(path, {{member, bytes}}));
        return path;
    };
    EXPECT_EQ(ReadImportFile(zipped("up.zip", "../export.xml", health)).zipError, HealthZipError::UnsafeName);
    EXPECT_EQ(ReadImportFile(zipped("abs.zip", "/tmp/export.xml", health)).zipError,
              HealthZipError::UnsafeName);
    EXPECT_EQ(ReadImportFile(zipped("none.zip", "readme.txt", "hello")).zipError,
              HealthZipError::NoHealthData);

    // 70 MiB of one character deflates about a thousandfold: refused as it inflates.
    const std::string flood = "<HealthData>" + std::string(70 << 20, ' ');
    EXPECT_EQ(ReadImportFile(zipped("flood.zip", "export.xml", flood)).zipError, HealthZipError::Bomb);

    // A member that states 4 GiB - 16 bytes for a few stored bytes: refused before reading.
    std::string stated = ReadBytes(zipped("stated.zip", "export.xml", health));
    const auto patch = [&](std::size_t at) {
        for (int b = 0; b < 4; ++b)
            stated[at + static_cast<std::size_t>(b)] = static_cast<char>(b == 0 ? 0xF0 : 0xFF);
    };
    patch(22);                             // the local header's size
    patch(stated.find("PK\x01\x02") + 24); // the central directory's
    EXPECT_EQ(ReadText(dir, "stated2.zip", stated).zipError, HealthZipError::Bomb);
}

} // namespace
