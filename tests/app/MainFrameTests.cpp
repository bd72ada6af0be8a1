#include "TrawlSession.h"

#include "res/resource.h"

namespace {

using MainFrame = TrawlSession;

// What the frame does when the user opens one of the menu bar's menus.
HMENU OpenMenu(HWND frame, int position)
{
    HMENU menu = GetSubMenu(GetMenu(frame), position);
    SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(position, FALSE));
    return menu;
}

bool ItemEnabled(HMENU menu, UINT command)
{
    return (GetMenuState(menu, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

std::string ItemText(HMENU menu, UINT command)
{
    char text[128] = {};
    GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
    return text;
}

TEST_F(MainFrame, MenuItemsShowTheirPromptWhileHighlighted)
{
    Start();
    struct Case {
        int menu;
        UINT command;
        const char* text;
        const char* prompt;
    };
    const Case cases[] = {
        {0, ID_FILE_SEARCH, "&Serach\tCtrl-S", "Search for the required file"},
        {0, ID_FILE_CLEAR, "&Clear\tCtrl-C", "Clear all input fields"},
        {0, ID_APP_EXIT, "E&xit\tF3", "Quit the application; prompts to save documents"},
        {1, ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar"},
        {1, ID_VIEW_ENVVALUE, "Environment &Value...\tCtrl-E", "View the value of the environment variable"},
        {1, ID_VIEW_DETAILOPTIONS, "File &Detail Option...\tCtrl-O", "Change file display options"},
        {2, ID_APP_ABOUT, "&About Trawl...", "Display program information, version number and copyright"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        HMENU menu = GetSubMenu(GetMenu(frameWindow), c.menu);
        EXPECT_EQ(ItemText(menu, c.command), c.text);
        SendMessageA(frameWindow, WM_MENUSELECT, MAKEWPARAM(c.command, MF_STRING),
                     reinterpret_cast<LPARAM>(menu));
        EXPECT_EQ(Pane(0), c.prompt);
    }
    // The menu closing puts "Ready" back; the next idle pass shows the focus prompt again.
    SendMessageA(frameWindow, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(Pane(0), "Ready");
    SetFocus(Control(IDC_FILENAME));
    Pump();
    EXPECT_EQ(Pane(0), "Enter file name.  Use wild char. (* ?).");
}

TEST_F(MainFrame, FileMenuFollowsTheForm)
{
    Start();
    HMENU file = OpenMenu(frameWindow, 0);
    EXPECT_FALSE(ItemEnabled(file, ID_FILE_SEARCH));
    EXPECT_TRUE(ItemEnabled(file, ID_FILE_CLEAR));
    EXPECT_TRUE(ItemEnabled(file, ID_APP_EXIT));

    Type(IDC_FILENAME, "*.exe");
    file = OpenMenu(frameWindow, 0);
    EXPECT_TRUE(ItemEnabled(file, ID_FILE_SEARCH));
}

TEST_F(MainFrame, StatusBarCanBeHiddenAndShownAgain)
{
    Start();
    CStatusBar* bar = frame->GetStatusBar();
    ASSERT_NE(bar, nullptr);
    const RECT client = frame->GetClientRect();
    struct Step {
        const char* name;
        bool barShown;
    };
    const Step steps[] = {{"hidden", false}, {"shown again", true}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        SendMessageA(frameWindow, WM_COMMAND, ID_VIEW_STATUS_BAR, 0);
        Pump();
        EXPECT_EQ(bar->IsWindowVisible(), step.barShown);
        HMENU viewMenu = OpenMenu(frameWindow, 1);
        EXPECT_EQ((GetMenuState(viewMenu, ID_VIEW_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED) != 0,
                  step.barShown);
        // The form takes the room the bar leaves.
        RECT formRect{};
        GetWindowRect(form, &formRect);
        MapWindowPoints(nullptr, frameWindow, reinterpret_cast<POINT*>(&formRect), 2);
        const int expectedBottom = step.barShown ? client.bottom - bar->GetHeight() : client.bottom;
        EXPECT_EQ(formRect.bottom, expectedBottom);
    }
}

TEST_F(MainFrame, DisabledCommandsKeyDoesNothing)
{
    FixtureDir fixture;
    const std::string directory = fixture.Directory("keys", {"a.txt", "b.txt"});
    Start();
    Click(IDC_ENVCHECK);
    Type(IDC_MYPATH, directory);
    Type(IDC_FILENAME, "*.txt");
    SetFocus(Control(IDC_FILENAME));
    ASSERT_TRUE(PressKey('S', true));
    ASSERT_EQ(Rows().size(), 2u);
    ASSERT_FALSE(Enabled(IDC_SEARCH));

    // Search is disabled until an input changes: Ctrl+S must not search again.
    DeleteFileA((directory + "\\b.txt").c_str());
    ASSERT_TRUE(PressKey('S', true));
    EXPECT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Pane(1), "Found 2");
}

TEST_F(MainFrame, IdlePromptRunsOnEveryIdleCall)
{
    Start();
    SetFocus(Control(IDC_FILENAME));
    // The framework's own idle work wants a second call only on the first.
    EXPECT_TRUE(App().CWinApp::OnIdle(0));
    EXPECT_FALSE(App().CWinApp::OnIdle(1));

    frame->SetMessageText("something else");
    EXPECT_EQ(Pane(0), "something else");
    EXPECT_FALSE(App().OnIdle(7));
    EXPECT_EQ(Pane(0), "Enter file name.  Use wild char. (* ?).");
}

TEST_F(MainFrame, MessagePaneTakesAStringIdOrAText)
{
    Start();
    frame->SetMessageText(ID_FILE_CLEAR); // "Clear all input fields\nClear": up to the newline
    EXPECT_EQ(Pane(0), "Clear all input fields");
    frame->SetMessageText(std::string("Z:\\tmp=x"));
    EXPECT_EQ(Pane(0), "Z:\\tmp=x");
    frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(Pane(0), "Ready");
}

} // namespace
