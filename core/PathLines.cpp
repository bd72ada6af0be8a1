#include "PathLines.h"

#include "TextCount.h"

namespace trawl {

std::string BreakPathLines(std::string_view path, int maxWidth,
                           const std::function<int(std::string_view)>& width)
{
    if (width(path) <= maxWidth)
        return std::string(path);
    std::string lines;
    size_t lineStart = 0; // of the line being filled, within path
    size_t at = 0;
    auto endLine = [&](size_t end) {
        lines.append(path.substr(lineStart, end - lineStart));
        lines += '\n';
        lineStart = end;
    };
    while (at < path.size()) {
        const size_t slash = path.find('\\', at);
        const size_t pieceEnd = slash == std::string_view::npos ? path.size() : slash + 1;
        if (width(path.substr(lineStart, pieceEnd - lineStart)) <= maxWidth) {
            at = pieceEnd;
            continue;
        }
        if (at > lineStart) {
            endLine(at);
            continue;
        }
        // One piece alone is too wide: as many characters as fit, at least one.
        size_t end = at + FirstCharacters(path.substr(at), 1).size();
        for (;;) {
            const size_t next = end + FirstCharacters(path.substr(end), 1).size();
            if (next > pieceEnd || next == end || width(path.substr(lineStart, next - lineStart)) > maxWidth)
                break;
            end = next;
        }
        at = end;
        if (at < path.size())
            endLine(at);
    }
    lines.append(path.substr(lineStart));
    return lines;
}

} // namespace trawl
