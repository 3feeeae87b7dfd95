#include "input/measured_transform.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "platform/number_format.h"
#include "platform/translation.h"

namespace trazel::input {

namespace {

using model::XUnit;
using model::YUnit;

struct Named {
    std::string_view name;
    std::int32_t value;
};

constexpr std::array kXNames{
    Named{"nanometre-to-wavenumber", static_cast<std::int32_t>(XChange::NanometreToWavenumber)},
    Named{"wavenumber-to-nanometre", static_cast<std::int32_t>(XChange::WavenumberToNanometre)},
    Named{"micrometre-to-wavenumber", static_cast<std::int32_t>(XChange::MicrometreToWavenumber)},
    Named{"raman-shift", static_cast<std::int32_t>(XChange::RamanShift)},
};

constexpr std::array kYNames{
    Named{"transmittance-to-absorbance",
          static_cast<std::int32_t>(YChange::TransmittanceToAbsorbance)},
    Named{"percent-transmittance-to-absorbance",
          static_cast<std::int32_t>(YChange::PercentTransmittanceToAbsorbance)},
    Named{"absorbance-to-transmittance",
          static_cast<std::int32_t>(YChange::AbsorbanceToTransmittance)},
    Named{"absorbance-to-percent-transmittance",
          static_cast<std::int32_t>(YChange::AbsorbanceToPercentTransmittance)},
};

template <std::size_t N>
std::string_view NameOf(const std::array<Named, N>& names, std::int32_t value) {
    for (const Named& named : names) {
        if (named.value == value) {
            return named.name;
        }
    }
    return "none";
}

template <std::size_t N>
std::optional<std::int32_t> ValueNamed(const std::array<Named, N>& names, std::string_view name) {
    for (const Named& named : names) {
        if (named.name == name) {
            return named.value;
        }
    }
    return std::nullopt;
}

// The new x, or not-a-number where the change is undefined.
double ChangedX(XChange change, double x, double laserWavenumber) {
    const double undefined = std::nan("");
    switch (change) {
        case XChange::None:
            return x;
        case XChange::NanometreToWavenumber:
        case XChange::WavenumberToNanometre:
            return x > 0.0 ? 1e7 / x : undefined;
        case XChange::MicrometreToWavenumber:
            return x > 0.0 ? 1e4 / x : undefined;
        case XChange::RamanShift:
            return x > 0.0 ? laserWavenumber - 1e7 / x : undefined;
    }
    return undefined;
}

// The new y, or not-a-number where the change is undefined.
double ChangedY(YChange change, double y) {
    const double undefined = std::nan("");
    switch (change) {
        case YChange::None:
            return y;
        case YChange::TransmittanceToAbsorbance:
            return y > 0.0 ? -std::log10(y) : undefined;
        case YChange::PercentTransmittanceToAbsorbance:
            return y > 0.0 ? 2.0 - std::log10(y) : undefined;
        case YChange::AbsorbanceToTransmittance:
            return std::pow(10.0, -y);
        case YChange::AbsorbanceToPercentTransmittance:
            return 100.0 * std::pow(10.0, -y);
    }
    return undefined;
}

// Calls take(x, y) with each point where the change is defined, in file
// order, and counts those where it is not: the one loop of the data a
// transform makes and of the count alone, so that the two never disagree.
template <typename Take>
PointsLeftOut ForEachDefinedPoint(std::span<const double> x, std::span<const double> y,
                                  const SpectrumTransform& transform, Take take) {
    PointsLeftOut left;
    const std::size_t n = std::min(x.size(), y.size());
    const double laserWavenumber =
        transform.x == XChange::RamanShift ? 1e7 / transform.laserNm : 0.0;
    const double factor = transform.negate ? -transform.factor : transform.factor;
    for (std::size_t i = 0; i < n; ++i) {
        const double newX = ChangedX(transform.x, x[i], laserWavenumber);
        if (!std::isfinite(newX)) {
            ++left.xUndefined;
            continue;
        }
        const double newY = ChangedY(transform.y, y[i]) * factor;
        if (!std::isfinite(newY)) {
            ++left.yUndefined;
            continue;
        }
        take(newX, newY);
    }
    return left;
}

// The points in increasing x: a reciprocal change turns an increasing
// spectrum into a decreasing one, which is reversed in place; only points in
// no order at all are sorted.
void PutInIncreasingX(std::vector<double>& x, std::vector<double>& y) {
    if (std::is_sorted(x.begin(), x.end())) {
        return;
    }
    if (std::is_sorted(x.rbegin(), x.rend())) {
        std::reverse(x.begin(), x.end());
        std::reverse(y.begin(), y.end());
        return;
    }
    std::vector<std::pair<double, double>> points(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        points[i] = {x[i], y[i]};
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < x.size(); ++i) {
        x[i] = points[i].first;
        y[i] = points[i].second;
    }
}

}  // namespace

std::optional<std::string> TransformProblem(const SpectrumTransform& transform) {
    if (transform.x == XChange::RamanShift &&
        !(std::isfinite(transform.laserNm) && transform.laserNm > 0.0)) {
        return TRAZEL_TR("MeasuredTransform",
                         "el desplazamiento Raman necesita la longitud de onda del láser "
                         "en nm, un número mayor que 0");
    }
    if (!std::isfinite(transform.factor) || transform.factor == 0.0) {
        return TRAZEL_TR("MeasuredTransform", "el factor de y debe ser un número distinto de 0");
    }
    if (transform.als) {
        return AlsProblem(*transform.als);
    }
    return std::nullopt;
}

model::SpectrumHeader TransformedHeader(model::SpectrumHeader header,
                                        const SpectrumTransform& transform) {
    switch (transform.x) {
        case XChange::None:
            break;
        case XChange::NanometreToWavenumber:
        case XChange::MicrometreToWavenumber:
            model::SetXUnit(header, XUnit::Wavenumber);
            break;
        case XChange::WavenumberToNanometre:
            model::SetXUnit(header, XUnit::Nanometre);
            break;
        case XChange::RamanShift:
            model::SetXUnit(header, XUnit::RamanShift);
            break;
    }
    switch (transform.y) {
        case YChange::None:
            break;
        case YChange::TransmittanceToAbsorbance:
        case YChange::PercentTransmittanceToAbsorbance:
            model::SetYUnit(header, YUnit::Absorbance);
            break;
        case YChange::AbsorbanceToTransmittance:
            model::SetYUnit(header, YUnit::Transmittance);
            break;
        case YChange::AbsorbanceToPercentTransmittance:
            model::SetYUnit(header, YUnit::PercentTransmittance);
            break;
    }
    return header;
}

void SubtractAls(TransformedSpectrum& spectrum, const AlsOptions& options) {
    using Fault = TransformedSpectrum::BaselineFault;
    if (const auto problem = AlsRangeProblem(options, spectrum.x.size())) {
        spectrum.baselineFault = Fault::LambdaOutOfRange;
        spectrum.baselineProblem = *problem;
        return;
    }
    std::vector<double> baseline = AlsBaseline(spectrum.x, spectrum.y, options);
    std::size_t broken = 0;
    for (std::size_t i = 0; i < baseline.size(); ++i) {
        broken += std::isfinite(baseline[i]) && std::isfinite(spectrum.y[i] - baseline[i]) ? 0 : 1;
    }
    if (broken > 0 || baseline.size() != spectrum.y.size()) {
        spectrum.baselineFault = Fault::NotFinite;
        spectrum.baselineProblem = platform::Fill(
            TRAZEL_TR("MeasuredTransform",
                      "la línea base por mínimos cuadrados asimétricos (λ = %1, p = %2) no es "
                      "un número finito en %3 de los %4 puntos"),
            {platform::FormatG(options.lambda, 6), platform::FormatG(options.p, 6),
             std::to_string(baseline.size() == spectrum.y.size() ? broken : spectrum.y.size()),
             std::to_string(spectrum.y.size())});
        return;
    }
    for (std::size_t i = 0; i < baseline.size(); ++i) {
        spectrum.y[i] -= baseline[i];
    }
    spectrum.baseline = std::move(baseline);
}

TransformedSpectrum ApplyTransform(std::span<const double> x, std::span<const double> y,
                                   const model::SpectrumHeader& header,
                                   const SpectrumTransform& transform) {
    TransformedSpectrum out;
    out.header = TransformedHeader(header, transform);
    if (TransformProblem(transform)) {
        out.xUndefined = std::min(x.size(), y.size());
        return out;
    }
    out.x.reserve(std::min(x.size(), y.size()));
    out.y.reserve(std::min(x.size(), y.size()));
    const PointsLeftOut left =
        ForEachDefinedPoint(x, y, transform, [&out](double newX, double newY) {
            out.x.push_back(newX);
            out.y.push_back(newY);
        });
    out.xUndefined = left.xUndefined;
    out.yUndefined = left.yUndefined;
    if (transform.x != XChange::None) {
        PutInIncreasingX(out.x, out.y);
    }
    if (transform.als) {
        SubtractAls(out, *transform.als);
    }
    return out;
}

PointsLeftOut LeftOutBy(std::span<const double> x, std::span<const double> y,
                        const SpectrumTransform& transform) {
    if (TransformProblem(transform)) {
        return {std::min(x.size(), y.size()), 0};
    }
    return ForEachDefinedPoint(x, y, transform, [](double, double) {});
}

std::optional<YChange> ProposedYChange(const model::SpectrumHeader& header,
                                       std::span<const double> y) {
    if (header.yKind != YUnit::Transmittance && header.yKind != YUnit::PercentTransmittance) {
        return std::nullopt;
    }
    // Counting is one pass and needs no copy of a million values, and "more
    // than half above" is what a median above 1.5 means.
    const auto above = static_cast<std::size_t>(
        std::count_if(y.begin(), y.end(), [](double value) { return value > 1.5; }));
    return above > y.size() / 2 ? YChange::PercentTransmittanceToAbsorbance
                                : YChange::TransmittanceToAbsorbance;
}

std::string_view XChangeName(XChange change) {
    return NameOf(kXNames, static_cast<std::int32_t>(change));
}

std::string_view YChangeName(YChange change) {
    return NameOf(kYNames, static_cast<std::int32_t>(change));
}

std::optional<XChange> XChangeNamed(std::string_view name) {
    const auto value = ValueNamed(kXNames, name);
    return value ? std::optional(static_cast<XChange>(*value)) : std::nullopt;
}

std::optional<YChange> YChangeNamed(std::string_view name) {
    const auto value = ValueNamed(kYNames, name);
    return value ? std::optional(static_cast<YChange>(*value)) : std::nullopt;
}

std::string DescribeTransform(const SpectrumTransform& transform) {
    std::vector<std::string> steps;
    switch (transform.x) {
        case XChange::None:
            break;
        case XChange::NanometreToWavenumber:
            steps.push_back(
                TRAZEL_TR("MeasuredTransform", "x de nanómetros a números de onda (cm⁻¹)"));
            break;
        case XChange::WavenumberToNanometre:
            steps.push_back(
                TRAZEL_TR("MeasuredTransform", "x de números de onda (cm⁻¹) a nanómetros"));
            break;
        case XChange::MicrometreToWavenumber:
            steps.push_back(
                TRAZEL_TR("MeasuredTransform", "x de micrómetros a números de onda (cm⁻¹)"));
            break;
        case XChange::RamanShift:
            steps.push_back(platform::Fill(
                TRAZEL_TR("MeasuredTransform",
                          "x de longitudes de onda (nm) a desplazamiento Raman con el láser "
                          "a %1 nm"),
                {platform::FormatG(transform.laserNm, 10)}));
            break;
    }
    switch (transform.y) {
        case YChange::None:
            break;
        case YChange::TransmittanceToAbsorbance:
            steps.push_back(
                TRAZEL_TR("MeasuredTransform", "y de transmitancia (0 a 1) a absorbancia"));
            break;
        case YChange::PercentTransmittanceToAbsorbance:
            steps.push_back(TRAZEL_TR("MeasuredTransform", "y de transmitancia (%) a absorbancia"));
            break;
        case YChange::AbsorbanceToTransmittance:
            steps.push_back(
                TRAZEL_TR("MeasuredTransform", "y de absorbancia a transmitancia (0 a 1)"));
            break;
        case YChange::AbsorbanceToPercentTransmittance:
            steps.push_back(TRAZEL_TR("MeasuredTransform", "y de absorbancia a transmitancia (%)"));
            break;
    }
    if (transform.negate) {
        steps.push_back(TRAZEL_TR("MeasuredTransform", "cambio de signo de y"));
    }
    if (transform.factor != 1.0) {
        steps.push_back(platform::Fill(TRAZEL_TR("MeasuredTransform", "y por %1"),
                                       {platform::FormatG(transform.factor, 10)}));
    }
    if (transform.als) {
        steps.push_back(platform::Fill(
            TRAZEL_TR("MeasuredTransform",
                      "línea base por mínimos cuadrados asimétricos restada (λ = %1, p = %2)"),
            {platform::FormatG(transform.als->lambda, 6), platform::FormatG(transform.als->p, 6)}));
    }
    if (steps.empty()) {
        return TRAZEL_TR("MeasuredTransform", "sin cambios");
    }
    std::string text = steps.front();
    for (std::size_t i = 1; i < steps.size(); ++i) {
        text += ", " + steps[i];
    }
    return text;
}

}  // namespace trazel::input
