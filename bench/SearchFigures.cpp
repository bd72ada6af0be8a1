#include "SearchFigures.h"

#include "Figures.h"
#include "Fixtures.h"
#include "ResultListHost.h"
#include "ShadowMarksFigure.h"
#include "Timing.h"

#include "core/RowOrder.h"
#include "framework/Wnd.h"
#include "res/resource.h"
#include "ui/ResultSearch.h"

#include <cstdio>
#include <vector>

namespace {

constexpr double fillRatioTarget = 5.0;
constexpr double workerRatioTarget = 1.05;
constexpr double sortSecondsTarget = 0.3;
// Runs per figure; the median is printed.
constexpr int rawRuns = 5;
constexpr int listRuns = 3;

int CALLBACK CompareResultRows(LPARAM first, LPARAM second, LPARAM column)
{
    return trawl::CompareRows(first, second, column);
}

const char* KindName(trawl::ColumnKind kind)
{
    switch (kind) {
    case trawl::ColumnKind::Text:
        return "Text";
    case trawl::ColumnKind::Size:
        return "Size";
    case trawl::ColumnKind::Date:
        return "Date";
    case trawl::ColumnKind::Attribute:
        return "Attribute";
    case trawl::ColumnKind::Version:
        return "Version";
    }
    return "?";
}

struct FillResult {
    double seconds = 0;
    int rows = 0;
};

FillResult TimedFill(CResultListCtrl& list, const std::string& directoryList,
                     const trawl::DisplayOptions& options)
{
    // Emptying the previous rows is not part of the search being measured.
    list.DeleteAllItems();
    PumpMessages();
    const double start = Now();
    const trawl::SearchOutcome outcome = ListMatchingFiles(list, directoryList, "*", options);
    FinishResultList(list, outcome, "No files");
    PumpMessages();
    FillResult result;
    result.seconds = Now() - start;
    result.rows = list.GetItemCount();
    return result;
}

// The same search on the worker thread, the window's thread listing the rows
// as they are handed over, until the last is in.
FillResult TimedWorkerFill(CResultListCtrl& list, HWND notify, const std::string& directoryList,
                           const trawl::DisplayOptions& options)
{
    list.DeleteAllItems();
    PumpMessages();
    CSearchWorker worker;
    const double start = Now();
    worker.Start(list, notify, directoryList, "*", options, {});
    MSG message;
    while (worker.Running() && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == notify &&
            (message.message == WM_SEARCH_ROWS ||
             (message.message == WM_TIMER && message.wParam == CSearchWorker::timerId))) {
            worker.TakeRows(worker.Number());
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    FinishResultList(list, worker.Outcome(), "No files");
    PumpMessages();
    FillResult result;
    result.seconds = Now() - start;
    result.rows = list.GetItemCount();
    return result;
}

// Fills the list `listRuns` times; the median run, the list left full.
FillResult MedianFill(CResultListCtrl& list, const std::string& directoryList,
                      const trawl::DisplayOptions& options, std::vector<double>& runs)
{
    FillResult last;
    for (int run = 0; run < listRuns; ++run) {
        last = TimedFill(list, directoryList, options);
        runs.push_back(last.seconds);
    }
    last.seconds = Median(runs);
    return last;
}

// The heading clicks in a row, each starting from the order the previous one
// left. The Attribute sort ends in the order found, where the fill leaves the
// rows, so every round does the same work. Median per column over the rounds.
std::vector<double> TimedSorts(CResultListCtrl& list, int columns)
{
    std::vector<std::vector<double>> runs(static_cast<size_t>(columns));
    for (int round = 0; round < listRuns; ++round) {
        for (int column = 0; column < columns; ++column) {
            const double start = Now();
            list.SortByColumn(column);
            PumpMessages();
            runs[static_cast<size_t>(column)].push_back(Now() - start);
        }
    }
    std::vector<double> seconds;
    for (const std::vector<double>& columnRuns : runs)
        seconds.push_back(Median(columnRuns));
    return seconds;
}

} // namespace

int RunSearchFigures(const std::string& root)
{
    const std::vector<std::string> directories = FixtureDirectories(root);
    const std::string fullList = Join(directories, directoryCount);
    const std::string halfList = Join(directories, halfDirectories);

    // Warm the file system caches so the raw and the full search start alike.
    const int found = RawEnumeration(directories);
    if (found != totalFiles) {
        std::printf("fixture holds %d files, expected %d\n", found, totalFiles);
        return 1;
    }
    std::vector<double> rawTimes;
    for (int run = 0; run < rawRuns; ++run) {
        const double start = Now();
        RawEnumeration(directories);
        rawTimes.push_back(Now() - start);
    }
    const double raw = Median(rawTimes);

    ResultListHost host;
    if (!host.Create())
        return 1;
    CWnd& frame = host.frame;
    CResultListCtrl& list = host.list;
    const trawl::DisplayOptions options = allColumns;
    list.SetupResultColumns(options);
    const int columns = list.GetColumnCount();
    list.compareFunc = &CompareResultRows;
    trawl::sortTargetList = &list;
    frame.ShowWindow(SW_SHOW);
    UpdateWindow(frame.GetSafeHwnd());
    PumpMessages();

    std::printf(
        "raw enumeration (FindFirstFileA/FindNextFileA, \"*\", %d files): %.3f s (median of %d: %s)\n", found,
        raw, rawRuns, RunList(rawTimes).c_str());

    std::vector<double> fullFills;
    const FillResult full = MedianFill(list, fullList, options, fullFills);
    std::printf(
        "fill (ListMatchingFiles + FinishResultList, visible list, %d columns): %.3f s (median of %d: "
        "%s), %d rows\n",
        columns, full.seconds, listRuns, RunList(fullFills).c_str(), full.rows);
    const std::string fillInvalid =
        LikeWork().Rows("the fill", full.rows, found).Baseline("the raw enumeration", raw).Reason();
    std::printf("fill / raw: %s\n", RatioVerdict(full.seconds, raw, fillRatioTarget, fillInvalid).c_str());
    bool valid = fillInvalid.empty();

    // Side by side, turn about, so that both meet the same machine.
    std::vector<double> sameFills;
    std::vector<double> workerFills;
    FillResult worker;
    for (int run = 0; run < listRuns; ++run) {
        sameFills.push_back(TimedFill(list, fullList, options).seconds);
        worker = TimedWorkerFill(list, frame.GetSafeHwnd(), fullList, options);
        workerFills.push_back(worker.seconds);
    }
    const std::string workerInvalid = LikeWork()
                                          .Rows("the worker search", worker.rows, full.rows)
                                          .Baseline("the fill", Median(sameFills))
                                          .Reason();
    std::printf(
        "search on the worker thread: %.3f s (median of %d: %s), %d rows; fill beside it %.3f s (%s)\n",
        Median(workerFills), listRuns, RunList(workerFills).c_str(), worker.rows, Median(sameFills),
        RunList(sameFills).c_str());
    std::printf(
        "worker search / fill: %s\n",
        RatioVerdict(Median(workerFills), Median(sameFills), workerRatioTarget, workerInvalid).c_str());
    valid = valid && workerInvalid.empty();
    TimedFill(list, fullList, options); // the sorts below start from the order found

    const std::vector<double> fullSorts = TimedSorts(list, columns);

    std::vector<double> halfFills;
    const FillResult half = MedianFill(list, halfList, options, halfFills);
    const std::string halfInvalid = LikeWork()
                                        .Note(fillInvalid)
                                        .Rows("the half fill", half.rows, halfFiles)
                                        .Baseline("the half fill", half.seconds)
                                        .Reason();
    std::printf("fill at %d rows: %.3f s (median of %d: %s), %d rows; growth %s\n", halfFiles, half.seconds,
                listRuns, RunList(halfFills).c_str(), half.rows,
                RatioVerdict(full.seconds, half.seconds, 0, halfInvalid).c_str());
    const std::vector<double> halfSorts = TimedSorts(list, columns);

    // A sort of other rows than the fixture's says nothing of these.
    const std::string sortsInvalid = LikeWork().Rows("the fill", full.rows, totalFiles).Reason();
    bool sortsMet = sortsInvalid.empty();
    for (int column = 0; column < columns; ++column) {
        const bool met = fullSorts[column] <= sortSecondsTarget;
        sortsMet = sortsMet && met;
        std::printf("sort %d rows by %-11s (%-9s): %.3f s (median of %d; target <= %.1f s): %s\n", full.rows,
                    list.GetColumnHeading(column).c_str(), KindName(trawl::columnKinds[column]),
                    fullSorts[column], listRuns, sortSecondsTarget,
                    sortsInvalid.empty() ? Verdict(met) : ("INVALID (" + sortsInvalid + ")").c_str());
    }
    for (int column = 0; column < columns; ++column)
        std::printf("sort %d rows by %-11s (%-9s): %.3f s\n", half.rows,
                    list.GetColumnHeading(column).c_str(), KindName(trawl::columnKinds[column]),
                    halfSorts[column]);
    for (int column = 0; column < columns; ++column) {
        const std::string invalid = LikeWork()
                                        .Note(sortsInvalid)
                                        .Rows("the half fill", half.rows, halfFiles)
                                        .Baseline("the half sort", halfSorts[column])
                                        .Reason();
        std::printf("sort growth %d/%d rows, %-9s: %s (n log n about 2.1, quadratic 4)\n", full.rows,
                    half.rows, KindName(trawl::columnKinds[column]),
                    RatioVerdict(fullSorts[column], halfSorts[column], 0, invalid).c_str());
        valid = valid && invalid.empty();
    }
    valid = valid && halfInvalid.empty();
    std::printf("targets: fill <= %.0fx raw %s; sorts <= %.1f s at %d rows %s\n", fillRatioTarget,
                fillInvalid.empty() ? Verdict(full.seconds <= fillRatioTarget * raw) : "INVALID",
                sortSecondsTarget, totalFiles, sortsInvalid.empty() ? Verdict(sortsMet) : "INVALID");

    valid = PrintShadowMarksFigure(frame.GetSafeHwnd(), fullList, options, totalFiles) && valid;

    trawl::sortTargetList = nullptr;
    list.DestroyWindow();
    frame.DestroyWindow();
    PumpMessages();
    return valid ? 0 : 1;
}
