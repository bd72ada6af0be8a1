#pragma once

#include <string>
#include <string_view>

namespace trawl {

// Turns a file name into a key that is equal for two names exactly when the
// file system takes them for the same name.
class INameFolder {
public:
    virtual ~INameFolder() = default;
    // Only asked about names that hold a byte of 0x80 or above; ASCII names
    // are folded without it.
    virtual std::string FoldNonAscii(std::string_view name) = 0;
};

// Folds ASCII letters and leaves every other byte as it is, so a UTF-8 name
// never turns into another name.
class AsciiNameFolder : public INameFolder {
public:
    std::string FoldNonAscii(std::string_view name) override;
};

// The key of a name: ASCII letters folded here, a name beyond ASCII by the
// folder, as the file system and the environment compare names.
std::string FoldedName(std::string_view name, INameFolder& folder);

// The pieces of that folding the keys' users share.
char UpperAscii(char c);
bool IsAscii(std::string_view name);
// Equal with ASCII letters folded and every other byte as it is.
bool SameAsciiFolded(std::string_view a, std::string_view b);

} // namespace trawl
