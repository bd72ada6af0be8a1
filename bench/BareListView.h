#pragma once

#include "Fixtures.h"

#include "framework/Platform.h"

#include <string>
#include <vector>

// A list view and nothing else: a top-level window of its own class whose
// procedure answers only what the result list's parent answers too (no
// notification per row when all rows go), the list in it with the result
// list's style. The floor that the result list's figures are measured against.
class BareListView {
public:
    // quitWhenGone: the thread's message loop ends when the window goes.
    explicit BareListView(bool quitWhenGone = false);
    ~BareListView();
    BareListView(const BareListView&) = delete;
    BareListView& operator=(const BareListView&) = delete;

    // As any program writes a report list: column 0 inserts the row, whose
    // item data is `row`; other columns set a cell of it.
    void SetCell(int row, int column, const std::string& text);
    // `copies` times the rows, drawn once at the end; the rows the list then holds.
    int Fill(const std::vector<RecordedRow>& rows, int copies);
    int RowCount() const;
    double TimedDeleteAll();

    HWND parent = nullptr;
    HWND list = nullptr;
    int columns = 0;
};
