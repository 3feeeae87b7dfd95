#include "figure/picture_file.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include <sys/mman.h>

#include "figure/png_encoding.h"
#include "figure/svg_compaction.h"
#include "platform/atomic_file.h"
#include "platform/file_errors.h"
#include "platform/number_format.h"
#include "platform/qt/painter_dc.h"
#include "platform/translation.h"

namespace trazel::figure {

namespace {

constexpr double kPointsPerInch = 72.0;

// The plot laid out at size.Points() painted onto device at scale device
// units per point; the modes of an export, without the screen's half-pixel
// shifts, which a scaled painter would make whole points.
// False when the device gave no painter: an image that could not be
// allocated, a generator without an engine.
bool Paint(QCustomPlot& plot, QPaintDevice& device, const PictureSize& size, QSizeF scale) {
    QCPPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    painter.scale(scale.width(), scale.height());
    plot.toPainter(&painter, size.Points().width(), size.Points().height());
    return painter.end();
}

// A white picture of pixels, opaque, so that the file holds three bytes a
// pixel, not four; null when there is not the memory for it. Its memory is
// offered to the kernel in huge pages: touching the 8 MB of a 1920 x 1080
// picture a 4 KB page at a time took 20 to 35 ms of page faults, in 2 MB
// pages about 1 ms.
QImage WhiteImage(QSize pixels) {
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    const auto width = static_cast<std::size_t>(pixels.width());
    const std::size_t bytes = width * static_cast<std::size_t>(pixels.height()) * 4;
    const std::size_t whole = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* memory = std::aligned_alloc(kHugePage, whole);
    if (memory == nullptr) {
        return {};
    }
#ifdef MADV_HUGEPAGE
    madvise(memory, whole, MADV_HUGEPAGE);
#endif
    QImage image(
        static_cast<uchar*>(memory), pixels.width(), pixels.height(),
        static_cast<qsizetype>(width * 4), QImage::Format_RGB32,
        [](void* owned) { std::free(owned); }, memory);
    if (image.isNull()) {
        std::free(memory);
        return {};
    }
    image.fill(Qt::white);
    return image;
}

// Empty when the picture could not be painted or encoded.
QByteArray FigureBytes(QCustomPlot& plot, const PictureSize& size, FigureFormat format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize points = size.Points();
    switch (format) {
        case FigureFormat::Png: {
            const QSize pixels = size.Pixels();
            QImage image = WhiteImage(pixels);
            if (image.isNull()) {
                return {};
            }
            const int perMetre = qRound(size.dpi / (kCentimetresPerInch / 100.0));
            image.setDotsPerMeterX(perMetre);
            image.setDotsPerMeterY(perMetre);
            if (!Paint(plot, image, size,
                       QSizeF(double(pixels.width()) / points.width(),
                              double(pixels.height()) / points.height()))) {
                return {};
            }
            return EncodePng(image);
        }
        case FigureFormat::Svg: {
            QByteArray drawn;
            QBuffer svgBuffer(&drawn);
            svgBuffer.open(QIODevice::WriteOnly);
            QSvgGenerator svg;
            svg.setOutputDevice(&svgBuffer);
            // One unit a point: the file's width and height in millimetres
            // are its size on paper.
            svg.setSize(points);
            svg.setViewBox(QRect(QPoint(0, 0), points));
            svg.setResolution(static_cast<int>(kPointsPerInch));
            svg.setTitle(QStringLiteral("Trazel"));
            if (!Paint(plot, svg, size, QSizeF(1.0, 1.0))) {
                return {};
            }
            svgBuffer.close();
            // A tenth of a dot at the resolution asked for, at most three
            // decimals of a point.
            const int decimals = std::clamp(
                static_cast<int>(std::ceil(std::log10(size.dpi / kPointsPerInch * 10.0))), 1, 3);
            bytes = CompactSvg(drawn, decimals);
            return bytes;
        }
        case FigureFormat::Pdf: {
            QPdfWriter pdf(&buffer);
            pdf.setResolution(static_cast<int>(kPointsPerInch));
            const QSizeF page = size.inches * kPointsPerInch;
            pdf.setPageSize(QPageSize(page, QPageSize::Point, QString(), QPageSize::ExactMatch));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setCreator(QStringLiteral("Trazel"));
            if (!Paint(plot, pdf, size,
                       QSizeF(page.width() / points.width(), page.height() / points.height()))) {
                return {};
            }
            break;
        }
    }
    return bytes;
}

}  // namespace

QSize PictureSize::Pixels() const {
    return QSize(qRound(inches.width() * dpi), qRound(inches.height() * dpi));
}

QSize PictureSize::Points() const {
    return QSize(std::max(1, qRound(inches.width() * kPointsPerInch)),
                 std::max(1, qRound(inches.height() * kPointsPerInch)));
}

PictureSize DefaultPictureSize() {
    return PictureSizeInCentimetres(8.5, 6.4, 600.0);
}

PictureSize PictureSizeInCentimetres(double width, double height, double dpi) {
    return {QSizeF(width / kCentimetresPerInch, height / kCentimetresPerInch), dpi};
}

PictureSize PictureSizeInPixels(QSize pixels, std::optional<double> dpi) {
    // The user gave no resolution: none is refused.
    const double resolution =
        dpi ? *dpi
            : std::clamp(pixels.width() / DefaultPictureSize().inches.width(), kMinDpi, kMaxDpi);
    return {QSizeF(pixels.width() / resolution, pixels.height() / resolution), resolution};
}

std::string PictureSizeProblem(const PictureSize& size) {
    if (!(size.dpi >= kMinDpi && size.dpi <= kMaxDpi)) {
        return platform::Fill(
            TRAZEL_TR("PlotFigure", "la resolución debe estar entre %1 y %2 puntos por pulgada"),
            {std::to_string(int(kMinDpi)), std::to_string(int(kMaxDpi))});
    }
    const double w = size.inches.width() * size.dpi;
    const double h = size.inches.height() * size.dpi;
    if (!(w >= kMinPictureSide - 0.5 && h >= kMinPictureSide - 0.5 && w < kMaxPictureSide + 0.5 &&
          h < kMaxPictureSide + 0.5)) {
        return platform::Fill(TRAZEL_TR("PlotFigure",
                                        "la imagen debe tener entre %1 y %2 píxeles "
                                        "por lado a esa resolución"),
                              {std::to_string(kMinPictureSide), std::to_string(kMaxPictureSide)});
    }
    return {};
}

std::optional<FigureFormat> FigureFormatFor(const std::string& path) {
    const QString name = QString::fromStdString(path).toLower();
    if (name.endsWith(QStringLiteral(".png"))) {
        return FigureFormat::Png;
    }
    if (name.endsWith(QStringLiteral(".svg"))) {
        return FigureFormat::Svg;
    }
    if (name.endsWith(QStringLiteral(".pdf"))) {
        return FigureFormat::Pdf;
    }
    return std::nullopt;
}

QByteArray RenderFigure(const analysis::DocumentState& state, const FigureView& view,
                        const PictureSize& size, FigureFormat format) {
    QCustomPlot plot;
    plot.resize(size.Points());
    // A plot never shown lays itself out at its size only when told.
    plot.setViewport(QRect(QPoint(0, 0), size.Points()));
    // A sample for every pixel of the PNG, at least one a point.
    const int columns = std::max(size.Pixels().width(), size.Points().width());
    SetUpFigure(plot, state, view, columns, FigureStyle::Print);
    return FigureBytes(plot, size, format);
}

platform::Status WriteFigure(const std::string& path, const analysis::DocumentState& state,
                             const FigureView& view, const PictureSize& size) {
    const FigureFormat format = FigureFormatFor(path).value_or(FigureFormat::Png);
    const QByteArray bytes = RenderFigure(state, view, size, format);
    if (bytes.isEmpty()) {
        // The old file stays as it was: an empty one would replace it.
        return platform::FileFailure(platform::FileOperation::Write, path, PictureNotDrawn());
    }
    return platform::WriteFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void PrintFigure(platform::CDC& dc, const output::PageBox& box,
                 const analysis::DocumentState& state, const FigureView& view) {
    auto* paper = dynamic_cast<platform::QPainterDC*>(&dc);
    if (paper == nullptr) {
        return;
    }
    // Drawn as the SVG picture of that size on paper, so that the page shows
    // what an exported picture shows, in lines and text that stay sharp at
    // the printer's resolution.
    constexpr double kUnitsPerInch = 254.0;
    PictureSize size;
    size.inches =
        QSizeF((box.right - box.left) / kUnitsPerInch, (box.top - box.bottom) / kUnitsPerInch);
    size.dpi = 600.0;
    QSvgRenderer svg(RenderFigure(state, view, size, FigureFormat::Svg));
    svg.render(&paper->Painter(), paper->DeviceRect(box.left, box.top, box.right, box.bottom));
}

std::string PictureNotDrawn() {
    return TRAZEL_TR("PlotFigure",
                     "no queda memoria suficiente para dibujar la imagen a ese tamaño; no se ha "
                     "escrito nada");
}

}  // namespace trazel::figure
