#pragma once

#include <optional>
#include <string>
#include <string_view>

// Replaces the file at path with bytes, whole or not at all: the bytes go to a
// temporary file beside it, which takes the file's place only once everything
// has been written and flushed. A failed write leaves the old file as it was.
// A path that names a device or a pipe (not a regular file) is written
// directly, since renaming over it would replace the device itself.
// Returns nothing on success, otherwise a message for the user in Spanish
// that names the file.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

// "«name»", the way messages quote a file.
std::string QuoteFileName(const std::string& path);

// The reason for errno, in Spanish where we know it.
std::string DescribeErrno(int error);
