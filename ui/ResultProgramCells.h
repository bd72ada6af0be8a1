#pragma once

#include "core/ProgramInfo.h"
#include "framework/Platform.h"
#include "ui/FoundFiles.h"

#include <cstdint>
#include <vector>

// The Version and Platform cells of the result list's rows, read from each
// file the first time a cell is asked for (drawn, sorted or copied), not
// while the search lists it: opening every file would cost the search many
// times what listing it does.
class ResultProgramCells {
public:
    // A row whose cells are to be read from its listed file when first asked.
    void Expect(intptr_t itemData, DWORD attributes);
    void Forget();

    // The cells of a row; read now if they have not been. Null for a row
    // that was never expected.
    const trawl::ProgramInfo* Find(intptr_t itemData, const FoundFiles& files);

private:
    struct Row {
        DWORD attributes = 0;
        bool expected = false;
        bool read = false;
        trawl::ProgramInfo info;
    };
    // By item data: the rows' numbers in the order found.
    std::vector<Row> rows;
};
