// Cell formats at every value: sizes round half up to whole KB (at least 1),
// dates never cut or overflow, attribute letters follow their bits (the
// sixth, for a reparse point, only when set).
#include "core/CellFormat.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace trawl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);

    const uint64_t bytes = input.ConsumeIntegral<uint64_t>();
    const std::string sizeCell = FormatSizeCell(bytes);
    unsigned __int128 kilobytes = (static_cast<unsigned __int128>(bytes) + 512) / 1024;
    if (kilobytes == 0)
        kilobytes = 1;
    if (sizeCell != std::to_string(static_cast<uint64_t>(kilobytes)) + "KB")
        std::abort();

    LocalTime time;
    time.year = input.ConsumeIntegral<int>();
    time.month = input.ConsumeIntegral<int>();
    time.day = input.ConsumeIntegral<int>();
    time.hour = input.ConsumeIntegral<int>();
    time.minute = input.ConsumeIntegral<int>();
    const std::string dateCell = FormatDateCell(time);
    char expected[128];
    std::snprintf(expected, sizeof expected, "%2d/%02d/%02d  %02d:%02d", time.month, time.day, time.year,
                  time.hour, time.minute);
    if (dateCell != expected)
        std::abort();

    const uint32_t attributes = input.ConsumeIntegral<uint32_t>();
    const std::string attributeCell = FormatAttributeCell(attributes);
    const struct {
        uint32_t bit;
        char letter;
    } places[] = {{attribute::archive, 'A'}, {attribute::hidden, 'H'},    {attribute::readOnly, 'R'},
                  {attribute::system, 'S'},  {attribute::temporary, 'T'}, {attribute::reparsePoint, 'L'}};
    // The sixth place is there only for a reparse point.
    const size_t placeCount = (attributes & attribute::reparsePoint) ? 6 : 5;
    if (attributeCell.size() != placeCount)
        std::abort();
    for (size_t i = 0; i < placeCount; ++i)
        if (attributeCell[i] != ((attributes & places[i].bit) ? places[i].letter : ' '))
            std::abort();
    return 0;
}
