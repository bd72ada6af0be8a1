#include "RowBatch.h"

#include <algorithm>

namespace trawl {

void RowBatch::InsertRow(int32_t row, const std::string& path)
{
    Row& added = rows.emplace_back();
    added.number = row;
    added.path = path;
}

void RowBatch::InsertFoundRow(int32_t row, const std::string& path, const FoundEntry& entry)
{
    // The entry's views die with the call that reports it: the batch owns copies.
    Row& added = rows.emplace_back();
    added.number = row;
    added.path = path;
    added.found = true;
    added.name = entry.name;
    added.shortName = entry.shortName;
    added.exactName = entry.exactName;
    added.exactShortName = entry.exactShortName;
    added.attributes = entry.attributes;
    added.size = entry.size;
    added.lastWriteTime = entry.lastWriteTime;
}

void RowBatch::SetCell(int32_t row, int column, const std::string& text)
{
    // Cells follow their row's insertion; a cell of another row has none to go with.
    if (!rows.empty() && rows.back().number == row)
        rows.back().cells.emplace_back(column, text);
}

int32_t RowBatch::ListInto(IResultSink& sink, ITextMeasure& measure) const
{
    int32_t widest = 0;
    for (const Row& row : rows) {
        if (row.found)
            sink.InsertFoundRow(row.number, row.path,
                                FoundEntry{row.name, row.attributes, row.size, row.lastWriteTime,
                                           row.shortName, row.exactName, row.exactShortName});
        else
            sink.InsertRow(row.number, row.path);
        for (const auto& [column, text] : row.cells)
            sink.SetCell(row.number, column, text);
        widest = std::max(widest, measure.TextWidth(row.path));
    }
    return widest;
}

} // namespace trawl
