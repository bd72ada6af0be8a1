#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// What a made-up program says of itself in its headers.
struct ProgramShape {
    uint16_t machine = 0x8664;
    bool wide = true;                  // the 64-bit optional header
    std::array<uint16_t, 4> version{}; // a.b.c.d of the fixed file information
};

// A 1 KB Windows program image that runs nothing: headers and one section,
// ".rsrc" at file 0x200 (address 0x1000), holding a version resource: type
// 16 > name 1 > language 0x409 > VS_VERSION_INFO with its fixed information
// at file 0x280. Tests patch fields at these places to spoil it.
std::vector<uint8_t> ProgramImage(const ProgramShape& shape);

// Writes `width` bytes of the value at `at`, least significant first.
void PutLittleEndian(std::vector<uint8_t>& image, size_t at, uint32_t value, int width = 4);
