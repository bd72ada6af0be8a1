// Times the search and the heading sorts of the result list on a generated
// folder tree, against a raw enumeration of the same files.
//
// Usage: bench_search.exe [--clean]
//   The fixture (20 directories x 1,638 files under %TEMP%\tb) is kept for the
//   next run, since creating it takes a while under Wine; --clean deletes it
//   at the end.

#include "bench_shadow_marks.h"
#include "core/Columns.h"
#include "core/RowOrder.h"
#include "framework/Wnd.h"
#include "res/resource.h"
#include "ui/ResultSearch.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int directoryCount = 20;
constexpr int filesPerDirectory = 1638;
constexpr int totalFiles = directoryCount * filesPerDirectory; // 32,760
constexpr int halfDirectories = directoryCount / 2;
constexpr int halfFiles = halfDirectories * filesPerDirectory; // 16,380
constexpr double fillRatioTarget = 5.0;
constexpr double sortSecondsTarget = 0.3;
// Runs per figure; the median is printed, so one slow run (a cold heap, the
// Wine server busy) does not decide a verdict.
constexpr int rawRuns = 5;
constexpr int listRuns = 3;
// Changing how files are generated must change this, so old fixtures are rebuilt.
constexpr char fixtureTag[] = "trawl-bench fixture v1 20x1638";

double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

// A bijection on 32 bits: distinct inputs give distinct file names.
uint32_t Mix(uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

struct FixtureFile {
    std::string name;
    uint64_t size;
    FILETIME lastWrite;
};

FixtureFile DescribeFile(int directory, int index)
{
    const auto key = static_cast<uint32_t>(directory * filesPerDirectory + index);
    const uint32_t h = Mix(key);
    const uint32_t h2 = Mix(key ^ 0x9e3779b9U);
    const uint32_t h3 = Mix(key ^ 0x85ebca6bU);

    FixtureFile file;
    char name[32];
    std::snprintf(name, sizeof name, "%08x.dat", static_cast<unsigned>(h));
    file.name = name;
    // Sizes spread over 64 B .. 1 MB with a skew towards small files, so the
    // KB cells have both many distinct values and many ties. Sparse: cheap.
    const uint32_t bits = 6 + h2 % 15;
    file.size = (h2 >> 4) % (uint32_t{1} << bits);
    // 4,000 distinct minutes over about three years from 2021-01-01: about
    // eight files share each date cell.
    constexpr uint64_t start = 132539328000000000ULL; // 2021-01-01 00:00 UTC
    constexpr uint64_t minute = 600000000ULL;
    const uint64_t time = start + static_cast<uint64_t>(h3 % 4000) * 394 * minute;
    file.lastWrite = FILETIME{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    return file;
}

std::string DirectoryPath(const std::string& root, int directory)
{
    return root + static_cast<char>('a' + directory);
}

std::string MarkerPath(const std::string& root)
{
    return root + "complete";
}

bool FixtureComplete(const std::string& root)
{
    HANDLE marker = CreateFileA(MarkerPath(root).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker == INVALID_HANDLE_VALUE)
        return false;
    char text[64] = {};
    DWORD read = 0;
    ReadFile(marker, text, sizeof text - 1, &read, nullptr);
    CloseHandle(marker);
    return std::strcmp(text, fixtureTag) == 0;
}

bool CreateFixture(const std::string& root)
{
    DeleteFileA(MarkerPath(root).c_str());
    CreateDirectoryA(root.c_str(), nullptr);
    for (int d = 0; d < directoryCount; ++d) {
        const std::string directory = DirectoryPath(root, d);
        if (!CreateDirectoryA(directory.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            std::printf("cannot create %s (error %lu)\n", directory.c_str(), GetLastError());
            return false;
        }
        for (int i = 0; i < filesPerDirectory; ++i) {
            const FixtureFile file = DescribeFile(d, i);
            const std::string path = directory + "\\" + file.name;
            HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE) {
                std::printf("cannot create %s (error %lu)\n", path.c_str(), GetLastError());
                return false;
            }
            LARGE_INTEGER end{};
            end.QuadPart = static_cast<LONGLONG>(file.size);
            bool ok = SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle) &&
                      SetFileTime(handle, nullptr, nullptr, &file.lastWrite);
            CloseHandle(handle);
            if (!ok) {
                std::printf("cannot size or date %s (error %lu)\n", path.c_str(), GetLastError());
                return false;
            }
        }
    }
    HANDLE marker = CreateFileA(MarkerPath(root).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(marker, fixtureTag, static_cast<DWORD>(std::strlen(fixtureTag)), &written, nullptr);
    CloseHandle(marker);
    return true;
}

void DeleteFixture(const std::string& root)
{
    DeleteFileA(MarkerPath(root).c_str());
    for (int d = 0; d < directoryCount; ++d) {
        const std::string directory = DirectoryPath(root, d);
        for (int i = 0; i < filesPerDirectory; ++i)
            DeleteFileA((directory + "\\" + DescribeFile(d, i).name).c_str());
        RemoveDirectoryA(directory.c_str());
    }
    RemoveDirectoryA(root.c_str());
}

// Files (not directories) in the directories, the way a plain "*" walk sees them.
int RawEnumeration(const std::vector<std::string>& directories)
{
    int files = 0;
    for (const std::string& directory : directories) {
        WIN32_FIND_DATAA data{};
        HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do {
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                ++files;
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    return files;
}

// Lets the list and the frame handle everything queued, painting included,
// so that drawing counts in the figure it follows.
void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

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
    }
    return "?";
}

std::string Join(const std::vector<std::string>& directories, size_t count)
{
    std::string list;
    for (size_t i = 0; i < count && i < directories.size(); ++i) {
        if (i != 0)
            list += ';';
        list += directories[i];
    }
    return list;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string RunList(const std::vector<double>& values)
{
    std::string text;
    for (double value : values) {
        char figure[32];
        std::snprintf(figure, sizeof figure, "%s%.3f", text.empty() ? "" : " ", value);
        text += figure;
    }
    return text;
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

const char* Verdict(bool met)
{
    return met ? "met" : "MISSED";
}

} // namespace

int main(int argc, char** argv)
{
    bool clean = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--clean") == 0) {
            clean = true;
        } else {
            std::printf("usage: bench_search [--clean]\n");
            return 2;
        }
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    char temp[MAX_PATH + 1] = {};
    if (GetTempPathA(sizeof temp, temp) == 0) {
        std::printf("no temporary folder\n");
        return 1;
    }
    const std::string root = std::string(temp) + "tb\\";
    std::vector<std::string> directories;
    for (int d = 0; d < directoryCount; ++d)
        directories.push_back(DirectoryPath(root, d));
    const std::string fullList = Join(directories, directoryCount);
    const std::string halfList = Join(directories, halfDirectories);

    std::printf("Trawl search benchmark\n");
    if (FixtureComplete(root)) {
        std::printf("fixture: %s (%d directories x %d files, reused)\n", root.c_str(), directoryCount,
                    filesPerDirectory);
    } else {
        const double start = Now();
        if (!CreateFixture(root)) {
            std::printf("fixture creation failed\n");
            return 1;
        }
        std::printf("fixture: %s (%d directories x %d files, created in %.1f s)\n", root.c_str(),
                    directoryCount, filesPerDirectory, Now() - start);
    }
    std::printf("directory list: %zu characters\n", fullList.size());

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

    CWnd frame;
    const RECT frameRect{100, 100, 860, 580};
    if (!frame.CreateEx(0, nullptr, "Trawl benchmark", WS_OVERLAPPEDWINDOW, frameRect, nullptr, 0)) {
        std::printf("cannot create the frame window\n");
        return 1;
    }
    CResultListCtrl list;
    if (!list.CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL,
                       frame.GetClientRect(), frame.GetSafeHwnd(), IDC_RESULTS)) {
        std::printf("cannot create the result list\n");
        return 1;
    }
    const trawl::DisplayOptions options{1, 1, 1};
    SetupResultColumns(list, options);
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
        "%s), %d rows%s\n",
        columns, full.seconds, listRuns, RunList(fullFills).c_str(), full.rows,
        full.rows == totalFiles ? "" : " (WRONG COUNT)");
    const double ratio = full.seconds / raw;
    std::printf("fill / raw: %.1f (target <= %.0f): %s\n", ratio, fillRatioTarget,
                Verdict(ratio <= fillRatioTarget));
    const std::vector<double> fullSorts = TimedSorts(list, columns);

    std::vector<double> halfFills;
    const FillResult half = MedianFill(list, halfList, options, halfFills);
    std::printf("fill at %d rows: %.3f s (median of %d: %s), %d rows%s; growth %.2f\n", halfFiles,
                half.seconds, listRuns, RunList(halfFills).c_str(), half.rows,
                half.rows == halfFiles ? "" : " (WRONG COUNT)", full.seconds / half.seconds);
    const std::vector<double> halfSorts = TimedSorts(list, columns);

    bool sortsMet = true;
    for (int column = 0; column < columns; ++column) {
        const bool met = fullSorts[column] <= sortSecondsTarget;
        sortsMet = sortsMet && met;
        std::printf("sort %d rows by %-11s (%-9s): %.3f s (median of %d; target <= %.1f s): %s\n", full.rows,
                    list.GetColumnHeading(column).c_str(), KindName(trawl::columnKinds[column]),
                    fullSorts[column], listRuns, sortSecondsTarget, Verdict(met));
    }
    for (int column = 0; column < columns; ++column)
        std::printf("sort %d rows by %-11s (%-9s): %.3f s\n", half.rows,
                    list.GetColumnHeading(column).c_str(), KindName(trawl::columnKinds[column]),
                    halfSorts[column]);
    for (int column = 0; column < columns; ++column) {
        std::printf("sort growth %d/%d rows, %-9s: %.2f (n log n about 2.1, quadratic 4)\n", full.rows,
                    half.rows, KindName(trawl::columnKinds[column]),
                    halfSorts[column] > 0 ? fullSorts[column] / halfSorts[column] : 0.0);
    }
    std::printf("targets: fill <= %.0fx raw %s; sorts <= %.1f s at %d rows %s\n", fillRatioTarget,
                Verdict(ratio <= fillRatioTarget), sortSecondsTarget, totalFiles, Verdict(sortsMet));

    PrintShadowMarksFigure(frame.GetSafeHwnd(), fullList, options);

    trawl::sortTargetList = nullptr;
    list.DestroyWindow();
    frame.DestroyWindow();
    if (clean) {
        DeleteFixture(root);
        std::printf("fixture deleted\n");
    }
    return 0;
}
