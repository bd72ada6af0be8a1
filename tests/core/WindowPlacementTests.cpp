#include "core/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

using trawl::Box;
using trawl::Spot;

TEST(WindowPlacement, BesideThenBelowOrAboveThenAwayFromTheChosenRow)
{
    const Box work{0, 0, 1280, 1000};
    const Box upperRow{10, 100, 1200, 120}, lowerRow{10, 800, 1200, 820};
    const struct {
        const char* where;
        Box main;
        std::optional<Box> row;
        Spot spot; // of a 300 x 200 window
    } cases[] = {
        {"right", {100, 100, 700, 500}, {}, {700, 100}},
        {"left: no room on the right", {400, 100, 1100, 500}, {}, {100, 100}},
        {"kept inside vertically", {100, 900, 700, 1300}, {}, {700, 800}},
        {"below: too wide for either side", {100, 100, 1100, 500}, {}, {100, 500}},
        {"above", {100, 600, 1100, 900}, {}, {100, 400}},
        {"maximised, row above the middle: bottom right", work, upperRow, {980, 800}},
        {"maximised, row below the middle: top right", work, lowerRow, {980, 0}},
        {"maximised, no row", work, {}, {980, 0}},
    };
    for (const auto& [where, main, row, spot] : cases) {
        const Spot placed = trawl::PlaceBesideMain(main, 300, 200, work, row);
        EXPECT_EQ(placed, spot) << where << ": " << placed.x << "," << placed.y;
    }
}

} // namespace
