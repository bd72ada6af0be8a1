#include "core/MachineInfo.h"

#include "support/FakeMachine.h"

#include <gtest/gtest.h>

namespace trawl {
namespace {

const DriveTexts texts{"%lu KB Free on %c:", "Unavailable", "CD-ROM drive"};

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

TEST(MachineInfo, ExampleMachineListsItsFourDrivesInLetterOrder)
{
    FakeMachine machine;
    machine.Add('A', DriveKind::Other)
        .Add('G', DriveKind::Network, {}, "\\\\server\\share")
        .Add('C', DriveKind::Fixed, 10 * GiB)
        .Add('D', DriveKind::CdRom)
        .Add('E', DriveKind::Other)
        .Add('F', DriveKind::Fixed, 5 * TiB);
    const std::vector<DriveRow> rows = ListDrives(machine, texts);
    ASSERT_EQ(rows.size(), 4u);
    const DriveRow expected[] = {
        {"C:\\", fixedDiskImage, "10485760 KB Free on C:"},
        {"D:\\", cdRomImage, "CD-ROM drive"},
        {"F:\\", fixedDiskImage, "5368709120 KB Free on F:"},
        {"G:\\", networkImage, "\\\\server\\share"},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].root, expected[i].root);
        EXPECT_EQ(rows[i].image, expected[i].image);
        EXPECT_EQ(rows[i].detail, expected[i].detail);
    }
}

TEST(MachineInfo, FailedQueriesAndDrivesNeverListed)
{
    FakeMachine machine;
    // Fixed drives on A: and B: are still left out; Z: is the last letter.
    machine.Add('A', DriveKind::Fixed, GiB)
        .Add('B', DriveKind::Fixed, GiB)
        .Add('H', DriveKind::Fixed)
        .Add('N', DriveKind::Network)
        .Add('Z', DriveKind::Fixed, 0);
    const std::vector<DriveRow> rows = ListDrives(machine, texts);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].root, "H:\\");
    EXPECT_EQ(rows[0].detail, "Unavailable");
    EXPECT_EQ(rows[1].root, "N:\\");
    EXPECT_EQ(rows[1].image, networkImage);
    EXPECT_EQ(rows[1].detail, "");
    EXPECT_EQ(rows[2].detail, "0 KB Free on Z:");
}

} // namespace
} // namespace trawl
