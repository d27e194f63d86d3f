#include "list/CellColours.h"

#include "record/RecordLine.h"

#include <array>

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kPaleYellow{255, 255, 178};

// The six categories, from optimal to grade 3 hypertension.
constexpr std::array<CellColour, 6> kCategoryColours{{
    {false, kWhite, {178, 178, 255}},
    {true, {}, {}},
    {false, kBlack, kPaleYellow},
    {false, kWhite, {255, 128, 128}},
    {false, kWhite, {255, 64, 128}},
    {false, kWhite, {255, 0, 0}},
}};

// The lower limits of categories 1 to 5.
constexpr std::array<int, 5> kMaximumLimits{120, 130, 140, 160, 180};
constexpr std::array<int, 5> kMinimumLimits{80, 85, 90, 100, 110};

CellColour ByCategory(int value, const std::array<int, 5>& limits)
{
    size_t category = 0;
    while (category < limits.size() && value >= limits[category])
        ++category;
    return kCategoryColours[category];
}

} // namespace

CellColour CellColours(int column, std::string_view line)
{
    switch (column) {
    case 1:
        return ByCategory(ReadRecordNumber(line, RecordField::Max), kMaximumLimits);
    case 2:
        return ByCategory(ReadRecordNumber(line, RecordField::Min), kMinimumLimits);
    case 3:
        if (ReadRecordNumber(line, RecordField::Ihb) > 0)
            return {false, kBlack, kPaleYellow};
        return {};
    default:
        return {};
    }
}
