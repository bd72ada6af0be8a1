#pragma once

#include "core/DirectoryList.h"

// Lists each entry as the search does (the same path for the system, the same
// call), so that OK means the search lists that directory's files.
class Win32DirectoryProbe : public trawl::IDirectoryProbe {
public:
    trawl::PathKind Probe(const std::string& path) override;
};
