// Directory lists: the split keeps every non-empty entry in order, quoted
// entries come back whole, and joining never doubles or drops a separator.
#include "core/DirectorySearch.h"
#include "core/ListSplit.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace trawl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> entries = SplitDirectoryList(text);
    for (const std::string& directory : entries)
        if (directory.empty() || text.find(directory) == std::string_view::npos)
            std::abort();

    // Without quotes the split is the plain one: every non-empty entry, in order.
    if (text.find('"') == std::string_view::npos) {
        std::vector<std::string> expected;
        std::string entry;
        for (char c : text) {
            if (c != ';') {
                entry += c;
                continue;
            }
            if (!entry.empty())
                expected.push_back(entry);
            entry.clear();
        }
        if (!entry.empty())
            expected.push_back(entry);
        if (entries != expected)
            std::abort();
    }

    // Entries without quotes of their own come back whole when each is
    // wrapped in quotes, a ";" inside one included.
    std::vector<std::string> plain;
    std::string quoted;
    for (const std::string& directory : entries) {
        if (directory.find('"') != std::string::npos)
            continue;
        plain.push_back(directory);
        quoted += (quoted.empty() ? "\"" : ";\"") + directory + "\"";
    }
    if (SplitDirectoryList(quoted) != plain)
        std::abort();

    // Any split point of the input gives a directory and a name to join.
    const size_t at = size == 0 ? 0 : data[0] % (size + 1);
    const std::string_view directory = text.substr(0, at);
    const std::string_view name = text.substr(at);
    const std::string path = JoinPath(directory, name);
    const bool hasSeparator = !directory.empty() && directory.back() == '\\';
    const std::string want = std::string(directory) + (hasSeparator ? "" : "\\") + std::string(name);
    if (path != want)
        std::abort();
    return 0;
}
