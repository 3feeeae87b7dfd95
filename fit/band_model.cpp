#include "fit/band_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace trazel::model;

namespace trazel::fit {

namespace {

constexpr double kLn2 = std::numbers::ln2;

// The sum of a[i] * b[i] in four running sums, which the compiler keeps side
// by side in one vector register.
double Dot(const double* a, const double* b, std::size_t n) {
    double sums[4] = {0.0, 0.0, 0.0, 0.0};
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        for (std::size_t j = 0; j < 4; ++j) {
            sums[j] += a[i + j] * b[i + j];
        }
    }
    for (; i < n; ++i) {
        sums[0] += a[i] * b[i];
    }
    return (sums[0] + sums[1]) + (sums[2] + sums[3]);
}

}  // namespace

// The loops over the points run in versions for AVX2 and AVX-512 where the
// processor has them. Besides the wider registers, this keeps them in VEX
// encoding: once a program's window system has left the upper halves of the
// vector registers in use, every plain SSE instruction pays for the switch,
// and the fit ran several times slower in the window than on the command line.
// ThreadSanitizer cannot run the code that picks the version at start-up,
// and clang's fuzzing builds cannot link the versions.
#if defined(__x86_64__) && !defined(__SANITIZE_THREAD__) && !defined(TRAZEL_NO_VECTOR_VERSIONS)
#define TRAZEL_VECTOR_VERSIONS [[gnu::target_clones("avx512f", "avx2", "default")]]
#else
#define TRAZEL_VECTOR_VERSIONS
#endif

BandModel::BandModel(const FitProblem& problem, std::span<const double> xs)
    : problem_(problem), xs_(xs) {
    if (!xs.empty()) {
        centre_ = 0.5 * (xs.front() + xs.back());
    }
    const auto add = [this](Kind kind, int band) {
        parameters_.push_back({kind, band});
        return static_cast<int>(parameters_.size() - 1);
    };
    for (int k = 1; k < problem.table.count; ++k) {
        const Freedom& freedom = problem.freedom[static_cast<std::size_t>(k)];
        std::array<int, 3> slots{-1, -1, -1};
        if (freedom.position) {
            slots[0] = add(Kind::Position, k);
        }
        if (freedom.intensity) {
            slots[1] = add(Kind::Intensity, k);
        }
        if (freedom.width) {
            slots[2] = add(Kind::LogWidth, k);
        }
        bandParameters_.push_back(slots);
    }
    if (problem.baseline != Baseline::None) {
        baselineConstant_ = add(Kind::BaselineConstant, 0);
    }
    if (problem.baseline == Baseline::Linear) {
        baselineSlope_ = add(Kind::BaselineSlope, 0);
    }
}

std::vector<double> BandModel::Start() const {
    std::vector<double> p(parameters_.size(), 0.0);
    const PeakTable& table = problem_.table;
    for (std::size_t i = 0; i < parameters_.size(); ++i) {
        const auto k = static_cast<std::size_t>(parameters_[i].band);
        switch (parameters_[i].kind) {
            case Kind::Position:
                p[i] = table.position[k];
                break;
            case Kind::Intensity:
                p[i] = table.intensity[k];
                break;
            case Kind::LogWidth:
                p[i] = std::log(table.width[k]);
                break;
            case Kind::BaselineConstant:
            case Kind::BaselineSlope:
                break;
        }
    }
    return p;
}

std::vector<BandModel::BandNow> BandModel::Bands(std::span<const double> p) const {
    const PeakTable& table = problem_.table;
    std::vector<BandNow> bands;
    bands.reserve(bandParameters_.size());
    for (int k = 1; k < table.count; ++k) {
        const auto& slots = bandParameters_[static_cast<std::size_t>(k - 1)];
        const auto at = [&](int slot) { return p[static_cast<std::size_t>(slot)]; };
        BandNow band;
        band.index = k;
        band.position = slots[0];
        band.intensityParameter = slots[1];
        band.logWidth = slots[2];
        const double scale = table.scale[static_cast<std::size_t>(k)];
        band.centrePerPosition = problem_.useScaled ? scale : 1.0;
        if (slots[0] >= 0) {
            band.centre = problem_.useScaled ? at(slots[0]) * scale : at(slots[0]);
        } else {
            band.centre = problem_.useScaled ? table.scaledPosition[static_cast<std::size_t>(k)]
                                             : table.position[static_cast<std::size_t>(k)];
        }
        band.intensity =
            slots[1] >= 0 ? at(slots[1]) : table.intensity[static_cast<std::size_t>(k)];
        band.width =
            slots[2] >= 0 ? std::exp(at(slots[2])) : table.width[static_cast<std::size_t>(k)];
        bands.push_back(band);
    }
    return bands;
}

std::pair<std::size_t, std::size_t> BandModel::Reach(const BandNow& band) const {
    const double reach =
        (problem_.lineShape == Lorentzian ? kLorentzianReach : kGaussianReach) * band.width;
    const auto first = std::lower_bound(xs_.begin(), xs_.end(), band.centre - reach);
    const auto last = std::upper_bound(first, xs_.end(), band.centre + reach);
    return {static_cast<std::size_t>(first - xs_.begin()),
            static_cast<std::size_t>(last - xs_.begin())};
}

TRAZEL_VECTOR_VERSIONS
void BandModel::Values(std::span<const double> p, std::span<double> model) const {
    std::fill(model.begin(), model.begin() + static_cast<std::ptrdiff_t>(xs_.size()), 0.0);
    // Band by band in ascending index order, each term added to the sum so
    // far as the document's sum adds them.
    for (const BandNow& band : Bands(p)) {
        const double h = 0.5 * band.width;
        const double hh = h * h;
        if (problem_.lineShape == Lorentzian) {
            const double numerator = (h * band.intensity) * h;
            for (std::size_t i = 0; i < xs_.size(); ++i) {
                const double d = band.centre - xs_[i];
                model[i] = numerator / ((d * d) + hh) + model[i];
            }
        } else {
            const auto [first, last] = Reach(band);
            for (std::size_t i = first; i < last; ++i) {
                const double d = band.centre - xs_[i];
                model[i] = std::exp(((d * NEG_LN2) * d) / hh) * band.intensity + model[i];
            }
        }
    }
    if (baselineConstant_ >= 0) {
        const double c = p[static_cast<std::size_t>(baselineConstant_)];
        const double s = baselineSlope_ >= 0 ? p[static_cast<std::size_t>(baselineSlope_)] : 0.0;
        for (std::size_t i = 0; i < xs_.size(); ++i) {
            model[i] += c + s * (xs_[i] - centre_);
        }
    }
}

TRAZEL_VECTOR_VERSIONS
std::vector<BandModel::Column> BandModel::Columns(std::span<const double> p) const {
    std::vector<Column> columns;
    for (const BandNow& band : Bands(p)) {
        if (band.position < 0 && band.intensityParameter < 0 && band.logWidth < 0) {
            continue;
        }
        const auto [first, last] = Reach(band);
        const std::size_t n = last - first;
        Column position{static_cast<std::size_t>(band.position), first, {}};
        Column intensity{static_cast<std::size_t>(band.intensityParameter), first, {}};
        Column logWidth{static_cast<std::size_t>(band.logWidth), first, {}};
        position.values.resize(band.position >= 0 ? n : 0);
        intensity.values.resize(band.intensityParameter >= 0 ? n : 0);
        logWidth.values.resize(band.logWidth >= 0 ? n : 0);
        const double h = 0.5 * band.width;
        const double hh = h * h;
        for (std::size_t j = 0; j < n; ++j) {
            const double u = xs_[first + j] - band.centre;
            double dIntensity;
            double dCentre;
            double dLogWidth;
            if (problem_.lineShape == Lorentzian) {
                const double denominator = u * u + hh;
                dIntensity = hh / denominator;
                const double term = band.intensity * dIntensity;
                dCentre = 2.0 * term * u / denominator;
                dLogWidth = 2.0 * term * u * u / denominator;
            } else {
                const double a = -kLn2 * u * u / hh;
                dIntensity = std::exp(a);
                const double term = band.intensity * dIntensity;
                dCentre = 2.0 * kLn2 * term * u / hh;
                dLogWidth = -2.0 * a * term;
            }
            if (!position.values.empty()) {
                position.values[j] = dCentre * band.centrePerPosition;
            }
            if (!intensity.values.empty()) {
                intensity.values[j] = dIntensity;
            }
            if (!logWidth.values.empty()) {
                logWidth.values[j] = dLogWidth;
            }
        }
        for (Column* column : {&position, &intensity, &logWidth}) {
            // A held value's column has no parameter (its slot, -1, wraps).
            if (column->parameter < parameters_.size()) {
                columns.push_back(std::move(*column));
            }
        }
    }
    if (baselineConstant_ >= 0) {
        columns.push_back(
            {static_cast<std::size_t>(baselineConstant_), 0, std::vector<double>(xs_.size(), 1.0)});
    }
    if (baselineSlope_ >= 0) {
        Column slope{static_cast<std::size_t>(baselineSlope_), 0, {}};
        for (const double x : xs_) {
            slope.values.push_back(x - centre_);
        }
        columns.push_back(std::move(slope));
    }
    return columns;
}

TRAZEL_VECTOR_VERSIONS
void BandModel::NormalEquations(std::span<const double> p, std::span<const double> u,
                                std::span<double> jtu, std::span<double> jtj) const {
    const std::vector<Column> columns = Columns(p);
    const std::size_t size = parameters_.size();
    std::fill(jtu.begin(), jtu.begin() + static_cast<std::ptrdiff_t>(size), 0.0);
    for (const Column& column : columns) {
        jtu[column.parameter] =
            Dot(column.values.data(), u.data() + column.first, column.values.size());
    }
    if (jtj.empty()) {
        return;
    }
    std::fill(jtj.begin(), jtj.begin() + static_cast<std::ptrdiff_t>(size * size), 0.0);
    // A block of points at a time, so that the columns' values there stay in
    // the cache while every pair of columns is multiplied: Lorentzian bands
    // reach nearly every point, and pair by pair over whole columns the
    // products would stream the columns from memory once per pair.
    constexpr std::size_t kBlock = 2048;
    for (std::size_t start = 0; start < xs_.size(); start += kBlock) {
        const std::size_t end = std::min(xs_.size(), start + kBlock);
        for (std::size_t a = 0; a < columns.size(); ++a) {
            const Column& left = columns[a];
            const std::size_t leftFirst = std::max(left.first, start);
            const std::size_t leftLast = std::min(left.first + left.values.size(), end);
            if (leftFirst >= leftLast) {
                continue;
            }
            for (std::size_t b = a; b < columns.size(); ++b) {
                const Column& right = columns[b];
                // Only the x both columns cover add anything.
                const std::size_t first = std::max(leftFirst, right.first);
                const std::size_t last = std::min(leftLast, right.first + right.values.size());
                if (first < last) {
                    jtj[left.parameter * size + right.parameter] +=
                        Dot(left.values.data() + (first - left.first),
                            right.values.data() + (first - right.first), last - first);
                }
            }
        }
    }
    // Each pair was summed where its first column comes first in the list;
    // the matrix is symmetric.
    for (std::size_t a = 0; a < columns.size(); ++a) {
        for (std::size_t b = a + 1; b < columns.size(); ++b) {
            const std::size_t i = columns[a].parameter;
            const std::size_t j = columns[b].parameter;
            const double sum = jtj[i * size + j] + jtj[j * size + i];
            jtj[i * size + j] = sum;
            jtj[j * size + i] = sum;
        }
    }
}

TRAZEL_VECTOR_VERSIONS
void BandModel::Apply(std::span<const double> p, std::span<const double> u,
                      std::span<double> ju) const {
    std::fill(ju.begin(), ju.begin() + static_cast<std::ptrdiff_t>(xs_.size()), 0.0);
    for (const Column& column : Columns(p)) {
        for (std::size_t j = 0; j < column.values.size(); ++j) {
            ju[column.first + j] += column.values[j] * u[column.parameter];
        }
    }
}

PeakTable BandModel::TableFor(std::span<const double> p) const {
    PeakTable table = problem_.table;
    for (std::size_t i = 0; i < parameters_.size(); ++i) {
        const auto k = static_cast<std::size_t>(parameters_[i].band);
        switch (parameters_[i].kind) {
            case Kind::Position:
                table.position[k] = p[i];
                table.scaledPosition[k] = table.position[k] * table.scale[k];
                break;
            case Kind::Intensity:
                table.intensity[k] = p[i];
                break;
            case Kind::LogWidth:
                table.width[k] = std::exp(p[i]);
                break;
            case Kind::BaselineConstant:
            case Kind::BaselineSlope:
                break;
        }
    }
    return table;
}

}  // namespace trazel::fit
