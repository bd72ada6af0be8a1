#pragma once

#include "Platform.h"

#include <optional>
#include <string>
#include <string_view>

// Text of the process code page and UTF-16, converted strictly: a conversion
// that would change the text (a best-fit or default character, an invalid
// sequence) gives nothing, so a name is never silently turned into another.

// Text of the code page in UTF-16; nothing when it is not valid there.
std::optional<std::wstring> WideFromCodePage(std::string_view text, UINT codePage = CP_ACP);

// UTF-16 text in the code page; nothing unless it converts back unchanged.
std::optional<std::string> ExactInCodePage(std::wstring_view text, UINT codePage = CP_ACP);
