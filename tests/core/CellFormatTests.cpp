#include "core/CellFormat.h"

#include <gtest/gtest.h>

#include <climits>

namespace trawl {
namespace {

TEST(CellFormat, SizeInKilobytesRoundsHalvesUpAndShowsAtLeastOne)
{
    struct Case {
        uint64_t bytes;
        const char* text;
    };
    const Case cases[] = {
        {0, "1KB"},
        {1, "1KB"},
        {1023, "1KB"},
        {1535, "1KB"},
        {1536, "2KB"},
        {2560, "3KB"},
        {1048576, "1024KB"},
        {4294967296, "4194304KB"},
        {UINT64_MAX, "18014398509481984KB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(FormatSizeCell(c.bytes), c.text);
    }
}

TEST(CellFormat, DateIsMonthDayYearThenTime)
{
    struct Case {
        LocalTime time;
        const char* text;
    };
    const Case cases[] = {
        {{1999, 3, 5, 9, 7}, " 3/05/1999  09:07"},
        {{1999, 12, 31, 23, 59}, "12/31/1999  23:59"},
        {{2000, 1, 1, 0, 0}, " 1/01/2000  00:00"},
        // Nonsense fields are printed in full, never cut or overrun.
        {{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN},
         "-2147483648/-2147483648/-2147483648  -2147483648:-2147483648"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatDateCell(c.time), c.text);
    }
}

TEST(CellFormat, AttributesHaveFixedPlaces)
{
    using namespace attribute;
    struct Case {
        uint32_t attributes;
        const char* text;
    };
    const Case cases[] = {
        {0, "     "},
        {archive | readOnly, "A R  "},
        {archive | hidden | readOnly | system | temporary, "AHRST"},
        {hidden, " H   "},
        {system, "   S "},
        {temporary, "    T"},
        {directory | 0x80, "     "}, // bits without a place show nothing
        {archive | reparsePoint, "A    L"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        EXPECT_EQ(FormatAttributeCell(c.attributes), c.text);
    }
}

} // namespace
} // namespace trawl
