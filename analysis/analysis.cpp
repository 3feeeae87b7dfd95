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
    switch (kind) {
        case fit::Baseline::None:
            return std::nullopt;
        case fit::Baseline::Constant:
            return BaselineCurve{{result.baselineConstant.value}};
        case fit::Baseline::Linear:
            return BaselineCurve{{result.baselineConstant.value, result.baselineSlope.value}};
    }
    return std::nullopt;
}

}  // namespace trazel::analysis
