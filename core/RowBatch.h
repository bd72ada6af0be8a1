#pragma once

#include "DirectorySearch.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trawl {

// Rows a search listed, kept whole to be listed elsewhere later: a search
// on a worker thread fills one, and the window's thread lists it. Each row
// keeps its cells, so a row is listed complete or not at all. The texts lie
// end to end in two strings: a batch of rows costs a few allocations, not
// several per row.
class RowBatch : public IResultSink {
public:
    void InsertRow(int32_t row, const std::string& path) override;
    void InsertFoundRow(int32_t row, const std::string& path, const FoundEntry& entry) override;
    void SetCell(int32_t row, int column, const std::string& text) override;
    void MarkAppPathsRow(int32_t row, AppPathsHive hive) override;

    // Lists the rows through sink, in the order they came; the widest path
    // as measure measures it.
    int32_t ListInto(IResultSink& sink, ITextMeasure& measure) const;
    size_t Size() const { return rows.size(); }

private:
    struct Span {
        size_t start = 0;
        size_t length = 0;
    };
    struct Row {
        int32_t number = 0;
        bool found = false;
        std::optional<AppPathsHive> appPaths;
        uint32_t attributes = 0;
        uint64_t size = 0;
        uint64_t lastWriteTime = 0;
        uint32_t reparseTag = 0;
        Span path, name, shortName;
        Span exactName, exactShortName; // in wide
        size_t firstCell = 0;
    };
    struct Cell {
        int column = 0;
        Span text;
    };
    Span Keep(std::string_view value);
    Span KeepWide(std::u16string_view value);
    std::string_view View(Span span) const { return std::string_view(text).substr(span.start, span.length); }

    std::vector<Row> rows;
    std::vector<Cell> cells;
    std::string text;
    std::u16string wide;
};

} // namespace trawl
