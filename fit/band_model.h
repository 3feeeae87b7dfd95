#pragma once

#include <array>
#include <span>
#include <utility>
#include <vector>

#include "fit/band_fit.h"

namespace trazel::fit {

// The model a fit varies: the sum of the bands plus the baseline at a fixed,
// ascending set of x, as a function of the free parameters. A free position
// and a free intensity are parameters as they are; a free width is its
// natural logarithm. The baseline is c + s * (x - centre of the points), which
// keeps its two columns nearly orthogonal.
class BandModel {
  public:
    enum class Kind { Position, Intensity, LogWidth, BaselineConstant, BaselineSlope };
    struct Parameter {
        Kind kind;
        int band;  // the peak index; 0 for the baseline
    };

    // xs ascending; both must outlive the model.
    BandModel(const FitProblem& problem, std::span<const double> xs);

    const std::vector<Parameter>& Parameters() const { return parameters_; }
    std::size_t Size() const { return parameters_.size(); }
    double BaselineCentre() const { return centre_; }

    // The parameters as the problem's table and a zero baseline give them.
    std::vector<double> Start() const;

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
    static constexpr double kGaussianReach = 4.5;
    static constexpr double kLorentzianReach = 1000.0;

  private:
    // One column of J: its parameter, the first x it covers and its values.
    struct Column {
        std::size_t parameter = 0;
        std::size_t first = 0;
        std::vector<double> values;
    };
    struct BandNow {
        int index = 0;
        double centre = 0.0;
        double intensity = 0.0;
        double width = 0.0;
        double centrePerPosition = 1.0;
        // Parameter numbers, or -1 for a held value.
        int position = -1;
        int intensityParameter = -1;
        int logWidth = -1;
    };

    std::vector<BandNow> Bands(std::span<const double> p) const;
    // The range of x indices [first, last) within reach of a band.
    std::pair<std::size_t, std::size_t> Reach(const BandNow& band) const;
    std::vector<Column> Columns(std::span<const double> p) const;

    const FitProblem& problem_;
    std::span<const double> xs_;
    double centre_ = 0.0;
    std::vector<Parameter> parameters_;
    // For each band (peak index - 1): the parameter numbers of its position,
    // intensity and log width, -1 where held.
    std::vector<std::array<int, 3>> bandParameters_;
    int baselineConstant_ = -1;
    int baselineSlope_ = -1;
};

}  // namespace trazel::fit
