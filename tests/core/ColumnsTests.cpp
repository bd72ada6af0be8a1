#include "core/Columns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace trawl {
namespace {

using K = ColumnKind;

struct ColumnsCase {
    const char* name;
    DisplayOptions options;
    std::vector<const char*> headings;
    std::array<ColumnKind, maxResultColumns> kinds;
};

TEST(Columns, SetFollowsOptionsAndKindsAreRecordedByPosition)
{
    const ColumnsCase cases[] = {
        {"none", {0, 0, 0}, {"Files"}, {K::Text, K::Text, K::Text, K::Text}},
        {"all",
         {1, 1, 1},
         {"Files", "Size", "Date Modify", "Attribute"},
         {K::Text, K::Size, K::Date, K::Attribute}},
        {"date and attribute",
         {0, 1, 1},
         {"Files", "Date Modify", "Attribute"},
         {K::Text, K::Date, K::Attribute, K::Text}},
        {"size only", {1, 0, 0}, {"Files", "Size"}, {K::Text, K::Size, K::Text, K::Text}},
        {"size, attribute and version",
         {1, 0, 1, 1},
         {"Files", "Size", "Attribute", "Version", "Platform"},
         {K::Text, K::Size, K::Attribute, K::Version, K::Text}},
        {"version only", {0, 0, 0, 7}, {"Files", "Version", "Platform"}, {K::Text, K::Version, K::Text}},
        {"odd nonzero values",
         {5, -1, 2},
         {"Files", "Size", "Date Modify", "Attribute"},
         {K::Text, K::Size, K::Date, K::Attribute}},
    };
    for (const ColumnsCase& c : cases) {
        SCOPED_TRACE(c.name);
        // Start from a full set so stale kinds would show.
        RecordColumnKinds(BuildColumnSet({1, 1, 1, 1}));

        std::vector<ResultColumn> columns = BuildColumnSet(c.options);
        ASSERT_EQ(columns.size(), c.headings.size());
        for (size_t i = 0; i < columns.size(); ++i)
            EXPECT_EQ(columns[i].heading, c.headings[i]);

        RecordColumnKinds(columns);
        for (int i = 0; i < maxResultColumns; ++i)
            EXPECT_EQ(columnKinds[i], c.kinds[i]) << "position " << i;
        const auto version = std::find(c.headings.begin(), c.headings.end(), std::string_view("Version"));
        EXPECT_EQ(VersionColumnPosition(c.options),
                  version == c.headings.end() ? -1 : static_cast<int>(version - c.headings.begin()));
    }
}

TEST(Columns, WidthAndAlignmentOfEachColumn)
{
    struct Case {
        const char* heading;
        int widthSpec;
        ColumnAlign align;
    };
    const Case expected[] = {
        {"Files", 80, ColumnAlign::Left},       {"Size", 12, ColumnAlign::Right},
        {"Date Modify", 20, ColumnAlign::Left}, {"Attribute", -1, ColumnAlign::Left},
        {"Version", 14, ColumnAlign::Left},     {"Platform", -1, ColumnAlign::Left},
    };
    std::vector<ResultColumn> columns = BuildColumnSet({1, 1, 1, 1});
    ASSERT_EQ(columns.size(), std::size(expected));
    for (size_t i = 0; i < columns.size(); ++i) {
        SCOPED_TRACE(expected[i].heading);
        EXPECT_EQ(columns[i].heading, expected[i].heading);
        EXPECT_EQ(columns[i].widthSpec, expected[i].widthSpec);
        EXPECT_EQ(columns[i].align, expected[i].align);
    }
}

TEST(Columns, KindsBeyondTheLastPositionAreIgnored)
{
    std::vector<ResultColumn> columns = BuildColumnSet({1, 1, 1, 1});
    columns.push_back({"Extra", K::Size, 10, ColumnAlign::Left});
    RecordColumnKinds(columns);
    EXPECT_EQ(columnKinds[maxResultColumns - 1], K::Text);
}

} // namespace
} // namespace trawl
