#pragma once

#include "core/DirectoryList.h"

#include <optional>
#include <string>

// A variable's values as the registry stores them for new processes: the
// machine's and the user's, each expanded as a new process would see it;
// nothing for a store that does not hold the variable.
trawl::StoredValues StoredVariableValues(const std::string& name);
