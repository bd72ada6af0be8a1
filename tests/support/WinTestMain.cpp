#include "framework/Platform.h"

#include <gtest/gtest.h>

// The window tests create real controls from the real resources.
int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
