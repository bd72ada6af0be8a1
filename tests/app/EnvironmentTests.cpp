#include "TrawlSession.h"

#include "core/FormRules.h"
#include "res/resource.h"
#include "ui/CodePageText.h"
#include "ui/ResultSearch.h"

#include <algorithm>
#include <optional>

namespace {

using Environment = TrawlSession;

// Variables set for one test; what was there before is put back.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment()
    {
        for (auto it = saved.rbegin(); it != saved.rend(); ++it)
            SetEnvironmentVariableA(it->first.c_str(), it->second ? it->second->c_str() : nullptr);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    // A null value removes the variable.
    void Set(const std::string& name, const char* value)
    {
        if (std::none_of(saved.begin(), saved.end(), [&](const auto& entry) { return entry.first == name; }))
            saved.emplace_back(name, EnvironmentValue(name));
        SetEnvironmentVariableA(name.c_str(), value);
    }
    void RemoveNamesBeginningWith(const std::string& prefix)
    {
        char* block = GetEnvironmentStringsA();
        const std::vector<std::string> names = trawl::EnvironmentNames(block);
        FreeEnvironmentStringsA(block);
        for (const std::string& name : names)
            if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(),
                               static_cast<int>(std::min(name.size(), prefix.size())), prefix.c_str(),
                               static_cast<int>(prefix.size())) == CSTR_EQUAL)
                Set(name, nullptr);
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

const std::vector<std::string> fixtureNames = {"O.txt",       "Ω.txt",    "日本.txt",
                                               "emoji-😀.txt", "café.txt", "€.txt"};

std::vector<std::string> PathsIn(const std::string& directory, std::vector<std::string> names)
{
    for (std::string& name : names)
        name = directory + "\\" + name;
    return names;
}

std::vector<std::string> Sorted(std::vector<std::string> texts)
{
    std::sort(texts.begin(), texts.end());
    return texts;
}

TEST_F(Environment, TheChosenVariableIsLookedUpAndSearchedWhole)
{
    FixtureDir files;
    const std::string one = files.Directory("one", {"a.txt"});
    const std::string last = files.Directory("last dir", {"b.txt"});
    // Far past any fixed buffer; the quoted directory is the very last entry.
    std::string longValue = one;
    while (longValue.size() < 30000)
        longValue += ";Z:\\tmp\\trawl-nothing-here";
    longValue += ";\"" + last + "\"";

    ScopedEnvironment environment;
    environment.Set("TRAWLDIRS", (one + ";" + last).c_str());
    environment.Set("TRAWLLONG", longValue.c_str());
    environment.Set("TRAWLEMPTY", "");
    environment.Set("TRAWLGONE", one.c_str());
    Start();
    environment.Set("TRAWLGONE", nullptr); // chosen from the list, gone by the search

    struct Case {
        const char* variable;
        std::vector<std::string> rows;
        const char* found;
    };
    const std::vector<std::string> none{"(No files where found !)"};
    const Case cases[] = {
        {"TRAWLDIRS", {one + "\\a.txt", last + "\\b.txt"}, "Found 2"},
        {"TRAWLLONG", {one + "\\a.txt", last + "\\b.txt"}, "Found 2"},
        {"TRAWLEMPTY", none, "Empty"},
        {"TRAWLGONE", none, "Empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variable);
        ChooseVariable(c.variable);
        Type(IDC_FILENAME, "*.txt");
        Click(IDC_SEARCH);
        EXPECT_EQ(Rows(), c.rows);
        EXPECT_EQ(Pane(1), c.found);
    }
}

TEST_F(Environment, WithoutPathTheFirstNameBeginningWithPathIsChosen)
{
    struct Case {
        const char* name;
        bool removeAll;
        std::string chosen;
        std::string caption;
    };
    const Case cases[] = {
        {"PATH gone, PATHEXT kept", false, "PATHEXT", "PATHEXT - Trawl"},
        {"no name begins with PATH", true, "", "Untitled - Trawl"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedEnvironment environment;
        environment.Set("PATH", nullptr);
        environment.Set("PATHEXT", ".COM;.EXE");
        if (c.removeAll)
            environment.RemoveNamesBeginningWith("PATH");
        Start();
        EXPECT_EQ(Text(IDC_ENVLIST), c.chosen);
        EXPECT_EQ(Caption(), c.caption);
        Type(IDC_FILENAME, "*.txt");
        EXPECT_EQ(Enabled(IDC_SEARCH), !c.chosen.empty());
        EXPECT_EQ(ViewMenuItemEnabled(ID_VIEW_ENVVALUE), !c.chosen.empty());
        Stop();
    }
}

TEST_F(Environment, ValueBoxAndPromptForEachKindOfVariable)
{
    // 34 characters in 58 bytes: short enough for the status line.
    const std::string value = "C:\\Ωmega\\日本\\ééééééééééééé";
    ScopedEnvironment environment;
    environment.Set("TRAWLSHORT", "C:\\");
    environment.Set("trawlÉté", value.c_str());
    environment.Set("TRAWLEMPTY", "");
    environment.Set("TRAWLGONE", "C:\\");
    Start();
    environment.Set("TRAWLGONE", nullptr);

    const HICON information = LoadIcon(nullptr, IDI_INFORMATION);
    const HICON stop = LoadIcon(nullptr, IDI_HAND);
    struct Case {
        const char* listed;
        std::string text;
        HICON icon;
        std::string prompt;
    };
    const std::string accented = "TRAWLÉTÉ=" + value;
    const Case cases[] = {
        {"TRAWLSHORT", "TRAWLSHORT=C:\\", information, "TRAWLSHORT=C:\\"},
        // Listed upper-cased, and still found under that name.
        {"TRAWLÉTÉ", accented, information, accented},
        {"TRAWLEMPTY", "No value is available !", stop, "TRAWLEMPTY"},
        {"TRAWLGONE", "No value is available !", stop, "TRAWLGONE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.listed);
        ChooseVariable(c.listed);
        EXPECT_EQ(Caption(), std::string(c.listed) + " - Trawl");
        EXPECT_EQ(PromptFor(IDC_ENVLIST), c.prompt);
        PressKey('E', true);
        const std::vector<MessageBoxCloser::Box> shown = boxes.Take();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].caption, "Environment Value");
        EXPECT_EQ(shown[0].text, c.text);
        EXPECT_EQ(shown[0].icon, c.icon);
    }
}

TEST_F(Environment, NamesOutsideAnyOldCodePageAreTypedListedAndSearched)
{
    FixtureDir files;
    const std::string named = files.Directory("Ωmega-日本", fixtureNames);
    ScopedEnvironment environment;
    environment.Set("TRAWLNAMES", named.c_str());
    Start();

    struct Case {
        const char* pattern;
        bool myPath;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"*", true, fixtureNames},      {"日*", true, {"日本.txt"}},    {"Ω*", true, {"Ω.txt"}},
        {"O*", true, {"O.txt"}},        {"*😀*", true, {"emoji-😀.txt"}}, {"caf?.txt", true, {"café.txt"}},
        {"*.txt", false, fixtureNames},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + (c.myPath ? " in My Path" : " in TRAWLNAMES"));
        Click(IDC_CLEAR);
        if (c.myPath) {
            Click(IDC_ENVCHECK);
            Type(IDC_MYPATH, named);
        } else {
            ChooseVariable("TRAWLNAMES");
        }
        Type(IDC_FILENAME, c.pattern);
        EXPECT_EQ(Text(IDC_FILENAME), c.pattern);
        Click(IDC_SEARCH);
        const std::vector<std::string> rows = Rows();
        EXPECT_EQ(Sorted(rows), Sorted(PathsIn(named, c.names)));
        for (const std::string& row : rows)
            EXPECT_NE(GetFileAttributesA(row.c_str()), INVALID_FILE_ATTRIBUTES) << row;
    }

    // The test program carries the program's manifest, so it sees what the program sees.
    EXPECT_EQ(GetACP(), 65001u);
    // Column 0 fits the widest path as the list draws it, in UTF-16.
    int widest = 0;
    for (const std::string& row : Rows()) {
        std::wstring wide = WideFromCodePage(row).value_or(L"");
        widest = std::max(widest, static_cast<int>(view->resultList.SendMessage(
                                      LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wide.c_str()))));
    }
    EXPECT_EQ(view->resultList.GetColumnWidth(0), widest + 10);
}

TEST_F(Environment, AnActionOnANameTheCodePageCannotCarryIsRefusedWithAReason)
{
    Start();
    EXPECT_TRUE(CheckListedPath(frameWindow, "Z:\\tmp\\日本.txt", "Delete File"));
    EXPECT_TRUE(boxes.Take().empty());

    EXPECT_FALSE(CheckListedPath(frameWindow, "Z:\\tmp\\||.txt", "Delete File"));
    const std::vector<MessageBoxCloser::Box> shown = boxes.Take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Delete File");
    EXPECT_EQ(shown[0].text, LoadResString(IDS_NAME_NOT_CARRIED));
    EXPECT_EQ(shown[0].icon, LoadIcon(nullptr, IDI_HAND));
}

} // namespace
