#pragma once

#include "Fixtures.h"

#include "tests/app/TrawlSession.h"

#include <string>
#include <vector>

// The program in this process, started by the tests' own session, with every
// column shown; the actions the figures time, as a user's would arrive.
class BenchSession : public TrawlSession {
public:
    // The session's message-box watcher would poll the windows during every timing: held.
    BenchSession() { boxes.Hold(true); }

    // false when the program did not come up.
    bool StartWithAllColumns();
    using TrawlSession::Pump;
    using TrawlSession::Stop;

    // `copies` times the rows, written through the result list's writer as a
    // search writes them, one cell per column; the rows the list then holds.
    int Fill(const std::vector<RecordedRow>& rows, int copies);
    // Ctrl+C as the accelerator delivers it.
    double TimedClear();
    // A search of the given list for "*", as Search with My Path runs it.
    double TimedSearch(const std::string& directoryList);

    int RowCount() const { return view->resultList.GetItemCount(); }
    int ColumnCount() const { return view->resultList.GetColumnCount(); }
    HWND FrameWindow() const { return frameWindow; }
    // The program's own message loop, to its end.
    static int Run(bool endProcessOnClose);

private:
    void TestBody() override {}
};
