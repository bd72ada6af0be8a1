#include "core/ShimFile.h"

#include <gtest/gtest.h>

namespace trawl {
namespace {

using namespace std::literals;

TEST(ShimFile, ReadsThePathAndArgumentsOfAShim)
{
    const std::string atCap = "path = C:\\a.exe\n" + std::string(maxShimBytes - 16, ' ');
    const std::pair<std::string, const char*> cases[] = {
        {"path = C:\\x\\a.exe\r\nargs = -m pip\r\n", "C:\\x\\a.exe|-m pip"},
        {"# by hand\n\tPath\t=  \"C:\\x y\\a.exe\" \nARGS=\"a b\" -c\n", "C:\\x y\\a.exe|\"a b\" -c"},
        {"\xEF\xBB\xBFpath = C:\\Caf\xC3\xA9.exe", "C:\\Caf\xC3\xA9.exe|"},
        {"\xFF\xFEp\0a\0t\0h\0=\0C\0:\0\\\0\xE9"s, ""}, // odd bytes
        {atCap, "C:\\a.exe|"},
        {atCap + " ", ""},
        {"args = -m pip\n", ""},
        {"path = C:\\a.exe\npath = C:\\b.exe\n", ""},
        {"path = C:\\Caf\xE9.exe", ""}}; // not UTF-8
    for (size_t i = 0; i < std::size(cases); ++i) {
        const std::optional<ShimTarget> target = ParseShimFile(cases[i].first);
        EXPECT_EQ(target ? target->path + "|" + target->args : "", cases[i].second) << "case " << i;
    }
}

} // namespace
} // namespace trawl
