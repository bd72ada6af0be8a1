#include "ResultSearch.h"

#include "core/CommandRuns.h"
#include "core/RowBatch.h"
#include "framework/Dpi.h"
#include "ui/CodePageText.h"
#include "ui/EnvironmentValue.h"
#include "ui/PlatformNameFolder.h"
#include "ui/ShellLookup.h"
#include "ui/Win32FileFinder.h"
#include "ui/Win32LocalTime.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Suspends drawing of a window for a scope.
class RedrawSuspended {
public:
    explicit RedrawSuspended(CWnd& window) : window(window) { window.SetRedraw(false); }
    ~RedrawSuspended()
    {
        window.SetRedraw(true);
        InvalidateRect(window.GetSafeHwnd(), nullptr, TRUE);
    }
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;

private:
    CWnd& window;
};

// Measures as LVM_GETSTRINGWIDTH does (the list's font on the list's DC) but
// keeps the DC for the whole search: the message gets and releases a DC on
// every call, which under Wine costs more than all the rest of a row.
class ListTextMeasure : public trawl::ITextMeasure {
public:
    explicit ListTextMeasure(CResultListCtrl& list) : list(list)
    {
        auto font = reinterpret_cast<HGDIOBJ>(list.SendMessage(WM_GETFONT));
        if (font == nullptr)
            return;
        dc = GetDC(list.GetSafeHwnd());
        if (dc != nullptr)
            previousFont = SelectObject(dc, font);
    }
    ~ListTextMeasure() override
    {
        if (dc == nullptr)
            return;
        SelectObject(dc, previousFont);
        ReleaseDC(list.GetSafeHwnd(), dc);
    }
    ListTextMeasure(const ListTextMeasure&) = delete;
    ListTextMeasure& operator=(const ListTextMeasure&) = delete;

    int TextWidth(const std::string& text) override
    {
        if (dc == nullptr)
            return list.GetStringWidth(text);
        // Measured in UTF-16, as the list converts the text to draw it.
        std::optional<std::wstring> wide = WideFromCodePage(text);
        SIZE size{};
        if (!wide || !GetTextExtentPoint32W(dc, wide->c_str(), static_cast<int>(wide->size()), &size))
            return list.GetStringWidth(text);
        return size.cx;
    }

private:
    CResultListCtrl& list;
    HDC dc = nullptr;
    HGDIOBJ previousFont = nullptr;
};

// Writes the search's rows into the result list, which keeps each found
// row's file. A row goes at the end whatever its number: rows deleted or
// sorted while a background search runs move the others, and a row's cells
// follow it to where it went.
class ResultListWriter : public trawl::IResultSink {
public:
    explicit ResultListWriter(CResultListCtrl& list) : list(list) {}
    void InsertRow(int32_t row, const std::string& path) override { at = list.SetCell(row, 0, path); }
    void InsertFoundRow(int32_t row, const std::string& path, const trawl::FoundEntry& entry) override
    {
        at = list.InsertFoundRow(row, path, entry);
    }
    void SetCell(int32_t, int column, const std::string& text) override
    {
        if (at >= 0)
            list.SetCell(at, column, text);
    }
    void MarkAppPathsRow(int32_t, trawl::AppPathsHive hive) override
    {
        if (at >= 0)
            list.MarkAppPathsRow(at, hive);
    }

private:
    CResultListCtrl& list;
    int at = -1;
};

// What a search takes from the system, read before it starts.
struct RunRule {
    std::string directoryList;
    std::vector<std::string> extensions;
    std::vector<trawl::AppPathsProgram> appPaths;
};

// The rule of what runs, set on the list: PATHEXT's extensions, or for a
// command looked up as Start and Run do, the shell's with its folders and
// App Paths.
RunRule PrepareRunRule(CResultListCtrl& list, std::string_view directoryList, std::string_view pattern,
                       trawl::RunsFor runsFor)
{
    const std::optional<std::string_view> command = trawl::CommandOfPattern(pattern);
    RunRule rule;
    if (command && runsFor == trawl::RunsFor::StartAndRun) {
        rule.directoryList = ShellSearchList(directoryList);
        rule.extensions = trawl::ParsePathExt(trawl::shellProgramExtensions);
        rule.appPaths = AppPathsPrograms(*command);
    } else {
        rule.directoryList = directoryList;
        // The program's own PATHEXT, as the command interpreter it starts would read it.
        rule.extensions = trawl::ParsePathExt(EnvironmentValue("PATHEXT").value_or(""));
    }
    list.SetRunRule(rule.extensions, command ? std::optional<std::string>(*command) : std::nullopt);
    return rule;
}

} // namespace

trawl::SearchOutcome ListMatchingFiles(CResultListCtrl& list, std::string_view directoryList,
                                       std::string_view pattern, const trawl::DisplayOptions& options,
                                       trawl::RunsFor runsFor)
{
    RedrawSuspended quiet(list);
    list.DeleteAllItems();
    Win32FileFinder finder;
    Win32LocalTime clock;
    ResultListWriter writer(list);
    ListTextMeasure measure(list);
    const RunRule rule = PrepareRunRule(list, directoryList, pattern, runsFor);
    PlatformNameFolder folder;
    const trawl::CommandLookup commands{rule.extensions, folder, rule.appPaths};
    return trawl::SearchDirectoryList(rule.directoryList, pattern, options, finder, clock, measure, writer,
                                      &commands);
}

void FinishResultList(CResultListCtrl& list, const trawl::SearchOutcome& outcome,
                      const std::string& noFilesText)
{
    int widest = outcome.widestText;
    // A stopped search has not shown that there are none.
    if (list.GetItemCount() == 0 && !outcome.stopped) {
        list.SetCell(0, 0, noFilesText);
        widest = std::max(widest, list.GetStringWidth(noFilesText));
    }
    list.SetColumnWidth(0, widest + ScaleForDpi(10, DpiOfWindow(list.GetSafeHwnd())));
}

// What the worker and the window share; the worker keeps it alive after the
// window has let go.
struct CSearchWorker::Job {
    std::mutex mutex;
    HWND notify = nullptr; // cleared when the search is no longer wanted
    WPARAM number = 0;
    bool posted = false; // a message waits: one is enough for every batch
    std::vector<trawl::RowBatch> ready;
    SearchProgress progress;
    std::atomic<bool> stopped{false};
};

namespace {

// The worker measures nothing: widths are the window's, measured as it lists.
class NoMeasure : public trawl::ITextMeasure {
public:
    int TextWidth(const std::string&) override { return 0; }
};

// Hands the rows over at each directory, and in batches within a large one,
// so rows appear while a directory is still being read.
class WorkerSink : public trawl::IResultSink {
public:
    explicit WorkerSink(CSearchWorker::Job& job) : job(job) {}
    void InsertRow(int32_t row, const std::string& path) override
    {
        HandOverFull();
        batch.InsertRow(row, path);
    }
    void InsertFoundRow(int32_t row, const std::string& path, const trawl::FoundEntry& entry) override
    {
        HandOverFull();
        batch.InsertFoundRow(row, path, entry);
    }
    void SetCell(int32_t row, int column, const std::string& text) override
    {
        batch.SetCell(row, column, text);
    }
    void MarkAppPathsRow(int32_t row, trawl::AppPathsHive hive) override { batch.MarkAppPathsRow(row, hive); }
    bool BeginDirectory(size_t index, size_t count, std::string_view directory) override
    {
        HandOver(false, [&](SearchProgress& progress) {
            progress.directoriesSearched = index;
            progress.directoryCount = count;
            progress.current = directory;
        });
        return !job.stopped;
    }
    void Finish(const trawl::SearchOutcome& outcome)
    {
        // Said at once, even while the window waits to list the last rows:
        // the last of them are listed without waiting.
        HandOver(true, [&](SearchProgress& progress) {
            progress.directoriesSearched = outcome.directoriesSearched;
            progress.directoryCount = outcome.directoryCount;
            progress.finished = true;
        });
    }

private:
    static constexpr size_t batchRows = 512;

    // Only between rows: a row and its cells go over together.
    void HandOverFull()
    {
        if (batch.Size() >= batchRows)
            HandOver(false, [](SearchProgress&) {});
    }
    template <typename Update>
    void HandOver(bool last, const Update& update)
    {
        std::lock_guard<std::mutex> lock(job.mutex);
        if (batch.Size() > 0)
            job.ready.push_back(std::move(batch));
        batch = trawl::RowBatch();
        update(job.progress);
        if (job.notify != nullptr && (!job.posted || last))
            job.posted = PostMessageA(job.notify, WM_SEARCH_ROWS, job.number, 0) != FALSE;
    }

    CSearchWorker::Job& job;
    trawl::RowBatch batch;
};

struct WorkerInput {
    std::shared_ptr<CSearchWorker::Job> job;
    std::unique_ptr<trawl::IFileFinder> finder;
    std::string pattern;
    trawl::DisplayOptions options;
    RunRule rule;
};

void RunWorker(const WorkerInput& input)
{
    Win32LocalTime clock;
    NoMeasure measure;
    PlatformNameFolder folder;
    const trawl::CommandLookup commands{input.rule.extensions, folder, input.rule.appPaths};
    WorkerSink sink(*input.job);
    sink.Finish(trawl::SearchDirectoryList(input.rule.directoryList, input.pattern, input.options,
                                           *input.finder, clock, measure, sink, &commands));
}

} // namespace

void CSearchWorker::Start(CResultListCtrl& target, HWND window, std::string directoryList,
                          std::string pattern, const trawl::DisplayOptions& options,
                          const FinderFactory& makeFinder, trawl::RunsFor runsFor)
{
    Stop();
    list = &target;
    notify = window;
    listedAt = GetTickCount64();
    list->DeleteAllItems();
    progress = SearchProgress();
    outcome = trawl::SearchOutcome();
    job = std::make_shared<Job>();
    job->notify = window;
    job->number = ++number;
    auto input = std::make_shared<WorkerInput>();
    input->job = job;
    input->finder = makeFinder ? makeFinder() : std::make_unique<Win32FileFinder>();
    input->rule = PrepareRunRule(target, directoryList, pattern, runsFor);
    input->pattern = std::move(pattern);
    input->options = options;
    try {
        std::thread([input] { RunWorker(*input); }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the search runs here, as it always did.
        RunWorker(*input);
    }
}

bool CSearchWorker::TakeRows(WPARAM message)
{
    if (job == nullptr || message != job->number)
        return false;
    std::vector<trawl::RowBatch> batches;
    {
        std::lock_guard<std::mutex> lock(job->mutex);
        const ULONGLONG since = GetTickCount64() - listedAt;
        if (!job->progress.finished && since < listingPause) {
            // The worker posts no more until these are taken: the timer takes them.
            SetTimer(notify, timerId, static_cast<UINT>(listingPause - since), nullptr);
            return false;
        }
        KillTimer(notify, timerId);
        listedAt = GetTickCount64();
        batches.swap(job->ready);
        progress = job->progress;
        job->posted = false;
    }
    if (!batches.empty()) {
        RedrawSuspended quiet(*list);
        ResultListWriter writer(*list);
        ListTextMeasure measure(*list);
        for (const trawl::RowBatch& batch : batches) {
            outcome.widestText = std::max(outcome.widestText, batch.ListInto(writer, measure));
            outcome.rowCount += static_cast<int32_t>(batch.Size());
        }
    }
    if (progress.finished)
        job.reset();
    return true;
}

void CSearchWorker::Stop()
{
    if (job == nullptr)
        return;
    {
        std::lock_guard<std::mutex> lock(job->mutex);
        job->notify = nullptr;
        job->stopped = true;
    }
    KillTimer(notify, timerId);
    outcome.stopped = true;
    job.reset();
}
