#pragma once

#include "NameFolder.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trawl {

// What the command interpreter tries when PATHEXT is missing or empty.
inline constexpr std::string_view defaultPathExt = ".COM;.EXE;.BAT;.CMD;.VBS;.VBE;.JS;.JSE;.WSF;.WSH;.MSC";

// The extensions of a PATHEXT value in the order the interpreter tries them.
// Entries that name no extension (empty, without a leading ".", a lone ".",
// or holding a second "."; a file's extension is what follows its last dot)
// and repeats, compared without case, are skipped. An empty value gives the
// default list.
std::vector<std::string> ParsePathExt(std::string_view value);

// The command a pattern names when it is a bare command name: no wildcard,
// no "." and no folder or drive anywhere. Nothing for a pattern searched as
// it is.
std::optional<std::string_view> CommandOfPattern(std::string_view pattern);

// A file name split at its last dot: the extension keeps the dot. A name
// without a dot, or whose only dot leads it, has no extension.
struct ProgramName {
    std::string_view stem;
    std::string_view extension;
};
ProgramName SplitProgramName(std::string_view name);

// Position of an extension in the list, compared without case; nothing when
// it is not there.
std::optional<size_t> FindExtension(std::span<const std::string> extensions, std::string_view extension);

// The names a command search lists in one directory, in the order the
// interpreter tries them: the command's exact name first, then the command
// with each extension. Names compare as the file system compares them.
class CommandCandidates {
public:
    CommandCandidates(std::string_view command, std::span<const std::string> extensions, INameFolder& folder);
    // 0 for the exact name, 1 + the extension's position for an extended
    // one; nothing for any other name.
    std::optional<size_t> Rank(std::string_view name) const;
    size_t Count() const { return 1 + extensionKeys.size(); }

private:
    std::string FoldName(std::string_view name) const;

    INameFolder& folder;
    std::string commandKey;
    std::vector<std::string> extensionKeys;
};

} // namespace trawl
