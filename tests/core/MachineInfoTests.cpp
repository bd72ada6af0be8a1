#include "core/MachineInfo.h"

#include "support/FakeMachine.h" // GiB, TiB

#include <gtest/gtest.h>

namespace trawl {
namespace {

TEST(MachineInfo, KilobyteFigures)
{
    struct Case {
        const char* pattern;
        uint64_t bytes;
        char letter;
        const char* text;
    };
    const Case cases[] = {
        {"%lu KB", 33554432, '\0', "32768 KB"},
        {"%lu KB", 1023, '\0', "0 KB"},
        {"%lu KB Free on %c:", 10 * GiB, 'C', "10485760 KB Free on C:"},
        // Past 32 bits of KB: the figure is the true one, not its low half.
        {"%lu KB Free on %c:", 5 * TiB, 'F', "5368709120 KB Free on F:"},
        {"%lu KB Free on %c:", 4 * TiB, 'G', "4294967296 KB Free on G:"},
        {"100%% %lu", 2048, '\0', "100% 2"},
        {"%d %s", 2048, 'C', "%d %s"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatKilobytes(c.pattern, c.bytes, c.letter), c.text);
    }
}

} // namespace
} // namespace trawl
