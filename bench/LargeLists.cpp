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
    LikeWork like; // both lists held the rows each time
};

// Clear and a new search with `copies` times the fixture's rows shown, and
// the bare list view's delete-all of the same rows; medians of `runs`.
DeleteFigures TimedDeletions(BenchSession& trawl, const std::vector<RecordedRow>& rows, int copies,
                             const std::string& emptyDirectory)
{
    const int expected = static_cast<int>(rows.size()) * copies;
    DeleteFigures figures;
    std::vector<double> clears, searches, bares;
    auto clear = [&] {
        figures.like.Rows("Trawl", trawl.Fill(rows, copies), expected);
        clears.push_back(trawl.TimedClear());
    };
    auto search = [&] {
        figures.like.Rows("Trawl", trawl.Fill(rows, copies), expected);
        const double withRows = trawl.TimedSearch(emptyDirectory);
        // The same search over the one message row: what is not deletion.
        const double rest = trawl.TimedSearch(emptyDirectory);
        searches.push_back(std::max(0.0, withRows - rest));
        trawl.TimedClear();
    };
    auto bare = [&] {
        BareListView list;
        figures.like.Rows("bare", list.Fill(rows, copies), expected);
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
    figures.oursClear = Median(clears);
    figures.oursSearchDeletion = Median(searches);
    figures.bareDelete = Median(bares);
    figures.like.Baseline("bare", figures.bareDelete);
    return figures;
}

// An exit figure against the bare window's, both with the large rows.
Figure ExitAgainstBare(const std::string& name, const ExitFigure& ours, const ExitFigure& bare,
                       double ratioLimit, double absoluteLimit)
{
    Figure figure{name, ours.seconds, bare.seconds, ratioLimit, absoluteLimit};
    figure.invalid = LikeWork()
                         .Note(ours.failure)
                         .Note(bare.failure)
                         .Rows("Trawl", ours.rows, largeRows)
                         .Rows("bare", bare.rows, largeRows)
                         .Baseline("bare", bare.seconds)
                         .Reason();
    return figure;
}

// The large-list figures, each against the bare list view.
std::vector<Figure> LargeListFigures(const std::string& root, const std::string& fullList, bool exitOnly)
{
    std::vector<Figure> figures;
    const std::string largeLabel = std::to_string(largeRows) + " rows";
    if (exitOnly) {
        const ExitFigure bareExit = TimedExit("exit-bare", WM_CLOSE, 0);
        figures.push_back(ExitAgainstBare("exit (F3) to process gone, " + largeLabel,
                                          TimedExit("exit-ours", WM_COMMAND, ID_APP_EXIT), bareExit,
                                          listRatioTarget, exitSecondsTarget));
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
    // Every row of the fixture, or the figures speak of other lists.
    small.like.Rows("the recorded search", static_cast<int>(rows.size()), totalFiles);
    large.like.Rows("the recorded search", static_cast<int>(rows.size()), totalFiles);

    const std::string smallLabel = std::to_string(totalFiles) + " rows";
    figures.push_back({"Clear (Ctrl+C), " + smallLabel, small.oursClear, small.bareDelete, listRatioTarget, 0,
                       "s", small.like.Reason()});
    figures.push_back({"Clear (Ctrl+C), " + largeLabel, large.oursClear, large.bareDelete, listRatioTarget, 0,
                       "s", large.like.Reason()});
    figures.push_back({"new search, deletion part, " + largeLabel, large.oursSearchDeletion, large.bareDelete,
                       listRatioTarget, 0, "s", large.like.Reason()});
    LikeWork growth;
    growth.Note(small.like.Reason())
        .Note(large.like.Reason())
        .Baseline("Trawl's Clear at " + smallLabel, small.oursClear);
    if (growth.Reason().empty())
        std::printf("Clear growth %d -> %d rows: Trawl %.2f, bare %.2f (linear 4, quadratic 16)\n",
                    totalFiles, largeRows, large.oursClear / small.oursClear,
                    large.bareDelete / small.bareDelete);
    else
        std::printf("Clear growth %d -> %d rows: INVALID (%s)\n", totalFiles, largeRows,
                    growth.Reason().c_str());
    std::printf("new search deletion part at %d rows: %.3f s\n", totalFiles, small.oursSearchDeletion);

    const ExitFigure bareExit = TimedExit("exit-bare", WM_CLOSE, 0);
    const ExitFigure oursExit = TimedExit("exit-ours", WM_COMMAND, ID_APP_EXIT);
    const ExitFigure oursTeardown = TimedExit("exit-ours-teardown", WM_COMMAND, ID_APP_EXIT);
    figures.push_back(ExitAgainstBare("exit (F3) to process gone, " + largeLabel, oursExit, bareExit,
                                      listRatioTarget, exitSecondsTarget));
    figures.push_back(ExitAgainstBare("  the same, windows torn down first", oursTeardown, bareExit, 0, 0));

    const MemoryFigures ours = ChildMemory("memory-ours");
    const MemoryFigures bare = ChildMemory("memory-bare");
    const std::string invalid = LikeWork()
                                    .Note(ours.failure)
                                    .Note(bare.failure)
                                    .Rows("Trawl", ours.rows, totalFiles)
                                    .Rows("bare", bare.rows, totalFiles)
                                    .Same("columns", ours.columns, bare.columns)
                                    .Baseline("bare", bare.after)
                                    .Reason();
    figures.push_back({"working set, " + smallLabel + " x " + std::to_string(ours.columns) + " columns",
                       ours.after, bare.after, memoryRatioTarget, 0, "MB", invalid});
    figures.push_back({"  before the search (bare: before its rows)", ours.before, bare.before, 0, 0, "MB",
                       LikeWork().Note(ours.failure).Note(bare.failure).Reason()});
    return figures;
}

} // namespace

int RunLargeListFigures(const std::string& root, const std::string& fullList, bool exitOnly)
{
    std::printf("large result lists, against a bare list view holding the same texts:\n");
    const std::vector<Figure> figures = LargeListFigures(root, fullList, exitOnly);
    const bool valid = PrintFigures(figures);
    bool allMet = !figures.empty();
    for (const Figure& figure : figures)
        allMet = allMet && figure.Met();
    std::printf("targets: large lists %s\n", valid ? Verdict(allMet) : "INVALID");
    return figures.empty() || !valid ? 1 : 0;
}
