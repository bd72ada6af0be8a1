#include "TrawlSession.h"

#include "res/resource.h"
#include "ui/Win32FileFinder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

namespace {

using StartUp = TrawlSession;
using SearchForm = TrawlSession;
using Settings = TrawlSession;
using Exit = TrawlSession;

bool Checked(HWND box)
{
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A variable whose "NAME=value" text is exactly `length` characters long.
std::string SetEntryOfLength(const std::string& name, size_t length)
{
    const std::string value(length - name.size() - 1, 'v');
    SetEnvironmentVariableA(name.c_str(), value.c_str());
    return name + "=" + value;
}

TEST_F(StartUp, OpensOnPathReadyForAPattern)
{
    ASSERT_TRUE(SetEnvironmentVariableA("trawlTestVar", "x"));
    // Per-drive directories are kept as "=C:=..." entries, which have no name.
    ASSERT_TRUE(SetEnvironmentVariableA("=TRAWLNAMELESS", "x"));
    Start();

    EXPECT_EQ(Caption(), "PATH - Trawl");
    EXPECT_EQ(Text(IDC_ENVLIST), "PATH");
    const std::vector<std::string> names = Variables();
    EXPECT_NE(std::find(names.begin(), names.end(), "TRAWLTESTVAR"), names.end());
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    }));
    for (const std::string& name : names) {
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(name.find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos) << name;
        EXPECT_EQ(name.find("NAMELESS"), std::string::npos) << name;
    }

    EXPECT_EQ(Pane(1), "Empty");
    EXPECT_EQ(Text(IDC_SOURCELABEL), "Environment:");
    EXPECT_TRUE(Checked(Control(IDC_ENVCHECK)));
    EXPECT_TRUE(Visible(IDC_ENVLIST));
    EXPECT_FALSE(Visible(IDC_MYPATH));
    EXPECT_EQ(Text(IDC_FILENAME), "");
    EXPECT_FALSE(Enabled(IDC_SEARCH));
    EXPECT_EQ(GetFocus(), Control(IDC_FILENAME));
    SetEnvironmentVariableA("trawlTestVar", nullptr);
    SetEnvironmentVariableA("=TRAWLNAMELESS", nullptr);
}

TEST_F(SearchForm, SearchNeedsAPatternAndACompleteSource)
{
    SetEnvironmentVariableA("TRAWLSOURCE", "C:\\");
    Start();
    struct Step {
        const char* action;
        std::function<void()> act;
        bool search;
        bool environmentValue;
        const char* caption;
    };
    const Step steps[] = {
        {"pattern typed", [&] { Type(IDC_FILENAME, "*.txt"); }, true, true, "PATH - Trawl"},
        {"pattern emptied", [&] { Type(IDC_FILENAME, ""); }, false, true, "PATH - Trawl"},
        {"pattern typed again", [&] { Type(IDC_FILENAME, "a"); }, true, true, "PATH - Trawl"},
        {"no variable chosen", [&] { ChooseVariable(-1); }, false, false, "PATH - Trawl"},
        {"another variable chosen", [&] { ChooseVariable("TRAWLSOURCE"); }, true, true,
         "TRAWLSOURCE - Trawl"},
        {"switched to My Path", [&] { Click(IDC_ENVCHECK); }, false, true, "My Path - Trawl"},
        {"My Path typed", [&] { Type(IDC_MYPATH, "C:\\"); }, true, true, "My Path - Trawl"},
        {"hidden list left without a choice", [&] { ChooseVariable(-1); }, true, false, "My Path - Trawl"},
        {"hidden list given a choice", [&] { ChooseVariable("TRAWLSOURCE"); }, true, true, "My Path - Trawl"},
        {"My Path emptied", [&] { Type(IDC_MYPATH, ""); }, false, true, "My Path - Trawl"},
        {"pattern emptied in My Path mode", [&] { Type(IDC_MYPATH, "C:\\"), Type(IDC_FILENAME, ""); }, false,
         true, "My Path - Trawl"},
        {"back to the variable", [&] { Type(IDC_FILENAME, "a"), Click(IDC_ENVCHECK); }, true, true,
         "TRAWLSOURCE - Trawl"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.action);
        step.act();
        EXPECT_EQ(Enabled(IDC_SEARCH), step.search);
        EXPECT_EQ(ViewMenuItemEnabled(ID_VIEW_ENVVALUE), step.environmentValue);
        EXPECT_EQ(Caption(), step.caption);
    }
    EXPECT_EQ(Text(IDC_SOURCELABEL), "Environment:");
    Click(IDC_ENVCHECK);
    EXPECT_EQ(Text(IDC_SOURCELABEL), "My Path:");
    EXPECT_FALSE(Visible(IDC_ENVLIST));
    EXPECT_TRUE(Visible(IDC_MYPATH));
}

class SearchRun : public TrawlSession {
protected:
    void SetUp() override
    {
        one = files.Directory("one", {"a.txt", "readme.log"});
        two = files.Directory("two", {"b.txt"});
        myPath = one + ";" + two + ";" + one;
        found = {one + "\\a.txt", two + "\\b.txt", one + "\\a.txt"};
        SetEnvironmentVariableA("TRAWLCHOSEN", "C:\\");
    }
    void TearDown() override
    {
        TrawlSession::TearDown();
        SetEnvironmentVariableA("TRAWLCHOSEN", nullptr);
    }

    // The form in My Path mode over the fixture, with the pattern typed.
    void FillIn(const std::string& pattern)
    {
        if (Checked(Control(IDC_ENVCHECK)))
            Click(IDC_ENVCHECK);
        Type(IDC_MYPATH, myPath);
        Type(IDC_FILENAME, pattern);
    }
    void PressInPattern(UINT key, bool control = false)
    {
        SetFocus(Control(IDC_FILENAME));
        PressKey(key, control);
    }

    FixtureDir files;
    std::string one, two, myPath;
    std::vector<std::string> found;
};

TEST_F(SearchRun, EachWayOfAskingListsTheFilesInOrderFound)
{
    Start();
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Search button", [&] { Click(IDC_SEARCH); }},
        {"Ctrl+S", [&] { PressInPattern('S', true); }},
        {"Enter in the pattern", [&] { PressInPattern(VK_RETURN); }},
    };
    for (const auto& [way, search] : ways) {
        SCOPED_TRACE(way);
        Click(IDC_CLEAR);
        FillIn("*.txt");
        ASSERT_TRUE(Rows().empty());
        ASSERT_TRUE(Enabled(IDC_SEARCH));
        search();
        EXPECT_EQ(Rows(), found);
        EXPECT_EQ(Pane(1), "Found 3");
        EXPECT_FALSE(Enabled(IDC_SEARCH));
        Type(IDC_FILENAME, "*.tx?");
        EXPECT_TRUE(Enabled(IDC_SEARCH));
    }
}

TEST_F(SearchRun, NothingFoundShowsOneMessageRow)
{
    Start();
    FillIn("*.none");
    Click(IDC_SEARCH);
    EXPECT_EQ(Rows(), std::vector<std::string>{"(No files where found !)"});
    EXPECT_EQ(Pane(1), "Empty");

    // Enter does not search while Search is disabled.
    Click(IDC_CLEAR);
    FillIn("");
    PressInPattern(VK_RETURN);
    EXPECT_TRUE(Rows().empty());
}

TEST_F(SearchRun, ADirectoryListedTwiceGivesShadowedCopies)
{
    Start();
    FillIn("*.txt");
    Click(IDC_SEARCH);
    ASSERT_EQ(Rows(), found);
    CResultListCtrl& list = view->resultList;
    EXPECT_EQ(list.GetShadowTip(2), "Shadowed by " + found[0]);

    // A new search marks afresh.
    Click(IDC_CLEAR);
    myPath = one;
    FillIn("*.txt");
    Click(IDC_SEARCH);
    ASSERT_EQ(Rows(), std::vector<std::string>{found[0]});
    EXPECT_EQ(list.GetShadowTip(0), "");
}

// A directory whose lookup does not answer until the test opens it, as a
// share that is gone holds the system's lookup; it opens by itself after
// 15 s, so that a search that froze the window fails instead of hanging.
class HeldDirectory {
public:
    ~HeldDirectory() { CloseHandle(opened); }
    void Open() { SetEvent(opened); }
    void Wait()
    {
        ++waiting;
        WaitForSingleObject(opened, 15000);
    }
    int Waiting() const { return waiting; }

private:
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> waiting{0};
};

class HeldFinder : public trawl::IFileFinder {
public:
    HeldFinder(std::shared_ptr<HeldDirectory> gate, std::string held)
        : gate(std::move(gate)), held(held + "\\")
    {
    }
    void FindMatches(const std::string& searchPath,
                     const std::function<void(const trawl::FoundEntry&)>& onEntry) override
    {
        if (searchPath.rfind(held, 0) == 0)
            gate->Wait();
        system.FindMatches(searchPath, onEntry);
    }

private:
    std::shared_ptr<HeldDirectory> gate;
    std::string held;
    Win32FileFinder system;
};

TEST_F(SearchRun, ADirectoryThatDoesNotAnswerFreezesNeitherTheWindowNorItsExit)
{
    Start();
    awaitSearch = false;
    auto gate = std::make_shared<HeldDirectory>();
    view->makeFinder = [&] { return std::make_unique<HeldFinder>(gate, two); };
    const auto pumpUntil = [&](const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            Pump();
        }
        return done();
    };
    FillIn("*.txt");
    Click(IDC_SEARCH);
    ASSERT_TRUE(pumpUntil([&] { return gate->Waiting() == 1 && Rows().size() == 1; }));
    // The rows of the directory before the held one, and none after it.
    EXPECT_EQ(Rows(), std::vector<std::string>{found[0]});
    EXPECT_EQ(Pane(0), "Searching 2 of 3: " + two);
    RECT before = PlaceOf(IDC_RESULTS);
    RECT frameRect{};
    GetWindowRect(frameWindow, &frameRect);
    SetWindowPos(frameWindow, nullptr, 0, 0, frameRect.right - frameRect.left + 80,
                 frameRect.bottom - frameRect.top, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_GT(PlaceOf(IDC_RESULTS).right, before.right + 40) << "the window follows its frame meanwhile";

    SetFocus(Control(IDC_FILENAME));
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(view->SearchRunning());
    EXPECT_EQ(Rows(), std::vector<std::string>{found[0]});
    EXPECT_EQ(Pane(0), "Stopped after 1 of 3 directories");
    EXPECT_EQ(Pane(1), "Found 1");

    // A new search drops what the stopped one would still have found.
    Type(IDC_FILENAME, "*.tx?");
    Click(IDC_SEARCH);
    ASSERT_TRUE(pumpUntil([&] { return gate->Waiting() == 2; }));
    gate->Open();
    ASSERT_TRUE(pumpUntil([&] { return !view->SearchRunning(); }));
    EXPECT_EQ(Rows(), found);
    EXPECT_EQ(Pane(1), "Found 3");

    gate = std::make_shared<HeldDirectory>();
    Click(IDC_CLEAR);
    FillIn("*.txt");
    Click(IDC_SEARCH);
    ASSERT_TRUE(pumpUntil([&] { return gate->Waiting() == 1; }));
    // Ending the program waits for nothing the held search does: it takes
    // what ending it without a search takes.
    const auto timedStop = [&] {
        const auto stopStart = std::chrono::steady_clock::now();
        Stop();
        return std::chrono::steady_clock::now() - stopStart;
    };
    const auto heldExit = timedStop();
    gate->Open();
    Start();
    const auto plainExit = timedStop();
    EXPECT_LT(heldExit, plainExit + std::chrono::seconds(1));
}

TEST_F(SearchRun, ClearEmptiesTheFormButKeepsTheSources)
{
    Start();
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Clear button", [&] { Click(IDC_CLEAR); }},
        {"Ctrl+C in the pattern",
         [&] {
             SendMessageA(Control(IDC_FILENAME), EM_SETSEL, 0, -1);
             PressInPattern('C', true);
         }},
    };
    for (const auto& [way, clear] : ways) {
        SCOPED_TRACE(way);
        ChooseVariable("TRAWLCHOSEN");
        FillIn("*.txt");
        Click(IDC_SEARCH);
        ASSERT_EQ(Pane(1), "Found 3");

        ASSERT_TRUE(OpenClipboard(frameWindow));
        EmptyClipboard();
        ASSERT_TRUE(CloseClipboard());
        clear();

        EXPECT_EQ(Text(IDC_FILENAME), "");
        EXPECT_TRUE(Rows().empty());
        EXPECT_EQ(Pane(1), "Empty");
        EXPECT_TRUE(Checked(Control(IDC_ENVCHECK)));
        EXPECT_EQ(Text(IDC_SOURCELABEL), "Environment:");
        EXPECT_TRUE(Visible(IDC_ENVLIST));
        EXPECT_FALSE(Visible(IDC_MYPATH));
        EXPECT_EQ(Text(IDC_MYPATH), myPath);
        EXPECT_EQ(Text(IDC_ENVLIST), "TRAWLCHOSEN");
        EXPECT_EQ(Caption(), "TRAWLCHOSEN - Trawl");
        EXPECT_FALSE(Enabled(IDC_SEARCH));
        // Clearing is not copying: the pattern never reached the clipboard.
        EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    }
}

TEST_F(SearchRun, IdlePromptFollowsTheFocus)
{
    const std::string fits = SetEntryOfLength("TRAWLFITS", 39);
    const std::string tooLong = SetEntryOfLength("TRAWLTOOLONG", 40);
    Start();
    struct Case {
        const char* name;
        int control;
        const char* variable;
        std::string prompt;
    };
    const Case cases[] = {
        {"pattern", IDC_FILENAME, nullptr, "Enter file name.  Use wild char. (* ?)."},
        {"variable of 39 characters", IDC_ENVLIST, "TRAWLFITS", fits},
        {"variable of 40 characters", IDC_ENVLIST, "TRAWLTOOLONG", "Press Ctrl-E more detail"},
        {"results before a search", IDC_RESULTS, nullptr, "Ready"},
        {"Clear button", IDC_CLEAR, nullptr, "Ready"},
        {"source check box", IDC_ENVCHECK, nullptr, "Ready"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.variable != nullptr)
            ChooseVariable(c.variable);
        EXPECT_EQ(PromptFor(c.control), c.prompt);
    }

    // Ctrl+E shows what does not fit, whole.
    ASSERT_EQ(GetFocus(), Control(IDC_ENVCHECK));
    ChooseVariable("TRAWLTOOLONG");
    PressKey('E', true);
    const std::vector<MessageBoxCloser::Box> shown = boxes.Take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Environment Value");
    EXPECT_EQ(shown[0].text, tooLong);

    FillIn("*.none");
    Click(IDC_SEARCH);
    EXPECT_EQ(PromptFor(IDC_RESULTS), "Ready");
    FillIn("*.txt");
    Click(IDC_SEARCH);
    EXPECT_EQ(PromptFor(IDC_RESULTS), "Double click to view file attributes");
    Click(IDC_CLEAR);
    EXPECT_EQ(PromptFor(IDC_RESULTS), "Ready");
    SetEnvironmentVariableA("TRAWLFITS", nullptr);
    SetEnvironmentVariableA("TRAWLTOOLONG", nullptr);
}

TEST_F(SearchForm, ResizingMovesTheListAndButtonsWithTheFrame)
{
    Start();
    RECT frameRect{};
    GetWindowRect(frameWindow, &frameRect);
    const int width = frameRect.right - frameRect.left;
    const int height = frameRect.bottom - frameRect.top;
    // At start the list stands where the template puts it; the rule gives it
    // right and bottom margins equal to its left one.
    RECT list = PlaceOf(IDC_RESULTS);
    list.right = view->GetClientRect().right - list.left;
    list.bottom = view->GetClientRect().bottom - list.left;
    const RECT search = PlaceOf(IDC_SEARCH);
    const RECT clear = PlaceOf(IDC_CLEAR);

    struct Case {
        const char* name;
        int dx, dy;     // change of the frame's size
        int grow, rise; // expected change of the list's size
    };
    const Case cases[] = {
        {"wider and taller", 120, 70, 120, 70},
        {"wider still", 200, 10, 200, 10},
        {"smaller than at first", -100, -60, 0, 0},
        {"first size again", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetWindowPos(frameWindow, nullptr, 0, 0, width + c.dx, height + c.dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
        const RECT nowList = PlaceOf(IDC_RESULTS);
        EXPECT_EQ(nowList.left, list.left);
        EXPECT_EQ(nowList.top, list.top);
        EXPECT_EQ(nowList.right, list.right + c.grow);
        EXPECT_EQ(nowList.bottom, list.bottom + c.rise);
        for (const auto& [id, first] : {std::pair{IDC_SEARCH, search}, std::pair{IDC_CLEAR, clear}}) {
            const RECT now = PlaceOf(id);
            // In line with the list, whose margin may round a pixel off the template's right edge.
            EXPECT_EQ(now.right - now.left, first.right - first.left) << id;
            EXPECT_NEAR(now.left, first.left + c.grow, 1) << id;
            EXPECT_EQ(now.top, first.top) << id;
            EXPECT_EQ(now.right, nowList.right) << id;
        }
    }
}

TEST_F(Settings, ColumnsComeFromTheStoredOptions)
{
    struct Case {
        const char* name;
        std::function<void(HKEY)> store;
        std::vector<std::string> headings;
    };
    const Case cases[] = {
        {"first run", nullptr, {"Files"}},
        {"date as a number",
         [](HKEY key) {
             const DWORD five = 5;
             RegSetValueExA(key, "FileDate", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&five), sizeof five);
         },
         {"Files", "Date Modify"}},
        {"size as a number",
         [](HKEY key) {
             const DWORD one = 1;
             RegSetValueExA(key, "FileSize", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
         },
         {"Files", "Size"}},
        {"size as text",
         [](HKEY key) { RegSetValueExA(key, "FileSize", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2); },
         {"Files"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ForgetSettings();
        if (c.store) {
            HKEY key = nullptr;
            ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, settingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                      nullptr),
                      ERROR_SUCCESS);
            c.store(key);
            RegCloseKey(key);
        }
        Start();
        EXPECT_EQ(Headings(), c.headings);
        Stop();
        if (!c.store) {
            // A first run leaves the key behind, and nothing in it.
            HKEY key = nullptr;
            ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, settingsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
            DWORD values = 99;
            RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                             nullptr, nullptr, nullptr);
            RegCloseKey(key);
            EXPECT_EQ(values, 0u);
        }
    }
    ForgetSettings();
}

TEST_F(Exit, F3EndsTheProgramWithoutAskingToSave)
{
    Start();
    Type(IDC_FILENAME, "*.txt");
    SetFocus(Control(IDC_FILENAME));
    EXPECT_FALSE(PressKey(VK_F3)) << "no WM_QUIT";
    EXPECT_EQ(App().mainWnd, nullptr);
    EXPECT_FALSE(IsWindow(frameWindow));
    // The sort comparer must not be left pointing at the destroyed list.
    EXPECT_EQ(trawl::sortTargetList, nullptr);
    // TearDown fails the test if any message box came up.
}

} // namespace

TEST_F(SearchForm, TypedPatternReachesTheProgramAsTyped)
{
    Start();
    for (const auto& [typed, pattern] : {std::pair{L"Ω*", "Ω*"}, {L"日*", "日*"}, {L"😀.txt", "😀.txt"}}) {
        Type(IDC_FILENAME, "");
        for (const wchar_t* key = typed; *key != L'\0'; ++key)
            PostMessageW(Control(IDC_FILENAME), WM_CHAR, *key, 1);
        Pump();
        EXPECT_EQ(view->fileName, pattern);
    }
    EXPECT_EQ(SendMessageA(form, WM_NOTIFYFORMAT, WPARAM(Control(IDC_RESULTS)), NF_QUERY), NFR_ANSI);
}
