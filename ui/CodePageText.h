#pragma once

#include "framework/Platform.h"

#include <optional>
#include <string>
#include <string_view>

// Every text the program holds is in the process code page: UTF-8 where the
// system honours the manifest, the system's ANSI code page elsewhere. These
// convert at the few places where a name must be read in UTF-16 to be exact.

// Text of the code page in UTF-16; nothing when it is not valid there.
std::optional<std::wstring> WideFromCodePage(std::string_view text, UINT codePage = CP_ACP);

// UTF-16 text in the code page; nothing unless it converts back unchanged.
std::optional<std::string> ExactInCodePage(std::wstring_view text, UINT codePage = CP_ACP);

// Stands in a listed name for each character that the code page cannot
// carry, when the file system keeps no short name either. No file name can
// hold it, and it is no wildcard, so a path holding it reaches no file at all.
inline constexpr char uncarriedCharMark = '|';

// A found entry's name as it is listed: the long name when the code page
// carries it, else the short name the file system keeps, else the long name
// with the mark in place of each character the code page lacks.
std::string ListedNameInCodePage(const wchar_t* name, const wchar_t* shortName, UINT codePage = CP_ACP);

// Whether a listed path names the file it was found as: false when it holds
// the mark as a character of its own (in a double-byte code page the mark's
// byte may also be the second half of a character, which does not count).
bool IsExactListedPath(std::string_view path, UINT codePage = CP_ACP);

// An environment variable's name in upper case, converted character by
// character in UTF-16 as the system compares names: never cut, never split.
std::string UpperCaseName(const std::string& name);

// For a file action about to use a listed path: true when the path names
// its file exactly; otherwise shows why the file cannot be reached, in a box
// owned by `owner` titled `caption`, and returns false. File actions call
// it before they use the text of a row.
bool CheckListedPath(HWND owner, const std::string& path, const std::string& caption);
