#pragma once

#include "Platform.h"

#include <cstdint>
#include <string>

// A calendar time: seconds since 1 January 1970, UTC.
class CTime {
public:
    CTime() = default;
    explicit CTime(int64_t seconds) : seconds(seconds) {}
    // A file system time; 0 for the zero time, which means "not recorded",
    // and notConvertible for a time the system cannot convert.
    static CTime FromFileTime(const FILETIME& fileTime);
    static constexpr int64_t notConvertible = -1; // Format gives nothing for it

    int64_t GetTime() const { return seconds; }
    // The time in local time, formatted by a strftime pattern in the C locale
    // (no locale is ever selected). Empty when the time cannot be converted or
    // the text does not fit 127 characters.
    std::string Format(const char* pattern) const;

private:
    int64_t seconds = 0;
};
