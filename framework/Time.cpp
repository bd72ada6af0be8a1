#include "Time.h"

#include <ctime>

namespace {

// 100-nanosecond intervals between 1601 and 1970.
constexpr int64_t fileTimeOf1970 = 116444736000000000LL;
constexpr int64_t fileTicksPerSecond = 10000000LL;

} // namespace

CTime CTime::FromFileTime(const FILETIME& fileTime)
{
    const uint64_t raw = (static_cast<uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
    if (raw == 0)
        return CTime(0);
    // The system converts no file time from 2^63 on; such a value would also
    // overflow the arithmetic below.
    if (raw > static_cast<uint64_t>(INT64_MAX))
        return CTime(notConvertible);
    const int64_t since1970 = static_cast<int64_t>(raw) - fileTimeOf1970;
    // Whole seconds, rounded down also before 1970.
    int64_t seconds = since1970 / fileTicksPerSecond;
    if (since1970 % fileTicksPerSecond < 0)
        --seconds;
    return CTime(seconds);
}

std::string CTime::Format(const char* pattern) const
{
    const __time64_t time = seconds;
    std::tm local{};
    if (seconds < 0 || _localtime64_s(&local, &time) != 0)
        return {};
    char text[128];
    const size_t length = std::strftime(text, sizeof text, pattern, &local);
    return std::string(text, length);
}
