#include "ProgramFile.h"

#include <algorithm>
#include <memory>

namespace {

// Not every SDK names these two.
constexpr DWORD recallOnOpen = 0x00040000;
constexpr DWORD recallOnDataAccess = 0x00400000;

class HandleRanges : public trawl::IFileRanges {
public:
    explicit HandleRanges(HANDLE handle) : handle(handle) {}

    size_t ReadAt(uint64_t offset, void* buffer, size_t size) override
    {
        size_t done = 0;
        while (done < size) {
            // The offset goes with each read: the handle's own position is never relied on.
            const uint64_t from = offset + done;
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(from);
            at.OffsetHigh = static_cast<DWORD>(from >> 32);
            const auto chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1 << 20));
            DWORD read = 0;
            if (!ReadFile(handle, static_cast<char*>(buffer) + done, chunk, &read, &at) || read == 0)
                break;
            done += read;
        }
        return done;
    }

private:
    HANDLE handle;
};

} // namespace

trawl::ProgramInfo ReadProgramFile(const std::wstring& exactPath, DWORD attributes)
{
    if (attributes & (FILE_ATTRIBUTE_OFFLINE | recallOnOpen | recallOnDataAccess))
        return {};
    HANDLE opened =
        CreateFileW(exactPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return {};
    std::unique_ptr<void, decltype(&CloseHandle)> handle(opened, &CloseHandle);
    // A pipe or a device under a file's name could block a read for ever.
    if (GetFileType(opened) != FILE_TYPE_DISK)
        return {};
    HandleRanges ranges(opened);
    return trawl::ReadProgramInfo(ranges);
}
