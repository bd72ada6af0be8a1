#include "CellFormat.h"

#include <cstdio>

namespace trawl {

std::string FormatSizeCell(uint64_t bytes)
{
    // Halves round up (printf would round 2.5 to even), and splitting off the
    // remainder keeps byte counts near the 64-bit limit from overflowing.
    uint64_t kilobytes = bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0);
    if (kilobytes == 0)
        kilobytes = 1;
    return std::to_string(kilobytes) + "KB";
}

std::string FormatDateCell(const LocalTime& time)
{
    // Large enough for five full-width ints, so nothing is ever cut off.
    char text[80];
    int length = std::snprintf(text, sizeof text, "%2d/%02d/%02d  %02d:%02d", time.month, time.day, time.year,
                               time.hour, time.minute);
    if (length < 0)
        return std::string();
    return std::string(text, static_cast<size_t>(length) < sizeof text ? static_cast<size_t>(length)
                                                                       : sizeof text - 1);
}

std::string FormatAttributeCell(uint32_t attributes)
{
    std::string text(5, ' ');
    if (attributes & attribute::archive)
        text[0] = 'A';
    if (attributes & attribute::hidden)
        text[1] = 'H';
    if (attributes & attribute::readOnly)
        text[2] = 'R';
    if (attributes & attribute::system)
        text[3] = 'S';
    if (attributes & attribute::temporary)
        text[4] = 'T';
    if (attributes & attribute::reparsePoint)
        text += 'L';
    return text;
}

} // namespace trawl
