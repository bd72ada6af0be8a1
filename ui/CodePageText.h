#pragma once

#include "framework/CodePage.h"

#include <optional>
#include <string>
#include <string_view>

// Every text the program holds is in the process code page: UTF-8 where the
// system honours the manifest, the system's ANSI code page elsewhere. Names
// are read in UTF-16 and listed in the code page as below; the file actions
// go by the UTF-16 name, never by the listed text.

// A found entry's name as it is listed: the long name when the code page
// carries it, else the short name the file system keeps, else the long name
// with the mark in place of each character the code page lacks.
std::string ListedNameInCodePage(const wchar_t* name, const wchar_t* shortName, UINT codePage = CP_ACP);

// Stored and enumerated UTF-16 and the WTF-8 that core's rules read, both
// ways without loss (an unpaired surrogate survives).
std::wstring WideOfWtf8(std::string_view text);
std::string Wtf8OfWide(std::wstring_view text);

// An environment variable's name in upper case, converted character by
// character in UTF-16 as the system compares names: never cut, never split.
std::string UpperCaseName(const std::string& name);
