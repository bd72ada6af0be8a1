#include "TrawlSession.h"

#include "core/EnvironmentNames.h"
#include "res/resource.h"
#include "support/FixtureFiles.h"
#include "ui/CodePageText.h"
#include "ui/EnvironmentValue.h"
#include "ui/ResultSearch.h"

#include <algorithm>
#include <optional>

namespace {

class Environment : public TrawlSession {
protected:
    // A null value removes the variable; every change is undone after the test.
    void Set(const std::string& name, const char* value)
    {
        saved.emplace_back(name, EnvironmentValue(name));
        SetEnvironmentVariableA(name.c_str(), value);
    }
    void TearDown() override
    {
        TrawlSession::TearDown();
        for (auto it = saved.rbegin(); it != saved.rend(); ++it)
            SetEnvironmentVariableA(it->first.c_str(), it->second ? it->second->c_str() : nullptr);
    }

    FixtureDir files;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

TEST_F(Environment, EachKindOfVariableIsSearchedWholeShownAndPrompted)
{
    const std::string one = files.Directory("one", {"a.txt"});
    const std::string last = files.Directory("last dir", {"b.txt"});
    // Far past any fixed buffer; the quoted directory is the very last entry.
    std::string longValue = one;
    while (longValue.size() < 30000)
        longValue += ";Z:\\tmp\\trawl-nothing-here";
    longValue += ";\"" + last + "\"";
    // 34 characters in 58 bytes: short enough for the status line.
    const std::string accented = "C:\\Ωmega\\日本\\ééééééééééééé";
    Set("TRAWLDIRS", (one + ";" + last).c_str());
    Set("TRAWLLONG", longValue.c_str());
    Set("trawlÉté", accented.c_str());
    Set("TRAWLEMPTY", "");
    Set("TRAWLGONE", one.c_str());
    Start();
    Set("TRAWLGONE", nullptr); // chosen from the list, gone by the search

    const std::vector<std::string> both{one + "\\a.txt", last + "\\b.txt"}, none{"(No files where found !)"};
    const std::pair<const char*, std::vector<std::string>> searches[] = {
        {"TRAWLDIRS", both}, {"TRAWLLONG", both}, {"TRAWLEMPTY", none}, {"TRAWLGONE", none}};
    for (const auto& [variable, rows] : searches) {
        SCOPED_TRACE(variable);
        ChooseVariable(variable);
        Type(IDC_FILENAME, "*.txt");
        Click(IDC_SEARCH);
        EXPECT_EQ(Rows(), rows);
        EXPECT_EQ(Pane(1), rows == both ? "Found 2" : "Empty");
    }

    // Listed upper-cased, and still found under that name.
    const std::pair<std::string, std::string> values[] = {
        {"TRAWLÉTÉ", accented}, {"TRAWLEMPTY", ""}, {"TRAWLGONE", ""}};
    for (const auto& [listed, value] : values) {
        SCOPED_TRACE(listed);
        const std::string shown = value.empty() ? listed : listed + "=" + value;
        ChooseVariable(listed);
        EXPECT_EQ(PromptFor(IDC_ENVLIST), shown);
        PressKey('E', true);
        const std::vector<MessageBoxCloser::Box> box = boxes.Take();
        ASSERT_EQ(box.size(), 1u);
        EXPECT_EQ(box[0].caption, "Environment Value");
        EXPECT_EQ(box[0].text, value.empty() ? "No value is available !" : shown);
        EXPECT_EQ(box[0].icon, LoadIcon(nullptr, value.empty() ? IDI_HAND : IDI_INFORMATION));
    }
}

TEST_F(Environment, WithoutPathTheFirstNameBeginningWithPathIsChosen)
{
    for (const bool pathextKept : {true, false}) {
        SCOPED_TRACE(pathextKept ? "PATH gone, PATHEXT kept" : "no name begins with PATH");
        Set("PATH", nullptr);
        Set("PATHEXT", ".COM;.EXE");
        if (!pathextKept) {
            char* block = GetEnvironmentStringsA();
            for (const std::string& name : trawl::EnvironmentNames(block))
                if (_strnicmp(name.c_str(), "PATH", 4) == 0)
                    Set(name, nullptr);
            FreeEnvironmentStringsA(block);
        }
        Start();
        EXPECT_EQ(Text(IDC_ENVLIST), pathextKept ? "PATHEXT" : "");
        EXPECT_EQ(Caption(), pathextKept ? "PATHEXT - Trawl" : "Untitled - Trawl");
        Type(IDC_FILENAME, "*.txt");
        EXPECT_EQ(Enabled(IDC_SEARCH), pathextKept);
        EXPECT_EQ(ViewMenuItemEnabled(ID_VIEW_ENVVALUE), pathextKept);
        Stop();
    }
}

TEST_F(Environment, NamesOutsideAnyOldCodePageAreTypedListedAndSearched)
{
    const std::string named = files.Directory("Ωmega-日本", nonAsciiFixtureNames);
    Set("TRAWLNAMES", named.c_str());
    Start();

    // The last lists every file, for the column width below.
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"日*", {"日本.txt"}},          {"Ω*", {"Ω.txt"}},          {"O*", {"O.txt"}},
        {"*😀*", {"emoji-😀.txt"}},       {"caf?.txt", {"café.txt"}}, {"*", nonAsciiFixtureNames},
        {"*.txt", nonAsciiFixtureNames}};
    for (const auto& [pattern, names] : cases)
        for (const bool myPath : {true, false}) {
            SCOPED_TRACE(std::string(pattern) + (myPath ? " in My Path" : " in TRAWLNAMES"));
            Click(IDC_CLEAR);
            if (myPath) {
                Click(IDC_ENVCHECK);
                Type(IDC_MYPATH, named);
            } else {
                ChooseVariable("TRAWLNAMES");
            }
            Type(IDC_FILENAME, pattern);
            EXPECT_EQ(Text(IDC_FILENAME), pattern);
            Click(IDC_SEARCH);
            std::vector<std::string> rows = Rows(), expected;
            for (const std::string& row : rows)
                EXPECT_NE(GetFileAttributesA(row.c_str()), INVALID_FILE_ATTRIBUTES) << row;
            for (const std::string& name : names)
                expected.push_back(named + "\\" + name);
            std::sort(rows.begin(), rows.end());
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(rows, expected);
        }

    // The test program carries the program's manifest, so it sees what the program sees.
    EXPECT_EQ(GetACP(), 65001u);
    // Column 0 fits the widest path as the list draws it, in UTF-16.
    int widest = 0;
    for (const std::string& row : Rows())
        widest =
            std::max(widest, static_cast<int>(view->resultList.SendMessage(
                                 LVM_GETSTRINGWIDTHW, 0,
                                 reinterpret_cast<LPARAM>(WideFromCodePage(row).value_or(L"").c_str()))));
    EXPECT_EQ(view->resultList.GetColumnWidth(0), widest + 10);
}

} // namespace
