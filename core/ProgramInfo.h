#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace trawl {

// Ranges of one file, read where they lie: the reader asks for a few pages
// around the headers and the version resource, never for the whole file.
class IFileRanges {
public:
    virtual ~IFileRanges() = default;
    // Copies up to `size` bytes from `offset` into `buffer`; the count copied,
    // short at the end of the file and 0 when it cannot be read.
    virtual size_t ReadAt(uint64_t offset, void* buffer, size_t size) = 0;
};

// The two cells of a file: empty where the file has no answer.
struct ProgramInfo {
    // The file version of the version resource, "a.b.c.d".
    std::string version;
    // The program header's machine: "x86", "x64", "ARM64" or "ARM"; for a
    // .NET program built for x86 that runs on any processor, "Any CPU" or
    // "Any CPU (32-bit preferred)".
    std::string platform;
};

// Reads what a Windows program's headers say of it. A file that is not one,
// or whose tables point outside it, gets what could be read soundly.
ProgramInfo ReadProgramInfo(IFileRanges& file);

// The platform name of a program header's machine field; empty for others.
std::string PlatformName(uint16_t machine);

// "a.b.c.d" of the fixed file information's two version words.
std::string FormatVersionCell(uint32_t mostSignificant, uint32_t leastSignificant);

} // namespace trawl
