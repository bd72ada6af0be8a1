// Environment blocks of any shape: unterminated, names starting with "=",
// empty names. Reading stays inside the block, and a terminated copy of the
// same block reads the same.
#include "core/EnvironmentNames.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace trawl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Its own allocation, so AddressSanitizer sees a read past the end.
    const std::vector<char> block(data, data + size);
    const std::vector<std::string> names = EnvironmentNames(std::string_view(block.data(), block.size()));

    std::string terminated(block.begin(), block.end());
    terminated.append(2, '\0');
    if (EnvironmentNames(terminated.c_str()) != names)
        std::abort();

    // Every name is the non-empty text before the "=" of its entry, in order.
    std::vector<std::string> expected;
    size_t at = 0;
    while (at < size && block[at] != '\0') {
        size_t end = at;
        while (end < size && block[end] != '\0')
            ++end;
        size_t equals = at;
        while (equals < end && block[equals] != '=')
            ++equals;
        if (equals > at)
            expected.emplace_back(block.data() + at, equals - at);
        at = end + 1;
    }
    if (names != expected)
        std::abort();
    for (const std::string& name : names)
        if (name.empty() || name.find('=') != std::string::npos || name.find('\0') != std::string::npos)
            std::abort();
    return 0;
}
