#include "csv/CsvText.h"
#include "csv/CsvColumns.h"
#include "platform/Cp932.h"
#include "platform/Cp932Encoder.h"

#include <gtest/gtest.h>

namespace {

TEST(CsvTextTest, EachEncodingIsDetectedAndDecodedToUtf8)
{
    const std::string utf8 = "日付,最高血圧\r\n";
    struct Case
    {
        std::string bytes;
        CsvEncoding encoding;
    };
    const Case cases[] = {
        {utf8, CsvEncoding::Utf8},
        {"\xEF\xBB\xBF" + utf8, CsvEncoding::Utf8Bom},
        {std::string("\xFF\xFE\xE5\x65\xD8\x4E\x2C\x00\x00\x67\xD8\x9A\x40\x88\x27\x57\x0D\x00\x0A\x00", 20),
         CsvEncoding::Utf16Le},
        {std::string("\xFE\xFF\x65\xE5\x4E\xD8\x00\x2C\x67\x00\x9A\xD8\x88\x40\x57\x27\x00\x0D\x00\x0A", 20),
         CsvEncoding::Utf16Be},
        {Cp932FromUtf8(utf8), CsvEncoding::Cp932},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DetectCsvEncoding(c.bytes), c.encoding) << static_cast<int>(c.encoding);
        EXPECT_EQ(DecodeCsvBytes(c.bytes, c.encoding), utf8) << static_cast<int>(c.encoding);
    }
    EXPECT_EQ(DecodeCsvBytes("a\xFF", CsvEncoding::Utf8), "a\uFFFD");
    EXPECT_EQ(DecodeCsvBytes(std::string("\xFF\xFE\x3D\xD8\x00\xDE\x3D\xD8", 8), CsvEncoding::Utf16Le),
              "😀\uFFFD"); // a surrogate pair, then a lone high surrogate
}

TEST(CsvTextTest, DelimiterIsTheOneTheHeaderUsesMostOutsideQuotes)
{
    EXPECT_EQ(DetectCsvDelimiter("date,time,sys\n1;2;3;4;5"), ',');
    EXPECT_EQ(DetectCsvDelimiter("Datum;Uhrzeit;Systole;\"a,b,c,d\"\n"), ';');
    EXPECT_EQ(DetectCsvDelimiter("date\ttime\tsys,dia\n"), '\t');
    EXPECT_EQ(DetectCsvDelimiter("date\n"), ',');
    EXPECT_EQ(DetectCsvDelimiter(""), ',');
}

TEST(CsvTextTest, QuotedFieldsAndLineNumbersFollowRfc4180)
{
    const std::string text = "h1,h2\r\n"
                             "\r\n"
                             "\"a,b\",\"say \"\"hi\"\"\"\r\n"
                             "\"two\r\nlines\",x\n"
                             "last,\"\"\r"
                             "tab\tstays,\"open";
    const std::vector<CsvRow> rows = ParseCsvRows(text, ',');
    ASSERT_EQ(rows.size(), 5u);
    const std::vector<std::pair<int, std::vector<std::string>>> expected = {
        {1, {"h1", "h2"}}, {3, {"a,b", "say \"hi\""}},  {4, {"two\r\nlines", "x"}},
        {6, {"last", ""}}, {7, {"tab\tstays", "open"}},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].line, expected[i].first) << i;
        EXPECT_EQ(rows[i].cells, expected[i].second) << i;
    }
    const CsvTable table = ReadCsvTable("\xEF\xBB\xBF"
                                        "a;b\n1;2\n");
    EXPECT_EQ(table.delimiter, ';');
    EXPECT_EQ(table.header, (std::vector<std::string>{"a", "b"}));
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0].line, 2);
}

TEST(CsvColumnsTest, HeaderNamesMatchIgnoringCaseBlanksAndBrackets)
{
    const std::pair<const char*, CsvField> cases[] = {
        {"Date", CsvField::Date},
        {" 測定日 ", CsvField::Date},
        {"DateTime", CsvField::DateTime},
        {"timestampUnixMs", CsvField::DateTime},
        {"測定日時", CsvField::DateTime},
        {"Uhrzeit", CsvField::Time},
        {"SYS (mmHg)", CsvField::Systolic},
        {"最高血圧（mmHg）", CsvField::Systolic},
        {"上", CsvField::Systolic},
        {"Diastole [mmHg]", CsvField::Diastolic},
        {"拡張期血圧", CsvField::Diastolic},
        {"Heart Rate", CsvField::Pulse},
        {"脈拍(拍/分)", CsvField::Pulse},
        {"BPM", CsvField::Pulse},
        {"不整脈", CsvField::Ihb},
        {"Irregular", CsvField::Ihb},
        {"タイミング", CsvField::Type},
        {"Notes", CsvField::Comment},
        {"備考", CsvField::Comment},
        {"Kommentar", CsvField::Comment},
    };
    for (const auto& [name, field] : cases) {
        CsvField found = CsvField::Comment;
        ASSERT_TRUE(TryFieldOfHeader(name, found)) << name;
        EXPECT_EQ(found, field) << name;
    }
    CsvField unused;
    for (const char* name : {"", "weight", "(sys)", "hrv", "上腕"}) // short names match only whole
        EXPECT_FALSE(TryFieldOfHeader(name, unused)) << name;
}

TEST(CsvColumnsTest, FirstMatchingColumnWinsAndRequiredOnesAreNamedWhenMissing)
{
    const CsvColumnMap map = MatchCsvColumns({"Datum", "Uhrzeit", "Sys", "Dia", "Puls", "sys", "Notiz"});
    EXPECT_EQ(map[CsvField::Date], 0);
    EXPECT_EQ(map[CsvField::Time], 1);
    EXPECT_EQ(map[CsvField::Systolic], 2);
    EXPECT_EQ(map[CsvField::Comment], 6);
    EXPECT_FALSE(map.Has(CsvField::Ihb));
    EXPECT_TRUE(MissingCsvFields(map).empty());

    const std::vector<CsvField> missing = MissingCsvFields(MatchCsvColumns({"weight", "dia"}));
    EXPECT_EQ(missing, (std::vector<CsvField>{CsvField::Date, CsvField::Systolic}));
    EXPECT_EQ(MissingCsvFieldsText(missing, Language::Japanese), "必要な列がありません: 日付, 最高血圧");
    EXPECT_EQ(MissingCsvFieldsText(missing, Language::English),
              "required columns are missing: date, systolic pressure");
}

TEST(Cp932EncoderTest, EachCharacterWithoutAShiftJisFormBecomesOneQuestionMark)
{
    CCp932Encoder encoder;
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {"朝😀夜", Cp932FromUtf8("朝?夜")},
        {"é and 한", "? and ?"},
        {"a\xFF"
         "b",
         "a?b"},
        {"", ""},
    };
    for (const auto& [utf8, cp932] : cases) {
        const CCp932Encoder::Result result = encoder.Encode(utf8);
        EXPECT_EQ(result.text, cp932) << utf8;
        EXPECT_EQ(result.replaced, utf8 != "plain" && !utf8.empty()) << utf8;
    }
}

} // namespace
