#include "DeleteRules.h"

#include "CellFormat.h"

namespace trawl {

bool DeleteAllowed(uint32_t attributes)
{
    return attributes == 0 || (attributes & attribute::archive) != 0;
}

DeleteFailureLine FailureLineFor(int cause)
{
    switch (cause) {
    case 2:
        return DeleteFailureLine::NotFound;
    case 3:
        return DeleteFailureLine::BadPath;
    case 5:
        return DeleteFailureLine::AccessDenied;
    case 6:
        return DeleteFailureLine::InvalidFile;
    case 11:
        return DeleteFailureLine::Sharing;
    case 12:
        return DeleteFailureLine::Locking;
    default:
        return DeleteFailureLine::ByNumber;
    }
}

} // namespace trawl
