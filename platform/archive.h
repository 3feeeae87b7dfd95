#pragma once

#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>

namespace trazel::platform {

// Raised when an archive cannot read or write a value: the file ended early,
// the stream failed, or the content makes no sense. The message is meant for
// the user and is in Spanish.
class CArchiveException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A raw binary archive: 32-bit integers and doubles as their little-endian
// bytes, one after the other, with no tags or lengths. The byte order is fixed
// whatever the host's, so documents move between machines unchanged.
class CArchive {
  public:
    explicit CArchive(std::istream& in) : in_(&in) {}
    explicit CArchive(std::ostream& out) : out_(&out) {}

    bool IsStoring() const { return out_ != nullptr; }
    bool IsLoading() const { return in_ != nullptr; }

    CArchive& operator<<(std::int32_t value);
    CArchive& operator<<(double value);
    CArchive& operator>>(std::int32_t& value);
    CArchive& operator>>(double& value);

  private:
    void Write(const unsigned char* bytes, std::size_t size);
    void Read(unsigned char* bytes, std::size_t size);

    std::istream* in_ = nullptr;
    std::ostream* out_ = nullptr;
};

}  // namespace trazel::platform
