#include "core/PathLines.h"

#include <gtest/gtest.h>

namespace {

// Each byte is 10 pixels wide.
int Width(std::string_view text)
{
    return 10 * static_cast<int>(text.size());
}

TEST(PathLines, BreakAfterBackslashesOrBetweenCharactersOnlyWhenTooWide)
{
    const struct {
        const char* path;
        int maxWidth;
        const char* lines;
    } cases[] = {
        {"C:\\a\\b.txt", 100, "C:\\a\\b.txt"},                                    // fits: as it is
        {"C:\\dir\\sub\\name.txt", 80, "C:\\dir\\\nsub\\\nname.txt"},             // at backslashes
        {"C:\\abcdefghij.txt", 50, "C:\\\nabcde\nfghij\n.txt"},                   // a name wider than a line
        {"C:\\\xCE\xA9\xCE\xA9\xCE\xA9", 40, "C:\\\n\xCE\xA9\xCE\xA9\n\xCE\xA9"}, // never half of Ω
        {"\\\\server\\share\\f", 90, "\\\\server\\\nshare\\f"},
        {"abc", 5, "a\nb\nc"}, // narrower than one character: one a line
    };
    for (const auto& [path, maxWidth, lines] : cases) {
        const std::string broken = trawl::BreakPathLines(path, maxWidth, Width);
        EXPECT_EQ(broken, lines) << path;
        std::string joined = broken;
        std::erase(joined, '\n');
        EXPECT_EQ(joined, path) << "the whole path shows";
    }
}

} // namespace
