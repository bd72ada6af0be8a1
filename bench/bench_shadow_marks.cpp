// What marking the shadowed copies adds to a search: the same search into two
// like lists, one with the marks and one without, in turns.

#include "bench_shadow_marks.h"

#include "res/resource.h"
#include "ui/ResultSearch.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int runs = 5;
constexpr double addedShareTarget = 0.05;

double Seconds()
{
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

double TimedSearch(CResultListCtrl& list, const std::string& directoryList,
                   const trawl::DisplayOptions& options, int& rows)
{
    list.ShowWindow(SW_SHOW);
    list.DeleteAllItems();
    Pump();
    const double start = Seconds();
    FinishResultList(list, ListMatchingFiles(list, directoryList, "*", options), "No files");
    list.UpdateShadowMarks();
    Pump();
    const double seconds = Seconds() - start;
    rows = list.GetItemCount();
    list.DeleteAllItems();
    list.ShowWindow(SW_HIDE);
    Pump();
    return seconds;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

void PrintShadowMarksFigure(HWND frame, const std::string& directoryList,
                            const trawl::DisplayOptions& options)
{
    RECT client{};
    GetClientRect(frame, &client);
    CResultListCtrl plain;
    CResultListCtrl marked;
    for (CResultListCtrl* list : {&plain, &marked}) {
        if (!list->CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT | LVS_SINGLESEL, client,
                            frame, IDC_RESULTS)) {
            std::printf("shadow marks: cannot create the result lists\n");
            return;
        }
        SetupResultColumns(*list, options);
    }
    marked.EnableShadowMarks();

    std::vector<double> without;
    std::vector<double> with;
    int rowsWithout = 0;
    int rowsWith = 0;
    for (int run = 0; run < runs; ++run) {
        without.push_back(TimedSearch(plain, directoryList, options, rowsWithout));
        with.push_back(TimedSearch(marked, directoryList, options, rowsWith));
    }
    const double ratio = Median(with) / Median(without);
    std::printf(
        "search at %d rows without shadow marks: %.3f s, with them (%d rows): %.3f s (medians of %d); "
        "ratio %.3f (target <= %.2f): %s\n",
        rowsWithout, Median(without), rowsWith, Median(with), runs, ratio, 1 + addedShareTarget,
        ratio <= 1 + addedShareTarget ? "met" : "MISSED");
    plain.DestroyWindow();
    marked.DestroyWindow();
}
