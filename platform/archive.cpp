#include "platform/archive.h"
#include "platform/translation.h"

#include <bit>
#include <istream>
#include <ostream>

namespace trazel::platform {

namespace {

template <typename Unsigned>
void ToLittleEndian(Unsigned value, unsigned char* bytes) {
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

template <typename Unsigned>
Unsigned FromLittleEndian(const unsigned char* bytes) {
    Unsigned value = 0;
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
        value |= static_cast<Unsigned>(bytes[i]) << (8 * i);
    }
    return value;
}

}  // namespace

CArchive& CArchive::operator<<(std::int32_t value) {
    unsigned char bytes[4];
    ToLittleEndian(static_cast<std::uint32_t>(value), bytes);
    Write(bytes, sizeof bytes);
    return *this;
}

CArchive& CArchive::operator<<(double value) {
    unsigned char bytes[8];
    ToLittleEndian(std::bit_cast<std::uint64_t>(value), bytes);
    Write(bytes, sizeof bytes);
    return *this;
}

CArchive& CArchive::operator>>(std::int32_t& value) {
    unsigned char bytes[4];
    Read(bytes, sizeof bytes);
    value = static_cast<std::int32_t>(FromLittleEndian<std::uint32_t>(bytes));
    return *this;
}

CArchive& CArchive::operator>>(double& value) {
    unsigned char bytes[8];
    Read(bytes, sizeof bytes);
    value = std::bit_cast<double>(FromLittleEndian<std::uint64_t>(bytes));
    return *this;
}

void CArchive::Write(const unsigned char* bytes, std::size_t size) {
    if (out_ == nullptr) {
        throw CArchiveException(
            TRAZEL_TR("Archive", "No se puede escribir en un archivo abierto para lectura."));
    }
    out_->write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    if (!*out_) {
        throw CArchiveException(TRAZEL_TR("Archive", "No se pudo escribir el archivo."));
    }
}

void CArchive::Read(unsigned char* bytes, std::size_t size) {
    if (in_ == nullptr) {
        throw CArchiveException(
            TRAZEL_TR("Archive", "No se puede leer de un archivo abierto para escritura."));
    }
    in_->read(reinterpret_cast<char*>(bytes), static_cast<std::streamsize>(size));
    // A stream that broke (the disk said EIO) is not a file that ends early:
    // the file may be whole, and the user should hear that it could not be read.
    if (in_->bad()) {
        throw CArchiveException(TRAZEL_TR(
            "Archive", "Error de lectura: el disco o el dispositivo no ha devuelto los datos."));
    }
    if (in_->gcount() != static_cast<std::streamsize>(size)) {
        throw CArchiveException(
            TRAZEL_TR("Archive", "El archivo termina antes de tiempo: está incompleto o dañado."));
    }
}

}  // namespace trazel::platform
