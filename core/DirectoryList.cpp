#include "DirectoryList.h"

#include "ListSplit.h"
#include "TextCount.h"
#include "TextFill.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace trawl {

namespace {

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// The length of the root an absolute path starts with: "C:\" or
// "\\server\share"; 0 when it has none.
size_t RootLength(std::string_view path)
{
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2]))
        return 3;
    if (path.size() < 3 || !IsSeparator(path[0]) || !IsSeparator(path[1]) || IsSeparator(path[2]))
        return 0;
    size_t serverEnd = path.find_first_of("\\/", 2);
    if (serverEnd == std::string_view::npos || serverEnd + 1 >= path.size() ||
        IsSeparator(path[serverEnd + 1]))
        return 0;
    size_t shareEnd = path.find_first_of("\\/", serverEnd + 1);
    return shareEnd == std::string_view::npos ? path.size() : shareEnd;
}

std::string FormatWith(std::string_view format, std::string_view value)
{
    std::string text(format);
    size_t at = text.find("%s");
    if (at == std::string::npos)
        at = text.find("%d");
    if (at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

template <typename Enum>
const std::string& TextFor(const std::vector<std::string>& texts, Enum value)
{
    static const std::string none;
    size_t index = static_cast<size_t>(value);
    return index < texts.size() ? texts[index] : none;
}

// The path a "\\?\" (or device "\\.\") prefix stands for: "\\?\C:\x" is
// "C:\x" and "\\?\UNC\srv\share" is "\\srv\share".
std::string WithoutLongPrefix(std::string_view path)
{
    if (path.substr(0, 4) != R"(\\?\)" && path.substr(0, 4) != R"(\\.\)")
        return std::string(path);
    std::string_view rest = path.substr(4);
    if (rest.size() >= 4 && rest[3] == '\\' && AsciiNameFolder().FoldNonAscii(rest.substr(0, 3)) == "UNC")
        return R"(\\)" + std::string(rest.substr(4));
    return std::string(rest);
}

// The state of an entry the search does not list.
EntryState StateOfProbe(PathKind kind, std::string_view path)
{
    switch (kind) {
    case PathKind::Missing:
        return EntryState::Missing;
    case PathKind::File:
        return EntryState::NotDirectory;
    case PathKind::Unreadable:
        return EntryState::Unreadable;
    default:
        break;
    }
    // Normalising drops a name's trailing spaces or dots in one place and not
    // in another, so the entry alone names one directory and the search's
    // path (the entry and a pattern) another, or none.
    const size_t last = path.find_last_not_of("\\/");
    const char end = last == std::string_view::npos ? '\0' : path[last];
    return end == ' '   ? EntryState::TrailingSpace
           : end == '.' ? EntryState::TrailingDot
                        : EntryState::Unreached;
}

} // namespace

EntryState StateOfCheck(const PathCheck& check, std::string_view path, const CheckLimits& limits)
{
    if (!check.kind)
        return check.took >= limits.notAnswering ? EntryState::NotAnswering : EntryState::Checking;
    const bool slow = check.took > limits.slow;
    if (*check.kind == PathKind::Directory)
        return slow ? EntryState::Slow : EntryState::Ok;
    // A share that is down says "not found" only after a long wait, where a
    // folder that is gone says it at once: the user must not take the one
    // for the other, and Clean Up does not pick it. A file, a refusal or a
    // name the search misses is what a live share holds, slow or not.
    if (*check.kind == PathKind::Missing && slow)
        return EntryState::SlowMissing;
    return StateOfProbe(*check.kind, path);
}

std::string SecondsText(std::chrono::milliseconds took)
{
    const long long tenths = (std::max<long long>(took.count(), 0) + 99) / 100;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

bool IsRootedEntry(std::string_view path)
{
    return RootLength(WithoutLongPrefix(path)) != 0;
}

std::string DirectoryKey(std::string_view entry, INameFolder& folder)
{
    const std::string path = WithoutLongPrefix(UnquotedEntry(entry));
    const size_t rootLength = RootLength(path);
    // The root keeps its backslash: "C:" is drive C's current directory, not "C:\".
    std::string key = path.substr(0, rootLength);
    std::replace(key.begin(), key.end(), '/', '\\');
    if (!key.empty() && key.back() != '\\')
        key += '\\';

    std::vector<std::string_view> parts;
    std::string_view rest = std::string_view(path).substr(rootLength);
    while (!rest.empty()) {
        size_t end = rest.find_first_of("\\/");
        std::string_view part = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (part.empty() || part == ".")
            continue;
        if (part == ".." && !parts.empty() && parts.back() != "..")
            parts.pop_back();
        else if (part != ".." || rootLength == 0) // ".." above a root stays at the root
            parts.push_back(part);
    }
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i != 0)
            key += '\\';
        key += parts[i];
    }
    return FoldedName(key, folder);
}

std::string FirstUnexpandedName(std::string_view entry)
{
    for (size_t open = entry.find('%'); open != std::string_view::npos;) {
        size_t close = entry.find('%', open + 1);
        if (close == std::string_view::npos)
            break;
        if (close > open + 1)
            return std::string(entry.substr(open + 1, close - open - 1));
        // "%%" names nothing; its second "%" may open a reference.
        open = close;
    }
    return {};
}

EntryReport EntryJudge::Judge(std::string shown, std::string_view expanded)
{
    EntryReport row;
    row.position = ++position;
    const std::string key = DirectoryKey(expanded, folder);
    const std::string path(UnquotedEntry(expanded));
    const auto [first, isFirst] = firstPosition.emplace(key, position);
    row.variable = FirstUnexpandedName(path);
    if (std::count(expanded.begin(), expanded.end(), '"') % 2 != 0) {
        row.state = EntryState::UnbalancedQuote;
    } else if (path.empty()) {
        row.state = EntryState::Empty;
    } else if (!row.variable.empty()) {
        row.state = EntryState::Unexpanded;
    } else if (!IsRootedEntry(path)) {
        row.state = EntryState::Relative;
    } else {
        const PathCheck check = checks.Check(path);
        row.state = StateOfCheck(check, path, limits);
        row.took = check.took;
        // A later name of a listed directory is its Duplicate, however long it took.
        if (!isFirst && (row.state == EntryState::Ok || row.state == EntryState::Slow)) {
            row.state = EntryState::Duplicate;
            row.duplicateOf = first->second;
        }
    }
    row.entry = std::move(shown);
    return row;
}

bool EntryJudge::Seen(const std::string& key)
{
    return !firstPosition.emplace(key, 0).second;
}

std::vector<EntryReport> ReportDirectoryList(std::string_view listText, const StoredValues& stored,
                                             IPathChecks& checks, INameFolder& folder, CheckLimits limits)
{
    auto keysOf = [&](const std::optional<std::string>& value) {
        std::unordered_set<std::string> keys;
        if (value)
            for (const std::string& entry : DirectoryListEntries(*value))
                keys.insert(DirectoryKey(entry, folder));
        return keys;
    };
    const std::unordered_set<std::string> systemKeys = keysOf(stored.system);
    const std::unordered_set<std::string> userKeys = keysOf(stored.user);

    std::vector<EntryReport> rows;
    EntryJudge judge(checks, folder, limits);
    for (std::string& entry : DirectoryListEntries(listText)) {
        const std::string key = DirectoryKey(entry, folder);
        const std::string expanded = entry;
        EntryReport row = judge.Judge(std::move(entry), expanded);
        row.origin = stored.typed                ? EntryOrigin::Typed
                     : systemKeys.count(key) > 0 ? EntryOrigin::System
                     : userKeys.count(key) > 0   ? EntryOrigin::User
                                                 : EntryOrigin::Process;
        rows.push_back(std::move(row));
    }

    if (stored.typed)
        return rows;
    if (stored.newProcess) {
        for (std::string& entry : DirectoryListEntries(*stored.newProcess)) {
            const std::string key = DirectoryKey(entry, folder);
            if (UnquotedEntry(entry).empty() || judge.Seen(key))
                continue;
            EntryReport row;
            row.entry = std::move(entry);
            row.state = EntryState::NotInProcess;
            row.origin = systemKeys.count(key) > 0 ? EntryOrigin::System : EntryOrigin::User;
            rows.push_back(std::move(row));
        }
    }
    const std::pair<const std::string*, EntryOrigin> otherTypes[] = {
        {&stored.systemOtherType, EntryOrigin::System}, {&stored.userOtherType, EntryOrigin::User}};
    for (const auto& [typeName, origin] : otherTypes) {
        if (typeName->empty())
            continue;
        EntryReport row;
        row.state = EntryState::OtherType;
        row.typeName = *typeName;
        row.origin = origin;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::string> MissingSystemFolders(std::string_view listText, std::string_view systemRoot,
                                              INameFolder& folder)
{
    std::unordered_set<std::string> keys;
    for (const std::string& entry : DirectoryListEntries(listText))
        keys.insert(DirectoryKey(entry, folder));
    std::vector<std::string> missing;
    const std::string root(systemRoot);
    for (const std::string& wanted : {root + "\\System32", root, root + "\\System32\\Wbem"})
        if (keys.count(DirectoryKey(wanted, folder)) == 0)
            missing.push_back(wanted);
    return missing;
}

std::vector<std::string> LostExtensions(std::string_view machine, std::string_view user, INameFolder& folder)
{
    std::unordered_set<std::string> kept;
    for (const std::string& extension : SplitDirectoryList(user))
        kept.insert(FoldedName(extension, folder));
    std::vector<std::string> lost;
    for (std::string& extension : SplitDirectoryList(machine))
        if (kept.insert(FoldedName(extension, folder)).second)
            lost.push_back(std::move(extension));
    return lost;
}

std::vector<std::string> ReportCells(const EntryReport& row, const DirectoryListTexts& texts)
{
    std::string state = TextFor(texts.states, row.state);
    if (row.state == EntryState::Unexpanded || row.state == EntryState::StoredAsText)
        state = FormatWith(state, "%" + row.variable + "%");
    else if (row.state == EntryState::Duplicate)
        state = FormatWith(state, std::to_string(row.duplicateOf));
    else if (row.state == EntryState::OtherType)
        state = FormatWith(state, row.typeName);
    else if (row.state == EntryState::Slow || row.state == EntryState::SlowMissing)
        state = FormatWith(state, SecondsText(row.took));
    return {row.position > 0 ? std::to_string(row.position) : std::string(), row.entry, state,
            TextFor(texts.origins, row.origin)};
}

std::string ReportSummary(const std::vector<EntryReport>& rows, std::string_view listText,
                          const DirectoryListTexts& texts)
{
    size_t counts[entryStateCount] = {};
    size_t entries = 0;
    for (const EntryReport& row : rows) {
        ++counts[static_cast<size_t>(row.state)];
        entries += row.position > 0 ? 1 : 0;
    }
    std::string summary =
        entries == 1 ? texts.oneEntry : FormatWith(texts.entriesFormat, GroupedNumber(entries));
    for (size_t state = 0; state < entryStateCount; ++state)
        if (counts[state] > 0 && state != static_cast<size_t>(EntryState::Ok))
            summary += ", " + FormatWith(TextFor(texts.countFormats, state), GroupedNumber(counts[state]));
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].state != EntryState::UnbalancedQuote || rows[row].position == 0)
            continue;
        int first = 0, last = 0;
        // Up to and with the entry whose odd quote closes it.
        while (++row < rows.size() && rows[row].position > 0) {
            first = first == 0 ? rows[row].position : first;
            last = rows[row].position;
            if (rows[row].state == EntryState::UnbalancedQuote)
                break;
        }
        if (first != 0)
            summary += " " + FormatWith(texts.hides, "#" + std::to_string(first) +
                                                         (last != first ? "-#" + std::to_string(last) : ""));
    }
    const size_t length = Utf16Length(listText);
    summary += "; " + FormatWith(texts.lengthFormat, GroupedNumber(length));
    if (length > commandLineLimit)
        summary += texts.tooLong;
    return summary;
}

std::string ReportTable(const std::vector<EntryReport>& rows, const DirectoryListTexts& texts)
{
    std::string table = texts.headings + "\r\n";
    for (const EntryReport& row : rows) {
        std::vector<std::string> cells = ReportCells(row, texts);
        for (size_t column = 0; column < cells.size(); ++column) {
            std::string& cell = cells[column];
            std::replace_if(
                cell.begin(), cell.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
            table += column == 0 ? cell : "\t" + cell;
        }
        table += "\r\n";
    }
    return table;
}

} // namespace trawl
