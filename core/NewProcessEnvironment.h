#pragma once

#include "DirectoryList.h"
#include "NameFolder.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trawl {

// How a store (the machine's or the user's) holds a variable.
enum class StoredKind { Text, Expandable, Other };

struct StoredVariable {
    std::string name;
    StoredKind kind = StoredKind::Text;
    std::string value{};    // Text and Expandable: as stored, up to its first NUL
    std::string typeName{}; // Other: the store's name of its type, "REG_DWORD"
};

// A variable's value by name; nothing when there is none.
using VariableLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The text with each "%NAME%" that names a variable replaced by its value,
// as the system expands: a reference to no variable stays as written and the
// scan goes on after its closing "%"; a value is not expanded again.
std::string ExpandReferences(std::string_view text, const VariableLookup& lookup);

// One variable's stored values, and its value in a new process. A new process
// starts from what the system gives every process (`inherited`, asked only
// about names neither store holds); then each store, the machine's first, sets
// its text values and then its expandable ones, each expanded against what is
// set so far. A later value replaces an earlier one, but the user's PATH is
// appended to the machine's. Values of other types are not taken as text.
StoredValues NewProcessValues(std::string_view name, const std::vector<StoredVariable>& system,
                              const std::vector<StoredVariable>& user, const VariableLookup& inherited,
                              INameFolder& folder);

} // namespace trawl
