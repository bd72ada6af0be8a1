#include "DirectoryChecks.h"

#include "ui/Win32DirectoryProbe.h"

#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace {

using Clock = std::chrono::steady_clock;

// Checks that run at once. A share's lookup waits on the network, not on a
// processor, so more than the processors; a check past the limit gives its
// place to a new worker.
constexpr int workerCap = 4;

std::chrono::milliseconds Milliseconds(Clock::duration duration)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(duration);
}

} // namespace

struct DirectoryChecks::Board {
    struct Path {
        std::optional<trawl::PathKind> kind;
        Clock::time_point started;
        Clock::duration took{};
        bool begun = false;
        bool writtenOff = false; // past the limit: its worker no longer counts
    };

    std::mutex lock;
    std::shared_ptr<trawl::IDirectoryProbe> probe;
    trawl::CheckLimits limits;
    HWND window = nullptr;
    UINT message = 0;
    bool posted = false;
    // Values stay where they are as the map grows: a worker keeps its path's.
    std::unordered_map<std::string, Path> paths;
    std::deque<std::string> waiting;
    int workers = 0; // those that count against the cap
    int busy = 0;    // checks that hold a counted worker

    // Under the lock.
    static void Spawn(const std::shared_ptr<Board>& board);
    static void Work(std::shared_ptr<Board> board);
};

void DirectoryChecks::Board::Spawn(const std::shared_ptr<Board>& board)
{
    while (board->workers < workerCap &&
           board->workers < board->busy + static_cast<int>(board->waiting.size())) {
        try {
            std::thread(&Board::Work, board).detach();
        } catch (const std::system_error&) {
            return; // tried again at the next pass of the limits
        }
        ++board->workers;
    }
}

void DirectoryChecks::Board::Work(std::shared_ptr<Board> board)
{
    std::unique_lock hold(board->lock);
    while (!board->waiting.empty()) {
        const std::string path = std::move(board->waiting.front());
        board->waiting.pop_front();
        Path& checked = board->paths[path];
        checked.started = Clock::now();
        checked.begun = true;
        ++board->busy;
        hold.unlock();
        trawl::PathKind kind = trawl::PathKind::Missing;
        try {
            kind = board->probe->Probe(path);
        } catch (...) {
            // Nothing leaves a thread: a check that failed found nothing.
        }
        hold.lock();
        checked.kind = kind;
        checked.took = Clock::now() - checked.started;
        if (board->window != nullptr && !board->posted)
            board->posted = PostMessageA(board->window, board->message, 0, 0) != FALSE;
        if (checked.writtenOff)
            return; // its place went to another worker
        --board->busy;
    }
    --board->workers;
}

DirectoryChecks::DirectoryChecks(const DirectoryCheckSetup& setup) : board(std::make_shared<Board>())
{
    board->probe = setup.probe != nullptr ? setup.probe : std::make_shared<Win32DirectoryProbe>();
    board->limits = setup.limits;
}

DirectoryChecks::~DirectoryChecks()
{
    Detach();
}

void DirectoryChecks::Attach(HWND window, UINT message)
{
    std::lock_guard hold(board->lock);
    board->window = window;
    board->message = message;
    board->posted = false;
}

void DirectoryChecks::Detach()
{
    std::lock_guard hold(board->lock);
    board->window = nullptr;
}

trawl::PathCheck DirectoryChecks::Check(const std::string& path)
{
    std::lock_guard hold(board->lock);
    auto [at, added] = board->paths.try_emplace(path);
    if (added) {
        board->waiting.push_back(path);
        Board::Spawn(board);
    }
    const Board::Path& checked = at->second;
    if (checked.kind)
        return {checked.kind, Milliseconds(checked.took)};
    return {std::nullopt,
            checked.begun ? Milliseconds(Clock::now() - checked.started) : std::chrono::milliseconds{}};
}

void DirectoryChecks::Drained()
{
    std::lock_guard hold(board->lock);
    board->posted = false;
}

bool DirectoryChecks::PassLimits()
{
    std::lock_guard hold(board->lock);
    const Clock::time_point now = Clock::now();
    bool passed = false;
    for (auto& [path, checked] : board->paths) {
        if (!checked.begun || checked.kind || checked.writtenOff ||
            now - checked.started < board->limits.notAnswering)
            continue;
        checked.writtenOff = true;
        --board->busy;
        --board->workers;
        passed = true;
    }
    Board::Spawn(board);
    return passed;
}

bool DirectoryChecks::Running() const
{
    std::lock_guard hold(board->lock);
    return board->busy > 0 || !board->waiting.empty();
}
