// Times the search and the heading sorts of the result list on a generated
// folder tree, against a raw enumeration of the same files; then Clear, the
// deletion part of a new search, the exit and the working set of the program
// with large result lists, each against a bare list view holding the same
// texts, measured in the same run; and the command search against a wildcard
// search of as many rows.
//
// Usage: bench_search.exe [--clean] [--large-only | --exit-only | --dirlist-only |
//                                    --programs-only | --commands-only | --search-only]
//   The fixture (20 directories x 1,638 files under %TEMP%\tb) is kept for the
//   next run, since creating it takes a while under Wine, and so are the small
//   programs' (%TEMP%\tbp) and the command search's (2,520 directories x 13
//   files under %TEMP%\tc); --clean deletes them at the end. --large-only runs
//   only the large-list figures, --exit-only only the exit, --dirlist-only only
//   the Directory List dialog, --programs-only only the search of small programs
//   with and without the Version and Platform columns, --commands-only only the
//   command search, --search-only only the search and sorts. The exit and working-set figures come from child
//   processes
//   (--child=<role>). A ratio whose two sides did not do the same work (another
//   number of rows, a baseline of zero) is printed as INVALID with the reason,
//   and the run then exits with 1.

#include "ChildRoles.h"
#include "CommandSearchFigures.h"
#include "DirectoryListFigure.h"
#include "Fixtures.h"
#include "LargeLists.h"
#include "ProgramFigures.h"
#include "SearchFigures.h"
#include "Timing.h"

#include "framework/Platform.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    bool clean = false;
    bool largeOnly = false;
    bool exitOnly = false;
    bool dirListOnly = false;
    bool programsOnly = false;
    bool commandsOnly = false;
    bool searchOnly = false;
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
        } else if (std::strcmp(argv[i], "--dirlist-only") == 0) {
            dirListOnly = true;
        } else if (std::strcmp(argv[i], "--programs-only") == 0) {
            programsOnly = true;
        } else if (std::strcmp(argv[i], "--search-only") == 0) {
            searchOnly = true;
        } else if (std::strcmp(argv[i], "--commands-only") == 0) {
            commandsOnly = true;
        } else {
            std::printf("usage: bench_search [--clean] [--large-only | --exit-only | --dirlist-only | "
                        "--programs-only | --commands-only | --search-only]\n");
            return 2;
        }
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    if (dirListOnly) {
        PrintDirectoryListFigure();
        return 0;
    }
    if (commandsOnly)
        return RunCommandSearchFigures();

    const std::string root = FixtureRoot();
    if (root.empty()) {
        std::printf("no temporary folder\n");
        return 1;
    }
    const std::string fullList = FixtureList(root);

    std::printf("Trawl search benchmark\n");
    if (programsOnly)
        return RunProgramFigures(clean);
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
    if (searchOnly)
        return RunSearchFigures(root) != 0 ? 1 : 0;

    // Every part runs; the run fails when one could not run or printed an INVALID figure.
    bool failed = RunSearchFigures(root) != 0;
    failed = RunProgramFigures(clean) != 0 || failed;
    PrintDirectoryListFigure();
    failed = RunCommandSearchFigures() != 0 || failed;
    failed = RunLargeListFigures(root, fullList) != 0 || failed;

    if (clean) {
        DeleteFixture(root);
        DeleteCommandFixture();
        std::printf("fixture deleted\n");
    }
    if (failed)
        std::printf("a figure is INVALID or could not be measured: see above\n");
    return failed ? 1 : 0;
}
