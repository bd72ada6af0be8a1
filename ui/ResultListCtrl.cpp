#include "ResultListCtrl.h"

#include <algorithm>

const MessageEntry CResultListCtrl::messageEntries[] = {
    msgmap::NotifyReflect<&CResultListCtrl::OnRightClick>(NM_RCLICK),
    msgmap::NotifyReflect<&CResultListCtrl::OnColumnClick>(LVN_COLUMNCLICK),
    msgmap::NotifyReflect<&CResultListCtrl::OnDeleteAllItems>(LVN_DELETEALLITEMS),
};
const MessageMap CResultListCtrl::messageMap = MakeMessageMap(&CListCtrl::messageMap, messageEntries);

namespace {

class ListRowStates : public trawl::IRowStates {
public:
    explicit ListRowStates(CListCtrl& list) : list(list) {}
    int32_t RowCount() const override { return list.GetItemCount(); }
    bool IsFocused(int32_t row) const override { return list.GetItemState(row, LVIS_FOCUSED) != 0; }
    bool IsSelected(int32_t row) const override { return list.GetItemState(row, LVIS_SELECTED) != 0; }
    void Deselect(int32_t row) override { list.SetItemState(row, 0, LVIS_SELECTED); }

private:
    CListCtrl& list;
};

} // namespace

int CResultListCtrl::InsertSizedColumn(const std::string& heading, int position, int subItem, int widthSpec,
                                       UINT mask, int format)
{
    int width = 0;
    if (widthSpec > 0)
        width = GetStringWidth(std::string(static_cast<size_t>(std::min(widthSpec, maxSampleChars)), 'x'));
    else if (widthSpec < 0)
        width = GetStringWidth(heading) + 15;

    std::string text = heading;
    LVCOLUMNA column{};
    column.mask = mask;
    column.fmt = format;
    column.cx = width;
    column.pszText = text.data();
    if ((mask & maskSubItem) != 0)
        column.iSubItem = subItem == -1 ? position : subItem;
    return InsertColumn(position, column);
}

int CResultListCtrl::SetCell(int row, int column, const std::string& text, int image)
{
    std::string cell = text;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = cell.data();
    if (image != -1) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    }
    if (column == 0) {
        item.mask |= LVIF_PARAM;
        item.lParam = row;
        return InsertItem(item);
    }
    return SetItem(item) ? 1 : 0;
}

int CResultListCtrl::GetCurrentItem()
{
    ListRowStates rows(*this);
    return trawl::FindCurrentItem(rows);
}

void CResultListCtrl::OnRightClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    if (popupMenuId == 0)
        return;
    POINT screen{};
    GetCursorPos(&screen);
    POINT client = screen;
    ScreenToClient(client);
    if (HitTest(client) < 0)
        return;

    CMenu menu;
    if (!menu.LoadMenu(popupMenuId))
        return;
    HMENU popup = menu.GetSubMenu(0);
    if (popup == nullptr)
        return;
    // The frame owns the menu: it runs the items' update handlers and routes the command.
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0, GetTopLevelHwnd(), nullptr);
}

void CResultListCtrl::OnColumnClick(NMHDR* notify, LRESULT* result)
{
    *result = 0;
    if (compareFunc == nullptr || GetItemCount() < 2)
        return;
    SortByColumn(reinterpret_cast<NMLISTVIEW*>(notify)->iSubItem);
}

void CResultListCtrl::OnDeleteAllItems(NMHDR*, LRESULT* result)
{
    // Nothing is kept per row, so nobody needs a notification per row: without
    // this every row of a Clear, a new search or the list's destruction would
    // travel through the parent's dispatch on its own.
    *result = TRUE;
}

void CResultListCtrl::SortByColumn(int column)
{
    if (compareFunc == nullptr)
        return;
    // Read every compared cell once, before the sort: the comparer must not
    // ask the control anything while LVM_SORTITEMS runs.
    sortSnapshot.Clear();
    const int rows = GetItemCount();
    for (int row = 0; row < rows; ++row)
        sortSnapshot.Add(GetItemData(row), GetItemText(row, column), row);
    sortColumn = column;
    SortItems(&CResultListCtrl::CompareForSort, reinterpret_cast<LPARAM>(this));
    sortSnapshot.Clear();
}

int CALLBACK CResultListCtrl::CompareForSort(LPARAM first, LPARAM second, LPARAM self)
{
    auto* list = reinterpret_cast<CResultListCtrl*>(self);
    int order = list->compareFunc(first, second, list->sortColumn);
    if (order != 0)
        return order;
    // Rows that tie keep the order they had, whatever sort the control uses.
    int32_t a = list->sortSnapshot.FindPosition(first);
    int32_t b = list->sortSnapshot.FindPosition(second);
    return (a > b) - (a < b);
}

const std::string* CResultListCtrl::FindSortCell(intptr_t itemData) const
{
    return sortSnapshot.FindCell(itemData);
}
