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

// Stands in text for each character that the code page cannot carry. No file
// name can hold it, and it is no wildcard, so a path or pattern holding it
// reaches no file at all (where "?" would match any character and a best fit
// such as O for Omega would name another file).
inline constexpr char uncarriedCharMark = '|';

// UTF-16 text in the code page, with the mark in place of each character the
// code page cannot carry.
std::string MarkedInCodePage(std::wstring_view text, UINT codePage = CP_ACP);

// The length of the longest start of the text, at most `limit` bytes, that
// ends between two characters of the code page (UTF-8, double-byte or single-byte).
size_t CharacterBoundary(std::string_view text, size_t limit, UINT codePage = CP_ACP);
