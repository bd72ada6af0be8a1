#include "EntryTable.h"

#include "res/resource.h"

std::vector<size_t> CEntryTable::SelectedRows() const
{
    std::vector<size_t> rows;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED))
        rows.push_back(static_cast<size_t>(row));
    return rows;
}

void CEntryTable::SelectRows(const std::vector<size_t>& rows)
{
    // Row by row: all rows at once costs as many rows as the table holds.
    for (size_t row : SelectedRows())
        SetItemState(static_cast<int>(row), 0, LVIS_SELECTED);
    if (const int focused = GetNextItem(-1, LVNI_FOCUSED); focused >= 0)
        SetItemState(focused, 0, LVIS_FOCUSED);
    for (size_t row : rows)
        SetItemState(static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
    if (!rows.empty()) {
        SetItemState(static_cast<int>(rows.front()), LVIS_FOCUSED, LVIS_FOCUSED);
        ::SendMessageW(GetSafeHwnd(), LVM_ENSUREVISIBLE, rows.front(), FALSE);
    }
}

void CEntryTable::Press(int button) const
{
    const HWND dialog = GetParent();
    const HWND control = ::GetDlgItem(dialog, button);
    if (control != nullptr && ::IsWindowVisible(control) && ::IsWindowEnabled(control))
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

LRESULT CEntryTable::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (editKeys && message == WM_KEYDOWN && (wParam == VK_DELETE || wParam == VK_F2)) {
        Press(wParam == VK_DELETE ? IDC_DIRLIST_REMOVE : IDC_DIRLIST_EDIT);
        return 0;
    }
    if (editKeys && message == WM_SYSKEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        Press(wParam == VK_UP ? IDC_DIRLIST_UP : IDC_DIRLIST_DOWN);
        return 0;
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}
