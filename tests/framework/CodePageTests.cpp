#include "framework/CodePage.h"

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

namespace {

TEST(CharacterBoundary, CutsBetweenCharactersOfTheCodePage)
{
    // Code page 932: a trail byte may be a backslash or a lead byte too.
    const std::tuple<UINT, std::string_view, size_t, size_t> cases[] = {
        {932, "\x93\xFA\x96\x7B", 3, 2}, {932, "a\x93\xFA", 2, 1},    {932, "\x95\x5C\x95\x5C", 3, 2},
        {932, "\x95\x95\x5C", 2, 2},     {932, "\xB1\x93\xFA", 2, 1}, {CP_UTF8, "a\xE6\x97\xA5", 3, 1}};
    for (const auto& [codePage, text, limit, length] : cases)
        EXPECT_EQ(CharacterBoundary(text, limit, codePage), length) << codePage << " " << limit;
}

} // namespace
