#include "ListEdit.h"

#include "ListSplit.h"
#include "TextCount.h"
#include "TextFill.h"

#include <algorithm>

namespace trawl {

namespace {

bool HoldsReference(std::string_view value)
{
    for (size_t open = value.find('%'); open != std::string_view::npos;) {
        const size_t close = value.find('%', open + 1);
        if (close == std::string_view::npos)
            return false;
        // A reference lies within one entry; "%%" names nothing.
        const std::string_view name = value.substr(open + 1, close - open - 1);
        if (!name.empty() && name.find(';') == std::string_view::npos)
            return true;
        open = close; // the second may open a name
    }
    return false;
}

std::vector<size_t> Sorted(std::span<const size_t> rows)
{
    std::vector<size_t> sorted(rows.begin(), rows.end());
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    return sorted;
}

} // namespace

StoredListEdit::StoredListEdit(std::optional<std::string> system, std::optional<std::string> user,
                               const std::vector<std::string>& processOnly)
    : system(std::move(system)), user(std::move(user)), processOnly(processOnly), entries(Split())
{
}

std::vector<EditEntry> StoredListEdit::Split() const
{
    std::vector<EditEntry> split;
    for (const auto& [value, group] :
         {std::pair{&system, EditGroup::System}, std::pair{&user, EditGroup::User}})
        if (*value)
            for (std::string& entry : DirectoryListEntries(**value))
                split.push_back(EditEntry{std::move(entry), group});
    for (const std::string& entry : processOnly)
        split.push_back(EditEntry{entry, EditGroup::Process});
    return split;
}

void StoredListEdit::Revert()
{
    entries = Split();
}

void StoredListEdit::Replace(EditGroup store, const std::string& value)
{
    if (!IsStored(store))
        return;
    std::erase_if(entries, [&](const EditEntry& entry) { return entry.group == store; });
    auto place = entries.begin();
    if (store == EditGroup::User)
        place = std::find_if(entries.begin(), entries.end(),
                             [](const EditEntry& entry) { return entry.group != EditGroup::System; });
    std::vector<EditEntry> added;
    for (std::string& entry : DirectoryListEntries(value))
        added.push_back(EditEntry{std::move(entry), store});
    entries.insert(place, added.begin(), added.end());
}

void StoredListEdit::Remove(std::span<const size_t> rows)
{
    const std::vector<size_t> sorted = Sorted(rows);
    for (auto row = sorted.rbegin(); row != sorted.rend(); ++row)
        if (*row < entries.size() && IsStored(entries[*row].group))
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(*row));
}

StoredListEdit::Moved StoredListEdit::Move(std::span<const size_t> rows, bool down)
{
    Moved moved;
    std::vector<bool> blocked(entries.size(), false);
    std::vector<size_t> order = Sorted(rows);
    // The row nearest the way it moves goes first, so a block moves as one.
    if (down)
        std::reverse(order.begin(), order.end());
    // At a group's edge an entry crosses into the other stored value, only
    // from System down or from User up.
    const EditGroup crossesFrom = down ? EditGroup::System : EditGroup::User;
    const EditGroup crossesTo = down ? EditGroup::User : EditGroup::System;
    for (size_t row : order) {
        if (row >= entries.size())
            continue;
        const bool edge = down ? row + 1 == entries.size() : row == 0;
        const size_t next = down ? row + 1 : row - 1;
        EditEntry& entry = entries[row];
        if (!IsStored(entry.group) || (!edge && blocked[next])) {
            blocked[row] = true;
            moved.rows.push_back(row);
        } else if (edge || entries[next].group != entry.group) {
            if (entry.group == crossesFrom) {
                entry.group = crossesTo;
                moved.crossed = true;
            } else {
                blocked[row] = true;
            }
            moved.rows.push_back(row);
        } else {
            std::swap(entries[next], entries[row]);
            moved.rows.push_back(next);
        }
    }
    std::sort(moved.rows.begin(), moved.rows.end());
    return moved;
}

size_t StoredListEdit::Add(std::optional<size_t> after, std::string text)
{
    size_t place = 0;
    EditGroup group = EditGroup::User;
    if (after && *after < entries.size() && IsStored(entries[*after].group)) {
        place = *after + 1;
        group = entries[*after].group;
    } else {
        while (place < entries.size() && IsStored(entries[place].group))
            ++place;
    }
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(place), EditEntry{std::move(text), group});
    return place;
}

void StoredListEdit::Edit(size_t row, std::string text)
{
    if (row < entries.size() && IsStored(entries[row].group))
        entries[row].text = std::move(text);
}

std::optional<std::string> StoredListEdit::NewValue(EditGroup store) const
{
    const std::optional<std::string>& before = store == EditGroup::System ? system : user;
    std::optional<std::string> after;
    for (const EditEntry& entry : entries) {
        if (entry.group != store)
            continue;
        if (after)
            *after += ';';
        else
            after.emplace();
        *after += entry.text;
    }
    // A value whose entries are all gone is written empty, not deleted.
    if (!after && before)
        after.emplace();
    if (after == before || (!before && after && after->empty()))
        return std::nullopt;
    return after;
}

std::vector<size_t> CleanUpRows(const std::vector<EditEntry>& entries, const std::vector<EntryState>& states)
{
    std::vector<size_t> rows;
    for (size_t row = 0; row < entries.size() && row < states.size(); ++row) {
        const EntryState state = states[row];
        if (IsStored(entries[row].group) &&
            (state == EntryState::Empty || state == EntryState::Missing ||
             state == EntryState::NotDirectory || state == EntryState::Duplicate))
            rows.push_back(row);
    }
    return rows;
}

StoredKind KindToWrite(StoredKind stored, std::string_view value)
{
    if (stored == StoredKind::Expandable || HoldsReference(value))
        return StoredKind::Expandable;
    return StoredKind::Text;
}

LengthVerdict JudgeLength(size_t characters)
{
    if (characters > 32767)
        return LengthVerdict::Refused;
    if (characters > 8191)
        return LengthVerdict::OverInterpreter;
    if (characters > 2047)
        return LengthVerdict::OverSystemEditor;
    return LengthVerdict::Fits;
}

size_t CharactersSaved(const std::vector<EditEntry>& entries, std::span<const size_t> rows)
{
    size_t saved = 0;
    for (size_t row : Sorted(rows))
        if (row < entries.size())
            saved += Utf16Length(entries[row].text) + 1;
    return saved;
}

namespace {

std::string StoreName(EditGroup store, const DirectoryListTexts& texts)
{
    const size_t origin = static_cast<size_t>(store);
    return origin < texts.origins.size() ? texts.origins[origin] : std::string();
}

} // namespace

std::string EditSummary(const std::vector<EntryReport>& rows, std::string_view newProcessList,
                        const std::vector<StoreFacts>& stores, size_t cleanUpSaving, bool userReplaces,
                        bool changed, const DirectoryListTexts& texts, const EditSummaryTexts& editTexts)
{
    std::string summary = ReportSummary(rows, newProcessList, texts) + "\r\n";
    std::string notes;
    for (const StoreFacts& facts : stores) {
        const std::string name = StoreName(facts.store, texts);
        if (&facts != &stores.front())
            summary += "; ";
        summary += FillInOrder(editTexts.valueLength, {name, GroupedNumber(facts.length)});
        switch (JudgeLength(facts.length)) {
        case LengthVerdict::OverSystemEditor:
            summary += editTexts.overEditor;
            break;
        case LengthVerdict::OverInterpreter:
            summary += editTexts.overInterpreter;
            break;
        case LengthVerdict::Refused:
            summary += editTexts.refused;
            break;
        case LengthVerdict::Fits:
            break;
        }
        if (facts.typeMend)
            notes += " " + FillInOrder(editTexts.typeMend, {name});
    }
    if (cleanUpSaving > 0)
        summary += ". " + FillInOrder(editTexts.cleanUp, {GroupedNumber(cleanUpSaving)});
    if (stores.size() == 2)
        notes += " " + (userReplaces ? editTexts.userReplaces : editTexts.valuesJoin);
    else if (stores.size() == 1)
        notes += " " + FillInOrder(editTexts.onlyValue, {StoreName(stores.front().store, texts)});
    if (changed)
        notes += " " + editTexts.unsaved;
    if (!notes.empty())
        summary += "\r\n" + notes.substr(1);
    return summary;
}

} // namespace trawl
