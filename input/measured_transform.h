#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "input/als_baseline.h"
#include "model/spectrum_units.h"

namespace trazel::input {

// How the points of a measured spectrum, as read, become the data that are
// drawn and fitted. Plain values with fixed numbers, so that a document can
// store them field by field and an undo step can copy them.

enum class XChange : std::int32_t {
    None = 0,
    NanometreToWavenumber = 1,   // cm⁻¹ = 10⁷ / nm
    WavenumberToNanometre = 2,   // nm = 10⁷ / cm⁻¹
    MicrometreToWavenumber = 3,  // cm⁻¹ = 10⁴ / µm
    RamanShift = 4,              // Δν = 10⁷ / λ₀ − 10⁷ / λ, λ and λ₀ in nm
};

enum class YChange : std::int32_t {
    None = 0,
    TransmittanceToAbsorbance = 1,         // A = −log10 T
    PercentTransmittanceToAbsorbance = 2,  // A = 2 − log10 %T
    AbsorbanceToTransmittance = 3,         // T = 10^−A
    AbsorbanceToPercentTransmittance = 4,  // %T = 100 · 10^−A
};

// Applied in this order: x, then y, then the change of sign, then the factor,
// and last the subtraction of a baseline estimated by asymmetric least
// squares, when there is one.
struct SpectrumTransform {
    XChange x = XChange::None;
    YChange y = YChange::None;
    // The laser line of RamanShift, in nm.
    double laserNm = 0.0;
    bool negate = false;
    double factor = 1.0;
    std::optional<AlsOptions> als = std::nullopt;

    bool operator==(const SpectrumTransform&) const = default;
    // Leaves every point as it is.
    bool IsIdentity() const { return *this == SpectrumTransform{}; }
};

// Why the transform cannot be applied (a Raman shift without a positive,
// finite laser line; a factor that is zero or not finite), in Spanish; nothing
// when it can.
std::optional<std::string> TransformProblem(const SpectrumTransform& transform);

// The data a transform gives: the points where it is defined, in increasing x
// after a change of x (in file order otherwise), and how many were left out.
struct TransformedSpectrum {
    std::vector<double> x;
    std::vector<double> y;
    // Points left out because the change of x is undefined there (x ≤ 0 for
    // a reciprocal change), and, of the rest, because the change of y is (a
    // logarithm of T ≤ 0, a power beyond a double).
    std::size_t xUndefined = 0;
    std::size_t yUndefined = 0;
    // The header with the units that follow the changes.
    model::SpectrumHeader header = {};
    // The baseline subtracted from y, one value per point; empty without one.
    std::vector<double> baseline;
    // Who made the data, as the file read said (MeasuredSpectrum::origin and
    // owner), for a file written from them; ApplyTransform leaves them empty.
    std::string origin = {};
    std::string owner = {};
    // Why the baseline asked for was not subtracted, y then left as they
    // were and baseline empty: λ of no use for that many points, found before
    // any solving, or a baseline not finite everywhere. Empty otherwise.
    enum class BaselineFault { None, LambdaOutOfRange, NotFinite };
    BaselineFault baselineFault = BaselineFault::None;
    std::string baselineProblem;

    std::size_t LeftOut() const { return xUndefined + yUndefined; }
};

// One pass over the points (and a sort, when a change of x leaves them in
// neither increasing nor decreasing order). A transform with a
// TransformProblem leaves every point out.
TransformedSpectrum ApplyTransform(std::span<const double> x, std::span<const double> y,
                                   const model::SpectrumHeader& header,
                                   const SpectrumTransform& transform);

// How many points a transform leaves out (as ApplyTransform counts them in
// xUndefined and yUndefined), without making the data: for a caller that
// keeps the points as read and has the transform applied elsewhere.
struct PointsLeftOut {
    std::size_t xUndefined = 0;
    std::size_t yUndefined = 0;

    std::size_t Total() const { return xUndefined + yUndefined; }
};
PointsLeftOut LeftOutBy(std::span<const double> x, std::span<const double> y,
                        const SpectrumTransform& transform);

// The last step of a transform: the baseline by asymmetric least squares
// subtracted from the spectrum's y, or, when λ is of no use for its points or
// the baseline is not finite, its baselineFault and baselineProblem set and
// y left as they are.
void SubtractAls(TransformedSpectrum& spectrum, const AlsOptions& options);

// The header after the transform, without the points: the units the axis
// titles follow.
model::SpectrumHeader TransformedHeader(model::SpectrumHeader header,
                                        const SpectrumTransform& transform);

// The conversion proposed when a spectrum is loaded: for a file that declares
// transmittance, to absorbance, from percent when most values (more than half)
// are above 1.5, from 0–1 otherwise. Nothing for a file that declares other
// units or none.
std::optional<YChange> ProposedYChange(const model::SpectrumHeader& header,
                                       std::span<const double> y);

// The names trazel-cli gives the changes ("nanometre-to-wavenumber",
// "percent-transmittance-to-absorbance"), and back; nothing for a name that
// is none.
std::string_view XChangeName(XChange change);
std::string_view YChangeName(YChange change);
std::optional<XChange> XChangeNamed(std::string_view name);
std::optional<YChange> YChangeNamed(std::string_view name);

// The change in words, for the options and messages ("de nanómetros a
// números de onda").
std::string DescribeTransform(const SpectrumTransform& transform);

}  // namespace trazel::input
