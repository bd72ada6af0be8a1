#pragma once

#include "NameFolder.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trawl {

// The same key for two entries exactly when they name the same directory:
// quotes, a "\\?\" prefix and trailing backslashes (not the root's) dropped,
// "/" taken as "\", "." and ".." resolved, letters folded. "C:" (drive C's
// current directory) is not "C:\".
std::string DirectoryKey(std::string_view entry, INameFolder& folder);

// What a search of an entry's path finds there.
enum class PathKind {
    Missing,
    File,
    Directory,  // listed, as the search lists it
    Unreadable, // a directory that may not be listed
    Unreached,  // the name leads to a directory, but the search's path does not
};

class IDirectoryProbe {
public:
    virtual ~IDirectoryProbe() = default;
    // Asked with the entry without its quotes, as the search takes it.
    // May be asked from several threads at once, and may take long.
    virtual PathKind Probe(const std::string& path) = 0;
};

// What is known of an entry's check so far: a path on a share that does not
// answer may hold it for tens of seconds.
struct PathCheck {
    std::optional<PathKind> kind;      // none while the check runs
    std::chrono::milliseconds took{0}; // what it took, or has taken so far
};

class IPathChecks {
public:
    virtual ~IPathChecks() = default;
    // Asked with the entry without its quotes; answers at once.
    virtual PathCheck Check(const std::string& path) = 0;
};

// How long a check may take before the Directory List says so.
struct CheckLimits {
    std::chrono::milliseconds slow{1000};
    std::chrono::milliseconds notAnswering{5000};
};

enum class EntryState {
    Empty,
    Unexpanded,
    Relative,
    Missing,
    NotDirectory,
    TrailingSpace, // Unreached, and the name ends in a space
    TrailingDot,   // Unreached, and the name ends in a dot
    Unreached,
    Unreadable,
    Duplicate,
    Ok,
    NotInProcess,
    OtherType,       // a stored value of a type other than text
    UnbalancedQuote, // an odd number of '"': the command interpreter reads on into later entries
    StoredAsText,    // a %NAME% in a REG_SZ value, which a new process does not expand
    Checking,        // its check has not ended yet
    NotAnswering,    // its check runs past the limit
    Slow,            // listed, after a check that took long
    SlowMissing,     // missing, after a check that took long: perhaps a share that is down
};
inline constexpr size_t entryStateCount = static_cast<size_t>(EntryState::SlowMissing) + 1;
enum class EntryOrigin { System, User, Process, Typed };

struct EntryReport {
    int position = 0; // 1-based; 0 for an entry only the registry holds
    std::string entry;
    EntryState state = EntryState::Ok;
    std::string variable; // Unexpanded: the first %NAME% it holds, without the "%"
    int duplicateOf = 0;  // Duplicate: the position of the earlier entry
    std::string typeName; // OtherType: the stored type's name
    EntryOrigin origin = EntryOrigin::Process;
    std::chrono::milliseconds took{0}; // Slow, SlowMissing: what the check took
};

// The stored values of a variable, each expanded as a new process expands
// it; nothing where the registry holds no text value. Without any the
// entries are typed (My Path).
struct StoredValues {
    bool typed = false;
    std::optional<std::string> system;
    std::optional<std::string> user;
    // The type's name where a store holds the variable as something other than text.
    std::string systemOtherType;
    std::string userOtherType;
    // The value a new process gets.
    std::optional<std::string> newProcess;
};

// Judges a list's entries one by one, in list order, so that a later entry
// naming an earlier one's directory is its Duplicate.
class EntryJudge {
public:
    EntryJudge(IPathChecks& checks, INameFolder& folder, CheckLimits limits = {})
        : checks(checks), folder(folder), limits(limits)
    {
    }
    // The entry as the row shows it, and as the search takes it (expanded).
    EntryReport Judge(std::string shown, std::string_view expanded);
    // Whether an earlier entry named the directory of this key; it is
    // counted as seen from now on.
    bool Seen(const std::string& key);

private:
    IPathChecks& checks;
    INameFolder& folder;
    CheckLimits limits;
    std::unordered_map<std::string, int> firstPosition;
    int position = 0;
};

// The rows of the Directory List: the process's entries in order, then the
// entries a new process gets that this process's value lacks (each once),
// then a row for each stored value that is not text.
std::vector<EntryReport> ReportDirectoryList(std::string_view listText, const StoredValues& stored,
                                             IPathChecks& checks, INameFolder& folder,
                                             CheckLimits limits = {});

// The state a check of a rooted entry's path gives it, before duplicates are
// judged (a listed directory is Ok or Slow).
EntryState StateOfCheck(const PathCheck& check, std::string_view path, const CheckLimits& limits);
// "2.4": seconds to one decimal, rounded up, so a Slow check never reads as
// the limit it passed.
std::string SecondsText(std::chrono::milliseconds took);

// The name of the first "%NAME%" reference in the entry; empty when none.
std::string FirstUnexpandedName(std::string_view entry);
// Rooted at a drive ("C:\") or a share ("\\server\share"); "C:foo" and "\foo" are not.
bool IsRootedEntry(std::string_view path);

// What a command line holds, in UTF-16 units.
inline constexpr size_t commandLineLimit = 8191;

// The system's own folders (the Windows folder, System32 and System32\Wbem
// under systemRoot) that a PATH lacks, in that order; without them programs
// the system ships do not run by name.
std::vector<std::string> MissingSystemFolders(std::string_view listText, std::string_view systemRoot,
                                              INameFolder& folder);

// The extensions the machine's PATHEXT names that the user's, which
// replaces it in a new process, lacks; letters folded, in the machine's order.
std::vector<std::string> LostExtensions(std::string_view machine, std::string_view user, INameFolder& folder);

// The user-visible words of the report, from the resources.
struct DirectoryListTexts {
    std::vector<std::string> states;  // one per EntryState, "%s" for a %NAME%, type or seconds, "%d" for a #
    std::vector<std::string> origins; // one per EntryOrigin
    std::string headings;             // "#\tDirectory\tState\tFrom"
    std::string oneEntry;             // "1 entry"
    std::string entriesFormat;        // "%d entries"
    std::vector<std::string> countFormats; // one per EntryState: "%d missing"
    std::string lengthFormat;              // "%s characters"
    std::string tooLong;                   // appended past the command line's limit
    std::string hides;                     // "(the command interpreter then misses %s)"
};

// The cells of a row: position, entry, state, origin.
std::vector<std::string> ReportCells(const EntryReport& row, const DirectoryListTexts& texts);

// "12 entries, 2 missing, 1 duplicate; 1,234 characters": the states other
// than OK that occur, in state order, and the value's length in UTF-16 units.
// After an unbalanced quote the command interpreter takes every ";" up to
// the next odd quote as part of one entry: the entries it misses are named.
std::string ReportSummary(const std::vector<EntryReport>& rows, std::string_view listText,
                          const DirectoryListTexts& texts);

// The table as tab-separated lines under the heading line, for the clipboard.
// A tab or line break inside a cell becomes a space so the columns hold.
std::string ReportTable(const std::vector<EntryReport>& rows, const DirectoryListTexts& texts);

} // namespace trawl
