#pragma once

#include <optional>
#include <string>
#include <vector>

// The value of an environment variable, whatever its length; nothing when
// the variable is missing or empty.
std::optional<std::string> EnvironmentValue(const std::string& name);

// The names of this process's variables, read in UTF-16 and converted
// exactly; a name the code page cannot carry could not be looked up, and is
// left out.
std::vector<std::string> ProcessVariableNames();
