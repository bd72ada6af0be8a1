#include "core/DeleteRules.h"
#include "core/TextFill.h"

#include <gtest/gtest.h>

namespace {

using trawl::DeleteFailureLine;

TEST(DeleteRules, OfferedForNoBitsOrTheArchiveBit)
{
    const std::pair<uint32_t, bool> cases[] = {
        {0x00, true},  {0x20, true},  {0x21, true},  {0x27, true}, // archive, whatever else
        {0x01, false}, {0x02, false}, {0x04, false}, {0x10, false}, {0x07, false},
    };
    for (const auto& [attributes, allowed] : cases)
        EXPECT_EQ(trawl::DeleteAllowed(attributes), allowed) << attributes;
}

TEST(DeleteRules, EachCauseHasItsLineOrItsNumber)
{
    const std::pair<int, DeleteFailureLine> cases[] = {
        {2, DeleteFailureLine::NotFound},     {3, DeleteFailureLine::BadPath},
        {5, DeleteFailureLine::AccessDenied}, {6, DeleteFailureLine::InvalidFile},
        {11, DeleteFailureLine::Sharing},     {12, DeleteFailureLine::Locking},
        {0, DeleteFailureLine::ByNumber},     {1, DeleteFailureLine::ByNumber},
        {4, DeleteFailureLine::ByNumber},     {7, DeleteFailureLine::ByNumber},
        {13, DeleteFailureLine::ByNumber},    {14, DeleteFailureLine::ByNumber},
    };
    for (const auto& [cause, line] : cases)
        EXPECT_EQ(trawl::FailureLineFor(cause), line) << cause;
}

TEST(TextFill, FirstPlaceholderOnlyAndTheValueIsNeverAPattern)
{
    EXPECT_EQ(trawl::FillIn("File: %s\nError=%ld", "%ld", "5"), "File: %s\nError=5");
    EXPECT_EQ(trawl::FillIn("File: %s\nError=5", "%s", "C:\\%s%ld"), "File: C:\\%s%ld\nError=5");
    EXPECT_EQ(trawl::FillIn("Wins over %d other copies", "%d", "3"), "Wins over 3 other copies");
    EXPECT_EQ(trawl::FillIn("no placeholder", "%s", "x"), "no placeholder");
}

} // namespace
