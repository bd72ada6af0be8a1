#pragma once

#include "core/DirectoryList.h"
#include "core/NewProcessEnvironment.h"
#include "framework/Platform.h"

#include <string>
#include <vector>

// Where the environment of new processes is stored: the machine's and the user's.
inline constexpr wchar_t machineEnvironmentKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
inline constexpr wchar_t userEnvironmentKey[] = L"Environment";

// A value's type and data, whatever its size; false when it cannot be read.
bool ReadRegistryValue(HKEY key, const wchar_t* name, DWORD& type, std::vector<BYTE>& data);

// Every value a registry key holds, in its order, read in UTF-16 whatever its
// size: a string ends at its first NUL (as the environment built from it
// does) or where its data ends, and half a character left over is dropped.
// Nothing when the key cannot be opened.
std::vector<trawl::StoredVariable> StoredVariables(HKEY root, const wchar_t* subKey);

// A variable's values as the registry stores them for new processes, the
// machine's and the user's, and what a new process gets from them.
trawl::StoredValues StoredVariableValues(const std::string& name);
