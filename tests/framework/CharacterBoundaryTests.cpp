#include "framework/Wnd.h"

#include <gtest/gtest.h>

namespace {

TEST(CharacterBoundary, CutsBetweenCharactersOfTheCodePage)
{
    struct Case {
        UINT codePage;
        std::string_view text;
        size_t limit;
        size_t length;
    };
    const Case cases[] = {
        {932, "\x93\xFA\x96\x7B", 3, 2},                                   // two double-byte characters
        {932, "a\x93\xFA", 2, 1},         {932, "\x95\x5C\x95\x5C", 3, 2}, // a trail byte that is a backslash
        {932, "\x95\x95\x5C", 2, 2}, // a trail byte that is also a lead byte
        {932, "\xB1\x93\xFA", 2, 1}, // a single-byte katakana first
        {932, "\x93\xFA", 5, 2},          {CP_UTF8, "\xCE\xA9x", 1, 0},    {CP_UTF8, "a\xE6\x97\xA5", 3, 1},
        {CP_UTF8, "a\xE6\x97\xA5", 4, 4}, {1252, "\xE9\xE9", 1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CharacterBoundary(c.text, c.limit, c.codePage), c.length)
            << c.codePage << " " << testing::PrintToString(std::string(c.text)) << " " << c.limit;
}

} // namespace
