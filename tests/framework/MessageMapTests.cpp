#include "framework/ListCtrl.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr RECT frameRect{0, 0, 400, 300};
constexpr UINT throwMessage = WM_APP;
constexpr UINT ID_THROWS = 40001;

class CBaseView : public CWnd {
public:
    std::vector<std::string> calls;

protected:
    void OnOpen() { calls.push_back("base open"); }
    void OnClear() { calls.push_back("base clear"); }

    DECLARE_MESSAGE_MAP()
};

const MessageEntry CBaseView::messageEntries[] = {
    msgmap::Command<&CBaseView::OnOpen>(ID_POPUP_OPEN),
    msgmap::Command<&CBaseView::OnClear>(ID_FILE_CLEAR),
};
const MessageMap CBaseView::messageMap = MakeMessageMap(&CWnd::messageMap, messageEntries);

class CTestView : public CBaseView {
public:
    // Makes the next WM_GETTEXTLENGTH run a throwing message before Default().
    bool nestThrowInTextLength = false;

protected:
    void OnOpen() { calls.push_back("derived open"); }
    void OnSearch() { calls.push_back("search"); }
    void OnNameChange() { calls.push_back("name change"); }
    void OnSourceChange() { calls.push_back("source change"); }
    void OnThrowingCommand() { throw std::runtime_error("command failed"); }
    void OnListNotify(NMHDR* notify, LRESULT*) { calls.push_back("parent " + std::to_string(notify->code)); }
    LRESULT OnThrow(WPARAM kind, LPARAM)
    {
        if (kind == 0)
            throw std::runtime_error("handler failed");
        throw 42;
    }
    LRESULT OnGetTextLength(WPARAM, LPARAM)
    {
        if (nestThrowInTextLength)
            SendMessage(throwMessage);
        return Default();
    }

    DECLARE_MESSAGE_MAP()
};

const MessageEntry CTestView::messageEntries[] = {
    msgmap::Command<&CTestView::OnOpen>(ID_POPUP_OPEN),
    msgmap::Command<&CTestView::OnSearch>(ID_FILE_SEARCH),
    msgmap::Command<&CTestView::OnThrowingCommand>(ID_THROWS),
    msgmap::ControlNotify<&CTestView::OnNameChange>(EN_CHANGE, IDC_FILENAME),
    msgmap::ControlNotify<&CTestView::OnSourceChange>(CBN_SELCHANGE, IDC_ENVLIST),
    msgmap::Notify<&CTestView::OnListNotify>(LVN_INSERTITEM, IDC_RESULTS),
    msgmap::Notify<&CTestView::OnListNotify>(LVN_ITEMCHANGED, IDC_RESULTS),
    msgmap::Message<&CTestView::OnThrow>(throwMessage),
    msgmap::Message<&CTestView::OnGetTextLength>(WM_GETTEXTLENGTH),
};
const MessageMap CTestView::messageMap = MakeMessageMap(&CBaseView::messageMap, messageEntries);

// A list that handles some of its own notifications, as the result list does.
class CReflectingList : public CListCtrl {
public:
    std::vector<std::string> calls;
    bool refuseChanges = false;

protected:
    void OnItemChanged(NMHDR*, LRESULT*) { calls.push_back("child itemchanged"); }
    void OnItemChanging(NMHDR*, LRESULT* result) { *result = refuseChanges ? TRUE : FALSE; }

    DECLARE_MESSAGE_MAP()
};

const MessageEntry CReflectingList::messageEntries[] = {
    msgmap::NotifyReflect<&CReflectingList::OnItemChanged>(LVN_ITEMCHANGED),
    msgmap::NotifyReflect<&CReflectingList::OnItemChanging>(LVN_ITEMCHANGING),
};
const MessageMap CReflectingList::messageMap = MakeMessageMap(&CListCtrl::messageMap, messageEntries);

class MessageMapTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(view.CreateEx(0, nullptr, "Trawl test", WS_OVERLAPPEDWINDOW, frameRect, nullptr, 0));
    }

    HWND CreateChild(const char* className, DWORD style, int id)
    {
        return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 100,
                               view.GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
    }

    std::vector<std::string> TakeCalls() { return std::exchange(view.calls, {}); }

    CTestView view;
};

using Calls = std::vector<std::string>;

TEST_F(MessageMapTest, DerivedEntryWinsAndBaseEntriesAreStillReached)
{
    view.SendMessage(WM_COMMAND, MAKEWPARAM(ID_POPUP_OPEN, 0));
    EXPECT_EQ(TakeCalls(), Calls{"derived open"});
    view.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_CLEAR, 0));
    EXPECT_EQ(TakeCalls(), Calls{"base clear"});
}

TEST_F(MessageMapTest, CommandsAndControlNotificationsReachTheirEntries)
{
    HWND combo = CreateChild(WC_COMBOBOXA, CBS_DROPDOWNLIST, IDC_ENVLIST);
    ASSERT_NE(combo, nullptr);
    struct Case {
        const char* name;
        WPARAM wParam;
        LPARAM lParam;
        Calls calls;
    };
    const Case cases[] = {
        {"menu item", MAKEWPARAM(ID_FILE_SEARCH, 0), 0, {"search"}},
        {"accelerator", MAKEWPARAM(ID_FILE_SEARCH, 1), 0, {"search"}},
        // Code 1 from a control is a notification, not an accelerator.
        {"selection change",
         MAKEWPARAM(IDC_ENVLIST, CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(combo),
         {"source change"}},
        {"same code, other control",
         MAKEWPARAM(IDC_FILENAME, CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(combo),
         {}},
        {"unmapped command", MAKEWPARAM(ID_APP_ABOUT, 0), 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view.SendMessage(WM_COMMAND, c.wParam, c.lParam);
        EXPECT_EQ(TakeCalls(), c.calls);
    }
}

TEST_F(MessageMapTest, AcceleratorKeyReachesItsCommand)
{
    HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(accelerators, nullptr);
    BYTE keys[256] = {};
    ASSERT_TRUE(GetKeyboardState(keys));
    BYTE pressed[256];
    std::copy(std::begin(keys), std::end(keys), pressed);
    pressed[VK_CONTROL] = pressed[VK_LCONTROL] = 0x80;
    SetKeyboardState(pressed);

    MSG message{view.GetSafeHwnd(), WM_KEYDOWN, 'S', 0x001F0001, 0, {}};
    const int translated = TranslateAcceleratorA(view.GetSafeHwnd(), accelerators, &message);
    SetKeyboardState(keys);

    EXPECT_NE(translated, 0);
    EXPECT_EQ(TakeCalls(), Calls{"search"});
}

TEST_F(MessageMapTest, ClickedButtonAndTypedEditReachTheParent)
{
    HWND button = CreateChild(WC_BUTTONA, BS_PUSHBUTTON, ID_FILE_CLEAR);
    HWND edit = CreateChild(WC_EDITA, ES_AUTOHSCROLL, IDC_FILENAME);
    HWND otherEdit = CreateChild(WC_EDITA, ES_AUTOHSCROLL, IDC_MYPATH);
    ASSERT_TRUE(button && edit && otherEdit);

    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(TakeCalls(), Calls{"base clear"});
    SendMessageA(edit, WM_CHAR, 'a', 1);
    EXPECT_EQ(TakeCalls(), Calls{"name change"});
    SendMessageA(otherEdit, WM_CHAR, 'a', 1);
    EXPECT_EQ(TakeCalls(), Calls{});
}

TEST_F(MessageMapTest, ReflectedNotificationsStayWithTheControl)
{
    CReflectingList list;
    ASSERT_TRUE(list.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, {0, 0, 300, 200},
                              view.GetSafeHwnd(), IDC_RESULTS));
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    list.InsertColumn(0, column);
    TakeCalls();

    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<char*>("row");
    ASSERT_EQ(list.InsertItem(item), 0);
    EXPECT_EQ(TakeCalls(), Calls{"parent " + std::to_string(LVN_INSERTITEM)});

    list.calls.clear();
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.calls, Calls{"child itemchanged"});
    EXPECT_EQ(TakeCalls(), Calls{});
    EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED), UINT{LVIS_SELECTED});

    // The control's own answer goes back to the control: TRUE refuses the change.
    list.refuseChanges = true;
    list.calls.clear();
    list.SetItemState(0, 0, LVIS_SELECTED);
    EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED), UINT{LVIS_SELECTED});
    EXPECT_EQ(list.calls, Calls{});
}

TEST_F(MessageMapTest, ExceptionsStopAtTheWindowProcedure)
{
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    const Case cases[] = {
        {"standard exception", throwMessage, 0},
        {"other exception", throwMessage, 1},
        {"command handler", WM_COMMAND, MAKEWPARAM(ID_THROWS, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(view.SendMessage(c.message, c.wParam), 0);
        // The window keeps working.
        view.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_SEARCH, 0));
        EXPECT_EQ(TakeCalls(), Calls{"search"});
    }
}

TEST_F(MessageMapTest, DefaultAfterANestedExceptionHandlesTheOuterMessage)
{
    view.nestThrowInTextLength = true;
    EXPECT_EQ(GetWindowTextLengthA(view.GetSafeHwnd()), static_cast<int>(strlen("Trawl test")));
}

} // namespace
