#pragma once

#include "core/ListEdit.h"
#include "ui/CodePageText.h"
#include "ui/StoredValueWriter.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// One store's value of a variable as it was read.
struct StoredRead {
    std::optional<std::pair<DWORD, std::vector<BYTE>>> raw; // nothing: there is no such value
    std::optional<std::string> text;                        // WTF-8, up to its first NUL
    trawl::StoredKind kind = trawl::StoredKind::Text;
};

// A variable's two stored values under edit: what was read, the pending
// edits, what a new process would get from them, and what Save would write.
// Texts are WTF-8 of the stored UTF-16, so an untouched entry goes back
// unit for unit.
class CListEditSession {
public:
    // Nothing when a store holds the variable as something other than text:
    // that is not Trawl's to rewrite.
    static std::optional<CListEditSession> Read(const std::string& variable, const std::string& processValue);

    const std::string& Variable() const { return variable; }
    const StoredRead& Store(trawl::EditGroup store) const;
    // PATH joins the two values; any other variable's user value replaces the machine's.
    bool UserReplaces() const;

    // Stored as REG_SZ, yet holding a %NAME% reference, which a new process
    // does not expand: Save writes it as REG_EXPAND_SZ.
    bool TypeMend(trawl::EditGroup store) const;
    bool Changed() const;

    // Each entry, in row order, as a new process would get it once saved;
    // and the list those give a new process.
    std::vector<std::string> ExpandedEntries();
    std::string NewProcessList(const std::vector<std::string>& expanded) const;
    std::string NewProcessList() { return NewProcessList(ExpandedEntries()); }
    // The store's value as it would be saved (nothing when there is none),
    // and the length of "NAME=value" in UTF-16 units.
    std::optional<std::string> ValueToSave(trawl::EditGroup store) const;
    size_t SavedLength(trawl::EditGroup store) const;

    // The values Save writes: only those that changed.
    std::vector<StoredValueChange> Changes() const;

    trawl::StoredListEdit edit;

private:
    CListEditSession(std::string variable, StoredRead system, StoredRead user,
                     const std::vector<std::string>& processOnly);
    trawl::StoredKind KindToSave(trawl::EditGroup store) const;

    std::string variable;
    StoredRead system;
    StoredRead user;
    // Each %NAME% as a new process has it, asked once.
    std::map<std::string, std::optional<std::string>> lookups;
};

// Where a store keeps the environment, as the registry and a .reg file name it.
struct StoreKey {
    HKEY root;
    const wchar_t* rootName;
    const wchar_t* subKey;
};
StoreKey KeyOf(trawl::EditGroup store);
// Whether this process may write the machine's environment (it runs as administrator).
bool CanWriteMachineValue();
