#pragma once

#include <cstdint>

namespace trawl {

// Which optional result columns are shown. Any nonzero value means shown:
// the settings store may hold values other than 0 and 1.
struct DisplayOptions {
    int32_t showSize = 0;
    int32_t showDate = 0;
    int32_t showAttrib = 0;
    int32_t showVersion = 0;
};

} // namespace trawl
