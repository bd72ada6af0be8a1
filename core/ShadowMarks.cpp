#include "ShadowMarks.h"

#include "CommandRuns.h"

#include <algorithm>
#include <deque>
#include <numeric>

namespace trawl {

namespace {

constexpr size_t none = SIZE_MAX;

// Keys are compared with ASCII letters folded, so an ASCII name needs no
// folded copy, and a folder's key that came out ASCII still meets its match.
bool SameKey(std::string_view a, std::string_view b)
{
    return SameAsciiFolded(a, b);
}

uint64_t HashKey(std::string_view key)
{
    uint64_t hash = 14695981039346656037ULL; // FNV-1a
    for (char c : key) {
        hash ^= static_cast<unsigned char>(UpperAscii(c));
        hash *= 1099511628211ULL;
    }
    return hash;
}

// Positions of the files in the order found. The item data of one search
// are 0, 1, 2, ..., with gaps after deletions, so a counting pass keeps this
// linear; item data spread wider fall back to a sort.
std::vector<size_t> OrderFound(std::span<const ListedFile> files)
{
    std::vector<size_t> order(files.size());
    if (files.empty())
        return order;
    const auto [low, high] =
        std::minmax_element(files.begin(), files.end(),
                            [](const ListedFile& a, const ListedFile& b) { return a.itemData < b.itemData; });
    const uint64_t spread = static_cast<uint64_t>(high->itemData) - static_cast<uint64_t>(low->itemData);
    if (spread > 4 * static_cast<uint64_t>(files.size()) + 64) {
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return files[a].itemData < files[b].itemData; });
        return order;
    }
    const uint64_t first = static_cast<uint64_t>(low->itemData);
    const auto key = [first](const ListedFile& file) {
        return static_cast<size_t>(static_cast<uint64_t>(file.itemData) - first);
    };
    std::vector<size_t> next(static_cast<size_t>(spread) + 2, 0);
    for (const ListedFile& file : files)
        ++next[key(file) + 1];
    std::partial_sum(next.begin(), next.end(), next.begin());
    for (size_t position = 0; position < files.size(); ++position)
        order[next[key(files[position])]++] = position;
    return order;
}

// Open addressing over keys compared with ASCII letters folded: each slot
// holds the position of the file its key was first seen with.
class FirstByKey {
public:
    explicit FirstByKey(size_t files) : keys(files)
    {
        size_t count = 16;
        while (count < 2 * files)
            count *= 2;
        slots.assign(count, none);
    }
    // The slot of this key, none when it is new; `position` is the file it
    // belongs to, remembered for the comparisons to come.
    size_t& Slot(std::string_view key, size_t position)
    {
        keys[position] = key;
        const size_t mask = slots.size() - 1;
        size_t slot = HashKey(key) & mask;
        while (slots[slot] != none && !SameKey(keys[slots[slot]], key))
            slot = (slot + 1) & mask;
        return slots[slot];
    }

private:
    std::vector<std::string_view> keys;
    std::vector<size_t> slots;
};

std::optional<size_t> FindKey(const std::vector<std::string_view>& keys, std::string_view key)
{
    for (size_t position = 0; position < keys.size(); ++position)
        if (SameKey(keys[position], key))
            return position;
    return std::nullopt;
}

template <typename KeyOf>
void MarkRuns(std::span<const ListedFile> files, const std::vector<size_t>& order, const RunRule& runs,
              KeyOf& keyOf, std::vector<ShadowMark>& byPosition)
{
    struct Program {
        size_t position;
        size_t* best; // the slot of its command
    };
    // Where each program stands in the order the interpreter tries them.
    std::vector<size_t> directoryOf(files.size(), 0);
    std::vector<size_t> extensionOf(files.size(), 0);
    std::vector<Program> programs;
    FirstByKey commands(files.size());
    // Folded as names are: the file system takes ".Ω" and ".ω" for one extension.
    std::vector<std::string_view> extensionKeys;
    for (const std::string& extension : runs.extensions)
        extensionKeys.push_back(keyOf(extension));
    size_t directory = 0;
    std::string_view lastDirectory;
    bool firstFile = true;
    bool afterAppPaths = false;
    for (size_t position : order) {
        const std::string_view name = files[position].name;
        if (name.empty())
            continue;
        const std::string_view directoryPart = files[position].directory;
        // A row of App Paths stands alone, even beside a file of its folder.
        const bool appPaths = files[position].appPaths && runs.command;
        if (!firstFile && (directoryPart != lastDirectory || appPaths || afterAppPaths))
            ++directory;
        firstFile = false;
        lastDirectory = directoryPart;
        afterAppPaths = appPaths;

        ProgramName program = SplitProgramName(name);
        std::optional<size_t> extension =
            program.extension.empty() ? std::nullopt : FindKey(extensionKeys, keyOf(program.extension));
        if (appPaths) {
            // The shell starts what App Paths names, whatever it is called.
            program.stem = *runs.command;
            extension = 0;
        }
        if (!extension) {
            if (runs.command) {
                byPosition[position].run = RunState::NotRun;
                byPosition[position].command = *runs.command;
            }
            continue;
        }
        directoryOf[position] = directory;
        extensionOf[position] = *extension;
        size_t& best = commands.Slot(keyOf(program.stem), position);
        // A later directory never wins; within one, the earlier extension does.
        if (best == none || (directoryOf[best] == directory && extensionOf[best] > *extension))
            best = position;
        programs.push_back({position, &best});
    }
    for (const Program& program : programs) {
        ShadowMark& mark = byPosition[program.position];
        const size_t runner = *program.best;
        mark.run = runner == program.position ? RunState::Runs : RunState::Passed;
        mark.runner = runner;
        mark.command = files[runner].appPaths && runs.command ? *runs.command
                                                              : SplitProgramName(files[runner].name).stem;
    }
}

} // namespace

void ShadowMarks::Compute(std::span<const ListedFile> files, INameFolder& folder, const RunRule& runs)
{
    marks.clear();
    const std::vector<size_t> order = OrderFound(files);
    // Keys of the names beyond ASCII, as the folder gives them; a deque keeps
    // them in place while the views below point into them.
    std::deque<std::string> foldedNames;
    const auto keyOf = [&](std::string_view name) {
        return IsAscii(name) ? name : std::string_view(foldedNames.emplace_back(folder.FoldNonAscii(name)));
    };
    // Alone and no run state: no mark.
    std::vector<ShadowMark> byPosition(files.size(),
                                       ShadowMark{ShadowState::Alone, none, 0, RunState::None, 0, {}});

    FirstByKey firstCopies(files.size());
    for (size_t position : order) {
        const std::string_view name = files[position].name;
        if (name.empty())
            continue;
        size_t& first = firstCopies.Slot(keyOf(name), position);
        if (first == none) {
            first = position;
            continue;
        }
        const size_t winner = first;
        byPosition[winner].state = ShadowState::Winner;
        byPosition[winner].winner = winner;
        ++byPosition[winner].shadowedCount;
        byPosition[position].state = ShadowState::Shadowed;
        byPosition[position].winner = winner;
    }
    if (!runs.extensions.empty() || runs.command)
        MarkRuns(files, order, runs, keyOf, byPosition);

    // In the order found, so the marks stand sorted by item data.
    for (size_t position : order)
        if (byPosition[position].state != ShadowState::Alone || byPosition[position].run != RunState::None)
            marks.push_back({files[position].itemData, byPosition[position]});
}

bool IsGrey(const ShadowMark& mark)
{
    return mark.state == ShadowState::Shadowed || mark.run == RunState::Passed ||
           mark.run == RunState::NotRun;
}

void ShadowMarks::Clear()
{
    marks.clear();
}

const ShadowMark* ShadowMarks::Find(intptr_t itemData) const
{
    auto found = std::lower_bound(marks.begin(), marks.end(), itemData,
                                  [](const Marked& marked, intptr_t data) { return marked.itemData < data; });
    return found != marks.end() && found->itemData == itemData ? &found->mark : nullptr;
}

} // namespace trawl
