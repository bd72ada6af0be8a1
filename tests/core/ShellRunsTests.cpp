#include "core/ShellRuns.h"

#include <gtest/gtest.h>

namespace trawl {
namespace {

using Pair = std::pair<const char*, const char*>;

TEST(ShellRuns, AppPathsKeyAndValue)
{
    const Pair keys[] = {{"py", "py.exe"}, {"a.cmd", "a.cmd"}, {"", ""},
                         {"x\\py", ""},    {"p?", ""},         {"py.", ""}};
    for (const auto& [typed, key] : keys)
        EXPECT_EQ(AppPathsKeyName(typed).value_or(""), key) << typed;
    const auto expand = [](std::string_view text) { return text == "%E%" ? "" : std::string(text); };
    const Pair values[] = {{"\"a b\"", "a b"}, {" a\t", "a"},    {"\"\"", ""}, {"\"a", ""},
                           {"\"a\" /x", ""},   {"\"%E%\" ", ""}, {" ", ""}};
    for (const auto& [value, program] : values)
        EXPECT_EQ(CleanAppPathsValue(value, expand).value_or(""), program) << value;
}

TEST(ShellRuns, TheShellSearchesItsFoldersFirstAndEachOnce)
{
    AsciiNameFolder folder;
    const Pair lists[] = {{"", R"(C:\W;C:\W\S)"},
                          {R"(D:\T;c:\w\s\;"C:\W";;C:\W\S\X;C:\W\)", R"(C:\W;C:\W\S;D:\T;C:\W\S\X)"},
                          {R"("E:;b";C:\WS)", R"(C:\W;C:\W\S;"E:;b";C:\WS)"}};
    for (const auto& [list, searched] : lists)
        EXPECT_EQ(ShellDirectoryList(R"(C:\W)", R"(C:\W\S)", list, folder), searched) << list;
}

} // namespace
} // namespace trawl
