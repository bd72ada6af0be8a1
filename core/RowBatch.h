#pragma once

#include "DirectorySearch.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace trawl {

// Rows a search listed, kept whole to be listed elsewhere later: a search
// on a worker thread fills one, and the window's thread lists it. Each row
// keeps its cells, so a row is listed complete or not at all.
class RowBatch : public IResultSink {
public:
    void InsertRow(int32_t row, const std::string& path) override;
    void InsertFoundRow(int32_t row, const std::string& path, const FoundEntry& entry) override;
    void SetCell(int32_t row, int column, const std::string& text) override;

    // Lists the rows through sink, in the order they came; the widest path
    // as measure measures it.
    int32_t ListInto(IResultSink& sink, ITextMeasure& measure) const;
    size_t Size() const { return rows.size(); }

private:
    struct Row {
        int32_t number = 0;
        std::string path;
        bool found = false;
        std::string name;
        std::string shortName;
        std::u16string exactName;
        std::u16string exactShortName;
        uint32_t attributes = 0;
        uint64_t size = 0;
        uint64_t lastWriteTime = 0;
        std::vector<std::pair<int, std::string>> cells;
    };
    std::vector<Row> rows;
};

} // namespace trawl
