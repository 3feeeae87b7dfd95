#include "analysis/analysis.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

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
