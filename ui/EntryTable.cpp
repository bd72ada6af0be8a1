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
    SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (size_t row : rows)
        SetItemState(static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
    if (!rows.empty()) {
        SetItemState(static_cast<int>(rows.front()), LVIS_FOCUSED, LVIS_FOCUSED);
        ::SendMessageW(GetSafeHwnd(), LVM_ENSUREVISIBLE, rows.front(), FALSE);
    }
}

void CEntryTable::SetCellText(int row, int column, const std::wstring& text)
{
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(GetSafeHwnd(), LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
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
