// Writes a small Windows program image: headers, one section and a version
// resource, nothing that runs. For screenshots and fixtures that need programs
// of several platforms and versions; tools/make-program builds and runs it.
#include "support/ProgramImage.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

const char usage[] = "usage: make_program OUT MACHINE VERSION\n"
                     "  MACHINE: x86, x64, ARM64 or ARM; VERSION: a.b.c.d\n";

bool ParseMachine(const char* name, ProgramShape& shape)
{
    const struct {
        const char* name;
        uint16_t machine;
        bool wide;
    } machines[] = {
        {"x86", 0x14C, false}, {"x64", 0x8664, true}, {"ARM64", 0xAA64, true}, {"ARM", 0x1C4, false}};
    for (const auto& m : machines)
        if (std::strcmp(name, m.name) == 0) {
            shape.machine = m.machine;
            shape.wide = m.wide;
            return true;
        }
    return false;
}

bool ParseVersion(const std::string& text, ProgramShape& shape)
{
    size_t at = 0;
    for (size_t part = 0; part < 4; ++part) {
        size_t end = at;
        unsigned long value = 0;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9' && value <= 0xFFFF)
            value = value * 10 + static_cast<unsigned long>(text[end++] - '0');
        if (end == at || value > 0xFFFF || end != (part < 3 ? text.find('.', at) : text.size()))
            return false;
        shape.version[part] = static_cast<uint16_t>(value);
        at = end + 1;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    ProgramShape shape;
    if (argc != 4 || !ParseMachine(argv[2], shape) || !ParseVersion(argv[3], shape)) {
        std::fputs(usage, stderr);
        return 1;
    }
    const std::vector<uint8_t> image = ProgramImage(shape);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_program: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
