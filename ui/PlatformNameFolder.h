#pragma once

#include "core/NameFolder.h"

#include <string>
#include <string_view>

// Compares as the file system does: each UTF-16 unit upper-cased. Names the
// code page cannot convert keep their bytes, so they never merge with others.
class PlatformNameFolder : public trawl::INameFolder {
public:
    std::string FoldNonAscii(std::string_view name) override;

private:
    trawl::AsciiNameFolder bytewise;
};
