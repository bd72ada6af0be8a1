// The row comparer over random snapshots must be a strict weak order:
// irreflexive, antisymmetric, with transitive order and ties on every
// sample, whatever the cells hold and whichever rows it cannot find.
// The size reader is checked against the standard conversion as well.
#include "core/CellFormat.h"
#include "core/ProgramInfo.h"
#include "core/RowOrder.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

using namespace trawl;

namespace {

class SnapshotSource : public ISortSource {
public:
    const std::string* FindSortCell(intptr_t itemData) const override { return snapshot.FindCell(itemData); }
    SortSnapshot snapshot;
};

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

std::string MakeCell(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 4)) {
    case 0: {
        LocalTime time;
        time.year = input.ConsumeIntegralInRange(1601, 30827);
        time.month = input.ConsumeIntegralInRange(1, 12);
        time.day = input.ConsumeIntegralInRange(1, 31);
        time.hour = input.ConsumeIntegralInRange(0, 23);
        time.minute = input.ConsumeIntegralInRange(0, 59);
        return FormatDateCell(time);
    }
    case 1:
        return FormatSizeCell(input.ConsumeIntegral<uint64_t>());
    case 2:
        return FormatAttributeCell(input.ConsumeIntegral<uint32_t>());
    case 3:
        return FormatVersionCell(input.ConsumeIntegral<uint32_t>(), input.ConsumeIntegral<uint32_t>());
    default:
        return input.ConsumeRandomLengthString(300);
    }
}

void CheckLeadingInteger(const std::string& text)
{
    // strtoll stops at the first NUL; the reader sees the whole text.
    if (text.find('\0') != std::string::npos)
        return;
    errno = 0;
    const long long expected = std::strtoll(text.c_str(), nullptr, 10);
    if (LeadingInteger(text) != expected)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    SnapshotSource source;
    sortTargetList = &source;

    const int column = input.ConsumeIntegralInRange(-1, maxResultColumns);
    for (ColumnKind& kind : columnKinds)
        kind = static_cast<ColumnKind>(input.ConsumeIntegralInRange(0, 4));

    // Item data 0..rows-1; some rows are left out of the snapshot.
    const int rows = input.ConsumeIntegralInRange(1, 8);
    for (int row = 0; row < rows; ++row) {
        const bool listed = input.ConsumeIntegralInRange(0, 7) != 0;
        const std::string cell = MakeCell(input);
        CheckLeadingInteger(cell);
        if (listed)
            source.snapshot.Add(row, cell, row);
    }

    auto compare = [&](int a, int b) { return Sign(CompareRows(a, b, column)); };
    // Names the rows that break the order, for the crash report.
    auto fail = [&](std::initializer_list<int> broken) {
        std::fprintf(stderr, "column %d of kind %d:\n", column,
                     column >= 0 && column < maxResultColumns ? static_cast<int>(columnKinds[column]) : -1);
        for (int first : broken)
            for (int second : broken)
                std::fprintf(stderr, "  compare(%d, %d) = %d\n", first, second, compare(first, second));
        for (int row : broken) {
            const std::string* cell = source.FindSortCell(row);
            std::fprintf(stderr, "  row %d: %s\n", row,
                         cell != nullptr ? ("\"" + *cell + "\"").c_str() : "(none)");
        }
        std::abort();
    };
    // Each pair once; the triples are then checked on the table, which keeps
    // a run cheap enough for millions of samples.
    int order[8][8];
    for (int a = 0; a < rows; ++a)
        for (int b = 0; b < rows; ++b)
            order[a][b] = compare(a, b);
    for (int a = 0; a < rows; ++a) {
        if (order[a][a] != 0)
            fail({a});
        for (int b = 0; b < rows; ++b) {
            if (order[a][b] != -order[b][a])
                fail({a, b});
            for (int c = 0; c < rows; ++c) {
                if (order[a][b] < 0 && order[b][c] < 0 && order[a][c] >= 0)
                    fail({a, b, c});
                if (order[a][b] == 0 && order[b][c] == 0 && order[a][c] != 0)
                    fail({a, b, c});
            }
        }
    }
    sortTargetList = nullptr;
    return 0;
}
