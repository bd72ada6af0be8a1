#include "core/StatusTexts.h"

#include <gtest/gtest.h>

#include <string>

namespace trawl {
namespace {

TEST(StatusTexts, FoundPaneText)
{
    EXPECT_EQ(FoundCountText(0), "Empty");
    EXPECT_EQ(FoundCountText(3), "Found 3");
    // Counted in 32 bits: no wrap to a negative number past 32,767 rows.
    EXPECT_EQ(FoundCountText(32768), "Found 32768");
    EXPECT_EQ(FoundCountText(100000), "Found 100000");
}

TEST(StatusTexts, VariableTextFitsTheStatusLineBelowFortyCharacters)
{
    EXPECT_TRUE(EntryFitsStatusLine(std::string(39, 'x')));
    EXPECT_FALSE(EntryFitsStatusLine(std::string(40, 'x')));
    EXPECT_TRUE(EntryFitsStatusLine("PATH"));
    // Characters, not bytes: 39 Greek letters take 78 bytes.
    std::string greek;
    for (int i = 0; i < 39; ++i)
        greek += "\xCE\xA9";
    EXPECT_TRUE(EntryFitsStatusLine(greek));
    EXPECT_FALSE(EntryFitsStatusLine(greek + "x"));
}

} // namespace
} // namespace trawl
