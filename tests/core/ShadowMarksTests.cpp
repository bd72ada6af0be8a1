#include "core/ListedFile.h"
#include "core/NameFolder.h"
#include "core/ShadowMarks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trawl {
namespace {

// "" no mark, "wins N", or "shadowed by D" with the winner's item data.
std::string Describe(const ShadowMarks& marks, const std::vector<ListedFile>& files, intptr_t itemData)
{
    const ShadowMark* mark = marks.Find(itemData);
    if (mark == nullptr)
        return "";
    if (mark->state == ShadowState::Winner)
        return "wins " + std::to_string(mark->shadowedCount);
    return "shadowed by " + std::to_string(files[mark->winner].itemData);
}

TEST(ShadowMarks, FirstCopyInTheOrderFoundWins)
{
    struct Case {
        const char* name;
        std::vector<ListedFile> files;
        std::vector<std::string> marks; // per file, in the order given
    };
    const Case cases[] = {
        {"one name in three directories",
         {{0, R"(C:\A\tool.exe)"},
          {1, R"(C:\B\tool.exe)"},
          {2, R"(C:\B\other.exe)"},
          {3, R"(C:\C\tool.exe)"}},
         {"wins 2", "shadowed by 0", "", "shadowed by 0"}},
        {"names differing only in case",
         {{0, R"(C:\A\Tool.EXE)"}, {1, R"(C:\B\tool.exe)"}, {2, R"(C:\B\TOOL.exe)"}},
         {"wins 2", "shadowed by 0", "shadowed by 0"}},
        {"the message row never counts",
         {{0, "(No files where found !)"},
          {1, R"(C:\A\(No files where found !))"},
          {2, "(No files where found !)"}},
         {"", "", ""}},
        {"a directory named twice",
         {{0, R"(C:\A\x.dll)"}, {1, R"(C:\A\y.dll)"}, {2, R"(C:\A\x.dll)"}, {3, R"(C:\A\y.dll)"}},
         {"wins 1", "wins 1", "shadowed by 0", "shadowed by 1"}},
        {"the order found, not the order shown",
         {{2, R"(C:\C\t.exe)"}, {0, R"(C:\A\T.EXE)"}, {1, R"(C:\B\t.exe)"}},
         {"shadowed by 0", "wins 2", "shadowed by 0"}},
        {"the next copy wins once the winner is gone",
         {{3, R"(C:\C\t.exe)"}, {1, R"(C:\A\t.exe)"}, {2, R"(C:\B\t.exe)"}},
         {"shadowed by 1", "wins 2", "shadowed by 1"}},
        {"item data spread wide",
         {{1000000, R"(C:\B\t.exe)"}, {5, R"(D:\t.exe)"}},
         {"shadowed by 5", "wins 1"}},
        {"directories are not names", {{0, R"(C:\)"}, {1, R"(D:\)"}}, {"", ""}},
        {"a directory part does not make a namesake",
         {{0, R"(C:\tool\a.exe)"}, {1, R"(C:\a\tool)"}},
         {"", ""}},
        {"UTF-8 bytes are kept, ASCII around them folded",
         {{0, "C:\\A\\\xC3\xA4.txt"}, {1, "C:\\B\\\xC3\xA4.TXT"}, {2, "C:\\C\\\xC3\x84.txt"}},
         {"wins 1", "shadowed by 0", ""}},
        {"no files", {}, {}},
    };
    AsciiNameFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShadowMarks marks;
        marks.Compute(c.files, folder);
        std::vector<std::string> described;
        for (const ListedFile& file : c.files)
            described.push_back(Describe(marks, c.files, file.itemData));
        EXPECT_EQ(described, c.marks);
    }
}

} // namespace
} // namespace trawl
