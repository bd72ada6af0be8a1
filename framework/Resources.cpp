#include "Resources.h"

#include <vector>

HINSTANCE ResourceInstance()
{
    return GetModuleHandleA(nullptr);
}

std::string LoadResString(UINT id)
{
    std::vector<char> buffer(256);
    for (;;) {
        int length = LoadStringA(ResourceInstance(), id, buffer.data(), static_cast<int>(buffer.size()));
        if (length <= 0)
            return {};
        if (static_cast<size_t>(length) + 1 < buffer.size())
            return std::string(buffer.data(), static_cast<size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}
