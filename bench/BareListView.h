#pragma once

#include "Fixtures.h"

#include "framework/Platform.h"

#include <vector>

// A list view and nothing else: a top-level window of its own class with the
// default window procedure, the list in it with the result list's style. The
// floor that the result list's figures are measured against.
class BareListView {
public:
    // quitWhenGone: the thread's message loop ends when the window goes.
    explicit BareListView(bool quitWhenGone = false);
    ~BareListView();
    BareListView(const BareListView&) = delete;
    BareListView& operator=(const BareListView&) = delete;

    // One row, written as any program writes a report list.
    void AddRow(int row, const RowTexts& texts);
    // `copies` times the rows, drawn once at the end.
    void Fill(const std::vector<RowTexts>& rows, int copies);
    double TimedDeleteAll();

    HWND parent = nullptr;
    HWND list = nullptr;
    int columns = 0;
};
