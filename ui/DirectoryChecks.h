#pragma once

#include "core/DirectoryList.h"
#include "framework/Platform.h"

#include <memory>
#include <string>

// How the Directory List checks its entries: the system's probe and the
// product's limits, unless a test puts in its own.
struct DirectoryCheckSetup {
    std::shared_ptr<trawl::IDirectoryProbe> probe; // Win32DirectoryProbe when none
    trawl::CheckLimits limits;
};

// Checks each path once, on worker threads, so that a share that does not
// answer never holds the dialog. Asked on the dialog's thread only. Workers
// touch nothing but the state they share with it; while a window is
// attached they post it one message for whatever results came in, until it
// has drained them.
class DirectoryChecks : public trawl::IPathChecks {
public:
    explicit DirectoryChecks(const DirectoryCheckSetup& setup);
    ~DirectoryChecks() override;
    DirectoryChecks(const DirectoryChecks&) = delete;
    DirectoryChecks& operator=(const DirectoryChecks&) = delete;

    void Attach(HWND window, UINT message);
    // Nothing is posted from now on; workers still blocked end on their own.
    void Detach();
    // What is known so far; a path not asked before is queued for its check.
    trawl::PathCheck Check(const std::string& path) override;
    // The posted message is handled: the next result posts again.
    void Drained();
    // Frees the places of checks that have run past the limit, so that a
    // dead share cannot hold every worker; true when any passed it now.
    bool PassLimits();
    // Whether a check is queued or runs within the limit.
    bool Running() const;

private:
    struct Board;
    std::shared_ptr<Board> board;
};
