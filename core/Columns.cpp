#include "Columns.h"

namespace trawl {

ColumnKind columnKinds[maxResultColumns] = {ColumnKind::Text, ColumnKind::Text, ColumnKind::Text,
                                            ColumnKind::Text};

std::vector<ResultColumn> BuildColumnSet(const DisplayOptions& options)
{
    std::vector<ResultColumn> columns;
    columns.push_back({"Files", ColumnKind::Text, 80, ColumnAlign::Left});
    if (options.showSize != 0)
        columns.push_back({"Size", ColumnKind::Size, 12, ColumnAlign::Right});
    if (options.showDate != 0)
        columns.push_back({"Date Modify", ColumnKind::Date, 20, ColumnAlign::Left});
    if (options.showAttrib != 0)
        columns.push_back({"Attribute", ColumnKind::Attribute, -1, ColumnAlign::Left});
    return columns;
}

void RecordColumnKinds(const std::vector<ResultColumn>& columns)
{
    for (ColumnKind& kind : columnKinds)
        kind = ColumnKind::Text;
    for (size_t position = 0; position < columns.size() && position < maxResultColumns; ++position)
        columnKinds[position] = columns[position].kind;
}

} // namespace trawl
