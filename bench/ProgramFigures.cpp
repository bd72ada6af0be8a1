#include "ProgramFigures.h"

#include "Figures.h"
#include "Fixtures.h"
#include "ResultListHost.h"
#include "Timing.h"

#include "core/Columns.h"
#include "core/RowOrder.h"
#include "framework/Wnd.h"
#include "res/resource.h"
#include "support/ProgramImage.h"
#include "ui/FileReach.h"
#include "ui/ProgramFile.h"
#include "ui/ResultSearch.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// Changing the programs must change this, so old fixtures are rebuilt.
constexpr char programsTag[] = "trawl-bench programs v2 20x1638";
constexpr double ratioTarget = 3.0;
constexpr double sortRatioTarget = 1.5; // first sort by Version against reading the headers alone
constexpr int runs = 3;

std::string ProgramsRoot()
{
    const std::string root = FixtureRoot();
    return root.empty() ? root : root.substr(0, root.size() - 1) + "p\\";
}

std::string ProgramPath(const std::string& root, int directory, int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "%c\\p%04d.exe", 'a' + directory, index);
    return root + name;
}

bool ProgramsComplete(const std::string& marker)
{
    char text[64] = {};
    HANDLE file =
        CreateFileA(marker.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    return std::strcmp(text, programsTag) == 0;
}

bool WriteWhole(const std::string& path, const void* bytes, size_t size)
{
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) && written == size;
    CloseHandle(file);
    return ok;
}

bool CreatePrograms(const std::string& root)
{
    CreateDirectoryA(root.c_str(), nullptr);
    for (int d = 0; d < directoryCount; ++d) {
        CreateDirectoryA((root + static_cast<char>('a' + d)).c_str(), nullptr);
        for (int i = 0; i < filesPerDirectory; ++i) {
            // A 64-bit program whose version's last number is its index.
            const std::vector<uint8_t> image = ProgramImage(
                {.machine = 0x8664, .wide = true, .version = {2, 1, 0, static_cast<uint16_t>(i)}});
            if (!WriteWhole(ProgramPath(root, d, i), image.data(), image.size()))
                return false;
        }
    }
    return WriteWhole(root + "complete", programsTag, std::strlen(programsTag));
}

void DeletePrograms(const std::string& root)
{
    DeleteFileA((root + "complete").c_str());
    for (int d = 0; d < directoryCount; ++d) {
        for (int i = 0; i < filesPerDirectory; ++i)
            DeleteFileA(ProgramPath(root, d, i).c_str());
        RemoveDirectoryA((root + static_cast<char>('a' + d)).c_str());
    }
    RemoveDirectoryA(root.c_str());
}

int CALLBACK CompareResultRows(LPARAM first, LPARAM second, LPARAM column)
{
    return trawl::CompareRows(first, second, column);
}

// One search of the list into the visible list, emptied first (not timed).
double TimedFill(CResultListCtrl& list, const std::string& directoryList,
                 const trawl::DisplayOptions& options, int& rows)
{
    list.SetupResultColumns(options);
    PumpMessages();
    const double start = Now();
    FinishResultList(list, ListMatchingFiles(list, directoryList, "*.exe", options), "No files");
    PumpMessages();
    rows = list.GetItemCount();
    return Now() - start;
}

struct ListedProgram {
    std::wstring exact;
    DWORD attributes = 0;
};

// The files of the rows, in row order, as the result list reaches them.
std::vector<ListedProgram> ListedPrograms(const CResultListCtrl& list)
{
    std::vector<ListedProgram> programs;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const std::optional<FoundFile> file = list.FindFoundFile(row);
        const std::optional<std::wstring> exact = file ? ExactPath(*file) : std::nullopt;
        if (exact)
            programs.push_back({*exact, GetFileAttributesW(exact->c_str())});
    }
    return programs;
}

struct SortRun {
    double seconds = 0;
    int blank = 0; // files or rows left without a version
};

// The floor of a first sort by Version: the same files' headers read in a
// plain loop, with the reader the list uses.
SortRun TimedHeaderReads(const std::vector<ListedProgram>& programs)
{
    SortRun run;
    const double start = Now();
    for (const ListedProgram& program : programs)
        run.blank += ReadProgramFile(program.exact, program.attributes).version.empty() ? 1 : 0;
    run.seconds = Now() - start;
    return run;
}

SortRun TimedSort(CResultListCtrl& list, int column)
{
    SortRun run;
    const double start = Now();
    list.SortByColumn(column);
    run.seconds = Now() - start;
    for (int row = 0; row < list.GetItemCount(); ++row)
        run.blank += list.GetItemText(row, column).empty() ? 1 : 0;
    return run;
}

} // namespace

int RunProgramFigures(bool clean)
{
    const std::string root = ProgramsRoot();
    if (root.empty())
        return 1;
    if (!ProgramsComplete(root + "complete")) {
        const double start = Now();
        if (!CreatePrograms(root)) {
            std::printf("cannot create the programs under %s (error %lu)\n", root.c_str(), GetLastError());
            return 1;
        }
        std::printf("programs: %s (%d x %d, created in %.1f s)\n", root.c_str(), directoryCount,
                    filesPerDirectory, Now() - start);
    }
    std::vector<std::string> directories;
    for (int d = 0; d < directoryCount; ++d)
        directories.push_back(root + static_cast<char>('a' + d));
    const std::string list = Join(directories, directories.size());

    ResultListHost host;
    if (!host.Create())
        return 1;
    CWnd& frame = host.frame;
    CResultListCtrl& results = host.list;
    results.compareFunc = &CompareResultRows;
    trawl::sortTargetList = &results;
    frame.ShowWindow(SW_SHOW);
    PumpMessages();

    trawl::DisplayOptions without = allColumns;
    trawl::DisplayOptions with = allColumns;
    with.showVersion = 1;
    const int versionColumn = trawl::VersionColumnPosition(with);
    // Alternated, so a busy spell of the machine falls on both alike.
    std::vector<double> withoutRuns, withRuns, firstSorts, floors, againSorts;
    int rowsWithout = 0, rowsWith = 0, columnsWithout = 0, columnsWith = 0;
    LikeWork sortLike;
    for (int run = 0; run < runs; ++run) {
        withoutRuns.push_back(TimedFill(results, list, without, rowsWithout));
        columnsWithout = results.GetColumnCount();
        withRuns.push_back(TimedFill(results, list, with, rowsWith));
        columnsWith = results.GetColumnCount();
        // The first sort by Version reads every file the drawing has not, as
        // the floor reads them all; in turn first, so neither finds the
        // other's reads cached more often.
        const std::vector<ListedProgram> programs = ListedPrograms(results);
        SortRun floor, first;
        if (run % 2 == 0)
            floor = TimedHeaderReads(programs);
        first = TimedSort(results, versionColumn);
        if (run % 2 != 0)
            floor = TimedHeaderReads(programs);
        // A second finds them all read.
        againSorts.push_back(TimedSort(results, versionColumn).seconds);
        firstSorts.push_back(first.seconds);
        floors.push_back(floor.seconds);
        sortLike.Rows("the header reads", static_cast<int>(programs.size()), totalFiles)
            .Rows("the sort", rowsWith, totalFiles)
            .Same("blank versions (header reads, sorted rows)", floor.blank, first.blank);
    }
    const std::string sample =
        results.GetItemText(0, versionColumn) + " " + results.GetItemText(0, versionColumn + 1);
    std::printf("search of %d small programs, %d columns: %.3f s (median of %d: %s)\n", rowsWithout,
                columnsWithout, Median(withoutRuns), runs, RunList(withoutRuns).c_str());
    std::printf("the same with Version and Platform, %d columns: %.3f s (median of %d: %s), %d rows, first "
                "\"%s\"\n",
                columnsWith, Median(withRuns), runs, RunList(withRuns).c_str(), rowsWith, sample.c_str());
    const std::string fillInvalid = LikeWork()
                                        .Rows("the search without", rowsWithout, totalFiles)
                                        .Rows("the search with", rowsWith, totalFiles)
                                        .Baseline("the search without", Median(withoutRuns))
                                        .Reason();
    std::printf("with / without: %s\n",
                RatioVerdict(Median(withRuns), Median(withoutRuns), ratioTarget, fillInvalid).c_str());

    sortLike.Baseline("the header reads", Median(floors));
    std::printf("sort %d rows by Version: first %.3f s (median of %d: %s; reads the files), again %.3f s\n",
                rowsWith, Median(firstSorts), runs, RunList(firstSorts).c_str(), Median(againSorts));
    std::printf("the same files' headers read in a loop: %.3f s (median of %d: %s)\n", Median(floors), runs,
                RunList(floors).c_str());
    std::printf("first sort / header reads: %s\n",
                RatioVerdict(Median(firstSorts), Median(floors), sortRatioTarget, sortLike.Reason()).c_str());
    trawl::sortTargetList = nullptr;

    results.DestroyWindow();
    frame.DestroyWindow();
    PumpMessages();
    if (clean)
        DeletePrograms(root);
    return fillInvalid.empty() && sortLike.Reason().empty() ? 0 : 1;
}
