#include "CommandSearchFigures.h"

#include "Figures.h"
#include "Fixtures.h"
#include "ResultListHost.h"
#include "Timing.h"

#include "core/CommandRuns.h"
#include "framework/CodePage.h"
#include "framework/Wnd.h"
#include "res/resource.h"
#include "ui/ResultSearch.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int commandDirectories = 2520;
constexpr int enumerationDirectories = 400;
constexpr int runs = 9;
constexpr double ratioTarget = 1.10;
// Twelve extensions: the interpreter's default eleven and one more.
constexpr char twelveExtensions[] = ".COM;.EXE;.BAT;.CMD;.VBS;.VBE;.JS;.JSE;.WSF;.WSH;.MSC;.PY";
// No extension at all: the marks compare names only, as before commands had
// marks, and "*" lists as it always did.
constexpr char noExtensions[] = ";";
constexpr char fixtureTag[] = "trawl-bench commands v1 2520x13";

std::string CommandRoot()
{
    char temp[MAX_PATH + 1] = {};
    if (GetTempPathA(sizeof temp, temp) == 0)
        return {};
    return std::string(temp) + "tc\\";
}

std::vector<std::string> CommandDirectories(const std::string& root)
{
    std::vector<std::string> directories;
    char name[16];
    for (int d = 0; d < commandDirectories; ++d) {
        std::snprintf(name, sizeof name, "%04d", d);
        directories.push_back(root + name);
    }
    return directories;
}

// "tool" first, then "tool" with each extension.
std::vector<std::string> ToolNames()
{
    std::vector<std::string> names{"tool"};
    for (const std::string& extension : trawl::ParsePathExt(twelveExtensions))
        names.push_back("tool" + extension);
    return names;
}

bool WriteTextFile(const std::string& path, const char* text)
{
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    CloseHandle(file);
    return true;
}

bool EnsureFixture(const std::string& root, const std::vector<std::string>& directories)
{
    const std::string marker = root + "complete";
    char text[64] = {};
    HANDLE file = CreateFileA(marker.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD read = 0;
        ReadFile(file, text, sizeof text - 1, &read, nullptr);
        CloseHandle(file);
        if (std::strcmp(text, fixtureTag) == 0)
            return true;
    }
    const double start = Now();
    CreateDirectoryA(root.c_str(), nullptr);
    for (const std::string& directory : directories) {
        CreateDirectoryA(directory.c_str(), nullptr);
        for (const std::string& name : ToolNames())
            if (!WriteTextFile(directory + "\\" + name, "")) {
                std::printf("cannot create %s\\%s (error %lu)\n", directory.c_str(), name.c_str(),
                            GetLastError());
                return false;
            }
    }
    std::printf("command fixture: %s (%d directories x %zu files, created in %.1f s)\n", root.c_str(),
                commandDirectories, ToolNames().size(), Now() - start);
    return WriteTextFile(marker, fixtureTag);
}

struct CommandSearchRun {
    double seconds = 0;
    double thread = 0; // processor time of the same
    int rows = 0;
};

// The search as the view runs it, then the marks computed and the list drawn.
CommandSearchRun TimedSearch(CResultListCtrl& list, const std::string& directoryList, const char* pattern,
                             const char* pathExt)
{
    SetEnvironmentVariableA("PATHEXT", pathExt);
    list.DeleteAllItems();
    PumpMessages();
    const double start = Now();
    const double threadStart = ThreadSeconds();
    FinishResultList(list, ListMatchingFiles(list, directoryList, pattern, allColumns), "No files");
    list.UpdateShadowMarks();
    PumpMessages();
    CommandSearchRun run;
    run.seconds = Now() - start;
    run.thread = ThreadSeconds() - threadStart;
    run.rows = list.GetItemCount();
    return run;
}

// Files found by one enumeration of "tool.*" per directory.
int EnumerateOnce(const std::vector<std::string>& directories)
{
    int found = 0;
    for (int d = 0; d < enumerationDirectories; ++d) {
        WIN32_FIND_DATAW data{};
        const std::optional<std::wstring> path = WideFromCodePage(directories[d] + "\\tool.*");
        HANDLE find = path ? FindFirstFileW(path->c_str(), &data) : INVALID_HANDLE_VALUE;
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do
            ++found;
        while (FindNextFileW(find, &data));
        FindClose(find);
    }
    return found;
}

// Files found by looking each name up on its own, as trying the names one by one would.
int LookUpEach(const std::vector<std::string>& directories)
{
    const std::vector<std::string> names = ToolNames();
    int found = 0;
    for (int d = 0; d < enumerationDirectories; ++d) {
        for (const std::string& name : names) {
            WIN32_FIND_DATAW data{};
            const std::optional<std::wstring> path = WideFromCodePage(directories[d] + "\\" + name);
            HANDLE find = path ? FindFirstFileW(path->c_str(), &data) : INVALID_HANDLE_VALUE;
            if (find == INVALID_HANDLE_VALUE)
                continue;
            ++found;
            FindClose(find);
        }
    }
    return found;
}

template <typename Walk>
double MedianWalk(const Walk& walk, const std::vector<std::string>& directories, int& found)
{
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        const double start = Now();
        found = walk(directories);
        seconds.push_back(Now() - start);
    }
    return Median(seconds);
}

constexpr int shimDirectories = 400;

// %TEMP%\ts\shim\NNNN and %TEMP%\ts\plain\NNNN each hold tool.exe, a link
// to one program; beside each shim side's is a tool.shim naming that same
// program, beside each plain side's a tool.txt of the same size. Both sides
// enumerate as many files, list the same rows and read one program per row.
std::vector<std::string> ShimSide(const std::string& root, const char* side)
{
    std::vector<std::string> directories;
    char name[16];
    for (int d = 0; d < shimDirectories; ++d) {
        std::snprintf(name, sizeof name, "%04d", d);
        directories.push_back(root + side + "\\" + name);
    }
    return directories;
}

bool EnsureShimFixture(const std::string& root)
{
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string target = root + "target.exe";
    const std::string shim = "path = \"" + target + "\"\r\n";
    CreateDirectoryA(root.c_str(), nullptr);
    if (!CopyFileA((std::string(system) + "\\notepad.exe").c_str(), target.c_str(), FALSE))
        return false;
    for (const char* side : {"shim", "plain"}) {
        CreateDirectoryA((root + side).c_str(), nullptr);
        for (const std::string& directory : ShimSide(root, side)) {
            CreateDirectoryA(directory.c_str(), nullptr);
            const bool shimmed = std::strcmp(side, "shim") == 0;
            const std::string tool = directory + "\\tool.exe";
            if ((!CreateHardLinkA(tool.c_str(), target.c_str(), nullptr) &&
                 !CopyFileA(target.c_str(), tool.c_str(), FALSE)) ||
                !WriteTextFile(directory + (shimmed ? "\\tool.shim" : "\\tool.txt"), shim.c_str()))
                return false;
        }
    }
    return true;
}

void DeleteShimFixture(const std::string& root)
{
    for (const char* side : {"shim", "plain"}) {
        for (const std::string& directory : ShimSide(root, side)) {
            for (const char* name : {"\\tool.exe", "\\tool.shim", "\\tool.txt"})
                DeleteFileA((directory + name).c_str());
            RemoveDirectoryA(directory.c_str());
        }
        RemoveDirectoryA((root + side).c_str());
    }
    DeleteFileA((root + "target.exe").c_str());
    RemoveDirectoryA(root.c_str());
}

// The command search, then every row's tip and Version cell asked for, as
// hovering and drawing ask for them: where a shim costs anything.
CommandSearchRun TimedShimSearch(CResultListCtrl& list, const std::string& directoryList, bool askEveryRow)
{
    SetEnvironmentVariableA("PATHEXT", ".EXE");
    list.DeleteAllItems();
    PumpMessages();
    const double start = Now();
    const double threadStart = ThreadSeconds();
    FinishResultList(list, ListMatchingFiles(list, directoryList, "tool", {0, 0, 0, 1}), "No files");
    list.UpdateShadowMarks();
    size_t told = askEveryRow ? 0 : 1;
    for (int row = 0; askEveryRow && row < list.GetItemCount(); ++row)
        told += list.GetShadowTip(row).size() + list.GetItemText(row, 1).size();
    PumpMessages();
    CommandSearchRun run;
    run.seconds = Now() - start;
    run.thread = ThreadSeconds() - threadStart;
    run.rows = told > 0 ? list.GetItemCount() : 0;
    return run;
}

int RunShimFigure(ResultListHost& host)
{
    char temp[MAX_PATH + 1] = {};
    if (GetTempPathA(sizeof temp, temp) == 0)
        return 1;
    const std::string root = std::string(temp) + "ts\\";
    if (!EnsureShimFixture(root)) {
        std::printf("shim fixture: cannot create it\n");
        DeleteShimFixture(root);
        return 1;
    }
    std::string shimList, plainList;
    for (const std::string& directory : ShimSide(root, "shim"))
        shimList += directory + ";";
    for (const std::string& directory : ShimSide(root, "plain"))
        plainList += directory + ";";
    CResultListCtrl& list = host.list;
    list.SetupResultColumns({0, 0, 0, 1});
    bool failed = false;
    for (const bool askEveryRow : {false, true}) {
        std::vector<double> shims, plain, ratios;
        CommandSearchRun shimRun, plainRun;
        for (int run = 0; run < runs; ++run) {
            if (run % 2 == 0)
                plainRun = TimedShimSearch(list, plainList, askEveryRow);
            shimRun = TimedShimSearch(list, shimList, askEveryRow);
            if (run % 2 != 0)
                plainRun = TimedShimSearch(list, plainList, askEveryRow);
            shims.push_back(shimRun.seconds);
            plain.push_back(plainRun.seconds);
            ratios.push_back(shimRun.seconds / plainRun.seconds);
        }
        const std::string invalid = LikeWork()
                                        .Rows("the search with shims", shimRun.rows, shimDirectories)
                                        .Rows("the search without", plainRun.rows, shimDirectories)
                                        .Baseline("the search without", Median(plain))
                                        .Reason();
        std::printf("command search \"tool\" of %d directories%s: %.3f s with a shim beside each tool.exe, "
                    "%.3f s without (medians of %d); with / without, median of the rounds' ratios: %s\n",
                    shimDirectories, askEveryRow ? ", then every row's tip and Version cell asked for" : "",
                    Median(shims), Median(plain), runs,
                    RatioVerdict(Median(ratios), 1, askEveryRow ? 0 : ratioTarget, invalid).c_str());
        failed = failed || !invalid.empty();
    }
    SetEnvironmentVariableA("PATHEXT", nullptr);
    list.SetupResultColumns(allColumns);
    DeleteShimFixture(root);
    return failed ? 1 : 0;
}

} // namespace

int RunCommandSearchFigures()
{
    const std::string root = CommandRoot();
    const std::vector<std::string> directories = CommandDirectories(root);
    if (root.empty() || !EnsureFixture(root, directories)) {
        std::printf("command fixture: cannot create it\n");
        return 1;
    }
    std::string directoryList;
    for (const std::string& directory : directories)
        directoryList += directory + ";";

    ResultListHost host;
    if (!host.Create())
        return 1;
    CWnd& frame = host.frame;
    CResultListCtrl& list = host.list;
    list.SetupResultColumns(allColumns);
    list.EnableShadowMarks();
    frame.ShowWindow(SW_SHOW);
    PumpMessages();

    std::vector<double> wildcard;
    std::vector<double> command;
    std::vector<double> wildcardThread;
    std::vector<double> commandThread;
    // Each round's two searches ran side by side: their ratio drifts less
    // than the medians do when other work comes and goes.
    std::vector<double> roundRatios;
    CommandSearchRun wildcardRun;
    CommandSearchRun commandRun;
    for (int run = 0; run < runs; ++run) {
        // Turn about, so a machine that slows down or speeds up favours neither.
        if (run % 2 == 0)
            wildcardRun = TimedSearch(list, directoryList, "*", noExtensions);
        commandRun = TimedSearch(list, directoryList, "tool", twelveExtensions);
        if (run % 2 != 0)
            wildcardRun = TimedSearch(list, directoryList, "*", noExtensions);
        wildcard.push_back(wildcardRun.seconds);
        command.push_back(commandRun.seconds);
        wildcardThread.push_back(wildcardRun.thread);
        commandThread.push_back(commandRun.thread);
        roundRatios.push_back(commandRun.seconds / wildcardRun.seconds);
    }
    SetEnvironmentVariableA("PATHEXT", nullptr);
    const std::string invalid = LikeWork()
                                    .Rows("the command search", commandRun.rows, totalFiles)
                                    .Rows("the wildcard search", wildcardRun.rows, totalFiles)
                                    .Baseline("the wildcard search", Median(wildcard))
                                    .Reason();
    std::printf(
        "command search \"tool\", 12 extensions in PATHEXT, %d directories, with its marks: %.3f s (median "
        "of %d: %s), %d rows\n",
        commandDirectories, Median(command), runs, RunList(command).c_str(), commandRun.rows);
    std::printf("wildcard search \"*\" of the same directories, name marks only: %.3f s (median of %d: %s), "
                "%d rows\n",
                Median(wildcard), runs, RunList(wildcard).c_str(), wildcardRun.rows);
    // The rounds' ratios have no baseline of their own: their median stands as one ratio.
    std::printf("command / wildcard, median of the rounds' ratios: %s; ratio of the medians %s\n",
                RatioVerdict(Median(roundRatios), 1, ratioTarget, invalid).c_str(),
                RatioVerdict(Median(command), Median(wildcard), 0, invalid).c_str());
    std::printf("  processor time of the same: %.3f s command, %.3f s wildcard; ratio %s\n",
                Median(commandThread), Median(wildcardThread),
                RatioVerdict(Median(commandThread), Median(wildcardThread), 0,
                             LikeWork()
                                 .Note(invalid)
                                 .Baseline("processor time of the wildcard search", Median(wildcardThread))
                                 .Reason())
                    .c_str());

    int once = 0;
    int each = 0;
    const double onceSeconds = MedianWalk(EnumerateOnce, directories, once);
    const double eachSeconds = MedianWalk(LookUpEach, directories, each);
    const int names = enumerationDirectories * static_cast<int>(ToolNames().size());
    const std::string walkInvalid = LikeWork()
                                        .Rows("the enumerations", once, names)
                                        .Rows("the lookups", each, names)
                                        .Baseline("the enumerations", onceSeconds)
                                        .Reason();
    std::printf("%d directories, 13 names each: one \"tool.*\" enumeration per directory %.3f s (%d files), "
                "one lookup per name %.3f s (%d files); lookups / enumerations %s\n",
                enumerationDirectories, onceSeconds, once, eachSeconds, each,
                RatioVerdict(eachSeconds, onceSeconds, 0, walkInvalid).c_str());

    const int shimFailed = RunShimFigure(host);

    list.DestroyWindow();
    frame.DestroyWindow();
    PumpMessages();
    return invalid.empty() && walkInvalid.empty() && shimFailed == 0 ? 0 : 1;
}

void DeleteCommandFixture()
{
    const std::string root = CommandRoot();
    if (root.empty())
        return;
    DeleteFileA((root + "complete").c_str());
    for (const std::string& directory : CommandDirectories(root)) {
        for (const std::string& name : ToolNames())
            DeleteFileA((directory + "\\" + name).c_str());
        RemoveDirectoryA(directory.c_str());
    }
    RemoveDirectoryA(root.c_str());
}
