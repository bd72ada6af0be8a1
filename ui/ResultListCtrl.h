#pragma once

#include "core/RowOrder.h"
#include "framework/ListCtrl.h"
#include "ui/FoundFiles.h"
#include "ui/ResultProgramCells.h"
#include "ui/ResultShadowMarks.h"

#include <string>
#include <vector>

namespace trawl {
struct DisplayOptions;
struct FoundEntry;
} // namespace trawl

// The report list of search results (and of the About box's drive table):
// columns sized in characters, rows written cell by cell, the current row,
// a popup menu over rows and sorting on a heading click. The popup and the
// sorting are off until popupMenuId and compareFunc are set.
class CResultListCtrl : public CListCtrl, public trawl::ISortSource {
public:
    // Column fields for InsertSizedColumn's mask.
    static constexpr UINT maskFormat = LVCF_FMT;
    static constexpr UINT maskWidth = LVCF_WIDTH;
    static constexpr UINT maskHeading = LVCF_TEXT;
    static constexpr UINT maskSubItem = LVCF_SUBITEM;
    static constexpr UINT maskAll = maskFormat | maskWidth | maskHeading | maskSubItem;
    static constexpr int maxSampleChars = 80;

    // widthSpec > 0: that many sample characters (at most 80); < 0: the
    // heading's width plus 15 pixels; 0: zero width. subItem -1 means position.
    int InsertSizedColumn(const std::string& heading, int position, int subItem, int widthSpec,
                          UINT mask = maskAll, int format = LVCFMT_LEFT);

    // Column 0 inserts a row whose item data is `row`; other columns set a
    // cell of that row. image -1 means none.
    int SetCell(int row, int column, const std::string& text, int image = -1);

    // The row that is both focused and selected, or -1. Deselects every other
    // selected row, so actions never act on a row the user cannot see as current.
    int GetCurrentItem();

    // Sorts the rows by a column with compareFunc, as a heading click does.
    void SortByColumn(int column);

    const std::string* FindSortCell(intptr_t itemData) const override;

    // Marks the copies of a file name that an earlier copy in the order found
    // shadows: they are drawn in grey, and tips name the winning copy. Off
    // until switched on; the marks then follow every insertion and deletion
    // made through the control's messages, whoever sends them.
    void EnableShadowMarks();
    // Computes the marks now if the rows changed since; drawing and tips do
    // it themselves when they need them.
    void UpdateShadowMarks();
    // Which program of each command runs, drawn as the copies are: set by
    // each search (ListMatchingFiles) to PATHEXT's extensions and, for a
    // command search, the command.
    void SetRunRule(std::vector<std::string> extensions, std::optional<std::string> command);
    // The tip of a row: that App Paths names it, whom it is shadowed by or
    // how many copies it wins over, whether typing its command runs it, and
    // what an alias or a shim starts in its place; empty when none applies.
    std::string GetShadowTip(int row);
    // The row was found where App Paths points (told by the search after
    // inserting it), which its tip says before its marks.
    void MarkAppPathsRow(int row, trawl::AppPathsHive hive);

    // The file a row stands for, exactly as found; nothing for a row that
    // stands for none.
    std::optional<FoundFile> FindFoundFile(int row) const;
    // Inserts the row of a file the search found (item data `row`): its
    // text is `path`, which ends in the entry's listed name. The row keeps
    // the file exactly as enumerated, and with the Version column shown, its
    // Version and Platform cells ask for their text, read from that file
    // when first drawn or asked for. Returns where the row went, or -1.
    int InsertFoundRow(int row, const std::string& path, const trawl::FoundEntry& entry);

    // Empties the list and rebuilds the result columns for the options,
    // recording their kinds and where the Version column is.
    void SetupResultColumns(const trawl::DisplayOptions& options);

    UINT popupMenuId = 0;
    PFNLVCOMPARE compareFunc = nullptr;

protected:
    void OnRightClick(NMHDR* notify, LRESULT* result);
    void OnColumnClick(NMHDR* notify, LRESULT* result);
    void OnCustomDraw(NMHDR* notify, LRESULT* result);
    void OnGetInfoTip(NMHDR* notify, LRESULT* result);
    void OnGetDispInfo(NMHDR* notify, LRESULT* result);
    LRESULT OnInsertItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteAllItems(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    void OnDeleteAllNotify(NMHDR* notify, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    static int CALLBACK CompareForSort(LPARAM first, LPARAM second, LPARAM self);

    // Cells of the column being sorted; filled only while a sort runs.
    trawl::SortSnapshot sortSnapshot;
    int sortColumn = 0;

    const trawl::ShadowMark* FindShadowMark(int row);

    ResultShadowMarks shadowMarks;
    bool shadowMarksOn = false;

    void DeferProgramCells(int row, DWORD attributes);

    ResultProgramCells programCells;
    // Position of the Version column, Platform after it; -1 when not shown.
    int versionColumn = -1;
    // Filled by the search as it lists rows; emptied with the list.
    FoundFiles foundFiles;
};
