#pragma once
// The colours of a cell of the measurement list, decided from the record line alone: the
// pressure cells by blood-pressure category, the pulse cell by the irregular-pulse mark.

#include "platform/Rgb.h"

#include <string_view>

struct CellColour
{
    bool system = true; // the window's own text colour on its own background; text/background unused
    Rgb text;
    Rgb background;
    friend constexpr bool operator==(const CellColour&, const CellColour&) = default;
};

// Column 1 by the maximum, column 2 by the minimum, column 3 by the irregular-pulse mark;
// every other column keeps the system colours.
CellColour CellColours(int column, std::string_view line);
