#pragma once

#include "core/DirectorySearch.h"
#include "ui/ResultListCtrl.h"

#include <deque>
#include <string>
#include <string_view>

// Directory enumeration with the platform's own wildcard matching. It reads
// the names in UTF-16 and lists each under a name of the code page that
// reaches that file and no other (ListedNameInCodePage).
class Win32FileFinder : public trawl::IFileFinder {
public:
    // The code page of the search paths and of the names reported.
    explicit Win32FileFinder(UINT codePage = CP_ACP) : codePage(codePage) {}
    void FindMatches(const std::string& searchPath,
                     const std::function<void(const trawl::FoundEntry&)>& onEntry) override;
    const void* HoldRecord(const trawl::FoundEntry& entry) override;

private:
    UINT codePage;
    // Records held during the current enumeration; a deque keeps them in place.
    std::deque<WIN32_FIND_DATAW> held;
};

// UTC file times to local calendar time, with the offset in force now.
class Win32LocalTime : public trawl::ILocalTimeConverter {
public:
    std::optional<trawl::LocalTime> ToLocalTime(uint64_t fileTime) override;
};

// Writes search rows into a result list, and with each row found by
// Win32FileFinder the exact file it stands for (and, when the list shows
// them, that its Version and Platform cells come from that file).
class ResultListWriter : public trawl::IResultSink {
public:
    explicit ResultListWriter(CResultListCtrl& list) : list(list) {}
    void InsertRow(int32_t row, const std::string& path) override;
    void InsertFoundRow(int32_t row, const std::string& path, const trawl::FoundEntry& entry) override;
    void SetCell(int32_t row, int column, const std::string& text) override;

private:
    CResultListCtrl& list;
};

// Rebuilds the result columns for the options and records their kinds, and
// where the Version column is.
void SetupResultColumns(CResultListCtrl& list, const trawl::DisplayOptions& options);

// Empties the list and fills it with the files the search finds, in the
// order found. Drawing is suspended meanwhile: a visible list that redraws
// on every insertion is orders of magnitude slower. A bare command name is
// looked for as the command interpreter looks for it, with the process's
// PATHEXT, which also tells the list which program of each command runs.
trawl::SearchOutcome ListMatchingFiles(CResultListCtrl& list, std::string_view directoryList,
                                       std::string_view pattern, const trawl::DisplayOptions& options);

// Adds the message row when nothing was listed and sizes the first column
// to the widest text plus 10 pixels.
void FinishResultList(CResultListCtrl& list, const trawl::SearchOutcome& outcome,
                      const std::string& noFilesText);
