#include "core/ListEdit.h"

#include <gtest/gtest.h>

#include <functional>

using namespace trawl;

namespace {

using Rows = std::vector<size_t>;

const std::string system = R"(C:\Windows;%SystemRoot%\system32;"C:\a;b")";
const std::string user = R"(%JAVA_HOME%\bin;C:\tools ;;D:\x)";

// Rows: 0 C:\Windows, 1 %SystemRoot%\system32, 2 "C:\a;b" (System);
// 3 %JAVA_HOME%\bin, 4 "C:\tools ", 5 "", 6 D:\x (User); 7 Z:\here (Process).
TEST(StoredListEdit, WritesOnlyWhatChangedAndEveryUntouchedEntryAsStored)
{
    struct Case {
        const char* what;
        std::function<void(StoredListEdit&)> edit;
        std::optional<std::string> newSystem, newUser;
    };
    const Case cases[] = {
        {"nothing", [](StoredListEdit&) {}, std::nullopt, std::nullopt},
        {"remove one user entry", [](StoredListEdit& e) { e.Remove(Rows{5}); }, std::nullopt,
         R"(%JAVA_HOME%\bin;C:\tools ;D:\x)"},
        {"a process row is not removed", [](StoredListEdit& e) { e.Remove(Rows{7}); }, std::nullopt,
         std::nullopt},
        {"last system entry crosses into user", [](StoredListEdit& e) { e.MoveDown(Rows{2}); },
         R"(C:\Windows;%SystemRoot%\system32)", R"("C:\a;b";%JAVA_HOME%\bin;C:\tools ;;D:\x)"},
        {"two rows move up together",
         [](StoredListEdit& e) {
             e.MoveUp(Rows{1, 2});
         },
         R"(%SystemRoot%\system32;"C:\a;b";C:\Windows)", std::nullopt},
        {"add after a system row", [](StoredListEdit& e) { e.Add(0, "E:\\new"); },
         R"(C:\Windows;E:\new;%SystemRoot%\system32;"C:\a;b")", std::nullopt},
        {"add after a process row goes to user", [](StoredListEdit& e) { e.Add(7, "E:\\new"); }, std::nullopt,
         R"(%JAVA_HOME%\bin;C:\tools ;;D:\x;E:\new)"},
        {"remove every system entry",
         [](StoredListEdit& e) {
             e.Remove(Rows{0, 1, 2});
         },
         "", std::nullopt},
        {"edit, then revert", [](StoredListEdit& e) { e.Edit(6, "D:\\y"), e.Revert(); }, std::nullopt,
         std::nullopt},
    };
    for (const Case& c : cases) {
        StoredListEdit edit(system, user, {"Z:\\here"});
        c.edit(edit);
        EXPECT_EQ(edit.NewValue(EditGroup::System), c.newSystem) << c.what;
        EXPECT_EQ(edit.NewValue(EditGroup::User), c.newUser) << c.what;
    }
}

TEST(StoredListEdit, CrossingIsToldAndCleanUpPicksOnlyWhatCanGo)
{
    StoredListEdit edit(system, user, {"Z:\\here"});
    EXPECT_TRUE(edit.MoveUp(Rows{3}).crossed);
    EXPECT_FALSE(edit.MoveUp(Rows{1}).crossed);
    using S = EntryState;
    const std::vector<S> states{S::Ok,           S::Unexpanded, S::Missing,   S::Ok,
                                S::NotDirectory, S::Empty,      S::Duplicate, S::Missing};
    EXPECT_EQ(CleanUpRows(edit.Entries(), states), (Rows{2, 4, 5, 6}));

    EXPECT_EQ(KindToWrite(StoredKind::Text, "C:\\x;%HOME%\\bin"), StoredKind::Expandable);
    EXPECT_EQ(KindToWrite(StoredKind::Text, "C:\\100%;50%%"), StoredKind::Text);
    EXPECT_EQ(KindToWrite(StoredKind::Expandable, "C:\\x"), StoredKind::Expandable);
    for (auto [length, verdict] : {std::pair{2047, LengthVerdict::Fits},
                                   {2048, LengthVerdict::OverSystemEditor},
                                   {8192, LengthVerdict::OverInterpreter},
                                   {32768, LengthVerdict::Refused}})
        EXPECT_EQ(JudgeLength(static_cast<size_t>(length)), verdict) << length;
}

} // namespace
