#pragma once
// A colour as red, green and blue components from 0 to 255: the cell colours of the list and
// the pens and fills of the graph.

#include <cstdint>

struct Rgb
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};
