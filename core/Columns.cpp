#include "Columns.h"

namespace trawl {

ColumnKind columnKinds[maxResultColumns] = {};

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
    if (options.showVersion != 0) {
        columns.push_back({"Version", ColumnKind::Version, 14, ColumnAlign::Left});
        columns.push_back({"Platform", ColumnKind::Text, -1, ColumnAlign::Left});
    }
    return columns;
}

int VersionColumnPosition(const DisplayOptions& options)
{
    if (options.showVersion == 0)
        return -1;
    return 1 + (options.showSize != 0) + (options.showDate != 0) + (options.showAttrib != 0);
}

void RecordColumnKinds(const std::vector<ResultColumn>& columns)
{
    for (ColumnKind& kind : columnKinds)
        kind = ColumnKind::Text;
    for (size_t position = 0; position < columns.size() && position < maxResultColumns; ++position)
        columnKinds[position] = columns[position].kind;
}

} // namespace trawl
