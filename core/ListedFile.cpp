#include "ListedFile.h"

namespace trawl {

std::string_view ListedFileName(std::string_view path)
{
    const size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
}

} // namespace trawl
