#include "core/EnvironmentNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trawl {
namespace {

TEST(EnvironmentNames, EnvironmentNamesComeFromTheBlockInOrder)
{
    // Entries beginning with "=" (the per-drive directories) have no name.
    const char block[] = "Path=C:\\DOS\0=C:=C:\\\0windir=C:\\WINDOWS\0EMPTY=\0NOEQUALS\0\0";
    std::vector<std::string> names = EnvironmentNames(block);
    EXPECT_EQ(names, (std::vector<std::string>{"Path", "windir", "EMPTY", "NOEQUALS"}));
    EXPECT_TRUE(EnvironmentNames("\0").empty());
    EXPECT_TRUE(EnvironmentNames(nullptr).empty());
}

} // namespace
} // namespace trawl
