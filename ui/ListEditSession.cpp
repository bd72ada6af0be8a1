#include "ListEditSession.h"

#include "core/ListSplit.h"
#include "core/NewProcessEnvironment.h"
#include "core/TextCount.h"
#include "core/Wtf8.h"
#include "ui/EnvironmentValue.h"
#include "ui/PlatformNameFolder.h"
#include "ui/StoredEnvironment.h"

#include <cstring>
#include <unordered_set>

namespace {

bool ReadStore(trawl::EditGroup group, const std::wstring& name, StoredRead& read)
{
    const StoreKey where = KeyOf(group);
    std::optional<std::pair<DWORD, std::vector<BYTE>>> raw = ReadStoredValue(where.root, where.subKey, name);
    if (!raw)
        return true; // no value: one may be made
    if (raw->first != REG_SZ && raw->first != REG_EXPAND_SZ)
        return false;
    std::u16string units(raw->second.size() / sizeof(char16_t), u'\0');
    std::memcpy(units.data(), raw->second.data(), units.size() * sizeof(char16_t));
    units.resize(std::min(units.find(u'\0'), units.size()));
    read.text = trawl::Wtf8FromUtf16(units);
    read.kind = raw->first == REG_SZ ? trawl::StoredKind::Text : trawl::StoredKind::Expandable;
    read.raw = std::move(raw);
    return true;
}

} // namespace

StoreKey KeyOf(trawl::EditGroup store)
{
    if (store == trawl::EditGroup::System)
        return {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE", machineEnvironmentKey};
    return {HKEY_CURRENT_USER, L"HKEY_CURRENT_USER", userEnvironmentKey};
}

bool CanWriteMachineValue()
{
    const StoreKey where = KeyOf(trawl::EditGroup::System);
    HKEY key = nullptr;
    if (RegOpenKeyExW(where.root, where.subKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::optional<CListEditSession> CListEditSession::Read(const std::string& variable,
                                                       const std::string& processValue)
{
    const std::wstring name = WideOfWtf8(variable);
    StoredRead system, user;
    if (!ReadStore(trawl::EditGroup::System, name, system) || !ReadStore(trawl::EditGroup::User, name, user))
        return std::nullopt;
    // This process's entries that a new process would not get: shown, never written.
    PlatformNameFolder folder;
    std::unordered_set<std::string> stored;
    if (const std::optional<std::string> newProcess = StoredVariableValues(variable).newProcess)
        for (const std::string& entry : trawl::DirectoryListEntries(*newProcess))
            stored.insert(trawl::DirectoryKey(entry, folder));
    std::vector<std::string> processOnly;
    for (std::string& entry : trawl::DirectoryListEntries(processValue))
        if (!trawl::UnquotedEntry(entry).empty() && stored.insert(trawl::DirectoryKey(entry, folder)).second)
            processOnly.push_back(std::move(entry));
    return CListEditSession(variable, std::move(system), std::move(user), processOnly);
}

CListEditSession::CListEditSession(std::string variable, StoredRead system, StoredRead user,
                                   const std::vector<std::string>& processOnly)
    : edit(system.text, user.text, processOnly), variable(std::move(variable)), system(std::move(system)),
      user(std::move(user))
{
}

const StoredRead& CListEditSession::Store(trawl::EditGroup store) const
{
    return store == trawl::EditGroup::System ? system : user;
}

bool CListEditSession::UserReplaces() const
{
    return trawl::AsciiNameFolder().FoldNonAscii(variable) != "PATH";
}

bool CListEditSession::TypeMend(trawl::EditGroup store) const
{
    const StoredRead& read = Store(store);
    return read.text && read.kind == trawl::StoredKind::Text &&
           trawl::KindToWrite(trawl::StoredKind::Text, *read.text) == trawl::StoredKind::Expandable;
}

bool CListEditSession::Changed() const
{
    return edit.Changed() || TypeMend(trawl::EditGroup::System) || TypeMend(trawl::EditGroup::User);
}

std::optional<std::string> CListEditSession::ValueToSave(trawl::EditGroup store) const
{
    if (std::optional<std::string> edited = edit.NewValue(store))
        return edited;
    return Store(store).text;
}

trawl::StoredKind CListEditSession::KindToSave(trawl::EditGroup store) const
{
    const std::optional<std::string> value = ValueToSave(store);
    return trawl::KindToWrite(Store(store).kind, value.value_or(std::string()));
}

size_t CListEditSession::SavedLength(trawl::EditGroup store) const
{
    return trawl::Utf16Length(variable) + 1 + trawl::Utf16Length(ValueToSave(store).value_or(std::string()));
}

std::vector<std::string> CListEditSession::ExpandedEntries()
{
    // Whether a store is expanded is asked once, not once per entry: the
    // answer joins the whole value.
    const bool expands[] = {KindToSave(trawl::EditGroup::System) == trawl::StoredKind::Expandable,
                            KindToSave(trawl::EditGroup::User) == trawl::StoredKind::Expandable};
    const trawl::VariableLookup lookup = [this](std::string_view name) {
        auto [found, added] = lookups.try_emplace(std::string(name));
        // What the stores set, else what the system gives every process.
        if (added) {
            found->second = StoredVariableValues(found->first).newProcess;
            if (!found->second)
                found->second = EnvironmentValue(found->first);
        }
        return found->second;
    };
    std::vector<std::string> expanded;
    for (const trawl::EditEntry& entry : edit.Entries()) {
        const bool expand =
            trawl::IsStored(entry.group) && expands[entry.group == trawl::EditGroup::System ? 0 : 1];
        expanded.push_back(expand ? trawl::ExpandReferences(entry.text, lookup) : entry.text);
    }
    return expanded;
}

std::string CListEditSession::NewProcessList(const std::vector<std::string>& expanded) const
{
    std::string list[2];
    bool started[2] = {false, false};
    const std::vector<trawl::EditEntry>& entries = edit.Entries();
    for (size_t row = 0; row < entries.size() && row < expanded.size(); ++row) {
        if (entries[row].group == trawl::EditGroup::Process)
            continue;
        const int store = entries[row].group == trawl::EditGroup::System ? 0 : 1;
        if (started[store])
            list[store] += ';';
        started[store] = true;
        list[store] += expanded[row];
    }
    const bool system = ValueToSave(trawl::EditGroup::System).has_value();
    const bool user = ValueToSave(trawl::EditGroup::User).has_value();
    if (UserReplaces())
        return user ? list[1] : list[0];
    return system && user ? list[0] + ";" + list[1] : system ? list[0] : list[1];
}

std::vector<StoredValueChange> CListEditSession::Changes() const
{
    std::vector<StoredValueChange> changes;
    for (trawl::EditGroup store : {trawl::EditGroup::System, trawl::EditGroup::User}) {
        if (!edit.NewValue(store) && !TypeMend(store))
            continue;
        const StoreKey key = KeyOf(store);
        const std::optional<std::string> value = ValueToSave(store);
        changes.push_back(StoredValueChange{
            key.root, key.rootName, key.subKey, WideOfWtf8(variable), Store(store).raw,
            KindToSave(store) == trawl::StoredKind::Expandable ? DWORD{REG_EXPAND_SZ} : DWORD{REG_SZ},
            WideOfWtf8(value.value_or(std::string()))});
    }
    return changes;
}
