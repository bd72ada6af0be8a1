#include "BareListView.h"

#include "Timing.h"

namespace {

LRESULT CALLBACK BareParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY && GetWindowLongPtrA(window, GWLP_USERDATA) != 0)
        PostQuitMessage(0);
    // As the result list answers it: no LVN_DELETEITEM per row follows.
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_DELETEALLITEMS)
        return TRUE;
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

void BareListView::SetCell(int row, int column, const std::string& text)
{
    std::string cell = text;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = cell.data();
    if (column == 0) {
        item.mask |= LVIF_PARAM;
        item.lParam = row;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    } else {
        SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

int BareListView::Fill(const std::vector<RecordedRow>& rows, int copies)
{
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    int row = 0;
    for (int copy = 0; copy < copies; ++copy) {
        for (const RecordedRow& recorded : rows) {
            for (int column = 0; column < columns; ++column)
                SetCell(row, column, recorded.Cell(column));
            ++row;
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    PumpMessages();
    return RowCount();
}

int BareListView::RowCount() const
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

double BareListView::TimedDeleteAll()
{
    const double start = Now();
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    PumpMessages();
    return Now() - start;
}
