#pragma once

// What Start, the Run box and ShellExecute start for a bare name, which is
// not always what the command interpreter runs: the shell looks in the
// Windows folder and System32 before PATH, and after PATH in App Paths, the
// registry's table of program names.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

enum class ShellPlace { WindowsFolder, System32, PathDirectory, UserAppPaths, MachineAppPaths };

struct ShellCandidate {
    ShellPlace place;
    std::string path;
};

// Where the shell looks. Start and the Run box have no current directory
// of the user's choosing (Explorer's is whatever it started with), so none
// is searched.
struct ShellPlaces {
    std::string windowsFolder;
    std::string system32;
    std::vector<std::string> pathDirectories; // expanded, in PATH's order
    // ParsePathExt(shellProgramExtensions), or what the caller knows better.
    std::span<const std::string> extensions;
    // Cleaned default values of the name's App Paths keys, where there is one.
    std::optional<std::string> userAppPath;
    std::optional<std::string> machineAppPath;
};

// Every file the shell may start for a typed name, in the order it tries
// them: in each folder (empty ones skipped) the name as typed when it has
// an extension, else the name with each extension in turn; then the App
// Paths programs. A folder named twice (System32 is on PATH too) is listed
// twice, which changes no winner. Nothing for a name AppPathsKeyName
// refuses.
std::vector<ShellCandidate> ShellCandidates(std::string_view typed, const ShellPlaces& places);

// The candidate the shell starts: the first whose file exists. An App Paths
// program that is missing is passed over as a missing file in a folder is.
std::optional<size_t> ShellWinner(std::span<const ShellCandidate> candidates,
                                  const std::function<bool(const std::string&)>& exists);

} // namespace trawl
