#pragma once

#include "Wnd.h"

#include <string>

// The report list view of the common controls.
class CListCtrl : public CWnd {
public:
    int InsertColumn(int position, const LVCOLUMNA& column);
    bool DeleteColumn(int position);
    int GetColumnCount() const;
    int GetColumnWidth(int column) const;
    bool SetColumnWidth(int column, int width);
    std::string GetColumnHeading(int column) const;

    int InsertItem(const LVITEMA& item);
    bool SetItem(const LVITEMA& item);
    bool DeleteItem(int row);
    bool DeleteAllItems();
    int GetItemCount() const;
    std::string GetItemText(int row, int column) const;
    LPARAM GetItemData(int row) const;
    UINT GetItemState(int row, UINT mask) const;
    bool SetItemState(int row, UINT state, UINT mask);
    int GetNextItem(int start, UINT flags) const;
    int GetStringWidth(const std::string& text) const;
    int HitTest(POINT clientPoint) const;
    bool SortItems(PFNLVCOMPARE compare, LPARAM data);
    HIMAGELIST SetImageList(HIMAGELIST images, int which);
    int GetImage(int row, int column) const;
};
