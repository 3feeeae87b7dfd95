#include "analysis/analysis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>

#include "analysis/document_state.h"
#include "platform/number_format.h"
#include "platform/translation.h"

namespace trazel::analysis {

MeasuredData MeasuredFrom(input::MeasuredSpectrum points, const std::string& path,
                          const input::MeasuredOptions& options) {
    MeasuredData data;
    data.points = std::make_shared<const input::MeasuredSpectrum>(std::move(points));
    data.sourcePath = path;
    data.columns = options;
    data.sourceName = std::filesystem::path(path).filename().string();
    return data;
}

MeasuredTransform MeasuredTransformOf(const input::SpectrumTransform& whole) {
    return {whole.x, whole.y, whole.laserNm, whole.negate, whole.factor, whole.als};
}

input::SpectrumTransform MeasuredTransform::Change() const {
    input::SpectrumTransform change{x, y, laserNm, negate, 1.0, als};
    if (change.als && yFactor < 0.0) {
        change.als->p = 1.0 - change.als->p;
    }
    return change;
}

void Retransform(MeasuredData& measured) {
    const input::SpectrumTransform change = measured.transform.Change();
    measured.index.reset();
    if (!measured.points) {
        measured.changed.reset();
        return;
    }
    if (change.IsIdentity()) {
        measured.changed.reset();
    } else {
        const input::MeasuredSpectrum& points = *measured.points;
        measured.changed = std::make_shared<const input::TransformedSpectrum>(
            input::ApplyTransform(points.x, points.y, points.header, change));
    }
    measured.index = std::make_shared<const output::PointIndex>(measured.X(), measured.Y());
}

void PointsToFit(const MeasuredData& measured, std::vector<double>& x, std::vector<double>& y) {
    x.assign(measured.X().begin(), measured.X().end());
    y.clear();
    y.reserve(measured.Y().size());
    for (std::size_t i = 0; i < measured.Y().size(); ++i) {
        y.push_back(std::isfinite(measured.Y()[i]) ? measured.UsedY(i) : NAN);
    }
}

bool CentredIn(const model::PeakTable& table, int index, bool useScaled, double xMin, double xMax) {
    const auto k = static_cast<std::size_t>(index);
    const double centre = useScaled ? table.Band(k).scaledPosition : table.Band(k).position;
    return std::min(xMin, xMax) <= centre && centre <= std::max(xMin, xMax);
}

bool CentredInFit(const FitRecord& fit, int index) {
    return CentredIn(fit.result.table, index, fit.useScaled, fit.xMin, fit.xMax);
}

std::vector<int> BandsWithoutSignal(const FitRecord& fit) {
    double tallest = 0.0;
    for (const fit::FittedBand& band : fit.result.bands) {
        tallest = std::max(tallest, std::fabs(band.intensity.value));
    }
    std::vector<int> dead;
    for (const fit::FittedBand& band : fit.result.bands) {
        const fit::Estimate& height = band.intensity;
        // Within two standard errors of zero the noise cannot tell the
        // band from none.
        const bool unseen = height.HasError() && std::fabs(height.value) < 2.0 * height.error;
        if (height.free && CentredInFit(fit, band.index) &&
            (height.atBound || unseen || std::fabs(height.value) <= 1e-3 * tallest)) {
            dead.push_back(band.index);
        }
    }
    return dead;
}

namespace {

// renumbered[index], or 0 for an index it does not cover.
int Renumbered(const std::vector<int>& renumbered, int index) {
    return index >= 1 && static_cast<std::size_t>(index) < renumbered.size()
               ? renumbered[static_cast<std::size_t>(index)]
               : 0;
}

bool RenumberHeld(std::vector<int>& held, const std::vector<int>& renumbered) {
    std::vector<int> kept;
    for (const int index : held) {
        if (const int now = Renumbered(renumbered, index); now > 0) {
            kept.push_back(now);
        }
    }
    const bool changed = kept != held;
    held = std::move(kept);
    return changed;
}

}  // namespace

namespace {

// Follows the bands of one fit; false when the fit has none left.
bool RenumberFit(FitRecord& fit, const std::vector<int>& renumbered, bool& changed) {
    changed = RenumberHeld(fit.settings.heldBands, renumbered) || changed;
    model::PeakTable& fitted = fit.result.table;
    std::vector<model::Peak> kept;
    for (int k = 1; k <= fitted.PeakCount(); ++k) {
        // The bands keep their order, so those kept are numbered in turn.
        if (Renumbered(renumbered, k) > 0) {
            kept.push_back(fitted.Band(k));
        }
    }
    changed = changed || kept.size() != fitted.bands.size();
    fitted.bands = std::move(kept);
    std::vector<fit::FittedBand> bands;
    for (fit::FittedBand band : fit.result.bands) {
        if (const int now = Renumbered(renumbered, band.index);
            now > 0 && now <= fitted.PeakCount()) {
            band.index = now;
            bands.push_back(band);
        }
    }
    // Every band the fit knows is in the table as it was fitted (the table
    // only grows at its end afterwards), so any of them gone shows here.
    changed = changed || bands.size() != fit.result.bands.size();
    fit.result.bands = std::move(bands);
    return !fit.result.bands.empty();
}

}  // namespace

bool RenumberBands(Analysis& analysis, const std::vector<int>& renumbered) {
    bool changed = RenumberHeld(analysis.fitSettings.heldBands, renumbered);
    for (FitRegion& region : analysis.regions) {
        changed = RenumberHeld(region.settings.heldBands, renumbered) || changed;
        if (region.fit && !RenumberFit(*region.fit, renumbered, changed)) {
            region.fit.reset();
        }
    }
    return changed;
}

AxisTitles ShownAxisTitles(const Analysis& analysis, const AxisTitles& fallback) {
    if (analysis.axisTitles) {
        return *analysis.axisTitles;
    }
    AxisTitles titles = fallback;
    if (analysis.measured) {
        const model::SpectrumHeader& header = analysis.measured->Header();
        if (std::string x = model::XAxisTitle(header); !x.empty()) {
            titles.x = std::move(x);
        }
        if (std::string y = model::YAxisTitle(header); !y.empty()) {
            titles.y = std::move(y);
        }
    }
    return titles;
}

bool XDrawnDecreasing(const Analysis& analysis) {
    if (analysis.plotView) {
        return analysis.plotView->reversedX;
    }
    return analysis.measured && model::DrawnWithXDecreasing(analysis.measured->Header());
}

std::pair<double, double> FitRangeFor(const FitSettings& settings, std::span<const double> x) {
    double lowest = 0.0;
    double highest = 0.0;
    bool any = false;
    for (const double value : x) {
        if (!std::isfinite(value)) {
            continue;
        }
        lowest = any ? std::min(lowest, value) : value;
        highest = any ? std::max(highest, value) : value;
        any = true;
    }
    return {settings.xMin.value_or(lowest), settings.xMax.value_or(highest)};
}

bool FitSettings::operator==(const FitSettings& o) const {
    const auto freedom = [](const fit::Freedom& f) {
        return std::array<bool, 4>{f.position, f.intensity, f.width, f.share};
    };
    return xMin == o.xMin && xMax == o.xMax && heldBands == o.heldBands &&
           freedom(values) == freedom(o.values) && baseline == o.baseline &&
           allowNegative == o.allowNegative && maxIterations == o.maxIterations && shape == o.shape;
}

FitRegion RegionOf(FitRecord fit) {
    FitRegion region;
    region.settings = fit.settings;
    region.settings.xMin = std::min(fit.xMin, fit.xMax);
    region.settings.xMax = std::max(fit.xMin, fit.xMax);
    // The shape was chosen for that fit; the bands keep it.
    region.settings.shape.reset();
    region.fit = std::move(fit);
    return region;
}

std::vector<std::size_t> RegionsOverlapping(const std::vector<FitRegion>& regions, double lo,
                                            double hi) {
    std::vector<std::size_t> overlapping;
    for (std::size_t r = 0; r < regions.size(); ++r) {
        if (std::min(lo, hi) < regions[r].XMax() && regions[r].XMin() < std::max(lo, hi)) {
            overlapping.push_back(r);
        }
    }
    return overlapping;
}

std::optional<std::size_t> RegionOfBand(const std::vector<FitRegion>& regions,
                                        const model::PeakTable& table, int index, bool useScaled) {
    for (std::size_t r = 0; r < regions.size(); ++r) {
        if (CentredIn(table, index, useScaled, regions[r].XMin(), regions[r].XMax())) {
            return r;
        }
    }
    return std::nullopt;
}

std::vector<const FitRecord*> RegionFits(const std::vector<FitRegion>& regions) {
    std::vector<const FitRecord*> fits;
    for (const FitRegion& region : regions) {
        if (region.fit) {
            fits.push_back(&*region.fit);
        }
    }
    return fits;
}

std::optional<std::string> RangeProblem(const std::vector<FitRegion>& regions, double lo, double hi,
                                        std::optional<std::size_t> refitted) {
    std::vector<std::size_t> others;
    for (const std::size_t r : RegionsOverlapping(regions, lo, hi)) {
        if (r != refitted) {
            others.push_back(r);
        }
    }
    // A range over one region alone refits it, unless another was named.
    if (others.empty() || (!refitted && others.size() == 1)) {
        return std::nullopt;
    }
    std::string named;
    for (const std::size_t r : others) {
        named += (named.empty() ? "" : ", ") +
                 platform::Fill(TRAZEL_TR("Analysis", "la región %1 (x de %2 a %3)"),
                                {std::to_string(r + 1), platform::FormatG(regions[r].XMin(), 10),
                                 platform::FormatG(regions[r].XMax(), 10)});
    }
    return platform::Fill(
        TRAZEL_TR("Analysis",
                  "El intervalo de %1 a %2 se solapa con %3: las "
                  "regiones de ajuste no pueden solaparse."),
        {platform::FormatG(std::min(lo, hi), 10), platform::FormatG(std::max(lo, hi), 10), named});
}

void DropFits(Analysis& analysis) {
    for (FitRegion& region : analysis.regions) {
        region.fit.reset();
    }
}

std::optional<double> BaselineAt(const Analysis& analysis, double x) {
    for (const FitRegion& region : analysis.regions) {
        if (region.XMin() <= x && x <= region.XMax()) {
            if (!region.fit) {
                return std::nullopt;
            }
            const auto curve = BaselineOf(region.fit->result, region.fit->settings.baseline);
            return curve ? std::optional<double>(curve->At(x)) : std::nullopt;
        }
    }
    return std::nullopt;
}

double BaselineCurve::At(double x) const {
    // Horner's rule from the highest power down.
    double value = 0.0;
    for (auto c = coefficients.rbegin(); c != coefficients.rend(); ++c) {
        value = value * x + *c;
    }
    return value;
}

FitSettings FitSettingsInView(FitSettings settings, double lo, double hi) {
    if (!settings.xMin && !settings.xMax && std::isfinite(lo) && std::isfinite(hi) && lo != hi) {
        settings.xMin = std::min(lo, hi);
        settings.xMax = std::max(lo, hi);
    }
    return settings;
}

std::optional<BaselineCurve> BaselineOf(const fit::FitResult& result, fit::Baseline kind) {
    if (kind == fit::Baseline::None || result.baseline.empty()) {
        return std::nullopt;
    }
    std::vector<double> terms;
    for (const fit::Estimate& term : result.baseline) {
        terms.push_back(term.value);
    }
    return BaselineCurve{fit::PowersOfX(terms, result.baselineCentre)};
}

}  // namespace trazel::analysis

namespace trazel::analysis {

DocumentState FitApplied(DocumentState state, FitRecord record) {
    state.table = record.result.table;
    state.analysis.fitSettings = record.settings;
    std::vector<FitRegion>& regions = state.analysis.regions;
    // The regions the range overlaps are the one refitted, its range perhaps
    // changed (posing refuses a range over two of them).
    const std::vector<std::size_t> replaced = RegionsOverlapping(regions, record.xMin, record.xMax);
    for (auto r = replaced.rbegin(); r != replaced.rend(); ++r) {
        regions.erase(regions.begin() + static_cast<std::ptrdiff_t>(*r));
    }
    FitRegion region = RegionOf(std::move(record));
    const auto after = std::find_if(regions.begin(), regions.end(), [&](const FitRegion& other) {
        return other.XMin() > region.XMin();
    });
    regions.insert(after, std::move(region));
    return state;
}

}  // namespace trazel::analysis
