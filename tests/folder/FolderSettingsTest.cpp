// The settings file's six lines read into one value, and the edit that changes one line.
#include "folder/FolderSettings.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using Lines = std::vector<std::string>;

TEST(FolderSettingsTest, SixLinesReadAsOneValue)
{
    const struct
    {
        Lines lines;
        FolderSettings expected;
    } cases[] = {
        {DefaultSettingLines(), {1000, 1, 30, false, false, "\x96\xA2\x90\xDD\x92\xE8"}},
        {{"500", "2", "40", "1", "1", "x"}, {500, 2, 40, true, true, "x"}},
        // The atoi rule: leading blanks and signs, trailing text ignored, 32-bit saturation.
        {{" 12abc", "-5", "99999999999", "01", "1abc", ""}, {12, -5, INT_MAX, true, true, ""}},
        // A flag is set only by the number 1.
        {{"0", "0", "0", "2", "-1", "a,b"}, {0, 0, 0, false, false, "a,b"}},
        // Missing lines: 0, unset, the empty name.
        {{"7"}, {7, 0, 0, false, false, ""}},
        {{}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadFolderSettings(c.lines), c.expected) << (c.lines.empty() ? "" : c.lines[0]);
}

TEST(FolderSettingsTest, AChangeReplacesItsOwnLineAndFillsAShortFileWithEmptyLines)
{
    const struct
    {
        unsigned lineCount;
        SettingLine line;
        const char* text;
        SettingLineEdit expected;
    } cases[] = {
        {6, kSettingRecordLimit, "500", {1, "500"}},
        {6, kSettingName, "", {6, ""}},
        {9, kSettingUseBl, "1", {4, "1"}},
        {5, kSettingName, "x", {6, "x"}}, // the line after the last
        {2, kSettingName, "x", {3, "\n\n\nx"}},
        {0, kSettingPrintTo, "30", {1, "\n\n30"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlanSettingEdit(c.lineCount, c.line, c.text), c.expected) << c.lineCount << " " << c.line;
    EXPECT_EQ(FlagLineText(true) + FlagLineText(false), "10");
}

} // namespace
