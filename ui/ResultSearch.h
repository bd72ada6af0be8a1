#pragma once

#include "core/DirectorySearch.h"
#include "ui/ResultListCtrl.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

// Empties the list and fills it with the files the search finds, in the
// order found. Drawing is suspended meanwhile: a visible list that redraws
// on every insertion is orders of magnitude slower. A bare command name is
// looked for as the command interpreter looks for it, with the process's
// PATHEXT, which also tells the list which program of each command runs; or,
// for Start and Run, as the shell looks for it: its folders first, its
// extensions, and App Paths after the list.
trawl::SearchOutcome ListMatchingFiles(CResultListCtrl& list, std::string_view directoryList,
                                       std::string_view pattern, const trawl::DisplayOptions& options,
                                       trawl::RunsFor runsFor = trawl::RunsFor::CommandPrompt);

// Adds the message row when nothing was listed (and the search was not
// stopped) and sizes the first column
// to the widest text plus 10 pixels.
void FinishResultList(CResultListCtrl& list, const trawl::SearchOutcome& outcome,
                      const std::string& noFilesText);

// Sent to the window a background search reports to; wParam is the search's number.
inline constexpr UINT WM_SEARCH_ROWS = WM_USER + 101;

// Where a background search has got to.
struct SearchProgress {
    size_t directoriesSearched = 0; // the next one is being searched
    size_t directoryCount = 0;
    std::string current; // the directory being searched
    bool finished = false;
};

// The search of ListMatchingFiles on a worker thread, so that the window
// answers while a directory does not (a network share that is gone can hold
// a lookup for tens of seconds). The worker enumerates and formats; the
// window's thread lists the rows it hands over, whole and in list order, when
// the message says they wait. The worker touches no window: it only posts,
// and only while the search is still wanted.
class CSearchWorker {
public:
    using FinderFactory = std::function<std::unique_ptr<trawl::IFileFinder>()>;

    CSearchWorker() = default;
    ~CSearchWorker() { Stop(); }
    CSearchWorker(const CSearchWorker&) = delete;
    CSearchWorker& operator=(const CSearchWorker&) = delete;

    // Stops any running search and starts one listing into the emptied list.
    // makeFinder may be empty: the system's finder.
    void Start(CResultListCtrl& list, HWND notify, std::string directoryList, std::string pattern,
               const trawl::DisplayOptions& options, const FinderFactory& makeFinder,
               trawl::RunsFor runsFor = trawl::RunsFor::CommandPrompt);
    // Lists the rows handed over so far; false for a message of a search
    // stopped or replaced since, and while the rows wait for the next
    // listing: rows are listed at most every listingPause, since each
    // listing redraws the list and marks its copies afresh, and the timer
    // then brings them (the notify window's WM_TIMER with timerId).
    bool TakeRows(WPARAM number);
    static constexpr UINT_PTR timerId = 0x5EA;
    static constexpr DWORD listingPause = 250; // ms
    WPARAM Number() const { return number; }
    // Nothing more is listed. A worker held by a directory that does not
    // answer is left to end on its own; it owns all it uses.
    void Stop();
    bool Running() const { return job != nullptr; }
    const SearchProgress& Progress() const { return progress; }
    // The rows listed so far and the widest of their paths.
    const trawl::SearchOutcome& Outcome() const { return outcome; }

    struct Job;

private:
    std::shared_ptr<Job> job;
    CResultListCtrl* list = nullptr;
    WPARAM number = 0;
    HWND notify = nullptr;
    ULONGLONG listedAt = 0;
    SearchProgress progress;
    trawl::SearchOutcome outcome;
};
