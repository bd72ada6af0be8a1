#include "core/ProgramInfo.h"
#include "support/ProgramImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace trawl {
namespace {

class MemoryFile : public IFileRanges {
public:
    explicit MemoryFile(std::vector<uint8_t> bytes) : bytes(std::move(bytes)) {}
    size_t ReadAt(uint64_t offset, void* buffer, size_t size) override
    {
        const size_t count = offset < bytes.size() ? std::min<size_t>(size, bytes.size() - offset) : 0;
        std::memcpy(buffer, bytes.data() + offset, count);
        bytesRead += count;
        return count;
    }
    std::vector<uint8_t> bytes;
    size_t bytesRead = 0;
};

// The program of every case: its version resource says 10.0.19041.1.
std::vector<uint8_t> Program(bool wide, uint16_t machine)
{
    return ProgramImage({.machine = machine, .wide = wide, .version = {10, 0, 19041, 1}});
}

TEST(ProgramInfo, ReadsVersionAndPlatformOrLeavesThemBlank)
{
    struct Patch {
        size_t at;
        uint32_t value;
    };
    struct Case {
        const char* name;
        bool wide;
        uint16_t machine;
        std::vector<Patch> patches;
        size_t size; // 0: whole
        const char* version;
        const char* platform;
    };
    const auto dotNet = [](uint32_t flags) {
        return std::vector<Patch>{{0x128, 0x1100}, {0x12C, 72}, {0x300, 72}, {0x310, flags}};
    };
    const Case cases[] = {
        {"64-bit program", true, 0x8664, {}, 0, "10.0.19041.1", "x64"},
        {"32-bit program", false, 0x14C, {}, 0, "10.0.19041.1", "x86"},
        {"ARM64", true, 0xAA64, {}, 0, "10.0.19041.1", "ARM64"},
        {"ARM Thumb-2", false, 0x1C4, {}, 0, "10.0.19041.1", "ARM"},
        {"other machine", true, 0x200, {}, 0, "10.0.19041.1", ""},
        {"largest version", true, 0x8664, {{0x288, ~0u}, {0x28C, ~0u}}, 0, "65535.65535.65535.65535", "x64"},
        {"not a program", true, 0x8664, {{0, 0}}, 0, "", ""},
        {"DOS program only", true, 0x8664, {{0x40, 0}}, 0, "", ""},
        {"header past the end", true, 0x8664, {{0x3C, 0xFFFFFFF0}}, 0, "", ""},
        {"file cut in the MZ header", true, 0x8664, {}, 0x30, "", ""},
        {"file cut in the optional header", true, 0x8664, {}, 0x100, "", "x64"},
        {"file cut in the version", true, 0x8664, {}, 0x270, "", "x64"},
        {"unknown optional header", true, 0x8664, {{0x58, 0x107}}, 0, "", "x64"},
        {"no resource directory", true, 0x8664, {{0xC4, 2}}, 0, "", "x64"},
        {"no sections", true, 0x8664, {{0x46, 0}}, 0, "", "x64"},
        {"resources outside every section", true, 0x8664, {{0xD8, 0x9000}}, 0, "", "x64"},
        {"section data past the end", true, 0x8664, {{0x148 + 20, 0x7FFFFF00}}, 0, "", "x64"},
        {"no version type", true, 0x8664, {{0x210, 3}}, 0, "", "x64"},
        {"type entry is not a directory", true, 0x8664, {{0x214, 0x18}}, 0, "", "x64"},
        {"directory past the end", true, 0x8664, {{0x214, 0xFFFFFFF0}}, 0, "", "x64"},
        {"directory pointing at the root", true, 0x8664, {{0x22C, 0x80000000}}, 0, "", "x64"},
        {"huge entry count", true, 0x8664, {{0x20C, 0xFFFF}}, 0, "", "x64"},
        {"other version name", true, 0x8664, {{0x228, 7}}, 0, "10.0.19041.1", "x64"},
        {"data outside the section", true, 0x8664, {{0x248, 0x1300}}, 0, "", "x64"},
        {"short data", true, 0x8664, {{0x24C, 91}}, 0, "", "x64"},
        {"other key", true, 0x8664, {{0x25E, 'W'}}, 0, "", "x64"},
        {"no fixed information", true, 0x8664, {{0x25A, 0}}, 0, "", "x64"},
        {"wrong signature", true, 0x8664, {{0x280, 0xFEEF04BE}}, 0, "", "x64"},
        {"64-bit machine in a 32-bit header", false, 0x8664, {}, 0, "10.0.19041.1", ""},
        {"32-bit machine in a 64-bit header", true, 0x14C, {}, 0, "10.0.19041.1", ""},
        // A .NET runtime header at address 0x1100 (file 0x300), its flags at 0x310.
        {".NET for any processor", false, 0x14C, dotNet(0x1), 0, "10.0.19041.1", "Any CPU"},
        {".NET preferring 32 bits", false, 0x14C, dotNet(0x20003), 0, "10.0.19041.1",
         "Any CPU (32-bit preferred)"},
        {".NET requiring 32 bits", false, 0x14C, dotNet(0x3), 0, "10.0.19041.1", "x86"},
        {".NET with native code", false, 0x14C, dotNet(0x0), 0, "10.0.19041.1", "x86"},
        {".NET header outside every section",
         false,
         0x14C,
         {{0x128, 0x9000}, {0x12C, 72}},
         0,
         "10.0.19041.1",
         "x86"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> image = Program(c.wide, c.machine);
        for (const Patch& patch : c.patches)
            PutLittleEndian(image, patch.at, patch.value);
        if (c.size != 0)
            image.resize(c.size);
        MemoryFile file(std::move(image));
        const ProgramInfo info = ReadProgramInfo(file);
        EXPECT_EQ(info.version, c.version);
        EXPECT_EQ(info.platform, c.platform);
    }
}

TEST(ProgramInfo, ReadsOnlyTheHeadersOfALargeFile)
{
    std::vector<uint8_t> image = Program(true, 0x8664);
    image.resize(64 << 20);
    MemoryFile file(std::move(image));
    EXPECT_EQ(ReadProgramInfo(file).version, "10.0.19041.1");
    EXPECT_LE(file.bytesRead, 4096u);
}

} // namespace
} // namespace trawl
