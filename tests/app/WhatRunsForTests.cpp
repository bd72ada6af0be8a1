#include "TrawlSession.h"

#include "res/resource.h"

namespace {

using WhatRunsFor = TrawlSession;
using Texts = std::vector<std::string>;

// An App Paths key of the user's for a name no other program uses, removed afterwards.
class UserAppPathsKey {
public:
    UserAppPathsKey(const std::string& value, DWORD type)
    {
        RegSetKeyValueA(HKEY_CURRENT_USER, path, nullptr, type, value.c_str(),
                        static_cast<DWORD>(value.size() + 1));
    }
    ~UserAppPathsKey() { RegDeleteKeyA(HKEY_CURRENT_USER, path); }
    UserAppPathsKey(const UserAppPathsKey&) = delete;
    UserAppPathsKey& operator=(const UserAppPathsKey&) = delete;

    static constexpr char path[] =
        "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\trawlrunsfor.exe";
};

TEST_F(WhatRunsFor, StartAndRunTriesTheShellsExtensionsThenAppPaths)
{
    ForgetSettings();
    FixtureDir files;
    const std::string list =
        files.Directory("list", {"trawlrunsfor.exe", "trawlrunsfor.cmd", "trawlrunsfor.vbs"});
    const std::string app = files.Directory("app", {"trawlrunsfor64.exe"});
    SetEnvironmentVariableA("TRAWLRUNSFORAPP", app.c_str());
    UserAppPathsKey key(" \"%TRAWLRUNSFORAPP%\\trawlrunsfor64.exe\" ", REG_EXPAND_SZ);
    Start();
    Click(IDC_ENVCHECK);
    Type(IDC_MYPATH, list);
    Type(IDC_FILENAME, "trawlrunsfor");
    Click(IDC_SEARCH);

    const std::string exe = list + "\\trawlrunsfor.exe", cmd = list + "\\trawlrunsfor.cmd";
    const struct {
        UINT command;
        DWORD stored;
        Texts rows;
        Texts tips;
    } choices[] = {
        {ID_VIEW_RUNS_START_AND_RUN,
         1,
         {cmd, exe, app + "\\trawlrunsfor64.exe"},
         {"Runs when you type trawlrunsfor", "Typing trawlrunsfor runs " + cmd,
          "From App Paths (HKCU)\r\nTyping trawlrunsfor runs " + cmd}},
        {ID_VIEW_RUNS_COMMAND_PROMPT,
         0,
         {exe, cmd, list + "\\trawlrunsfor.vbs"},
         {"Runs when you type trawlrunsfor", "Typing trawlrunsfor runs " + exe,
          "Typing trawlrunsfor runs " + exe}},
    };
    HMENU runsFor = GetSubMenu(GetSubMenu(GetMenu(frameWindow), 1), 4);
    for (const auto& choice : choices) {
        SCOPED_TRACE(choice.command);
        SendMessageA(frameWindow, WM_COMMAND, MAKEWPARAM(choice.command, 0), 0);
        Pump();
        EXPECT_EQ(Rows(), choice.rows);
        Texts tips;
        for (int row = 0; row < static_cast<int>(choice.rows.size()); ++row)
            tips.push_back(view->resultList.GetShadowTip(row));
        EXPECT_EQ(tips, choice.tips);
        DWORD stored = 99, size = sizeof stored;
        RegGetValueA(HKEY_CURRENT_USER, settingsKey, "WhatRunsFor", RRF_RT_REG_DWORD, nullptr, &stored,
                     &size);
        EXPECT_EQ(stored, choice.stored);
        // The item chosen has the dot when the submenu opens.
        SendMessageA(frameWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(runsFor), MAKELPARAM(4, FALSE));
        EXPECT_TRUE(GetMenuState(runsFor, choice.command, MF_BYCOMMAND) & MF_CHECKED);
    }
    SetEnvironmentVariableA("TRAWLRUNSFORAPP", nullptr);
}

} // namespace
