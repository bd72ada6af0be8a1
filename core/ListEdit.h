#pragma once

#include "DirectoryList.h"
#include "NewProcessEnvironment.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace trawl {

// Where an entry of the edited list is kept: one of the two stored values,
// or only in this process (shown, never written).
enum class EditGroup { System, User, Process };
// One of the two stored values: what the editor may change and Save writes.
inline bool IsStored(EditGroup group)
{
    return group != EditGroup::Process;
}

struct EditEntry {
    std::string text; // as stored, quotes and references and all
    EditGroup group;
};

// The Directory List's edits of a variable's two stored values. Entries are
// kept as the list split writes them, so joining a value's entries with ";"
// gives back its stored text byte for byte: an entry nobody touched is
// written as it was. Rows are the System entries, then the User entries,
// then the process's own.
class StoredListEdit {
public:
    StoredListEdit(std::optional<std::string> system, std::optional<std::string> user,
                   const std::vector<std::string>& processOnly);

    const std::vector<EditEntry>& Entries() const { return entries; }

    // Stored rows only; the process's own are not the user's to remove.
    void Remove(std::span<const size_t> rows);
    // Each selected row one place along its group; the last System row
    // moving down becomes the first User row, and back. The rows' new
    // places, and whether any crossed between the stored values.
    struct Moved {
        std::vector<size_t> rows;
        bool crossed = false;
    };
    Moved MoveUp(std::span<const size_t> rows) { return Move(rows, false); }
    Moved MoveDown(std::span<const size_t> rows) { return Move(rows, true); }
    // After `row`, in its group (a process row or none: at the end of the
    // User entries); the new row's place.
    size_t Add(std::optional<size_t> after, std::string text);
    void Edit(size_t row, std::string text);
    void Revert();
    // A store's entries made those of `value`, in the store's place: edits
    // carried over from another run.
    void Replace(EditGroup store, const std::string& value);

    // The value a store would be written with; nothing when it is as stored.
    std::optional<std::string> NewValue(EditGroup store) const;
    bool Changed() const { return NewValue(EditGroup::System) || NewValue(EditGroup::User); }

private:
    Moved Move(std::span<const size_t> rows, bool down);
    std::vector<EditEntry> Split() const;

    std::optional<std::string> system;
    std::optional<std::string> user;
    std::vector<std::string> processOnly;
    std::vector<EditEntry> entries;
};

// The rows Clean Up selects for review: stored entries that are Empty,
// Missing, Not a directory or a later Duplicate; never an Unexpanded one, nor
// one whose check has not ended or was slow: a share that is down or slow
// may be there tomorrow.
std::vector<size_t> CleanUpRows(const std::vector<EditEntry>& entries, const std::vector<EntryState>& states);

// The type a changed value is written as: an expandable value stays one, and
// text that now holds a %NAME% reference becomes one.
StoredKind KindToWrite(StoredKind stored, std::string_view value);

// What the length of "NAME=value", in UTF-16 characters, allows.
enum class LengthVerdict {
    Fits,
    OverSystemEditor, // past 2,047: the system's editor cannot open it
    OverInterpreter,  // past 8,191: the command interpreter cannot take it
    Refused,          // past 32,767: no process can hold it
};
LengthVerdict JudgeLength(size_t characters);

// The characters removing these rows takes off the stored values, each
// entry's text and its ";".
size_t CharactersSaved(const std::vector<EditEntry>& entries, std::span<const size_t> rows);

// One stored value as the summary tells it.
struct StoreFacts {
    EditGroup store;
    size_t length;         // of "NAME=value" as it would be saved, in UTF-16 units
    bool typeMend = false; // stored as REG_SZ, yet holds a %NAME% reference
};

// The editor's words beyond the report's, from the resources.
struct EditSummaryTexts {
    std::string valueLength;     // "%s: %s characters" (the store, the length)
    std::string overEditor;      // appended past 2,047
    std::string overInterpreter; // appended past 8,191
    std::string refused;         // appended past 32,767
    std::string cleanUp;         // "Clean Up would save %s characters."
    std::string typeMend;        // "The %s value is stored as REG_SZ ..."
    std::string userReplaces;    // both stored, for a variable other than PATH
    std::string valuesJoin;      // both stored, for PATH: the System entries, then the User ones
    std::string onlyValue;       // "Only the %s value is stored ..."
    std::string unsaved;         // while edits are pending
};

// The report's summary of the list a new process would get, then each
// stored value's length against the limits, what Clean Up would save and
// what else the user should know before saving, which value a new process
// takes among them. userReplaces: the user's value replaces the machine's
// (every variable but PATH, whose two values join).
std::string EditSummary(const std::vector<EntryReport>& rows, std::string_view newProcessList,
                        const std::vector<StoreFacts>& stores, size_t cleanUpSaving, bool userReplaces,
                        bool changed, const DirectoryListTexts& texts, const EditSummaryTexts& editTexts);

} // namespace trawl
