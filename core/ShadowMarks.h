#pragma once

#include "ListedFile.h"
#include "NameFolder.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trawl {

enum class ShadowState {
    Alone,    // no other copy of its name is listed
    Winner,   // the first copy of its name, with later copies
    Shadowed, // a later copy of a name found before
};

// Which of the listed programs of one command the command interpreter runs.
enum class RunState {
    None,   // not a program, outside a command search
    Runs,   // the first program of its command in the order the interpreter tries
    Passed, // another program of its command runs
    NotRun, // in a command search, a file whose extension is not in PATHEXT
};

struct ShadowMark {
    ShadowState state;
    // Position (in the files given) of the winning copy; a winner's own.
    size_t winner;
    // Winner: how many later copies it shadows.
    int32_t shadowedCount;
    RunState run = RunState::None;
    // Position of the program that runs this row's command.
    size_t runner = 0;
    // The command: the stem of the program that runs it; for NotRun, the one
    // searched for.
    std::string_view command;
};

// Drawn in grey: a copy that another shadows, or a file that typing its
// command does not run.
bool IsGrey(const ShadowMark& mark);

// What decides which program runs: PATHEXT's extensions (or the shell's) in
// order and, for a command search, the command searched for. A file whose extension is in
// PATHEXT belongs to the command named by its stem.
struct RunRule {
    std::span<const std::string> extensions;
    std::optional<std::string_view> command;
};

// Which copy of each file name wins: the first one in the order found (the
// order of the item data, whatever order the rows are shown in); every later
// file of the same name is shadowed by it. Files without a namesake or a run
// state, and rows that are not files, carry no mark. It runs after every
// search, so it is linear in the number of files while their item data lie
// close together (as a search leaves them), and allocates per name only for
// names beyond ASCII.
//
// With a run rule, the programs of each command are ranked as the command
// interpreter (or the shell) tries them: the directories in the order found
// (a directory's rows come together), then the extensions' order within a
// directory. The first runs; the others are passed over. Such rows carry a
// mark too. A row found through App Paths is a program of the command
// searched, ranked after every directory, as its own.
class ShadowMarks {
public:
    void Compute(std::span<const ListedFile> files, INameFolder& folder, const RunRule& runs = {});
    void Clear();
    // The mark of the row with this item data; null when it has none.
    const ShadowMark* Find(intptr_t itemData) const;

private:
    struct Marked {
        intptr_t itemData;
        ShadowMark mark;
    };
    // Only the rows that have a namesake or run state, by item data.
    std::vector<Marked> marks;
};

} // namespace trawl
