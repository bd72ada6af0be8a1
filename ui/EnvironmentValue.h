#pragma once

#include <optional>
#include <string>

// The value of an environment variable, whatever its length; nothing when
// the variable is missing or empty.
std::optional<std::string> EnvironmentValue(const std::string& name);
