#include "PoisonAllocator.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr unsigned char freedByte = 0xDD;
constexpr size_t headerSize = 16; // keeps the blocks 16-byte aligned
constexpr size_t heldBlocks = 8192;

struct Held {
    unsigned char* block;
    size_t size;
};

SRWLOCK lock = SRWLOCK_INIT;
Held held[heldBlocks];
size_t nextSlot = 0;
size_t corrupted = 0;

bool StillPoisoned(const Held& entry)
{
    for (size_t i = 0; i < entry.size; ++i)
        if (entry.block[headerSize + i] != freedByte)
            return false;
    return true;
}

// Checks a held block and gives it back to the C heap. Under the lock.
void Release(Held& entry)
{
    if (entry.block == nullptr)
        return;
    if (!StillPoisoned(entry))
        ++corrupted;
    std::free(entry.block);
    entry = {};
}

void* Allocate(size_t size)
{
    auto* block = static_cast<unsigned char*>(std::malloc(headerSize + (size != 0 ? size : 1)));
    if (block == nullptr)
        throw std::bad_alloc();
    std::memcpy(block, &size, sizeof size);
    return block + headerSize;
}

void Free(void* pointer) noexcept
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

} // namespace

namespace poison {

size_t CorruptedFreedBlocks()
{
    AcquireSRWLockExclusive(&lock);
    size_t found = corrupted;
    for (const Held& entry : held)
        if (entry.block != nullptr && !StillPoisoned(entry))
            ++found;
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
    return Allocate(size);
}
void* operator new[](size_t size)
{
    return Allocate(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* pointer) noexcept
{
    Free(pointer);
}
void operator delete[](void* pointer) noexcept
{
    Free(pointer);
}
void operator delete(void* pointer, size_t) noexcept
{
    Free(pointer);
}
void operator delete[](void* pointer, size_t) noexcept
{
    Free(pointer);
}
void operator delete(void* pointer, const std::nothrow_t&) noexcept
{
    Free(pointer);
}
void operator delete[](void* pointer, const std::nothrow_t&) noexcept
{
    Free(pointer);
}
