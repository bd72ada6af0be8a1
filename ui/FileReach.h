#pragma once

#include "ui/ListedFiles.h"

#include <optional>
#include <string>

// How a file action reaches the file a row stands for, and no other.

// The path that reaches exactly this file, in the "\\?\" form that the system
// takes as it is. Through the short name when the name holds a character no
// Windows path can carry (a Unix name with a backslash names another file);
// nothing when there is no short name either.
std::optional<std::wstring> ExactPath(const ListedFile& file);

// A path in the code page for a program that normalises what it is given
// (the shell, an editor), at most `limit` characters: the plain full path
// when normalising leaves it as it is, else the short path when it reaches
// the same file; nothing when neither does.
std::optional<std::string> LaunchPath(const ListedFile& file, size_t limit);

// Whether the name leads to another file, as a symbolic link does. Wine
// reports a Unix link as a plain file and deletes its target in its place;
// Windows reports a link as a reparse point, opened and deleted itself.
bool LeadsElsewhere(const std::wstring& exactPath);
