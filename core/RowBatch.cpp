#include "RowBatch.h"

#include <algorithm>

namespace trawl {

RowBatch::Span RowBatch::Keep(std::string_view value)
{
    const Span span{text.size(), value.size()};
    text += value;
    return span;
}

RowBatch::Span RowBatch::KeepWide(std::u16string_view value)
{
    const Span span{wide.size(), value.size()};
    wide += value;
    return span;
}

void RowBatch::InsertRow(int32_t row, const std::string& path)
{
    Row& added = rows.emplace_back();
    added.number = row;
    added.path = Keep(path);
    added.firstCell = cells.size();
}

void RowBatch::InsertFoundRow(int32_t row, const std::string& path, const FoundEntry& entry)
{
    // The entry's views die with the call that reports it: the batch keeps copies.
    InsertRow(row, path);
    Row& added = rows.back();
    added.found = true;
    added.attributes = entry.attributes;
    added.size = entry.size;
    added.lastWriteTime = entry.lastWriteTime;
    added.reparseTag = entry.reparseTag;
    added.name = Keep(entry.name);
    added.shortName = Keep(entry.shortName);
    added.exactName = KeepWide(entry.exactName);
    added.exactShortName = KeepWide(entry.exactShortName);
}

void RowBatch::SetCell(int32_t row, int column, const std::string& value)
{
    // Cells follow their row's insertion; a cell of another row has none to go with.
    if (!rows.empty() && rows.back().number == row)
        cells.push_back(Cell{column, Keep(value)});
}

void RowBatch::MarkAppPathsRow(int32_t row, AppPathsHive hive)
{
    if (!rows.empty() && rows.back().number == row)
        rows.back().appPaths = hive;
}

int32_t RowBatch::ListInto(IResultSink& sink, ITextMeasure& measure) const
{
    int32_t widest = 0;
    // The sink takes strings: two, reused, keep the listing free of allocations.
    std::string path;
    std::string cell;
    const std::u16string_view wideText(wide);
    for (size_t at = 0; at < rows.size(); ++at) {
        const Row& row = rows[at];
        path.assign(View(row.path));
        if (row.found)
            sink.InsertFoundRow(
                row.number, path,
                FoundEntry{View(row.name), row.attributes, row.size, row.lastWriteTime, View(row.shortName),
                           wideText.substr(row.exactName.start, row.exactName.length),
                           wideText.substr(row.exactShortName.start, row.exactShortName.length),
                           row.reparseTag});
        else
            sink.InsertRow(row.number, path);
        const size_t endCell = at + 1 < rows.size() ? rows[at + 1].firstCell : cells.size();
        for (size_t c = row.firstCell; c < endCell; ++c) {
            cell.assign(View(cells[c].text));
            sink.SetCell(row.number, cells[c].column, cell);
        }
        if (row.appPaths)
            sink.MarkAppPathsRow(row.number, *row.appPaths);
        widest = std::max(widest, measure.TextWidth(path));
    }
    return widest;
}

} // namespace trawl
