#include "framework/File.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

int64_t Local(int year, int month, int day, int hour, int minute)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&local));
}

TEST(Time, FormatsLocalTimeAsTheCLocaleDoesOrGivesNothing)
{
    const std::string tooLong(70, 'x');
    struct Case {
        int64_t time;
        std::string pattern;
        const char* text;
    };
    const Case cases[] = {
        {Local(1999, 3, 5, 14, 7), "%x  %I:%M%p", "03/05/99  02:07PM"},
        {Local(2024, 12, 31, 0, 5), "%x  %I:%M%p", "12/31/24  12:05AM"},
        {Local(2001, 7, 4, 12, 0), "%x  %I:%M%p", "07/04/01  12:00PM"},
        {-1, "%x", ""},
        {Local(1999, 3, 5, 14, 7), tooLong + tooLong, ""},
        {Local(1999, 3, 5, 14, 7), tooLong, tooLong.c_str()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CTime(c.time).Format(c.pattern.c_str()), c.text) << c.time << " " << c.pattern;
}

TEST(Time, FileTimesFromTwoToThe63AreNotConvertible)
{
    const std::pair<uint64_t, int64_t> cases[] = {{(1ULL << 63) - 1, 910692730085},
                                                  {1ULL << 63, CTime::notConvertible},
                                                  {~0ULL, CTime::notConvertible}};
    for (const auto& [ticks, seconds] : cases)
        EXPECT_EQ(CTime::FromFileTime({DWORD(ticks), DWORD(ticks >> 32)}).GetTime(), seconds) << ticks;
}

} // namespace
