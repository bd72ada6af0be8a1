#include "LargeLists.h"

#include "BareListView.h"
#include "BenchSession.h"
#include "ChildRoles.h"
#include "Figures.h"
#include "Timing.h"

#include "res/resource.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double listRatioTarget = 1.5;    // Clear, deletion, exit
constexpr double memoryRatioTarget = 1.25; // working set
constexpr double exitSecondsTarget = 2.0;  // window closed to process gone
constexpr int deleteRuns = 3;              // at 32,760 rows; one at 131,040

struct DeleteFigures {
    double oursClear = 0;
    double oursSearchDeletion = 0;
    double bareDelete = 0;
};

// Clear and a new search with `copies` times the fixture's rows shown, and
// the bare list view's delete-all of the same rows; medians of `runs`.
DeleteFigures TimedDeletions(BenchSession& trawl, const std::vector<RecordedRow>& rows, int copies,
                             const std::string& emptyDirectory)
{
    std::vector<double> clears, searches, bares;
    auto clear = [&] {
        trawl.Fill(rows, copies);
        clears.push_back(trawl.TimedClear());
    };
    auto search = [&] {
        trawl.Fill(rows, copies);
        const double withRows = trawl.TimedSearch(emptyDirectory);
        // The same search over the one message row: what is not deletion.
        const double rest = trawl.TimedSearch(emptyDirectory);
        searches.push_back(std::max(0.0, withRows - rest));
        trawl.TimedClear();
    };
    auto bare = [&] {
        BareListView list;
        list.Fill(rows, copies);
        bares.push_back(list.TimedDeleteAll());
    };
    // Interleaved, and in turn first, so that neither the heap's state after
    // the previous deletion nor a busy moment of the machine favours one.
    for (int run = 0; run < deleteRuns; ++run) {
        if (run % 2 == 0) {
            clear();
            bare();
            search();
        } else {
            search();
            bare();
            clear();
        }
    }
    return {Median(clears), Median(searches), Median(bares)};
}

// The large-list figures, each against the bare list view.
std::vector<Figure> LargeListFigures(const std::string& root, const std::string& fullList, bool exitOnly)
{
    std::vector<Figure> figures;
    const std::string largeLabel = std::to_string(largeRows) + " rows";
    if (exitOnly) {
        const double bareExit = TimedExit("exit-bare", WM_CLOSE, 0);
        figures.push_back({"exit (F3) to process gone, " + largeLabel,
                           TimedExit("exit-ours", WM_COMMAND, ID_APP_EXIT), bareExit, listRatioTarget,
                           exitSecondsTarget});
        return figures;
    }
    const std::vector<RecordedRow> rows = RecordRows(fullList);
    const std::string emptyDirectory = root + "empty";
    CreateDirectoryA(emptyDirectory.c_str(), nullptr);

    DeleteFigures small;
    DeleteFigures large;
    {
        BenchSession trawl;
        if (!trawl.StartWithAllColumns()) {
            std::printf("cannot start Trawl in this process\n");
            return figures;
        }
        small = TimedDeletions(trawl, rows, 1, emptyDirectory);
        large = TimedDeletions(trawl, rows, largeCopies, emptyDirectory);
        trawl.Stop();
    }

    const std::string smallLabel = std::to_string(totalFiles) + " rows";
    figures.push_back({"Clear (Ctrl+C), " + smallLabel, small.oursClear, small.bareDelete, listRatioTarget});
    figures.push_back({"Clear (Ctrl+C), " + largeLabel, large.oursClear, large.bareDelete, listRatioTarget});
    figures.push_back({"new search, deletion part, " + largeLabel, large.oursSearchDeletion, large.bareDelete,
                       listRatioTarget});
    std::printf("Clear growth %d -> %d rows: Trawl %.2f, bare %.2f (linear 4, quadratic 16)\n", totalFiles,
                largeRows, large.oursClear / small.oursClear, large.bareDelete / small.bareDelete);
    std::printf("new search deletion part at %d rows: %.3f s\n", totalFiles, small.oursSearchDeletion);

    const double bareExit = TimedExit("exit-bare", WM_CLOSE, 0);
    const double oursExit = TimedExit("exit-ours", WM_COMMAND, ID_APP_EXIT);
    const double oursTeardown = TimedExit("exit-ours-teardown", WM_COMMAND, ID_APP_EXIT);
    figures.push_back(
        {"exit (F3) to process gone, " + largeLabel, oursExit, bareExit, listRatioTarget, exitSecondsTarget});
    figures.push_back({"  the same, windows torn down first", oursTeardown, bareExit});

    const MemoryFigures oursMemory = ChildMemory("memory-ours");
    const MemoryFigures bareMemory = ChildMemory("memory-bare");
    figures.push_back({"working set, " + smallLabel + " x " + std::to_string(oursMemory.columns) + " columns",
                       oursMemory.after, bareMemory.after, memoryRatioTarget, 0, "MB"});
    figures.push_back(
        {"  before the search (bare: before its rows)", oursMemory.before, bareMemory.before, 0, 0, "MB"});
    return figures;
}

} // namespace

int RunLargeListFigures(const std::string& root, const std::string& fullList, bool exitOnly)
{
    std::printf("large result lists, against a bare list view holding the same texts:\n");
    const std::vector<Figure> figures = LargeListFigures(root, fullList, exitOnly);
    PrintFigures(figures);
    bool allMet = !figures.empty();
    for (const Figure& figure : figures)
        allMet = allMet && figure.Met();
    std::printf("targets: large lists %s\n", Verdict(allMet));
    return figures.empty() ? 1 : 0;
}
