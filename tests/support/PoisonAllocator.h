#pragma once

#include <cstddef>

// Linked into a test program, replaces the global operator new and delete:
// freed blocks are filled with a pattern and held back for a while instead of
// being reused, so a write into an object after its deletion shows up as a
// changed pattern.
namespace poison {

// Freed blocks still held whose pattern was overwritten since they were freed.
size_t CorruptedFreedBlocks();
// Releases the held blocks (checking them first) and forgets what was found.
void Reset();

} // namespace poison
