#include "core/ListEdit.h"
#include "core/Wtf8.h"

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

// Edits handed to an elevated run replace a store's entries in its place;
// the summary tells each value's length against the limits and what else
// stands before saving.
TEST(StoredListEdit, HandedEditsAndTheSummary)
{
    StoredListEdit edit(system, user, {"Z:\\here"});
    edit.Replace(EditGroup::User, "D:\\one;D:\\two");
    EXPECT_EQ(edit.NewValue(EditGroup::User), "D:\\one;D:\\two");
    EXPECT_EQ(edit.Entries()[3].text, "D:\\one");
    EXPECT_EQ(edit.Entries().back().group, EditGroup::Process);
    EXPECT_EQ(CharactersSaved(edit.Entries(), Rows{3, 3, 4}), 14u) << "each row once, with its \";\"";

    DirectoryListTexts texts;
    texts.origins = {"System", "User", "This process", "Typed"};
    texts.oneEntry = "1 entry";
    texts.lengthFormat = "%s characters";
    const EditSummaryTexts words{"%s value: %s characters",
                                 " (over 2,047)",
                                 " (over 8,191)",
                                 " (refused)",
                                 "Clean Up would save %s characters.",
                                 "%s is REG_SZ.",
                                 "User replaces.",
                                 "Joined.",
                                 "Only %s.",
                                 "Not saved."};
    EntryReport row;
    row.position = 1;
    EXPECT_EQ(
        EditSummary({row}, "C:\\a", {{EditGroup::System, 2048, true}, {EditGroup::User, 40000}}, 1234, true,
                    true, texts, words),
        "1 entry; 4 characters\r\nSystem value: 2,048 characters (over 2,047); User value: 40,000 "
        "characters (refused). Clean Up would save 1,234 characters.\r\nSystem is REG_SZ. User replaces. "
        "Not saved.");
    EXPECT_EQ(EditSummary({row}, "C:\\a", {{EditGroup::System, 5}, {EditGroup::User, 9}}, 0, false, false,
                          texts, words),
              "1 entry; 4 characters\r\nSystem value: 5 characters; User value: 9 characters\r\nJoined.");
    EXPECT_EQ(EditSummary({row}, "C:\\a", {{EditGroup::User, 9}}, 0, true, false, texts, words),
              "1 entry; 4 characters\r\nUser value: 9 characters\r\nOnly User.");
}

// A stored value goes back unit for unit, a surrogate without its pair too.
TEST(Wtf8, EveryUnitSequenceComesBack)
{
    for (const std::u16string& units : {std::u16string(u"C:\\Ωmega;日本"), std::u16string(u"\U0001F600"),
                                        std::u16string(u"a\xD800"
                                                       u"b"),
                                        std::u16string(u"\xDC00\xD83D")})
        EXPECT_TRUE(Utf16FromWtf8(Wtf8FromUtf16(units)) == units);
    EXPECT_EQ(Wtf8FromUtf16(u"\U0001F600"), "\xF0\x9F\x98\x80") << "a pair is one character";
    EXPECT_TRUE(Utf16FromWtf8("a\xFF\xC0\x80") == u"a\xFFFD\xFFFD\xFFFD") << "no sequence, no character";
}

} // namespace
