#include "core/ListSplit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trawl {
namespace {

using Strings = std::vector<std::string>;

TEST(ListSplit, SplitDropsEmptyEntriesUnwrapsQuotesAndKeepsTheRestVerbatim)
{
    struct Case {
        const char* list;
        Strings directories;
    };
    const Case cases[] = {
        {"", {}},
        {";", {}},
        {";;;", {}},
        {"D:\\A", {"D:\\A"}},
        {";;D:\\A;;D:\\B;", {"D:\\A", "D:\\B"}},
        {"D:\\B;D:\\A;D:\\B", {"D:\\B", "D:\\A", "D:\\B"}},
        {" D:\\A ;\"D:\\B\";%WINDIR%", {" D:\\A ", "D:\\B", "%WINDIR%"}},
        {"\"C:\\Program Files\\Tool\"", {"C:\\Program Files\\Tool"}},
        {"\"D:\\a;b\";D:\\C", {"D:\\a;b", "D:\\C"}},
        {"\"\";;\"\"", {}},
        // Quotes that do not wrap the whole entry stay part of it.
        {"\"D:\\A\"x;D:\\\"B\";\"D:\\open;D:\\E", {"\"D:\\A\"x", "D:\\\"B\"", "\"D:\\open", "D:\\E"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        EXPECT_EQ(SplitDirectoryList(c.list), c.directories);
    }
}

TEST(ListSplit, TheWholeListIsSplitWhateverItsLength)
{
    // Directories beyond any fixed buffer, and one crossing character 999.
    for (size_t length : {size_t{1000}, size_t{5031}, size_t{32767}}) {
        SCOPED_TRACE(length);
        Strings expected;
        std::string list;
        while (list.size() + 8 < length) {
            expected.push_back("D:\\fix\\" + std::to_string(expected.size()));
            list += expected.back() + ";";
        }
        expected.push_back("D:\\fix\\ab");
        list += expected.back();
        EXPECT_EQ(SplitDirectoryList(list), expected);
    }
}

} // namespace
} // namespace trawl
