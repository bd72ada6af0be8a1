#pragma once

#include "framework/Platform.h"

#include <optional>
#include <string>

// The path the system is given for a search path of the code page: as it is
// while its full form fits the plain limit (MAX_PATH) and names no device,
// else its directory made full, as the plain form would mean it, in the
// "\\?\" form, which has no such limit and no devices; the last component,
// the pattern, is kept as written. Nothing when the
// code page does not carry the path.
std::optional<std::wstring> SystemSearchPath(const std::string& searchPath, UINT codePage = CP_ACP);

// A full path in the form that reaches it whatever its length.
std::wstring ReachingForm(const std::wstring& fullPath);
