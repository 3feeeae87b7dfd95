#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trazel::input {

// The lines of a text file, read a large block at a time so that a file of
// millions of lines never sits in memory whole. A line ends at LF, CR LF or a
// lone CR (old Mac files hold one "line" otherwise). A NUL byte anywhere
// marks the file as binary and ends the reading.
class LineReader {
  public:
    LineReader() = default;
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    ~LineReader();

    // A message for the user when path is not a readable regular file
    // (missing, a folder, a device or pipe, no permission, a path that
    // cannot be followed) or is empty.
    std::optional<std::string> Open(const std::string& path);

    // Back to the start of the file, as just opened; false (and Error() set)
    // when the file cannot be read from its start again.
    bool Rewind();

    // The text of line number, read again from the start: for the message
    // about a fault found only after the line went by, which is rare enough
    // not to keep every line for it. Empty when it cannot be read.
    std::string TextOfLine(long number);

    // The next line without its end; false at the end of the file or on a
    // failure, which Error() then names. The view is valid until the next call.
    bool Next(std::string_view& line);

    // The number of the line Next() gave last, from 1.
    long LineNumber() const { return lineNumber_; }
    std::uint64_t BytesRead() const { return bytesRead_; }
    // The bytes of the file up to the end of the lines Next() has given.
    std::uint64_t Offset() const { return bytesRead_ - (end_ - begin_); }
    std::uint64_t Size() const { return size_; }
    // Set when the reading stopped on a fault rather than at the end.
    const std::optional<std::string>& Error() const { return error_; }

  private:
    bool Fill();

    std::string path_;
    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEof_ = false;
    bool firstBlock_ = true;
    long lineNumber_ = 0;
    std::uint64_t bytesRead_ = 0;
    std::uint64_t size_ = 0;
    std::optional<std::string> error_;
};

// The text without the spaces, tabs and DOS end-of-file bytes around it.
std::string_view TrimSpace(std::string_view text);

}  // namespace trazel::input
