#pragma once

#include "core/DirectorySearch.h"

#include <windows.h>

// Directory enumeration with the platform's own wildcard matching. It reads
// the names in UTF-16 and lists each under a name of the code page that
// reaches that file and no other (ListedNameInCodePage); each entry also
// carries the names exactly as enumerated.
class Win32FileFinder : public trawl::IFileFinder {
public:
    // The code page of the search paths and of the names reported.
    explicit Win32FileFinder(UINT codePage = CP_ACP) : codePage(codePage) {}
    void FindMatches(const std::string& searchPath,
                     const std::function<void(const trawl::FoundEntry&)>& onEntry) override;

private:
    UINT codePage;
};
