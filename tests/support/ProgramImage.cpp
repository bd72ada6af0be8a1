#include "ProgramImage.h"

void PutLittleEndian(std::vector<uint8_t>& image, size_t at, uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        image[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

std::vector<uint8_t> ProgramImage(const ProgramShape& shape)
{
    std::vector<uint8_t> image(0x400);
    const auto put = [&image](size_t at, uint32_t value, int width = 4) {
        PutLittleEndian(image, at, value, width);
    };
    const bool wide = shape.wide;
    const size_t optional = 0x58, directories = optional + (wide ? 112 : 96);
    const size_t sections = optional + (wide ? 240 : 224);
    put(0, 'M' | ('Z' << 8), 2);
    put(0x3C, 0x40);
    put(0x40, 'P' | ('E' << 8));
    put(0x44, shape.machine, 2);
    put(0x46, 1, 2); // sections
    put(0x54, static_cast<uint32_t>(sections - optional), 2);
    // Executable and large-address aware; the 32-bit ones say DLL too, as the
    // screenshots' programs always have.
    put(0x56, wide ? 0x22 : 0x2022, 2);
    put(optional, wide ? 0x20B : 0x10B, 2);
    put(directories - 4, 16);      // data directories
    put(directories + 16, 0x1000); // resources at
    put(directories + 20, 0x100);  // and their size
    const char name[] = ".rsrc";
    for (size_t i = 0; i + 1 < sizeof name; ++i)
        image[sections + i] = static_cast<uint8_t>(name[i]);
    put(sections + 8, 0x100);   // size in memory
    put(sections + 12, 0x1000); // address
    put(sections + 16, 0x200);  // size in the file
    put(sections + 20, 0x200);  // and where it lies
    const uint32_t tree[][2] = {{16, 0x80000018}, {1, 0x80000030}, {0x409, 0x48}};
    for (size_t level = 0; level < 3; ++level) {
        put(0x200 + level * 0x18 + 14, 1, 2);
        put(0x200 + level * 0x18 + 16, tree[level][0]);
        put(0x200 + level * 0x18 + 20, tree[level][1]);
    }
    put(0x248, 0x1058); // the data entry: address and size
    put(0x24C, 92);
    put(0x258, 92, 2); // VS_VERSIONINFO: length, value length, key
    put(0x25A, 52, 2);
    for (size_t i = 0; i < 15; ++i)
        put(0x25E + 2 * i, static_cast<uint8_t>("VS_VERSION_INFO"[i]), 2);
    const std::array<uint16_t, 4>& v = shape.version;
    put(0x280, 0xFEEF04BD);
    put(0x284, 0x10000);
    put(0x288, static_cast<uint32_t>(v[0]) << 16 | v[1]);
    put(0x28C, static_cast<uint32_t>(v[2]) << 16 | v[3]);
    return image;
}
