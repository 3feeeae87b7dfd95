#include "input/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "input/read_result.h"
#include "platform/file_errors.h"
#include "platform/translation.h"

using namespace trazel::platform;

namespace trazel::input {

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 20;
// A "line" longer than this is not text anyone typed or a program wrote as
// columns; refusing it bounds the memory a hostile file can take.
constexpr std::size_t kMaxLine = std::size_t{16} << 20;

}  // namespace

LineReader::~LineReader() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

std::optional<std::string> LineReader::Open(const std::string& path) {
    path_ = path;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        return FileProblem(path, TRAZEL_TR("LineReader", "el archivo no existe"));
    }
    // A link loop, a folder on the way without search permission or a name
    // too long: the reason is the system's, not the kind of file.
    if (ec) {
        return FileProblem(path, DescribeErrno(ec.value()));
    }
    if (std::filesystem::is_directory(status)) {
        return FileProblem(path, TRAZEL_TR("LineReader", "es una carpeta, no un archivo"));
    }
    // A pipe would wait for a writer without end, and a device never ends.
    if (!std::filesystem::is_regular_file(status)) {
        return FileProblem(
            path, TRAZEL_TR("LineReader",
                            "no es un archivo sino un dispositivo, una tubería o un socket"));
    }
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) {
        return FileProblem(path, DescribeErrno(errno));
    }
    size_ = std::filesystem::file_size(path, ec);
    if (ec || size_ == 0) {
        return FileProblem(path, TRAZEL_TR("LineReader", "el archivo está vacío"));
    }
    // A small file needs no large block; a file that grows while it is read
    // still gets its lines, as the buffer grows for a long line.
    buffer_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, size_ + 1)));
    return std::nullopt;
}

bool LineReader::Rewind() {
    if (file_ == nullptr) {
        return false;
    }
    error_.reset();
    if (std::fseek(file_, 0, SEEK_SET) != 0) {
        error_ = FileProblem(path_, DescribeErrno(errno));
        return false;
    }
    std::clearerr(file_);
    begin_ = end_ = 0;
    atEof_ = false;
    firstBlock_ = true;
    lineNumber_ = 0;
    bytesRead_ = 0;
    return true;
}

std::string LineReader::TextOfLine(long number) {
    std::string_view line;
    if (Rewind()) {
        while (Next(line)) {
            if (lineNumber_ == number) {
                return std::string(line);
            }
        }
    }
    return {};
}

bool LineReader::Fill() {
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size()) {
        if (buffer_.size() >= kMaxLine) {
            error_ = FileProblem(
                path_, platform::Fill(
                           TRAZEL_TR("LineReader", "la línea %1 es demasiado larga para ser texto"),
                           {std::to_string(lineNumber_ + 1)}));
            return false;
        }
        buffer_.resize(buffer_.size() * 2);
    }
    const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    if (got == 0) {
        if (std::ferror(file_) != 0) {
            error_ = FileProblem(path_, DescribeErrno(errno != 0 ? errno : EIO));
            return false;
        }
        atEof_ = true;
        return true;
    }
    char* fresh = buffer_.data() + end_;
    if (std::memchr(fresh, '\0', got) != nullptr) {
        error_ = FileProblem(path_, TRAZEL_TR("LineReader", "parece un archivo binario, no texto"));
        return false;
    }
    // A byte-order mark is how some editors start a UTF-8 file; it is not text.
    if (firstBlock_ && got >= 3 && std::memcmp(fresh, "\xEF\xBB\xBF", 3) == 0) {
        begin_ += 3;
    }
    firstBlock_ = false;
    end_ += got;
    bytesRead_ += got;
    return true;
}

bool LineReader::Next(std::string_view& line) {
    if (file_ == nullptr || error_) {
        return false;
    }
    for (;;) {
        const char* first = buffer_.data() + begin_;
        const char* last = buffer_.data() + end_;
        // LF ends most lines; a CR before it ends the line there (CR LF, or
        // a lone CR of an old Mac file).
        const auto* lf = static_cast<const char*>(
            std::memchr(first, '\n', static_cast<std::size_t>(last - first)));
        const char* limit = lf != nullptr ? lf : last;
        const auto* cr = static_cast<const char*>(
            std::memchr(first, '\r', static_cast<std::size_t>(limit - first)));
        const char* eol = cr != nullptr ? cr : limit;
        if (eol != last) {
            // A CR at the end of the block may be the first half of CR LF.
            if (*eol == '\r' && eol + 1 == last && !atEof_) {
                if (!Fill()) {
                    return false;
                }
                continue;
            }
            line = std::string_view(first, static_cast<std::size_t>(eol - first));
            std::size_t next = static_cast<std::size_t>(eol - buffer_.data()) + 1;
            if (*eol == '\r' && next < end_ && buffer_[next] == '\n') {
                ++next;
            }
            begin_ = next;
            ++lineNumber_;
            return true;
        }
        if (atEof_) {
            if (first == last) {
                return false;
            }
            line = std::string_view(first, static_cast<std::size_t>(last - first));
            begin_ = end_;
            ++lineNumber_;
            return true;
        }
        if (!Fill()) {
            return false;
        }
    }
}

std::string_view TrimSpace(std::string_view text) {
    // By hand: find_first_not_of looks every character up in the set with a
    // call of its own, which a million-line file feels.
    auto space = [](char c) {
        return c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == '\x1a';
    };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && space(text[first])) {
        ++first;
    }
    while (last > first && space(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

}  // namespace trazel::input
