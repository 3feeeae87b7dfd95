#include "cli/measured_options.h"

#include <ostream>

#include "platform/file_errors.h"
#include "platform/number_format.h"

using namespace trazel::input;
using namespace trazel::platform;

namespace trazel::cli {

namespace {

AlsOptions AlsFrom(const std::string& text) {
    const std::size_t comma = text.find(',');
    const auto lambda = ParseDouble(text.substr(0, comma));
    const auto p = comma == std::string::npos ? std::nullopt : ParseDouble(text.substr(comma + 1));
    if (!lambda || !p) {
        throw UsageError(
            "--subtract-als espera LAMBDA,P, dos números separados por una coma "
            "(por ejemplo 1e5,0.01), no «" +
            text + "»");
    }
    const AlsOptions options{*lambda, *p};
    if (const auto problem = AlsProblem(options)) {
        throw UsageError("--subtract-als: " + *problem);
    }
    return options;
}

}  // namespace

XLimits XLimitsFrom(const ParsedOptions& options) {
    XLimits limits;
    if (options.Has("--xmin")) {
        limits.min = options.RequiredNumber("--xmin");
    }
    if (options.Has("--xmax")) {
        limits.max = options.RequiredNumber("--xmax");
    }
    if (limits.min && limits.max && !(*limits.min < *limits.max)) {
        throw UsageError("--xmin debe ser menor que --xmax");
    }
    return limits;
}

SpectrumTransform TransformFrom(const ParsedOptions& options) {
    SpectrumTransform transform;
    if (const auto y = options.Value("--y")) {
        if (*y == "negate") {
            transform.negate = true;
        } else if (const auto change = YChangeNamed(*y)) {
            transform.y = *change;
        } else {
            throw UsageError(
                "--y espera transmittance-to-absorbance, percent-transmittance-to-absorbance, "
                "absorbance-to-transmittance, absorbance-to-percent-transmittance o negate, no «" +
                *y + "»");
        }
    }
    if (const auto x = options.Value("--x")) {
        const auto change = XChangeNamed(*x);
        if (!change) {
            throw UsageError(
                "--x espera nanometre-to-wavenumber, wavenumber-to-nanometre, "
                "micrometre-to-wavenumber o raman-shift, no «" +
                *x + "»");
        }
        transform.x = *change;
    }
    const bool raman = transform.x == XChange::RamanShift;
    if (raman && !options.Has("--laser")) {
        throw UsageError(
            "--x raman-shift necesita --laser con la longitud de onda del láser en nm");
    }
    if (!raman && options.Has("--laser")) {
        throw UsageError("--laser solo sirve con --x raman-shift");
    }
    if (raman) {
        transform.laserNm = options.RequiredNumber("--laser");
        if (!(transform.laserNm > 0.0)) {
            throw UsageError("--laser debe ser una longitud de onda en nm mayor que 0, no «" +
                             *options.Value("--laser") + "»");
        }
    }
    if (const auto als = options.Value("--subtract-als")) {
        transform.als = AlsFrom(*als);
    }
    return transform;
}

TransformedSpectrum ReadTransformedSpectrum(const std::string& path,
                                            const SpectrumTransform& transform,
                                            const std::string& command, std::ostream& err,
                                            MeasuredSpectrum* asRead) {
    auto read = ReadMeasuredSpectrum(path);
    if (!read.Ok()) {
        throw FileError(read.Message());
    }
    const MeasuredSpectrum& spectrum = read.Value();
    if (spectrum.firstOfSeveral) {
        err << "trazel-cli " << command << ": " << QuoteFileName(path)
            << " tiene varios bloques; se toma el primer espectro.\n";
    }
    // A document keeps the points as read and works the baseline out itself:
    // what is left out here does not depend on it.
    SpectrumTransform applied = transform;
    if (asRead) {
        applied.als.reset();
    }
    TransformedSpectrum out = ApplyTransform(spectrum.x, spectrum.y, spectrum.header, applied);
    if (out.x.size() < 2) {
        throw FileError("No se pudo usar " + QuoteFileName(path) + ": con " +
                        DescribeTransform(transform) + " quedan " + std::to_string(out.x.size()) +
                        " de sus " + std::to_string(spectrum.x.size()) +
                        " puntos, y hacen falta al menos dos (la transformación no está "
                        "definida en los demás).");
    }
    if (out.LeftOut() > 0) {
        const bool logarithm = transform.y == YChange::TransmittanceToAbsorbance ||
                               transform.y == YChange::PercentTransmittanceToAbsorbance;
        std::string why;
        if (out.xUndefined > 0) {
            why = std::to_string(out.xUndefined) + " con x ≤ 0";
        }
        if (out.yUndefined > 0) {
            why += (why.empty() ? "" : " y ") + std::to_string(out.yUndefined) +
                   (logarithm ? " con transmitancia ≤ 0"
                              : " cuya y transformada no cabe en un número");
        }
        err << "trazel-cli " << command << ": se dejan fuera " << out.LeftOut() << " de los "
            << spectrum.x.size() << " puntos de " << QuoteFileName(path)
            << ", donde la transformación no está definida: " << why << ".\n";
    }
    if (asRead) {
        *asRead = std::move(read).Value();
    }
    return out;
}

}  // namespace trazel::cli
