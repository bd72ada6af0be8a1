#pragma once

#include <cstdint>

namespace trawl {

// Whether a file with this attribute byte may be deleted: no bits at all, or
// the archive bit among them, whatever else is set.
bool DeleteAllowed(uint32_t attributes);

// The line that explains a failed deletion, by the framework's cause code
// (2 not found, 3 bad path, 5 access denied, 6 invalid file, 11 sharing,
// 12 locking); every other cause is shown by its number.
enum class DeleteFailureLine { ByNumber, NotFound, BadPath, AccessDenied, InvalidFile, Sharing, Locking };
DeleteFailureLine FailureLineFor(int cause);

} // namespace trawl
