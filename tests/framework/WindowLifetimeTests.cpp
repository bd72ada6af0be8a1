#include "framework/CreationHook.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
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
    HWND edit = CreateWindowExW(0, WC_EDITW, L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    CCountingEdit counter;
    ASSERT_TRUE(counter.SubclassWindow(edit));
    CCountingEdit second;
    EXPECT_FALSE(second.SubclassWindow(edit));

    SendMessageW(edit, WM_CHAR, L'\u65E5', 1); // outside the keyboard's code page
    EXPECT_EQ(counter.GetWindowText(), "\u65E5");
    counter.SetWindowText("one");
    EXPECT_EQ(counter.textsSet, 1);
    EXPECT_EQ(counter.GetWindowText(), "one");
    // Subclassed again after us: the later procedure still reaches the edit once we let go.
    static LONG_PTR before = 0;
    const WNDPROC later = [](HWND w, UINT m, WPARAM p, LPARAM l) {
        return CallWindowProcW(WNDPROC(before), w, m, p, l);
    };
    before = SetWindowLongPtrW(edit, GWLP_WNDPROC, LONG_PTR(later));

    EXPECT_EQ(counter.UnsubclassWindow(), edit);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    SetWindowTextA(edit, "two");
    EXPECT_EQ(counter.textsSet, 1);
    char text[8] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "two");
    SendMessageW(edit, EM_SETLIMITTEXT, 5, 0);
    EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 5);
    ASSERT_TRUE(counter.SubclassWindow(edit)); // back in its old place of the chain, not twice in it
    SetWindowTextA(edit, "three");
    EXPECT_EQ(counter.textsSet, 2);
    DestroyWindow(edit);
}

TEST(WindowLifetime, CreationHookBindsOnlyTheWindowBeingCreated)
{
    CCreationView parent, other;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, frameRect, nullptr, 0));
    ASSERT_TRUE(other.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, frameRect, nullptr, 0));
    CWnd target;
    HWND p = parent.GetSafeHwnd(), o = other.GetSafeHwnd();
    CreationHook hook(target, WC_STATICA, p);
    const std::tuple<const char*, HWND, bool> made[] = {
        {WC_BUTTONA, p, false}, {WC_STATICA, o, false}, {WC_STATICA, p, true}};
    for (const auto& [cls, owner, bound] : made) {
        HWND window = CreateWindowExA(0, cls, "", WS_CHILD, 0, 0, 9, 9, owner, nullptr, nullptr, nullptr);
        EXPECT_EQ(CWnd::FromHandlePermanent(window) == &target, bound) << cls;
    }
}

} // namespace
