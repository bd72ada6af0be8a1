#pragma once

#include "core/DirectorySearch.h"

// UTC file times to local calendar time, with the offset in force now.
class Win32LocalTime : public trawl::ILocalTimeConverter {
public:
    std::optional<trawl::LocalTime> ToLocalTime(uint64_t fileTime) override;
};
