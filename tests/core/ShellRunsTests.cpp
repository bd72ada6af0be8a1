#include "core/ShellRuns.h"

#include <gtest/gtest.h>

#include <set>

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

TEST(ShellRuns, FirstFileInTheShellsOrderStarts)
{
    const std::vector<std::string> ext{".com", ".exe"};
    const ShellPlaces places{"W", "W\\S", {"T", "W\\S\\"}, ext, "U\\p.exe", "M\\p.exe"};
    const std::tuple<const char*, std::set<std::string>, const char*> cases[] = {
        {"p", {"T\\p.exe", "W\\S\\p.exe"}, "W\\S\\p.exe"},
        {"p", {"W\\S\\p.exe", "W\\p.com"}, "W\\p.com"},
        {"p", {"T\\p.exe", "T\\p.com", "U\\p.exe"}, "T\\p.com"},
        {"p", {"U\\p.exe", "M\\p.exe"}, "U\\p.exe"},
        {"p", {"M\\p.exe", "T\\p"}, "M\\p.exe"},
        {"p.exe", {"T\\p.exe.exe", "T\\p.exe"}, "T\\p.exe"}};
    for (const auto& [typed, files, starts] : cases) {
        const auto candidates = ShellCandidates(typed, places);
        const auto winner =
            ShellWinner(candidates, [&](const std::string& file) { return files.contains(file); });
        EXPECT_EQ(winner ? candidates[*winner].path : "", starts) << typed;
    }
}

} // namespace
} // namespace trawl
