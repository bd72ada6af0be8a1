#pragma once

#include "core/AppExecAlias.h"
#include "core/ShimFile.h"
#include "framework/Platform.h"
#include "ui/FoundFiles.h"

#include <optional>
#include <string>

// What a listed program starts when it is not itself the program: an app
// execution alias names its target in its reparse data, a package manager's
// shim in the .shim file beside it. Both are read when asked (a tip, a
// cell), never while the search lists: a search must cost what it did.

// The alias a row's file is, read from its reparse point; nothing for a
// file of another tag, or whose data cannot be read or is not understood.
std::optional<trawl::AppExecAlias> ReadAppExecAlias(const FoundFile& file);

// Whether the enumeration said the file is an app execution alias.
inline bool IsAppExecAlias(const FoundFile& file)
{
    return file.reparseTag == trawl::appExecLinkTag;
}

struct ShimBehind {
    trawl::ShimTarget target;
    std::wstring targetPath; // where it is looked for: beside the shim when not rooted
    DWORD targetAttributes = INVALID_FILE_ATTRIBUTES; // as read with the shim
    bool TargetExists() const
    {
        return targetAttributes != INVALID_FILE_ATTRIBUTES &&
               (targetAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
};

// The program a shim starts, from the .shim file beside a listed .exe;
// nothing for a file that is no shim, or a .shim file that does not read as one.
std::optional<ShimBehind> ReadShim(const FoundFile& file);
