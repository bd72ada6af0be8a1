#include "WindowPlacement.h"

#include <algorithm>

namespace trawl {

namespace {

int Within(int value, int low, int high, int size)
{
    return std::clamp(value, low, std::max(low, high - size));
}

} // namespace

Spot PlaceBesideMain(const Box& main, int width, int height, const Box& work,
                     const std::optional<Box>& chosenRow)
{
    const int alongY = Within(main.top, work.top, work.bottom, height);
    const int alongX = Within(main.left, work.left, work.right, width);
    if (main.right + width <= work.right)
        return {std::max(main.right, work.left), alongY};
    if (main.left - width >= work.left)
        return {std::min(main.left - width, work.right - width), alongY};
    if (main.bottom + height <= work.bottom)
        return {alongX, std::max(main.bottom, work.top)};
    if (main.top - height >= work.top)
        return {alongX, std::min(main.top - height, work.bottom - height)};
    const int right = Within(work.right, work.left, work.right, width);
    const bool rowInUpperHalf =
        chosenRow && (chosenRow->top + chosenRow->bottom) / 2 < (work.top + work.bottom) / 2;
    return {right, rowInUpperHalf ? Within(work.bottom, work.top, work.bottom, height) : work.top};
}

} // namespace trawl
