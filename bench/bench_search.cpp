// Times the search and the heading sorts of the result list on a generated
// folder tree, against a raw enumeration of the same files; then Clear, the
// deletion part of a new search, the exit and the working set of the program
// with large result lists, each against a bare list view holding the same
// texts, measured in the same run.
//
// Usage: bench_search.exe [--clean]
//   The fixture (20 directories x 1,638 files under %TEMP%\tb) is kept for the
//   next run, since creating it takes a while under Wine; --clean deletes it
//   at the end. --large-only runs only the large-list figures, --exit-only only the exit. The exit and
//   working-set figures come from child processes (--child=<role>; a switch,
//   so the program started in the child does not take it for a file name).

#include "app/MainFrame.h"
#include "app/TrawlApp.h"
#include "app/TrawlDoc.h"
#include "bench_shadow_marks.h"
#include "core/Columns.h"
#include "core/RowOrder.h"
#include "framework/Wnd.h"
#include "res/resource.h"
#include "ui/ResultSearch.h"
#include "ui/TrawlView.h"

#include <psapi.h>

#include <algorithm>
#include <array>
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
    RemoveDirectoryA((root + "empty").c_str());
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
    return met ? "met" : "NOT MET";
}

// ---- Large result lists: ours against a bare list view -------------------

constexpr int largeCopies = 4;                      // the fixture's rows four times
constexpr int largeRows = largeCopies * totalFiles; // 131,040
constexpr double listRatioTarget = 1.5;             // Clear, deletion, exit
constexpr double memoryRatioTarget = 1.25;          // working set
constexpr double exitSecondsTarget = 2.0;           // window closed to process gone
constexpr int deleteRuns = 3;                       // at 32,760 rows; one at 131,040
constexpr trawl::DisplayOptions allColumns{1, 1, 1};

using RowTexts = std::array<std::string, trawl::maxResultColumns>;

// One figure with its targets: ours against the bare list view's, measured in
// the same run. A new figure is one more entry in the list main() prints.
struct Figure {
    std::string name;
    double ours = 0;
    double bare = 0;          // 0: no bare figure
    double ratioLimit = 0;    // ours / bare at most this; 0: none
    double absoluteLimit = 0; // ours at most this; 0: none
    const char* unit = "s";

    bool Met() const
    {
        return (ratioLimit <= 0 || (bare > 0 && ours <= ratioLimit * bare)) &&
               (absoluteLimit <= 0 || ours <= absoluteLimit);
    }
};

void PrintFigures(const std::vector<Figure>& figures)
{
    std::printf("%-52s %10s %10s %7s  %s\n", "figure", "Trawl", "bare", "ratio", "target");
    for (const Figure& figure : figures) {
        char target[64] = "";
        if (figure.ratioLimit > 0)
            std::snprintf(target, sizeof target, "<= %.2fx bare", figure.ratioLimit);
        if (figure.absoluteLimit > 0) {
            char absolute[32];
            std::snprintf(absolute, sizeof absolute, "%s<= %.1f %s", target[0] != '\0' ? ", " : "",
                          figure.absoluteLimit, figure.unit);
            std::strncat(target, absolute, sizeof target - std::strlen(target) - 1);
        }
        char bare[32] = "-";
        char ratio[16] = "-";
        if (figure.bare > 0) {
            std::snprintf(bare, sizeof bare, "%.3f %s", figure.bare, figure.unit);
            std::snprintf(ratio, sizeof ratio, "%.2f", figure.ours / figure.bare);
        }
        char ours[32];
        std::snprintf(ours, sizeof ours, "%.3f %s", figure.ours, figure.unit);
        const bool hasTarget = figure.ratioLimit > 0 || figure.absoluteLimit > 0;
        std::printf("%-52s %10s %10s %7s  %s%s%s\n", figure.name.c_str(), ours, bare, ratio, target,
                    hasTarget ? ": " : "", hasTarget ? Verdict(figure.Met()) : "");
    }
}

// The cells a search writes, kept so both lists can be given the same texts.
class RowRecorder : public trawl::IResultSink, public trawl::ITextMeasure {
public:
    void InsertRow(int32_t, const std::string& path) override { rows.push_back(RowTexts{path}); }
    void SetCell(int32_t, int column, const std::string& text) override
    {
        rows.back()[static_cast<size_t>(column)] = text;
    }
    int TextWidth(const std::string&) override { return 0; }
    std::vector<RowTexts> rows;
};

std::vector<RowTexts> RecordRows(const std::string& directoryList)
{
    Win32FileFinder finder;
    Win32LocalTime clock;
    RowRecorder recorder;
    trawl::SearchDirectoryList(directoryList, "*", allColumns, finder, clock, recorder, recorder);
    return std::move(recorder.rows);
}

double WorkingSetMB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

bool quitWhenBareGoes = false;

LRESULT CALLBACK BareParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY && quitWhenBareGoes)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

// A list view and nothing else: a top-level window of its own class with the
// default window procedure, the list in it with the result list's style.
class BareList {
public:
    BareList()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &BareParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "TrawlBenchBareParent";
        RegisterClassA(&wc);
        parent = CreateWindowExA(0, wc.lpszClassName, "Bare list view", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120,
                                 120, 760, 480, nullptr, nullptr, wc.hInstance, nullptr);
        RECT client{};
        GetClientRect(parent, &client);
        list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                               WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL, 0, 0,
                               client.right, client.bottom, parent, nullptr, wc.hInstance, nullptr);
        for (const trawl::ResultColumn& resultColumn : trawl::BuildColumnSet(allColumns)) {
            std::string heading = resultColumn.heading;
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
            column.cx = 120;
            column.pszText = heading.data();
            column.iSubItem = columns;
            SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(columns++),
                         reinterpret_cast<LPARAM>(&column));
        }
        PumpMessages();
    }
    ~BareList()
    {
        if (IsWindow(parent))
            DestroyWindow(parent);
        PumpMessages();
    }
    BareList(const BareList&) = delete;
    BareList& operator=(const BareList&) = delete;

    // One row, written as any program writes a report list.
    void AddRow(int row, const RowTexts& texts)
    {
        std::string cell = texts[0];
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = cell.data();
        item.lParam = row;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int column = 1; column < columns; ++column) {
            cell = texts[static_cast<size_t>(column)];
            item.mask = LVIF_TEXT;
            item.iSubItem = column;
            item.pszText = cell.data();
            SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    void Fill(const std::vector<RowTexts>& rows, int copies)
    {
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        int row = 0;
        for (int copy = 0; copy < copies; ++copy)
            for (const RowTexts& texts : rows)
                AddRow(row++, texts);
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
        PumpMessages();
    }
    double TimedDeleteAll()
    {
        const double start = Now();
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        PumpMessages();
        return Now() - start;
    }

    HWND parent = nullptr;
    HWND list = nullptr;
    int columns = 0;
};

// The program itself in this process, started as its entry code starts it.
class TrawlInProcess {
public:
    static CTrawlApp& App()
    {
        static CTrawlApp app;
        static const bool named = (app.InitApplication(), true);
        (void)named;
        return app;
    }
    bool Start()
    {
        CTrawlApp& app = App();
        if (!app.InitInstance())
            return false;
        frame = dynamic_cast<CMainFrame*>(app.mainWnd);
        view = frame != nullptr ? dynamic_cast<CTrawlView*>(frame->GetActiveView()) : nullptr;
        if (view == nullptr)
            return false;
        // Every column, whatever the settings say.
        view->GetDocument()->options = allColumns;
        view->SetupColumns();
        Pump();
        return true;
    }
    void Pump() { App().PumpPendingMessages(); }
    // The rows written through the result list as a search writes them.
    void Fill(const std::vector<RowTexts>& rows, int copies)
    {
        CResultListCtrl& list = view->resultList;
        list.SetRedraw(false);
        int row = 0;
        for (int copy = 0; copy < copies; ++copy) {
            for (const RowTexts& texts : rows) {
                for (int column = 0; column < trawl::maxResultColumns; ++column)
                    list.SetCell(row, column, texts[static_cast<size_t>(column)]);
                ++row;
            }
        }
        list.SetRedraw(true);
        InvalidateRect(list.GetSafeHwnd(), nullptr, TRUE);
        Pump();
    }
    // Ctrl+C as the accelerator delivers it.
    double TimedClear()
    {
        const double start = Now();
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_CLEAR, 1));
        Pump();
        return Now() - start;
    }
    // A search of the given list for "*", as Search with My Path runs it.
    double TimedSearch(const std::string& directoryList)
    {
        view->useEnvironment = 0;
        view->myPath = directoryList;
        view->fileName = "*";
        view->UpdateData(false);
        const double start = Now();
        view->OnSearch();
        Pump();
        return Now() - start;
    }

    CMainFrame* frame = nullptr;
    CTrawlView* view = nullptr;
};

// A child process of this program in a role; its standard output is read
// line by line.
class Child {
public:
    explicit Child(const std::string& role)
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE write = nullptr;
        if (!CreatePipe(&read, &write, &inherit, 0))
            return;
        SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, sizeof self);
        std::string command = "\"" + std::string(self) + "\" --child=" + role;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = write;
        startup.hStdError = write;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        PROCESS_INFORMATION info{};
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                           &info)) {
            process = info.hProcess;
            CloseHandle(info.hThread);
        }
        CloseHandle(write);
    }
    ~Child()
    {
        if (process != nullptr) {
            if (WaitForSingleObject(process, 60000) != WAIT_OBJECT_0)
                TerminateProcess(process, 1);
            CloseHandle(process);
        }
        if (read != nullptr)
            CloseHandle(read);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // The next line the child printed; empty at its end.
    std::string ReadLine()
    {
        std::string line;
        char c = 0;
        DWORD got = 0;
        while (read != nullptr && ReadFile(read, &c, 1, &got, nullptr) && got == 1) {
            if (c == '\n')
                return line;
            if (c != '\r')
                line += c;
        }
        return line;
    }
    // The line that starts with the word, skipping others; empty when none came.
    std::string Expect(const std::string& word)
    {
        for (std::string line = ReadLine(); !line.empty(); line = ReadLine())
            if (line.compare(0, word.size() + 1, word + " ") == 0)
                return line.substr(word.size() + 1);
        return {};
    }
    bool Running() const { return process != nullptr && WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }
    DWORD ExitCode() const
    {
        DWORD code = 1;
        return process != nullptr && GetExitCodeProcess(process, &code) ? code : 1;
    }
    // Seconds from now until the process is gone.
    double SecondsUntilGone()
    {
        const double start = Now();
        if (WaitForSingleObject(process, 120000) != WAIT_OBJECT_0)
            return 999;
        return Now() - start;
    }

private:
    HANDLE read = nullptr;
    HANDLE process = nullptr;
};

// Sends the close to a child's window and times its process to the end.
double TimedExit(const std::string& role, UINT message, WPARAM wParam)
{
    Child child(role);
    const std::string ready = child.Expect("ready");
    if (ready.empty()) {
        std::printf("child %s did not come up\n", role.c_str());
        return 999;
    }
    auto window = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(ready.c_str(), nullptr, 16)));
    if (!child.Running() || !IsWindowVisible(window)) {
        std::printf("child %s is gone before its window was closed\n", role.c_str());
        return 999;
    }
    PostMessageA(window, message, wParam, 0);
    const double seconds = child.SecondsUntilGone();
    if (child.ExitCode() != 0) {
        std::printf("child %s ended with %lu\n", role.c_str(), child.ExitCode());
        return 999;
    }
    return seconds;
}

struct MemoryFigures {
    double before = 0;
    double after = 0;
};

MemoryFigures ChildMemory(const std::string& role)
{
    Child child(role);
    const std::string line = child.Expect("memory");
    MemoryFigures figures;
    int rows = 0;
    if (std::sscanf(line.c_str(), "%lf %lf %d", &figures.before, &figures.after, &rows) != 3)
        std::printf("child %s gave no working set\n", role.c_str());
    else if (rows != totalFiles)
        std::printf("child %s listed %d rows, not %d\n", role.c_str(), rows, totalFiles);
    return figures;
}

// What the child roles share: the fixture's directory list.
std::string FixtureList()
{
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    std::vector<std::string> directories;
    for (int d = 0; d < directoryCount; ++d)
        directories.push_back(DirectoryPath(std::string(temp) + "tb\\", d));
    return Join(directories, directoryCount);
}

void ReportReady(HWND window)
{
    std::printf("ready %llx\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
}

int RunChild(const std::string& role)
{
    const std::string fullList = FixtureList();
    if (role == "memory-ours") {
        TrawlInProcess trawl;
        if (!trawl.Start())
            return 1;
        const double before = WorkingSetMB();
        trawl.TimedSearch(fullList);
        std::printf("memory %.1f %.1f %d\n", before, WorkingSetMB(), trawl.view->resultList.GetItemCount());
        ExitProcess(0);
    }
    if (role == "memory-bare") {
        BareList bare;
        const double before = WorkingSetMB();
        // Straight into the list, nothing kept on the side.
        class Writer : public trawl::IResultSink, public trawl::ITextMeasure {
        public:
            explicit Writer(BareList& bare) : bare(bare) {}
            void InsertRow(int32_t row, const std::string& path) override
            {
                texts = RowTexts{path}, last = row;
            }
            void SetCell(int32_t, int column, const std::string& text) override
            {
                texts[static_cast<size_t>(column)] = text;
                if (column == trawl::maxResultColumns - 1)
                    bare.AddRow(last, texts);
            }
            int TextWidth(const std::string&) override { return 0; }
            BareList& bare;
            RowTexts texts;
            int last = 0;
        } writer(bare);
        Win32FileFinder finder;
        Win32LocalTime clock;
        SendMessageA(bare.list, WM_SETREDRAW, FALSE, 0);
        trawl::SearchDirectoryList(fullList, "*", allColumns, finder, clock, writer, writer);
        SendMessageA(bare.list, WM_SETREDRAW, TRUE, 0);
        PumpMessages();
        std::printf("memory %.1f %.1f %d\n", before, WorkingSetMB(),
                    static_cast<int>(SendMessageA(bare.list, LVM_GETITEMCOUNT, 0, 0)));
        ExitProcess(0);
    }
    if (role == "exit-ours" || role == "exit-ours-teardown") {
        TrawlInProcess trawl;
        TrawlInProcess::App().endProcessOnClose = role == "exit-ours";
        if (!trawl.Start())
            return 1;
        trawl.Fill(RecordRows(fullList), largeCopies);
        ReportReady(trawl.frame->GetSafeHwnd());
        return TrawlInProcess::App().Run();
    }
    if (role == "exit-bare") {
        quitWhenBareGoes = true;
        BareList bare;
        bare.Fill(RecordRows(fullList), largeCopies);
        ReportReady(bare.parent);
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

struct DeleteFigures {
    double oursClear = 0;
    double oursSearchDeletion = 0;
    double bareDelete = 0;
};

// Clear and a new search with `copies` times the fixture's rows shown, and
// the bare list view's delete-all of the same rows; medians of `runs`.
DeleteFigures TimedDeletions(TrawlInProcess& trawl, const std::vector<RowTexts>& rows, int copies,
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
        BareList list;
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
    const std::vector<RowTexts> rows = RecordRows(fullList);
    const std::string emptyDirectory = root + "empty";
    CreateDirectoryA(emptyDirectory.c_str(), nullptr);

    TrawlInProcess trawl;
    if (!trawl.Start()) {
        std::printf("cannot start Trawl in this process\n");
        return figures;
    }
    const DeleteFigures small = TimedDeletions(trawl, rows, 1, emptyDirectory);
    const DeleteFigures large = TimedDeletions(trawl, rows, largeCopies, emptyDirectory);
    TrawlInProcess::App().mainWnd->DestroyWindow();
    trawl.Pump();

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
    figures.push_back({"working set, " + smallLabel + " x 4 columns", oursMemory.after, bareMemory.after,
                       memoryRatioTarget, 0, "MB"});
    figures.push_back(
        {"  before the search (bare: before its rows)", oursMemory.before, bareMemory.before, 0, 0, "MB"});
    return figures;
}

int RunLargeListFigures(const std::string& root, const std::string& fullList, bool exitOnly = false)
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

} // namespace

int main(int argc, char** argv)
{
    bool clean = false;
    bool largeOnly = false;
    bool exitOnly = false;
    if (argc == 2 && std::strncmp(argv[1], "--child=", 8) == 0) {
        std::setvbuf(stdout, nullptr, _IONBF, 0);
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        return RunChild(argv[1] + 8);
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--clean") == 0) {
            clean = true;
        } else if (std::strcmp(argv[i], "--large-only") == 0) {
            largeOnly = true;
        } else if (std::strcmp(argv[i], "--exit-only") == 0) {
            exitOnly = true;
        } else {
            std::printf("usage: bench_search [--clean] [--large-only | --exit-only]\n");
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
    if (largeOnly || exitOnly)
        return RunLargeListFigures(root, fullList, exitOnly);

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
    PumpMessages();

    RunLargeListFigures(root, fullList);

    if (clean) {
        DeleteFixture(root);
        std::printf("fixture deleted\n");
    }
    return 0;
}
