#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace trazel::input {

// Why a read gave nothing. MissingWidth, TooManyBands and NoSuchSpectrum let
// a caller tell a choice the user has to make apart from a fault in the file.
enum class ReadFailure {
    None,
    File,
    Content,
    MissingWidth,
    TooManyBands,
    Cancelled,
    NoSuchSpectrum
};

// What a reader gives back: the value, or a message for the user in Spanish
// that names the file and, for a fault in its text, the line by number.
template <class T>
class [[nodiscard]] ReadResult {
  public:
    ReadResult(T value) : value_(std::move(value)) {}
    static ReadResult Failed(ReadFailure failure, std::string message, long line = 0) {
        ReadResult result;
        result.failure_ = failure;
        result.message_ = std::move(message);
        result.badLine_ = line;
        return result;
    }
    template <class U>
    static ReadResult FailedAs(const ReadResult<U>& other) {
        return Failed(other.Failure(), other.Message(), other.BadLine());
    }

    bool Ok() const { return value_.has_value(); }
    const T& Value() const { return *value_; }
    T& Value() { return *value_; }
    ReadFailure Failure() const { return failure_; }
    const std::string& Message() const { return message_; }
    // The number of the first bad line (from 1), or 0 when no line is to blame.
    long BadLine() const { return badLine_; }

  private:
    ReadResult() = default;
    std::optional<T> value_;
    ReadFailure failure_ = ReadFailure::None;
    std::string message_;
    long badLine_ = 0;
};

// Called now and then while a file is read with the bytes read so far and the
// file's size; returning false stops the read, which then gives Cancelled.
using ReadProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// The messages, made in one place so that every reader words them alike.
// "No se pudo leer «path»: <reason>."
std::string FileProblem(const std::string& path, const std::string& reason);
// "No se pudo leer «path»: la línea N («text») <reason>."
std::string LineProblem(const std::string& path, long line, std::string_view text,
                        const std::string& reason);
std::string CancelledRead(const std::string& path);
// A spectrum asked for by number (from 1) beyond the count the file holds.
std::string NoSuchSpectrum(const std::string& path, std::size_t chosen, std::size_t count);

}  // namespace trazel::input
