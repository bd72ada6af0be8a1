#include "ShadowMarks.h"

#include <algorithm>
#include <numeric>

namespace trawl {

namespace {

std::string FoldAscii(std::string_view name)
{
    std::string key(name);
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return key;
}

std::string FoldName(std::string_view name, INameFolder& folder)
{
    const bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; });
    return ascii ? FoldAscii(name) : folder.FoldNonAscii(name);
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
    const auto key = [&](const ListedFile& file) {
        return static_cast<size_t>(static_cast<uint64_t>(file.itemData) -
                                   static_cast<uint64_t>(low->itemData));
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
    return FoldAscii(name);
}

void ShadowMarks::Compute(std::span<const ListedFile> files, INameFolder& folder)
{
    marks.clear();
    std::unordered_map<std::string, size_t> firstCopies;
    firstCopies.reserve(files.size());
    for (size_t position : OrderFound(files)) {
        const std::string_view name = ListedFileName(files[position].path);
        if (name.empty())
            continue;
        const auto [firstCopy, isFirst] = firstCopies.try_emplace(FoldName(name, folder), position);
        if (isFirst)
            continue;
        const size_t winner = firstCopy->second;
        ShadowMark& winnerMark =
            marks.try_emplace(files[winner].itemData, ShadowMark{ShadowState::Winner, winner, 0})
                .first->second;
        ++winnerMark.shadowedCount;
        marks.insert_or_assign(files[position].itemData, ShadowMark{ShadowState::Shadowed, winner, 0});
    }
}

void ShadowMarks::Clear()
{
    marks.clear();
}

const ShadowMark* ShadowMarks::Find(intptr_t itemData) const
{
    auto found = marks.find(itemData);
    return found != marks.end() ? &found->second : nullptr;
}

} // namespace trawl
