#pragma once

#include "ui/FoundFiles.h"

#include <optional>
#include <string>

// How a file action reaches the file a row stands for, and no other.

// The path that reaches exactly this file, in the "\\?\" form that the system
// takes as it is. Through the short name when the name holds a character no
// Windows path can carry (a Unix name with a backslash names another file);
// nothing when there is no short name either. Not checked against the
// directory as it is now: for reading, where a wrong guess costs nothing.
std::optional<std::wstring> ExactPath(const FoundFile& file);

// Why an action may not go by a row's file.
enum class ReachFault {
    None,
    NoName,    // neither its name nor a short name can be put in a path
    Ambiguous, // its name, or the short name it is reached by, also names another file there
    Changed,   // its short name now leads to a file of another name
};

struct CheckedPath {
    std::wstring path; // empty unless fault is None
    ReachFault fault = ReachFault::None;
};

// ExactPath, checked against the directory as it is now: the name (or short
// name) that the path ends in names one file there, and through a short
// name, the file listed. A file that is gone passes: the action then says so.
CheckedPath CheckedExactPath(const FoundFile& file);

// A path in the code page for a program that normalises what it is given
// (the shell, an editor), at most `limit` characters: the plain full path
// when normalising leaves it as it is, else the short path when it reaches
// the same file; nothing when neither does. `exact` is the file's checked
// exact path.
std::optional<std::string> LaunchPath(const std::wstring& exact, size_t limit);

// Whether a file removed through this exact path is gone. A removal that
// reported success may not have happened: Wine removes the file only when
// its handle closes and loses a failure there, and Windows keeps a file
// marked for deletion while another program holds it open.
enum class AfterRemove { Gone, StillThere, Pending };
AfterRemove CheckRemoved(const std::wstring& exactPath);

// Whether the name leads to another file, as a symbolic link does. Wine
// reports a Unix link as a plain file and deletes its target in its place;
// Windows reports a link as a reparse point, opened and deleted itself.
bool LeadsElsewhere(const std::wstring& exactPath);
