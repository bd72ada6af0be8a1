#include "ResultListWindow.h"

const MessageEntry CMenuRecorder::messageEntries[] = {
    msgmap::Message<&CMenuRecorder::OnInitMenuPopup>(WM_INITMENUPOPUP),
};
const MessageMap CMenuRecorder::messageMap = MakeMessageMap(&CWnd::messageMap, messageEntries);

LRESULT CMenuRecorder::OnInitMenuPopup(WPARAM menu, LPARAM)
{
    auto popup = reinterpret_cast<HMENU>(menu);
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        char text[64] = {};
        GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        items.push_back({text, GetMenuItemID(popup, i)});
    }
    menusShown.push_back(items);
    // The menu loop ends on a posted WM_CANCELMODE.
    PostMessage(WM_CANCELMODE);
    return 0;
}

CMenuRecorder& SharedFrame()
{
    static CMenuRecorder frame;
    if (!frame)
        frame.CreateEx(0, nullptr, "Trawl test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 1200, 600}, nullptr,
                       0);
    return frame;
}

void ResultListTest::CreateWindows(DWORD listStyle)
{
    ASSERT_TRUE(frame);
    if (!form) {
        ASSERT_TRUE(
            form.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 1150, 520}, frame.GetSafeHwnd(), 1));
    }
    if (list)
        list.DestroyWindow();
    ASSERT_TRUE(list.CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                              WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | listStyle, {10, 10, 1110, 460},
                              form.GetSafeHwnd(), 1002));
}

std::vector<LPARAM> ResultListTest::ItemData() const
{
    std::vector<LPARAM> data;
    for (int row = 0; row < list.GetItemCount(); ++row)
        data.push_back(list.GetItemData(row));
    return data;
}

std::vector<std::string> ResultListTest::ColumnTexts(int column) const
{
    std::vector<std::string> texts;
    for (int row = 0; row < list.GetItemCount(); ++row)
        texts.push_back(list.GetItemText(row, column));
    return texts;
}

void ResultListTest::ClickHeading(int column)
{
    HWND header = ListView_GetHeader(list.GetSafeHwnd());
    RECT rect{};
    ASSERT_TRUE(Header_GetItemRect(header, column, &rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, 0, at);
}

void ResultListTest::RightClick(POINT clientPoint)
{
    POINT screen = clientPoint;
    ClientToScreen(list.GetSafeHwnd(), &screen);
    ASSERT_TRUE(SetCursorPos(screen.x, screen.y));
    const LPARAM at = MAKELPARAM(clientPoint.x, clientPoint.y);
    // A menu shown to a window that does not close it would hold the test
    // for ever; this closes it late, and the recorded menus tell the story.
    const UINT_PTR closer = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    // The control may wait for the release inside its button-down handling,
    // so the release is queued first.
    list.PostMessage(WM_RBUTTONUP, 0, at);
    list.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, at);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    KillTimer(nullptr, closer);
}

POINT ResultListTest::RowCentre(int row) const
{
    RECT rect{};
    ListView_GetItemRect(list.GetSafeHwnd(), row, &rect, LVIR_LABEL);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
