#include "ProgramBehind.h"

#include "core/CommandRuns.h"
#include "core/NameFolder.h"
#include "framework/Platform.h"
#include "ui/CodePageText.h"
#include "ui/FileReach.h"

#include <memory>
#include <vector>

namespace {

// Not every SDK names these.
constexpr DWORD getReparsePoint = 0x000900A8; // FSCTL_GET_REPARSE_POINT
constexpr DWORD maxReparseBytes = 16 * 1024;  // MAXIMUM_REPARSE_DATA_BUFFER_SIZE

using Handle = std::unique_ptr<void, decltype(&CloseHandle)>;

Handle Open(const std::wstring& path, DWORD access, DWORD flags)
{
    HANDLE opened = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, flags, nullptr);
    return Handle(opened == INVALID_HANDLE_VALUE ? nullptr : opened, &CloseHandle);
}

bool Rooted(std::wstring_view path)
{
    return path.starts_with(L"\\\\") || (path.size() >= 3 && path[1] == L':' && path[2] == L'\\');
}

} // namespace

std::optional<trawl::AppExecAlias> ReadAppExecAlias(const FoundFile& file)
{
    if (!IsAppExecAlias(file))
        return std::nullopt;
    const std::optional<std::wstring> path = ExactPath(file);
    if (!path)
        return std::nullopt;
    // The point itself, not what it leads to: an alias cannot be opened as a file.
    const Handle point =
        Open(*path, FILE_READ_ATTRIBUTES, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS);
    if (!point)
        return std::nullopt;
    std::vector<uint8_t> data(maxReparseBytes);
    DWORD got = 0;
    if (!DeviceIoControl(point.get(), getReparsePoint, nullptr, 0, data.data(), maxReparseBytes, &got,
                         nullptr))
        return std::nullopt;
    return trawl::ParseAppExecAlias(std::span<const uint8_t>(data.data(), got));
}

std::optional<ShimBehind> ReadShim(const FoundFile& file)
{
    const std::string name = Wtf8OfWide(file.name);
    if (!trawl::SameAsciiFolded(trawl::SplitProgramName(name).extension, ".exe"))
        return std::nullopt;
    const std::optional<std::wstring> program = ExactPath(file);
    if (!program)
        return std::nullopt;
    const std::wstring shimName = WideOfWtf8(trawl::ShimFileName(name));
    // A name that holds a separator (possible on other file systems) would lead elsewhere.
    if (shimName.find_first_of(L"\\/") != std::wstring::npos)
        return std::nullopt;
    const std::wstring folder = program->substr(0, program->rfind(L'\\') + 1);
    const Handle shim = Open(folder + shimName, GENERIC_READ, FILE_ATTRIBUTE_NORMAL);
    LARGE_INTEGER size{};
    // A pipe or device under the name could hold a read for ever.
    if (!shim || GetFileType(shim.get()) != FILE_TYPE_DISK || !GetFileSizeEx(shim.get(), &size) ||
        size.QuadPart > static_cast<LONGLONG>(trawl::maxShimBytes))
        return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(shim.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        return std::nullopt;
    std::optional<trawl::ShimTarget> target = trawl::ParseShimFile(bytes);
    if (!target)
        return std::nullopt;
    ShimBehind behind{std::move(*target), {}};
    behind.targetPath = WideOfWtf8(behind.target.path);
    if (!Rooted(behind.targetPath))
        behind.targetPath = folder + behind.targetPath;
    behind.targetAttributes = GetFileAttributesW(behind.targetPath.c_str());
    return behind;
}
