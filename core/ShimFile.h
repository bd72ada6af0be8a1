#pragma once

// A package manager's shim is a small program that starts another one,
// named in a text file beside it: python.exe reads python.shim, whose
// "path = ..." line names the real program and "args = ..." what it adds
// to the command line.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace trawl {

// Larger than any shim's few lines: such a file is something else.
inline constexpr size_t maxShimBytes = 64 * 1024;

struct ShimTarget {
    std::string path; // quotes taken off
    std::string args; // as written, quotes and all: they belong to the command line
};

// Reads a shim file's bytes: UTF-8 with or without its byte order mark, or
// UTF-16LE with one. Lines of "key = value", keys compared without case;
// blanks around keys and values, and lines that are not key and value, are
// ignored. Nothing for a file over maxShimBytes, text that is not whole
// UTF-8 (or UTF-16) or holds a NUL, a missing or blank path, a quote inside
// it, or a key written twice (which of the two would run is not known).
std::optional<ShimTarget> ParseShimFile(std::string_view bytes);

// The name of the shim file beside a program: "python.exe" -> "python.shim".
std::string ShimFileName(std::string_view programName);

} // namespace trawl
