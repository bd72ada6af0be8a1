#include "ChildRoles.h"

#include "BareListView.h"
#include "BenchSession.h"
#include "ChildProcess.h"
#include "Fixtures.h"
#include "LargeLists.h"
#include "Timing.h"

#include "ui/Win32FileFinder.h"
#include "ui/Win32LocalTime.h"

#include <psapi.h>

#include <cstdio>

namespace {

double WorkingSetMB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// A search straight into the bare list, cell by cell as the search writes
// them, nothing kept on the side.
class BareListWriter : public trawl::IResultSink, public trawl::ITextMeasure {
public:
    explicit BareListWriter(BareListView& bare) : bare(bare) {}
    void InsertRow(int32_t row, const std::string& path) override { bare.SetCell(row, 0, path); }
    void SetCell(int32_t row, int column, const std::string& text) override
    {
        bare.SetCell(row, column, text);
    }
    int TextWidth(const std::string&) override { return 0; }

private:
    BareListView& bare;
};

} // namespace

int RunChild(const std::string& role)
{
    const std::string fullList = FixtureList(FixtureRoot());
    if (role == "memory-ours") {
        BenchSession trawl;
        if (!trawl.StartWithAllColumns())
            return 1;
        const double before = WorkingSetMB();
        trawl.TimedSearch(fullList);
        std::printf("memory %.1f %.1f %d %d\n", before, WorkingSetMB(), trawl.RowCount(),
                    trawl.ColumnCount());
        ExitProcess(0);
    }
    if (role == "memory-bare") {
        BareListView bare;
        const double before = WorkingSetMB();
        BareListWriter writer(bare);
        Win32FileFinder finder;
        Win32LocalTime clock;
        SendMessageA(bare.list, WM_SETREDRAW, FALSE, 0);
        trawl::SearchDirectoryList(fullList, "*", allColumns, finder, clock, writer, writer);
        SendMessageA(bare.list, WM_SETREDRAW, TRUE, 0);
        PumpMessages();
        std::printf("memory %.1f %.1f %d %d\n", before, WorkingSetMB(), bare.RowCount(), bare.columns);
        ExitProcess(0);
    }
    if (role == "exit-ours" || role == "exit-ours-teardown") {
        BenchSession trawl;
        if (!trawl.StartWithAllColumns())
            return 1;
        ReportReady(trawl.FrameWindow(), trawl.Fill(RecordRows(fullList), largeCopies));
        return BenchSession::Run(role == "exit-ours");
    }
    if (role == "exit-bare") {
        BareListView bare(true);
        ReportReady(bare.parent, bare.Fill(RecordRows(fullList), largeCopies));
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return 0;
    }
    std::printf("unknown child role %s\n", role.c_str());
    return 2;
}

ExitFigure TimedExit(const std::string& role, UINT message, WPARAM wParam)
{
    ChildProcess child(role);
    const ReadyChild ready = ReadReady(child.Expect("ready"));
    ExitFigure figure;
    figure.rows = ready.rows;
    if (ready.window == nullptr) {
        figure.failure = "child " + role + " did not come up";
        return figure;
    }
    if (!child.Running() || !IsWindowVisible(ready.window)) {
        figure.failure = "child " + role + " was gone before its window was closed";
        return figure;
    }
    PostMessageA(ready.window, message, wParam, 0);
    figure.seconds = child.SecondsUntilGone();
    if (figure.seconds < 0)
        figure.failure = "child " + role + " did not end";
    else if (child.ExitCode() != 0)
        figure.failure = "child " + role + " ended with " + std::to_string(child.ExitCode());
    return figure;
}

MemoryFigures ChildMemory(const std::string& role)
{
    ChildProcess child(role);
    const std::string line = child.Expect("memory");
    MemoryFigures figures;
    if (std::sscanf(line.c_str(), "%lf %lf %d %d", &figures.before, &figures.after, &figures.rows,
                    &figures.columns) != 4)
        figures.failure = "child " + role + " gave no working set";
    return figures;
}
