// The program header and version resource reader over any bytes: no read
// outside what the file holds is trusted, the bytes asked for stay bounded
// whatever the tables claim, and the cells are well formed or blank.
#include "core/ProgramInfo.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace trawl;

namespace {

class FuzzedFile : public IFileRanges {
public:
    FuzzedFile(const uint8_t* data, size_t size) : data(data), size(size) {}
    size_t ReadAt(uint64_t offset, void* buffer, size_t wanted) override
    {
        asked += wanted;
        const size_t count = offset < size ? std::min<size_t>(wanted, size - offset) : 0;
        if (count != 0)
            std::memcpy(buffer, data + offset, count);
        return count;
    }
    const uint8_t* data;
    size_t size;
    size_t asked = 0;
};

bool WellFormedVersion(const std::string& text)
{
    size_t at = 0;
    for (int part = 0; part < 4; ++part) {
        if (part != 0 && (at >= text.size() || text[at++] != '.'))
            return false;
        const size_t start = at;
        unsigned long value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 6)
            value = value * 10 + static_cast<unsigned long>(text[at++] - '0');
        if (at == start || value > 0xFFFF || (text[start] == '0' && at - start > 1))
            return false;
    }
    return at == text.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedFile file(data, size);
    const ProgramInfo info = ReadProgramInfo(file);
    if (!info.version.empty() && !WellFormedVersion(info.version))
        std::abort();
    if (!info.platform.empty() && info.platform != "x86" && info.platform != "x64" &&
        info.platform != "ARM64" && info.platform != "ARM")
        std::abort();
    // Headers, a section table, three directories and one version: never the whole of a large file.
    if (file.asked > 256 * 1024)
        std::abort();
    return 0;
}
