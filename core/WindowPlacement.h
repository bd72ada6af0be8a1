#pragma once

#include <optional>

namespace trawl {

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct Spot {
    int x = 0;
    int y = 0;
    bool operator==(const Spot&) const = default;
};

// Where a tool window of width by height goes beside the main window so that
// it hides none of the rows: right of it, else left, else below, else above;
// when none has room (a wide or maximised main window), in the corner of the
// work area farther from the chosen row, on the right, away from where the
// rows' paths begin. Always wholly inside the work area where it fits.
Spot PlaceBesideMain(const Box& main, int width, int height, const Box& work,
                     const std::optional<Box>& chosenRow);

} // namespace trawl
