// What marking the shadowed copies adds to a search: the same search into two
// like lists, one with the marks and one without, in turns.

#include "ShadowMarksFigure.h"

#include "Figures.h"
#include "Timing.h"

#include "res/resource.h"
#include "ui/ResultSearch.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int runs = 7;
constexpr double addedShareTarget = 0.05;

struct Timing {
    double search = 0; // the whole search, marks included
    double thread = 0; // processor time of the same
    double marks = 0;  // computing the marks once the rows are in
    int rows = 0;
};

Timing TimedSearch(CResultListCtrl& list, const std::string& directoryList,
                   const trawl::DisplayOptions& options)
{
    list.ShowWindow(SW_SHOW);
    list.DeleteAllItems();
    PumpMessages();
    const double start = Now();
    const double threadStart = ThreadSeconds();
    FinishResultList(list, ListMatchingFiles(list, directoryList, "*", options), "No files");
    const double marksStart = Now();
    list.UpdateShadowMarks();
    Timing timing;
    timing.marks = Now() - marksStart;
    PumpMessages();
    timing.search = Now() - start;
    timing.thread = ThreadSeconds() - threadStart;
    timing.rows = list.GetItemCount();
    list.DeleteAllItems();
    list.ShowWindow(SW_HIDE);
    PumpMessages();
    return timing;
}

} // namespace

bool PrintShadowMarksFigure(HWND frame, const std::string& directoryList,
                            const trawl::DisplayOptions& options, int rows)
{
    RECT client{};
    GetClientRect(frame, &client);
    CResultListCtrl plain;
    CResultListCtrl marked;
    for (CResultListCtrl* list : {&plain, &marked}) {
        if (!list->CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT | LVS_SINGLESEL, client,
                            frame, IDC_RESULTS)) {
            std::printf("shadow marks: cannot create the result lists\n");
            return false;
        }
        list->SetupResultColumns(options);
    }
    marked.EnableShadowMarks();

    std::vector<double> without;
    std::vector<double> with;
    std::vector<double> marks;
    std::vector<double> threadWithout;
    std::vector<double> threadWith;
    Timing plainRun;
    Timing markedRun;
    for (int run = 0; run < runs; ++run) {
        // Turn about, so a machine that slows down or speeds up favours neither.
        if (run % 2 == 0)
            plainRun = TimedSearch(plain, directoryList, options);
        markedRun = TimedSearch(marked, directoryList, options);
        if (run % 2 != 0)
            plainRun = TimedSearch(plain, directoryList, options);
        without.push_back(plainRun.search);
        with.push_back(markedRun.search);
        marks.push_back(markedRun.marks);
        threadWithout.push_back(plainRun.thread);
        threadWith.push_back(markedRun.thread);
    }
    const std::string invalid = LikeWork()
                                    .Rows("the search without marks", plainRun.rows, rows)
                                    .Rows("the search with marks", markedRun.rows, rows)
                                    .Baseline("the search without marks", Median(without))
                                    .Reason();
    std::printf(
        "search at %d rows without shadow marks: %.3f s, with them (%d rows): %.3f s, of which computing "
        "the marks %.3f s (medians of %d); ratio %s\n",
        plainRun.rows, Median(without), markedRun.rows, Median(with), Median(marks), runs,
        RatioVerdict(Median(with), Median(without), 1 + addedShareTarget, invalid).c_str());
    std::printf(
        "  processor time of the same: %.3f s without, %.3f s with; ratio %s\n", Median(threadWithout),
        Median(threadWith),
        RatioVerdict(
            Median(threadWith), Median(threadWithout), 0,
            LikeWork().Note(invalid).Baseline("processor time without", Median(threadWithout)).Reason())
            .c_str());
    plain.DestroyWindow();
    marked.DestroyWindow();
    return invalid.empty();
}
