#pragma once

// An app execution alias is the empty program that WindowsApps puts on PATH
// (python.exe that opens the Store, winget.exe): what it starts is written
// only in its reparse point, not in the file.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace trawl {

// IO_REPARSE_TAG_APPEXECLINK
inline constexpr uint32_t appExecLinkTag = 0x8000001B;

struct AppExecAlias {
    std::string packageId;
    std::string appUserModelId;
    // The program the alias starts.
    std::string targetPath;
};

// Reads the reparse data that FSCTL_GET_REPARSE_POINT returns for an alias:
// the tag, the data's length, then version 3 and NUL-terminated UTF-16
// strings (package, app id, target, and on newer systems the app's type).
// Bytes past the data's length are not read, so a caller may hand over its
// whole buffer. Nothing for any other tag or version, a length past the
// bytes given, an odd or unterminated string area, or fewer than three
// strings, or an empty one among the first three.
std::optional<AppExecAlias> ParseAppExecAlias(std::span<const uint8_t> bytes);

} // namespace trawl
