#pragma once

#include <cstdint>
#include <string>

namespace trawl {

struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

// "%.0lfKB" of the size in kilobytes, at least 1KB.
std::string FormatSizeCell(uint64_t bytes);

// "%2d/%02d/%02d  %02d:%02d": month, day, four-digit year, hour, minute.
std::string FormatDateCell(const LocalTime& time);

// Five places A H R S T, a space where the bit is clear; a sixth, L, only
// for a reparse point (a link or an app execution alias), so every other
// cell keeps its five.
std::string FormatAttributeCell(uint32_t attributes);

namespace attribute {
inline constexpr uint32_t readOnly = 0x01;
inline constexpr uint32_t hidden = 0x02;
inline constexpr uint32_t system = 0x04;
inline constexpr uint32_t directory = 0x10;
inline constexpr uint32_t archive = 0x20;
inline constexpr uint32_t temporary = 0x100;
inline constexpr uint32_t reparsePoint = 0x400;
} // namespace attribute

} // namespace trawl
