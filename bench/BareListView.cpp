#include "BareListView.h"

#include "Timing.h"

#include <string>

namespace {

LRESULT CALLBACK BareParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY && GetWindowLongPtrA(window, GWLP_USERDATA) != 0)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

BareListView::BareListView(bool quitWhenGone)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = &BareParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TrawlBenchBareParent";
    RegisterClassA(&wc);
    parent = CreateWindowExA(0, wc.lpszClassName, "Bare list view", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120,
                             120, 760, 480, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(parent, GWLP_USERDATA, quitWhenGone ? 1 : 0);
    RECT client{};
    GetClientRect(parent, &client);
    list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                           WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL, 0, 0, client.right,
                           client.bottom, parent, nullptr, wc.hInstance, nullptr);
    for (const trawl::ResultColumn& resultColumn : trawl::BuildColumnSet(allColumns)) {
        std::string heading = resultColumn.heading;
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
        column.cx = 120;
        column.pszText = heading.data();
        column.iSubItem = columns;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(columns++),
                     reinterpret_cast<LPARAM>(&column));
    }
    PumpMessages();
}

BareListView::~BareListView()
{
    if (IsWindow(parent))
        DestroyWindow(parent);
    PumpMessages();
}

void BareListView::AddRow(int row, const RowTexts& texts)
{
    std::string cell = texts[0];
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = cell.data();
    item.lParam = row;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (int column = 1; column < columns; ++column) {
        cell = texts[static_cast<size_t>(column)];
        item.mask = LVIF_TEXT;
        item.iSubItem = column;
        item.pszText = cell.data();
        SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void BareListView::Fill(const std::vector<RowTexts>& rows, int copies)
{
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    int row = 0;
    for (int copy = 0; copy < copies; ++copy)
        for (const RowTexts& texts : rows)
            AddRow(row++, texts);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    PumpMessages();
}

double BareListView::TimedDeleteAll()
{
    const double start = Now();
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    PumpMessages();
    return Now() - start;
}
