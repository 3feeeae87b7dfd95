#include "figure/png_encoding.h"

#include <png.h>

#include <QSysInfo>
#include <new>

namespace trazel::figure {

namespace {

// Out of memory, the jump back to Encode is made once the exception is
// over: neither may cross the other.
void Append(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<QByteArray*>(png_get_io_ptr(png));
    bool appended = true;
    try {
        bytes->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
    } catch (const std::bad_alloc&) {
        appended = false;
    }
    if (!appended) {
        png_error(png, "no memory left for the file");
    }
}

void Flush(png_structp) {}

// The encoder's warnings (none for a file it makes itself) are not the
// user's concern; its errors make the picture fail as a whole.
void IgnoreWarning(png_structp, png_const_charp) {}

// A figure's pixels differ mostly from the row above, in the white around
// the curves and along their flanks: one filter for every row, the
// difference from the row above, saves libpng trying the five on each.
constexpr int kRowFilter = PNG_FILTER_UP;
constexpr int kFastestLevel = 1;

// Nothing here owns what libpng's jump back to Encode on an error would
// leak.
void WriteImage(png_structp png, png_infop info, const QImage& image) {
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
                 static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, static_cast<png_uint_32>(image.dotsPerMeterX()),
                 static_cast<png_uint_32>(image.dotsPerMeterY()), PNG_RESOLUTION_METER);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, kRowFilter);
    png_set_compression_level(png, kFastestLevel);
    png_write_info(png, info);
    // A pixel of QImage::Format_RGB32 is the word 0xffRRGGBB in the
    // machine's byte order.
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else {
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
    for (int y = 0; y < image.height(); ++y) {
        png_write_row(png, image.constScanLine(y));
    }
    png_write_end(png, info);
}

bool Encode(png_structp png, png_infop info, const QImage& image, QByteArray* bytes) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_write_fn(png, bytes, Append, Flush);
    WriteImage(png, info, image);
    return true;
}

}  // namespace

QByteArray EncodePng(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    if (image.format() != QImage::Format_RGB32) {
        return EncodePng(image.convertToFormat(QImage::Format_RGB32));
    }
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
    if (png == nullptr) {
        return {};
    }
    png_infop info = png_create_info_struct(png);
    QByteArray bytes;
    const bool written = info != nullptr && Encode(png, info, image, &bytes);
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    return written ? bytes : QByteArray();
}

}  // namespace trazel::figure
