#include "ShadowMarks.h"

#include <algorithm>
#include <deque>
#include <numeric>

namespace trawl {

namespace {

constexpr size_t none = SIZE_MAX;

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsAscii(std::string_view name)
{
    return std::all_of(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; });
}

// Keys are compared with ASCII letters folded, so an ASCII name needs no
// folded copy, and a folder's key that came out ASCII still meets its match.
bool SameKey(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
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

} // namespace

std::string_view ListedFileName(std::string_view path)
{
    const size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
}

std::string AsciiNameFolder::FoldNonAscii(std::string_view name)
{
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(), UpperAscii);
    return key;
}

void ShadowMarks::Compute(std::span<const ListedFile> files, INameFolder& folder)
{
    marks.clear();
    const std::vector<size_t> order = OrderFound(files);
    // Keys of the names beyond ASCII, as the folder gives them; a deque keeps
    // them in place while the views below point into them.
    std::deque<std::string> foldedNames;
    std::vector<std::string_view> keys(files.size());
    // Open addressing: each slot holds the position of a name's first copy.
    size_t slotCount = 16;
    while (slotCount < 2 * files.size())
        slotCount *= 2;
    std::vector<size_t> firstCopies(slotCount, none);
    // winner == none: no mark.
    std::vector<ShadowMark> byPosition(files.size(), ShadowMark{ShadowState::Winner, none, 0});

    for (size_t position : order) {
        std::string_view key = ListedFileName(files[position].path);
        if (key.empty())
            continue;
        if (!IsAscii(key))
            key = foldedNames.emplace_back(folder.FoldNonAscii(key));
        keys[position] = key;
        size_t slot = HashKey(key) & (slotCount - 1);
        while (firstCopies[slot] != none && !SameKey(keys[firstCopies[slot]], key))
            slot = (slot + 1) & (slotCount - 1);
        if (firstCopies[slot] == none) {
            firstCopies[slot] = position;
            continue;
        }
        const size_t winner = firstCopies[slot];
        byPosition[winner].winner = winner;
        ++byPosition[winner].shadowedCount;
        byPosition[position] = ShadowMark{ShadowState::Shadowed, winner, 0};
    }
    // In the order found, so the marks stand sorted by item data.
    for (size_t position : order)
        if (byPosition[position].winner != none)
            marks.push_back({files[position].itemData, byPosition[position]});
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
