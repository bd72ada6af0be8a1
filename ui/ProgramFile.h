#pragma once

#include "core/ProgramInfo.h"
#include "framework/Platform.h"

#include <string>

// The version and platform cells of the file at an exact path, read from its
// headers alone. Others may read, write or delete it meanwhile; a file that
// cannot be opened or read gets blank cells. A file whose data lies elsewhere
// (offline, or recalled from the cloud on access) is not read at all: a
// listing must not fetch it.
trawl::ProgramInfo ReadProgramFile(const std::wstring& exactPath, DWORD attributes);
