// The list's cell colours: which category limits colour a pressure cell.
#include "list/CellColours.h"
#include "record/RecordLine.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

std::string Line(int max, int min = 80, int ihb = 0, int type = 0)
{
    return FormatRecordLine({"2024/5/3 07:05:09", static_cast<std::uint32_t>(max),
                             static_cast<std::uint32_t>(min), 70, ihb, type, ""});
}

} // namespace

TEST(CellColours, PressureCellsFollowTheCategoryLimits)
{
    const CellColour sys{}, blue{false, {255, 255, 255}, {178, 178, 255}},
        yellow{false, {0, 0, 0}, {255, 255, 178}}, pink{false, {255, 255, 255}, {255, 128, 128}},
        rose{false, {255, 255, 255}, {255, 64, 128}}, red{false, {255, 255, 255}, {255, 0, 0}};
    const std::vector<std::pair<int, CellColour>> maxima{{119, blue}, {120, sys},  {129, sys},  {130, yellow},
                                                         {140, pink}, {160, rose}, {179, rose}, {180, red}};
    for (const auto& [value, colour] : maxima)
        EXPECT_EQ(CellColours(1, Line(value)), colour) << value;
    const std::vector<std::pair<int, CellColour>> minima{{79, blue}, {80, sys},   {84, sys},   {85, yellow},
                                                         {90, pink}, {100, rose}, {109, rose}, {110, red}};
    for (const auto& [value, colour] : minima)
        EXPECT_EQ(CellColours(2, Line(200, value)), colour) << value;
    // The pulse cell marks an irregular pulse, whatever the pulse; other columns stay plain.
    EXPECT_EQ(CellColours(3, Line(120, 80, 1)), yellow);
    EXPECT_EQ(CellColours(3, Line(120, 80, 0)), sys);
    EXPECT_EQ(CellColours(3, "2024/5/3 07:05:09,120,80"), sys); // a short line reads as 0
    EXPECT_EQ(CellColours(0, Line(200, 200, 1)), sys);
    EXPECT_EQ(CellColours(6, Line(200, 200, 1)), sys);
}
