#include "TrawlSession.h"

#include "support/PoisonAllocator.h"

#include "res/resource.h"

#include <functional>

namespace {

using Exit = TrawlSession;

// This program is linked with the poisoning allocator: a write into the frame
// after the close deleted it changes the pattern of a freed block.
TEST_F(Exit, EveryWayOutLeavesTheFreedWindowsAlone)
{
    struct Case {
        const char* name;
        std::function<void()> close;
    };
    const Case cases[] = {
        {"WM_CLOSE", [this] { SendMessageA(frameWindow, WM_CLOSE, 0, 0); }},
        {"close box", [this] { SendMessageA(frameWindow, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"File Exit", [this] { SendMessageA(frameWindow, WM_COMMAND, ID_APP_EXIT, 0); }},
        {"F3", [this] { PressKey(VK_F3); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        poison::Reset();
        c.close();
        EXPECT_EQ(IsWindow(frameWindow), FALSE);
        Stop();
        EXPECT_EQ(poison::CorruptedFreedBlocks(), 0u);
    }
}

} // namespace
