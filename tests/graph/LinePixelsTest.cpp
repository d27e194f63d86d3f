// The pixels of a graph line: start painted, end not, dotted three on three off, clipped.
#include "graph/LinePixels.h"

#include <gtest/gtest.h>

#include <limits>

TEST(LinePixels, ALineStopsBeforeItsEndPixelInEitherDirection)
{
    EXPECT_EQ(LinePixels({1, 1, 5, 1}, PenStyle::Solid, 10, 10),
              (std::vector<Pixel>{{1, 1}, {2, 1}, {3, 1}, {4, 1}}));
    EXPECT_EQ(LinePixels({5, 1, 1, 1}, PenStyle::Solid, 10, 10),
              (std::vector<Pixel>{{5, 1}, {4, 1}, {3, 1}, {2, 1}}));
    EXPECT_EQ(LinePixels({3, 3, 0, 0}, PenStyle::Solid, 10, 10),
              (std::vector<Pixel>{{3, 3}, {2, 2}, {1, 1}}));
    EXPECT_EQ(LinePixels({2, 8, 2, 5}, PenStyle::Solid, 10, 10),
              (std::vector<Pixel>{{2, 8}, {2, 7}, {2, 6}}));
    EXPECT_TRUE(LinePixels({4, 4, 4, 4}, PenStyle::Solid, 10, 10).empty());
}

TEST(LinePixels, ADottedLinePaintsThreePixelsThenLeavesThree)
{
    EXPECT_EQ(LinePixels({0, 0, 10, 0}, PenStyle::Dotted, 20, 20),
              (std::vector<Pixel>{{0, 0}, {1, 0}, {2, 0}, {6, 0}, {7, 0}, {8, 0}}));
}

TEST(LinePixels, OnlyPixelsInsideTheSurfaceAreReturnedAndTheDotsKeepTheirPlace)
{
    // Far above the surface: only its part inside, computed without walking the rest.
    const std::vector<Pixel> steep = LinePixels({10, -4000000000LL, 20, 50}, PenStyle::Solid, 100, 100);
    ASSERT_EQ(steep.size(), 50u);
    EXPECT_EQ(steep.front(), (Pixel{20, 0}));
    EXPECT_EQ(steep.back(), (Pixel{20, 49}));

    const std::vector<Pixel> dotted = LinePixels({-4, 5, 12, 5}, PenStyle::Dotted, 10, 10);
    EXPECT_EQ(dotted, (std::vector<Pixel>{{2, 5}, {3, 5}, {4, 5}, {8, 5}, {9, 5}}));
    EXPECT_TRUE(LinePixels({0, -50, 9, -50}, PenStyle::Solid, 10, 10).empty());
}

TEST(LinePixels, ALineAcrossTheWholeCoordinateRangeStillFindsItsPixels)
{
    // Both ends at the far corners of the 64-bit plane: the diagonal through the surface. The
    // rounding works on the product of two distances of 64 bits each.
    const long long lo = std::numeric_limits<long long>::min();
    const long long hi = std::numeric_limits<long long>::max();
    EXPECT_EQ(LinePixels({lo, lo, hi, hi}, PenStyle::Solid, 3, 3),
              (std::vector<Pixel>{{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_EQ(LinePixels({hi, hi, lo, lo}, PenStyle::Solid, 3, 3),
              (std::vector<Pixel>{{2, 2}, {1, 1}, {0, 0}}));
    EXPECT_EQ(LinePixels({lo, hi, hi, lo}, PenStyle::Solid, 3, 3), std::vector<Pixel>{}); // passes beside it
}
