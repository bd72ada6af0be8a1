#pragma once

// What Start, the Run box and ShellExecute start for a bare name, which is
// not always what the command interpreter runs: the shell looks in the
// Windows folder and System32 before PATH, and after PATH in App Paths, the
// registry's table of program names.

#include "NameFolder.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace trawl {

// The extensions the shell's path resolution tries for a name without one.
inline constexpr std::string_view shellProgramExtensions = ".PIF;.COM;.BAT;.CMD;.LNK;.EXE";

// The subkey of App Paths (under HKCU, then HKLM,
// SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths) that the shell reads
// for a typed name: the name itself, with ".exe" added when it has no
// extension. Nothing for a name the shell does not look up: empty, holding
// a folder, a drive or a character no file name has, or ending in "." or
// " ". The caller takes the arguments off what was typed.
std::optional<std::string> AppPathsKeyName(std::string_view typed);

// The program an App Paths key's default value names: blanks around it and
// one pair of surrounding quotes taken off, then %VAR% expanded by `expand`
// (a REG_EXPAND_SZ value needs it; for REG_SZ the caller passes the text
// back). Nothing for a value that is blank, expands to nothing, or holds a
// quote elsewhere.
std::optional<std::string> CleanAppPathsValue(std::string_view value,
                                              const std::function<std::string(std::string_view)>& expand);

// Who a bare command name is looked up for: the command interpreter, or
// Start, the Run box and programs that start others through the shell.
enum class RunsFor { CommandPrompt, StartAndRun };

// The directories the shell searches for a bare name, as a directory list:
// the Windows folder, System32, then the list's entries as written, less
// those that name either folder again (compared as the file system compares
// names, without wrapping quotes or a trailing "\"), which would only list
// the same files twice.
std::string ShellDirectoryList(std::string_view windowsFolder, std::string_view system32,
                               std::string_view listText, INameFolder& folder);

// Equal as directories: the names compared as the file system compares
// them, trailing backslashes ignored.
bool SameDirectory(std::string_view a, std::string_view b, INameFolder& folder);

enum class AppPathsHive { User, Machine };

// A program an App Paths key names for the command searched, cleaned.
struct AppPathsProgram {
    AppPathsHive hive;
    std::string path;
};

} // namespace trawl
