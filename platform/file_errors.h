#pragma once

#include <string>
#include <utility>

#include "platform/status.h"

namespace trazel::platform {

// "«name»", the way messages quote a file.
std::string QuoteFileName(const std::string& path);

// The reason for errno, in Spanish where we know it.
std::string DescribeErrno(int error);

// What was being done to a file when it failed.
enum class FileOperation {
    Open,          // opening a file to write it: "No se pudo abrir el archivo «…»: …"
    Write,         // writing or replacing it: "No se pudo escribir el archivo «…»: …"
    OpenDocument,  // opening a document to read: "No se pudo abrir «…»: …"
    Read,          // reading a spectrum or a band list: "No se pudo leer «…»: …"
};

// The message for the user when operation failed on the file the user calls
// path, with the reason (the text of errno, or one of our own).
Status FileFailure(FileOperation operation, const std::string& path, const std::string& reason);
Status FileFailure(FileOperation operation, const std::string& path, int error);

// Where a writer puts its bytes, and the name its messages give the file:
// the file the user named, also while the bytes go to a temporary file
// beside it. Empty: the messages name path.
struct WriteTarget {
    WriteTarget(std::string path) : path(std::move(path)) {}  // NOLINT: a path is a target
    WriteTarget(const char* path) : path(path) {}             // NOLINT: a path is a target
    WriteTarget(std::string path, std::string shown)
        : path(std::move(path)), shown(std::move(shown)) {}

    // The name for messages.
    const std::string& Shown() const { return shown.empty() ? path : shown; }

    std::string path;
    std::string shown;
};

}  // namespace trazel::platform
