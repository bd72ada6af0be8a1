#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr RECT frameRect{0, 0, 300, 200};

class CCreationView : public CWnd {
public:
    std::vector<std::string> calls;
    void* createParam = nullptr;
    bool boundDuringCreate = false;
    bool failCreate = false;
    int ncDestroyed = 0;

protected:
    LRESULT OnNcCreate(WPARAM, LPARAM)
    {
        calls.push_back("nccreate");
        return Default();
    }
    int OnCreate(CREATESTRUCTA* create)
    {
        calls.push_back("create");
        createParam = create->lpCreateParams;
        boundDuringCreate = FromHandlePermanent(GetSafeHwnd()) == this;
        return failCreate ? -1 : 0;
    }
    void PostNcDestroy() override { ++ncDestroyed; }

    DECLARE_MESSAGE_MAP()
};

const MessageEntry CCreationView::messageEntries[] = {
    msgmap::Message<&CCreationView::OnNcCreate>(WM_NCCREATE),
    msgmap::OnCreate<&CCreationView::OnCreate>(),
};
const MessageMap CCreationView::messageMap = MakeMessageMap(&CWnd::messageMap, messageEntries);

// Counts the texts set on it and leaves the setting to the control.
class CCountingEdit : public CWnd {
public:
    int textsSet = 0;

protected:
    LRESULT OnSetText(WPARAM, LPARAM)
    {
        ++textsSet;
        return Default();
    }

    DECLARE_MESSAGE_MAP()
};

const MessageEntry CCountingEdit::messageEntries[] = {
    msgmap::Message<&CCountingEdit::OnSetText>(WM_SETTEXT),
};
const MessageMap CCountingEdit::messageMap = MakeMessageMap(&CWnd::messageMap, messageEntries);

TEST(WindowLifetime, CreateExBindsBeforeTheCreationMessages)
{
    CCreationView view;
    int param = 0;
    ASSERT_TRUE(view.CreateEx(0, nullptr, "Created", WS_OVERLAPPEDWINDOW, frameRect, nullptr, 0, &param));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"nccreate", "create"}));
    EXPECT_EQ(view.createParam, &param);
    EXPECT_TRUE(view.boundDuringCreate);
    // Default() ran the window's own WM_NCCREATE, which stores the title.
    EXPECT_EQ(view.GetWindowText(), "Created");
}

TEST(WindowLifetime, FailedCreateLeavesTheObjectUnbound)
{
    CCreationView view;
    view.failCreate = true;
    EXPECT_FALSE(view.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, frameRect, nullptr, 0));
    EXPECT_EQ(view.GetSafeHwnd(), nullptr);

    view.failCreate = false;
    EXPECT_TRUE(view.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, frameRect, nullptr, 0));
}

TEST(WindowLifetime, DestroyedWindowIsNoLongerBound)
{
    CCreationView parent;
    CCreationView child;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, frameRect, nullptr, 0));
    ASSERT_TRUE(child.CreateEx(0, nullptr, "", WS_CHILD, frameRect, parent.GetSafeHwnd(), 1));
    HWND parentHwnd = parent.GetSafeHwnd();
    HWND childHwnd = child.GetSafeHwnd();
    EXPECT_EQ(CWnd::FromHandlePermanent(parentHwnd), &parent);

    ASSERT_TRUE(parent.DestroyWindow());
    for (auto [window, object] : {std::pair{parentHwnd, &parent}, std::pair{childHwnd, &child}}) {
        EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
        EXPECT_EQ(object->GetSafeHwnd(), nullptr);
        EXPECT_EQ(object->ncDestroyed, 1);
    }
}

TEST(WindowLifetime, DestructorDestroysTheWindow)
{
    HWND window = nullptr;
    {
        CCreationView view;
        ASSERT_TRUE(view.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, frameRect, nullptr, 0));
        window = view.GetSafeHwnd();
    }
    EXPECT_FALSE(IsWindow(window));
}

TEST(WindowLifetime, SubclassedControlKeepsItsOwnBehaviourAndCanBeReleased)
{
    HWND edit = CreateWindowExA(0, WC_EDITA, "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    CCountingEdit counter;
    ASSERT_TRUE(counter.SubclassWindow(edit));
    CCountingEdit second;
    EXPECT_FALSE(second.SubclassWindow(edit));

    counter.SetWindowText("one");
    EXPECT_EQ(counter.textsSet, 1);
    EXPECT_EQ(counter.GetWindowText(), "one");

    EXPECT_EQ(counter.UnsubclassWindow(), edit);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    SetWindowTextA(edit, "two");
    EXPECT_EQ(counter.textsSet, 1);
    char text[8] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "two");
    DestroyWindow(edit);
}

TEST(WindowLifetime, CreationHookBindsOnlyTheWindowBeingCreated)
{
    CCreationView parent;
    CCreationView otherParent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, frameRect, nullptr, 0));
    ASSERT_TRUE(otherParent.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, frameRect, nullptr, 0));
    CWnd target;
    auto make = [](const char* className, DWORD style, HWND parentWindow) {
        return CreateWindowExA(0, className, "", style, 0, 0, 10, 10, parentWindow, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    };
    HWND made[3] = {};
    {
        CreationHook hook(target, WC_STATICA, parent.GetSafeHwnd());
        ASSERT_TRUE(hook.IsInstalled());
        // Made first on the thread: a helper of another class, the class under another parent.
        made[0] = make(WC_BUTTONA, WS_POPUP, nullptr);
        made[1] = make(WC_STATICA, WS_CHILD, otherParent.GetSafeHwnd());
        made[2] = make(WC_STATICA, WS_CHILD, parent.GetSafeHwnd());
    }
    EXPECT_EQ(target.GetSafeHwnd(), made[2]);
    EXPECT_EQ(CWnd::FromHandlePermanent(made[0]), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(made[1]), nullptr);
    DestroyWindow(made[0]);
}

WNDPROC laterSubclassersSaved = nullptr;
int laterSubclassersCalls = 0;

LRESULT CALLBACK AnswersUser(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return message == WM_USER ? 42 : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK LaterSubclasser(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++laterSubclassersCalls;
    return CallWindowProcA(laterSubclassersSaved, window, message, wParam, lParam);
}

TEST(WindowLifetime, UnbindingUnderALaterSubclasserKeepsItsChainWhole)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &AnswersUser;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TrawlAnswersUser";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    CCountingEdit wnd;
    ASSERT_TRUE(wnd.SubclassWindow(window));
    laterSubclassersSaved = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclasser)));
    EXPECT_EQ(wnd.UnsubclassWindow(), window);
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 42);
    EXPECT_EQ(laterSubclassersCalls, 1);

    // Bound again while still in the chain: once in it, not twice.
    ASSERT_TRUE(wnd.SubclassWindow(window));
    SetWindowTextA(window, "x");
    EXPECT_EQ(wnd.textsSet, 1);
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 42);
    EXPECT_TRUE(wnd.DestroyWindow());
}

} // namespace
