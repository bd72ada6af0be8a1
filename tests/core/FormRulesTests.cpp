#include "core/FormRules.h"

#include <gtest/gtest.h>

namespace trawl {
namespace {

TEST(FormRules, SearchNeedsAPatternAndACompleteSource)
{
    struct Case {
        const char* name;
        const char* fileName;
        bool useEnvironment;
        bool variableSelected;
        const char* myPath;
        bool ready;
    };
    const Case cases[] = {
        {"variable chosen", "*.exe", true, true, "", true},
        {"no variable chosen", "*.exe", true, false, "C:\\DOS", false},
        {"no pattern", "", true, true, "", false},
        {"typed list", "*.exe", false, false, "C:\\DOS", true},
        {"empty typed list ignores the hidden selection", "*.exe", false, true, "", false},
        {"no pattern in typed mode", "", false, true, "C:\\DOS", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(InputsComplete(c.fileName, c.useEnvironment, c.variableSelected, c.myPath), c.ready);
    }
}

TEST(FormRules, ControlsFollowTheClientSizeButNeverBelowTheFirstSize)
{
    const FormMetrics first{405, 206, 10, 78};
    struct Case {
        const char* name;
        int width, height;
        FormPlacement expected;
    };
    const Case cases[] = {
        {"first size", 405, 206, {385, 118, 395}},
        {"wider and taller", 505, 306, {485, 218, 495}},
        {"smaller", 300, 100, {385, 118, 395}},
        {"narrower but taller", 200, 406, {385, 318, 395}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormPlacement place = PlaceFormControls(first, c.width, c.height);
        EXPECT_EQ(place.listWidth, c.expected.listWidth);
        EXPECT_EQ(place.listHeight, c.expected.listHeight);
        EXPECT_EQ(place.buttonsRight, c.expected.buttonsRight);
    }
}

} // namespace
} // namespace trawl
