#pragma once

#include <array>
#include <complex>
#include <span>
#include <utility>
#include <vector>

#include "fit/band_fit.h"

namespace trazel::fit {

// How a bounded value is reached from the unbounded parameter u the solver
// varies, so that every step it takes keeps the value within its bounds:
// u² for a value that must not be negative, c + h sin((u - c) / h) between
// c - h and c + h (u is then the value itself near the middle, which keeps
// the solver's relative tests as they were for unbounded values).
struct Bound {
    enum class Kind { None, NonNegative, Between };
    Kind kind = Kind::None;
    double lo = 0.0;
    double hi = 0.0;

    double Value(double u) const;
    // d value / d u.
    double Slope(double u) const;
    // The u of a value, which is first brought inside the bounds (a start
    // exactly on one, where the slope is 0, could never leave it).
    double Internal(double value) const;
    // Whether value ends on a bound, to within a millionth of the span (of
    // scale for a value that must not be negative), and the bound itself.
    bool At(double value, double scale) const;
    double Nearest(double value) const;
    // The u that puts the value on its nearest bound.
    double OnBound(double value) const;
};

// The model a fit varies: the sum of the bands plus the baseline at a fixed,
// ascending set of x, as a function of the free parameters. Each parameter is
// the unbounded u of its value (Bound): positions between the first and the
// last x, widths between half the sampling step and the range's width,
// intensities at or above 0 unless the problem allows negative ones. The
// baseline is c0 + c1 (x - xc) + ... about the centre xc of the points, which
// keeps its columns nearly orthogonal. The Lorentzian share of a band of
// mixed shape lies between 0 and 1.
class BandModel {
  public:
    enum class Kind { Position, Intensity, Width, Baseline, Share };
    struct Parameter {
        Kind kind;
        int band;   // the peak index; 0 for the baseline
        int power;  // of (x - xc), for the baseline
        Bound bound;
    };

    // xs ascending; both must outlive the model. yRange, the spread of the
    // measured y, sets where an intensity that starts at 0 or below (and may
    // not be negative) starts instead.
    BandModel(const FitProblem& problem, std::span<const double> xs, double yRange = 1.0);

    const std::vector<Parameter>& Parameters() const { return parameters_; }
    std::size_t Size() const { return parameters_.size(); }
    double BaselineCentre() const { return centre_; }

    // The parameters as the problem's table and a zero baseline give them,
    // or as another table of the same bands does.
    std::vector<double> Start() const;
    std::vector<double> Start(const model::PeakTable& table) const;
    const FitProblem& Problem() const { return problem_; }
    // The value of each parameter (the u of Bound turned into the value).
    std::vector<double> ValuesOf(std::span<const double> p) const;

    // The model at every x.
    void Values(std::span<const double> p, std::span<double> model) const;

    // From the rows of the Jacobian J (d model / d parameter): jtu = Jᵀu
    // and, when jtj is not empty, jtj = JᵀJ, row-major Size() x Size(). A band
    // is taken only over the points near it, where its derivatives are not
    // negligible, so the cost grows with the points under the bands, not with
    // points times parameters.
    void NormalEquations(std::span<const double> p, std::span<const double> u,
                         std::span<double> jtu, std::span<double> jtj) const;
    // ju = J u, one value per x.
    void Apply(std::span<const double> p, std::span<const double> u, std::span<double> ju) const;

    // The table with the parameters written in (scaled positions kept equal
    // to position * scale).
    model::PeakTable TableFor(std::span<const double> p) const;

    // A band's derivatives reach this many full widths from its centre: a
    // Gaussian's exponent is below -56 there, a term under 1e-24 of its height;
    // a Lorentzian's derivatives fall as (width / distance)², to about 1e-7 of
    // their peak. The values themselves take every Lorentzian term.
    // No nearer reach leaves JᵀJ as it would be to within the rounding of
    // its sums: the part of a column past t half widths changes a product by
    // at most its norm times the other column's (Cauchy-Schwarz), and that
    // norm falls below 2^-53 of the column's only past t = 3e10 for the
    // height (0.65 t^-1.5 of it) and 7e10 for the width (1.84 t^-1.5), far
    // beyond any spectrum. A Lorentzian's columns cover every point within
    // this reach, and ColumnProducts makes their products quick instead.
    static constexpr double kGaussianReach = 4.5;
    static constexpr double kLorentzianReach = 1000.0;

  private:
    // One column within a block of points and what it adds to the columns
    // of J: each of its parameters' columns holds it times a coefficient (a
    // plain shape's column is its parameter's own, coefficient 1). The first
    // x it covers there, how many, and where its values are in the block's
    // buffer. A pseudo-Voigt's columns are sums of a Lorentzian's, over every
    // point, and a Gaussian's, within the Gaussian's reach: kept apart, the
    // products over all points are those of a Lorentzian band alone.
    struct Target {
        std::size_t parameter = 0;
        double coefficient = 1.0;
    };
    struct Column {
        std::array<Target, 2> targets{};
        std::size_t targetCount = 0;
        std::size_t first = 0;
        std::size_t count = 0;
        const double* values = nullptr;
    };
    struct BandNow {
        int index = 0;
        double centre = 0.0;
        double intensity = 0.0;
        double width = 0.0;
        double centrePerPosition = 1.0;
        // Parameter numbers, or -1 for a held value, and the slopes of
        // their values by their u.
        int position = -1;
        int intensityParameter = -1;
        int widthParameter = -1;
        int shareParameter = -1;
        double positionSlope = 1.0;
        double intensitySlope = 1.0;
        double widthSlope = 1.0;
        double shareSlope = 1.0;
        // The band's own shape, the document's switch resolved; a mixed one
        // is computed through profile.
        model::BandShape shape = model::BandShape::Gaussian;
        model::BandProfile profile;
    };

    // Adds the product of two columns over their common points to the
    // upper triangle of JᵀJ (size x size); same when both are one column.
    static void AddProduct(const Column& left, const Column& right, bool same, double product,
                           std::size_t size, std::span<double> jtj);
    // The bands at p, in bands_.
    void Bands(std::span<const double> p) const;
    // The range of x indices [first, last) within reach of a band, or within
    // reach of a Gaussian of its width.
    std::pair<std::size_t, std::size_t> Reach(const BandNow& band) const;
    std::pair<std::size_t, std::size_t> GaussianReach(const BandNow& band) const;
    // The columns of J over the points [start, end), for the bands in
    // bands_, in columns_ with their values in block_.
    void BlockColumns(std::size_t start, std::size_t end) const;
    // The reach of each band in bands_, in reaches_, and of a pseudo-Voigt's
    // Gaussian part in gaussianReaches_.
    void PrepareBlocks() const;
    // Whether voigtW_ holds w at p.
    bool HoldsW(std::span<const double> p) const;

    // Points a block of the Jacobian covers: its columns there stay in the
    // cache while every pair of them is multiplied, and a Lorentzian's
    // columns, which reach nearly every point, are never held whole.
    static constexpr std::size_t kBlock = 2048;

    const FitProblem& problem_;
    std::span<const double> xs_;
    double centre_ = 0.0;
    std::vector<Parameter> parameters_;
    double yRange_ = 1.0;
    // For each band (peak index - 1): the parameter numbers of its position,
    // intensity, width and share, -1 where held.
    std::vector<std::array<int, 4>> bandParameters_;
    // The parameter of the baseline's coefficient of (x - xc)^0, the others
    // following it; -1 without a baseline.
    int baselineFirst_ = -1;
    int baselineTerms_ = 0;
    // Buffers a fit's every evaluation reuses, allocated with the model:
    // the solver calls for J many times, and fresh columns each time cost
    // more in allocation and page faults than the arithmetic.
    mutable std::vector<BandNow> bands_;
    mutable std::vector<Column> columns_;
    mutable std::vector<double> block_;
    mutable std::vector<std::pair<std::size_t, std::size_t>> reaches_;
    mutable std::vector<std::pair<std::size_t, std::size_t>> gaussianReaches_;
    // The columns of a block that cover all of it, the place of each column
    // among them (npos for the others), their products and running sums.
    mutable std::vector<const double*> dense_;
    mutable std::vector<std::size_t> denseIndex_;
    mutable std::vector<double> denseProducts_;
    mutable std::vector<double> lanes_;
    // w(z) of each Voigt band at every x, from the last Values, and the p it
    // was for: the solver asks for J at the very p whose values it has just
    // accepted, and w is most of a Voigt's cost. voigtFirst_ holds where each
    // band's run starts, or npos for a band without one; cachedP_ is empty
    // when nothing is held (more than kCachedW values would be needed).
    static constexpr std::size_t kCachedW = std::size_t{1} << 22;
    mutable std::vector<std::complex<double>> voigtW_;
    mutable std::vector<std::size_t> voigtFirst_;
    mutable std::vector<double> cachedP_;
    // The real parts of a Voigt band's z, and its w when there is no room
    // to keep it, for the points near its centre.
    mutable std::vector<double> nearX_;
    mutable std::vector<std::complex<double>> nearW_;
    mutable bool useCachedW_ = false;
    // The last values and their p: the fit asks for the values at its start
    // and at its end once more than the solver does.
    mutable std::vector<double> lastP_;
    mutable std::vector<double> lastValues_;
    // The last JᵀJ and its p.
    mutable std::vector<double> jtjP_;
    mutable std::vector<double> jtjHeld_;
};

}  // namespace trazel::fit
