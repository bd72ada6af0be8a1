#include "ListCtrl.h"

#include "CodePage.h"

#include <algorithm>
#include <vector>

int CListCtrl::InsertColumn(int position, const LVCOLUMNA& column)
{
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&column)));
}

bool CListCtrl::DeleteColumn(int position)
{
    return SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(position)) != 0;
}

int CListCtrl::GetColumnCount() const
{
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    return header != nullptr ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CListCtrl::GetColumnWidth(int column) const
{
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

bool CListCtrl::SetColumnWidth(int column, int width)
{
    return SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)) != 0;
}

std::string CListCtrl::GetColumnHeading(int column) const
{
    char buffer[260] = {};
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT;
    info.pszText = buffer;
    info.cchTextMax = sizeof buffer;
    if (SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)) == 0)
        return {};
    return buffer;
}

int CListCtrl::InsertItem(const LVITEMA& item)
{
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListCtrl::SetItem(const LVITEMA& item)
{
    return SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CListCtrl::DeleteItem(int row)
{
    return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(row)) != 0;
}

bool CListCtrl::DeleteAllItems()
{
    return SendMessage(LVM_DELETEALLITEMS) != 0;
}

int CListCtrl::GetItemCount() const
{
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

std::string CListCtrl::GetItemText(int row, int column) const
{
    // Read in UTF-16 and converted whole, so that no cut can fall inside a
    // character of a UTF-8 text.
    // The control copies at most the buffer's size; grow until the text fits.
    std::vector<wchar_t> buffer(264);
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        auto length = static_cast<size_t>(
            SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < buffer.size() || buffer.size() >= 65536)
            return MarkedInCodePage({buffer.data(), std::min(length, buffer.size() - 1)});
        buffer.resize(buffer.size() * 4);
    }
}

LPARAM CListCtrl::GetItemData(int row) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) == 0)
        return 0;
    return item.lParam;
}

UINT CListCtrl::GetItemState(int row, UINT mask) const
{
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
}

bool CListCtrl::SetItemState(int row, UINT state, UINT mask)
{
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

int CListCtrl::GetNextItem(int start, UINT flags) const
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
}

int CListCtrl::GetStringWidth(const std::string& text) const
{
    return static_cast<int>(SendMessage(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CListCtrl::HitTest(POINT clientPoint) const
{
    LVHITTESTINFO info{};
    info.pt = clientPoint;
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

bool CListCtrl::SortItems(PFNLVCOMPARE compare, LPARAM data)
{
    return SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)) != 0;
}

HIMAGELIST CListCtrl::SetImageList(HIMAGELIST images, int which)
{
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(images)));
}

int CListCtrl::GetImage(int row, int column) const
{
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    if (SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) == 0)
        return -1;
    return item.iImage;
}
