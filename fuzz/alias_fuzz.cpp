// Reparse data of any shape: reading stays inside the bytes given and inside
// the length they claim, and an alias read has three non-empty strings that
// convert back to the units they came from.
#include "core/AppExecAlias.h"
#include "core/Wtf8.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace trawl;

namespace {

void CheckText(const std::string& text)
{
    if (text.empty() || text.find('\0') != std::string::npos || Wtf8FromUtf16(Utf16FromWtf8(text)) != text)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Its own allocation, so AddressSanitizer sees a read past the end.
    std::vector<uint8_t> bytes(data, data + size);
    const std::optional<AppExecAlias> alias = ParseAppExecAlias(bytes);
    if (alias) {
        CheckText(alias->packageId);
        CheckText(alias->appUserModelId);
        CheckText(alias->targetPath);
    }
    // What follows the data is never read.
    bytes.insert(bytes.end(), 16, 0xCC);
    const std::optional<AppExecAlias> padded = ParseAppExecAlias(bytes);
    if (alias.has_value() != padded.has_value() ||
        (alias && (alias->packageId != padded->packageId || alias->appUserModelId != padded->appUserModelId ||
                   alias->targetPath != padded->targetPath)))
        std::abort();
    return 0;
}
