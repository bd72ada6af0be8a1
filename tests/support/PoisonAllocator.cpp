#include "PoisonAllocator.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>

// Only the plain and the sized forms are replaced: the C++ library, linked
// statically, builds the array and nothrow forms on these.
namespace {

constexpr unsigned char freedByte = 0xDD;
constexpr size_t headerSize = 16; // keeps the blocks 16-byte aligned
constexpr size_t heldBlocks = 8192;

struct Held {
    unsigned char* block;
    size_t size;

    bool Overwritten() const
    {
        return block != nullptr && std::any_of(block + headerSize, block + headerSize + size,
                                               [](auto b) { return b != freedByte; });
    }
};

SRWLOCK lock = SRWLOCK_INIT;
Held held[heldBlocks];
size_t nextSlot = 0;
size_t corrupted = 0;

// Checks a held block and gives it back to the C heap. Under the lock.
void Release(Held& entry)
{
    corrupted += entry.Overwritten();
    std::free(entry.block);
    entry = {};
}

} // namespace

namespace poison {

size_t CorruptedFreedBlocks()
{
    AcquireSRWLockExclusive(&lock);
    const size_t found = corrupted + std::count_if(std::begin(held), std::end(held),
                                                   [](const Held& entry) { return entry.Overwritten(); });
    ReleaseSRWLockExclusive(&lock);
    return found;
}

void Reset()
{
    AcquireSRWLockExclusive(&lock);
    for (Held& entry : held)
        Release(entry);
    corrupted = 0;
    ReleaseSRWLockExclusive(&lock);
}

} // namespace poison

void* operator new(size_t size)
{
    auto* block = static_cast<unsigned char*>(std::malloc(headerSize + (size != 0 ? size : 1)));
    if (block == nullptr)
        throw std::bad_alloc();
    std::memcpy(block, &size, sizeof size);
    return block + headerSize;
}

void operator delete(void* pointer) noexcept
{
    if (pointer == nullptr)
        return;
    auto* block = static_cast<unsigned char*>(pointer) - headerSize;
    size_t size = 0;
    std::memcpy(&size, block, sizeof size);
    std::memset(pointer, freedByte, size);
    AcquireSRWLockExclusive(&lock);
    Release(held[nextSlot]);
    held[nextSlot] = {block, size};
    nextSlot = (nextSlot + 1) % heldBlocks;
    ReleaseSRWLockExclusive(&lock);
}

void operator delete(void* pointer, size_t) noexcept
{
    operator delete(pointer);
}
