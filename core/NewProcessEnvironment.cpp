#include "NewProcessEnvironment.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace trawl {

std::string ExpandReferences(std::string_view text, const VariableLookup& lookup)
{
    std::string expanded;
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find('%', at);
        const size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) {
            expanded += text.substr(at);
            break;
        }
        expanded += text.substr(at, open - at);
        const std::string_view name = text.substr(open + 1, close - open - 1);
        const std::optional<std::string> value = name.empty() ? std::nullopt : lookup(name);
        expanded += value ? std::string_view(*value) : text.substr(open, close - open + 1);
        at = close + 1;
    }
    return expanded;
}

StoredValues NewProcessValues(std::string_view name, const std::vector<StoredVariable>& system,
                              const std::vector<StoredVariable>& user, const VariableLookup& inherited,
                              INameFolder& folder)
{
    std::unordered_set<std::string> storedNames;
    for (const auto* store : {&system, &user})
        for (const StoredVariable& variable : *store)
            storedNames.insert(FoldedName(variable.name, folder));
    std::unordered_map<std::string, std::string> environment;
    const VariableLookup lookup = [&](std::string_view reference) -> std::optional<std::string> {
        const std::string key = FoldedName(reference, folder);
        if (const auto found = environment.find(key); found != environment.end())
            return found->second;
        // A stored variable not set yet stays unexpanded, whatever this process holds.
        if (storedNames.count(key) > 0)
            return std::nullopt;
        return inherited(reference);
    };

    const std::string wanted = FoldedName(name, folder);
    StoredValues values;
    const std::tuple<const std::vector<StoredVariable>*, std::optional<std::string>*, std::string*> stores[] =
        {{&system, &values.system, &values.systemOtherType}, {&user, &values.user, &values.userOtherType}};
    for (const auto& [store, value, otherType] : stores) {
        for (const StoredKind kind : {StoredKind::Text, StoredKind::Expandable}) {
            for (const StoredVariable& variable : *store) {
                if (variable.kind != kind)
                    continue;
                std::string text = kind == StoredKind::Expandable ? ExpandReferences(variable.value, lookup)
                                                                  : variable.value;
                const std::string key = FoldedName(variable.name, folder);
                if (key == wanted)
                    *value = text;
                const auto set = environment.find(key);
                if (key == "PATH" && store == &user && set != environment.end())
                    text = set->second + ";" + text;
                environment.insert_or_assign(key, std::move(text));
            }
        }
        for (const StoredVariable& variable : *store)
            if (variable.kind == StoredKind::Other && FoldedName(variable.name, folder) == wanted)
                *otherType = variable.typeName;
    }
    if (const auto found = environment.find(wanted); found != environment.end())
        values.newProcess = found->second;
    return values;
}

} // namespace trawl
