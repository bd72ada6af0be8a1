#include "TrawlSession.h"

#include "support/ModalUser.h"

#include "core/MachineInfo.h"
#include "res/resource.h"

#include <functional>
#include <map>

namespace {

using Options = std::map<std::string, DWORD>;

class DialogCommands : public TrawlSession {
protected:
    // Gives the command as the menu would and acts as the user of the dialog it opens.
    void UseDialog(UINT command, std::function<void(HWND)> act)
    {
        boxes.Hold(true);
        {
            ModalUser user(std::move(act));
            SendMessageA(frameWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0);
            EXPECT_TRUE(user.Acted()) << "no dialog opened";
        }
        boxes.Hold(false);
        Pump();
    }

    // My Path mode with a pattern and a directory, searched once.
    void SearchMyPath(const std::string& directory, const std::string& pattern)
    {
        Click(IDC_ENVCHECK);
        Type(IDC_MYPATH, directory);
        Type(IDC_FILENAME, pattern);
        Click(IDC_SEARCH);
    }

    static void Store(const char* name, DWORD value)
    {
        HKEY key = nullptr;
        ASSERT_EQ(
            RegCreateKeyExA(HKEY_CURRENT_USER, settingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        RegCloseKey(key);
    }

    static Options Stored()
    {
        Options values;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return values;
        for (DWORD index = 0;; ++index) {
            char name[64] = {};
            DWORD nameLength = sizeof name, value = 0, size = sizeof value;
            if (RegEnumValueA(key, index, name, &nameLength, nullptr, nullptr,
                              reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
                break;
            values[name] = value;
        }
        RegCloseKey(key);
        return values;
    }
};

void Press(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool IsChecked(HWND dialog, int id)
{
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

RECT PlaceIn(HWND dialog, int id)
{
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(DialogCommands, ChangedOptionsAreStoredAndTheSearchRunsAgain)
{
    ForgetSettings();
    FixtureDir files;
    const std::string directory = files.Directory("opts", {"a.txt", "b.txt"});
    Start();
    SearchMyPath(directory, "*.txt");
    ASSERT_EQ(Pane(1), "Found 2");
    // A file that only a new search can list.
    files.Directory("opts", {"c.txt"});

    UseDialog(ID_VIEW_DETAILOPTIONS, [](HWND dialog) {
        EXPECT_FALSE(IsChecked(dialog, IDC_OPT_SIZE));
        EXPECT_FALSE(IsChecked(dialog, IDC_OPT_DATE));
        EXPECT_FALSE(IsChecked(dialog, IDC_OPT_ATTRIB));
        // On screen Size, Attribute, Date; by Tab Size, Date, Attribute.
        EXPECT_LT(PlaceIn(dialog, IDC_OPT_SIZE).top, PlaceIn(dialog, IDC_OPT_ATTRIB).top);
        EXPECT_LT(PlaceIn(dialog, IDC_OPT_ATTRIB).top, PlaceIn(dialog, IDC_OPT_DATE).top);
        EXPECT_GT(PlaceIn(dialog, IDCANCEL).left, PlaceIn(dialog, IDOK).left);
        const int tabOrder[] = {IDOK, IDCANCEL, IDC_OPT_SIZE, IDC_OPT_DATE, IDC_OPT_ATTRIB, IDOK};
        for (size_t i = 0; i + 1 < std::size(tabOrder); ++i)
            EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(dialog, GetDlgItem(dialog, tabOrder[i]), FALSE)),
                      tabOrder[i + 1]);
        Press(dialog, IDC_OPT_DATE);
        Press(dialog, IDOK);
    });
    // Every key is written though only one changed.
    EXPECT_EQ(Stored(), (Options{{"FileSize", 0}, {"FileDate", 1}, {"FileAttrib", 0}}));
    EXPECT_EQ(Headings(), (std::vector<std::string>{"Files", "Date Modify"}));
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(Pane(1), "Found 3");

    // By keyboard alone: the mnemonic ticks Size, Enter is OK.
    UseDialog(ID_VIEW_DETAILOPTIONS, [](HWND dialog) {
        EXPECT_TRUE(IsChecked(dialog, IDC_OPT_DATE));
        PostAltKey(dialog, 's');
        PostKey(dialog, VK_RETURN);
    });
    EXPECT_EQ(Stored(), (Options{{"FileSize", 1}, {"FileDate", 1}, {"FileAttrib", 0}}));
    EXPECT_EQ(Headings(), (std::vector<std::string>{"Files", "Size", "Date Modify"}));
    EXPECT_EQ(Rows().size(), 3u);
}

TEST_F(DialogCommands, CancelEscapeAndAnUnchangedOkLeaveEverythingAlone)
{
    ForgetSettings();
    Store("FileAttrib", 1);
    FixtureDir files;
    const std::string directory = files.Directory("keep", {"a.txt"});
    Start();
    SearchMyPath(directory, "*.txt");
    files.Directory("keep", {"b.txt"});

    struct Case {
        const char* name;
        std::function<void(HWND)> act;
    };
    const Case cases[] = {
        {"Cancel after ticking",
         [](HWND d) {
             Press(d, IDC_OPT_SIZE);
             Press(d, IDCANCEL);
         }},
        {"Esc after ticking",
         [](HWND d) {
             Press(d, IDC_OPT_DATE);
             PostKey(d, VK_ESCAPE);
         }},
        {"OK without a change",
         [](HWND d) {
             EXPECT_TRUE(IsChecked(d, IDC_OPT_ATTRIB));
             Press(d, IDOK);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseDialog(ID_VIEW_DETAILOPTIONS, c.act);
        EXPECT_EQ(Stored(), (Options{{"FileAttrib", 1}})) << "nothing is written";
        EXPECT_EQ(Headings(), (std::vector<std::string>{"Files", "Attribute"}));
        EXPECT_EQ(Rows(), (std::vector<std::string>{directory + "\\a.txt"})) << "no new search";
        EXPECT_EQ(Pane(1), "Found 1");
    }
}

TEST_F(DialogCommands, AStoredFlagOutsideTheBoxStatesIsClearedByOkWithoutASearch)
{
    ForgetSettings();
    Store("FileDate", 5);
    FixtureDir files;
    const std::string directory = files.Directory("five", {"a.txt", "b.txt"});
    Start();
    EXPECT_EQ(Headings(), (std::vector<std::string>{"Files", "Date Modify"}));
    SearchMyPath(directory, "*.txt");
    ASSERT_EQ(Pane(1), "Found 2");
    // The input is no longer complete: no search follows the change.
    Type(IDC_FILENAME, "");

    UseDialog(ID_VIEW_DETAILOPTIONS, [](HWND dialog) {
        EXPECT_FALSE(IsChecked(dialog, IDC_OPT_DATE));
        Press(dialog, IDOK);
    });
    EXPECT_EQ(Stored(), (Options{{"FileSize", 0}, {"FileDate", 0}, {"FileAttrib", 0}}));
    EXPECT_EQ(Headings(), (std::vector<std::string>{"Files"}));
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Pane(1), "Found 2") << "the pane keeps the earlier search's count";
}

TEST_F(DialogCommands, AboutBoxShowsThisMachine)
{
    Start();
    std::vector<std::string> drives;
    std::string memory;
    UseDialog(ID_APP_ABOUT, [&](HWND dialog) {
        auto* table = dynamic_cast<CListCtrl*>(CWnd::FromHandlePermanent(GetDlgItem(dialog, IDC_DRIVES)));
        ASSERT_NE(table, nullptr);
        for (int row = 0; row < table->GetItemCount(); ++row)
            drives.push_back(table->GetItemText(row, 0));
        char text[64] = {};
        GetDlgItemTextA(dialog, IDC_TOTALMEM, text, sizeof text);
        memory = text;
        PostKey(dialog, VK_RETURN);
    });
    // Under Wine C: is the prefix's drive and Z: the Linux root, both fixed.
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front(), "C:\\");
    EXPECT_EQ(drives.back(), "Z:\\");
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    EXPECT_EQ(memory, trawl::FormatKilobytes("%lu KB", status.ullTotalPhys));
}

} // namespace
