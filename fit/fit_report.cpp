#include "fit/fit_report.h"

#include "platform/number_format.h"

using trazel::platform::FormatG;

namespace trazel::fit {

namespace {

// Ten digits: more than any fit determines, few enough to read.
std::string Number(double value) {
    return FormatG(value, 10);
}

std::string ValueAndError(const Estimate& estimate) {
    return Number(estimate.value) + '\t' + (estimate.free ? Number(estimate.error) : "fija");
}

}  // namespace

std::string FitResultText(const FitResult& result, Baseline baseline) {
    std::string text = "posicion\terror\tintensidad\terror\tanchura\terror\tarea\terror\n";
    for (auto band = result.bands.rbegin(); band != result.bands.rend(); ++band) {
        text += ValueAndError(band->position) + '\t' + ValueAndError(band->intensity) + '\t' +
                ValueAndError(band->width) + '\t' + ValueAndError(band->area) + '\n';
    }
    if (baseline == Baseline::None) {
        text += "linea base\tninguna\n";
    } else {
        text += "linea base\tconstante\t" + ValueAndError(result.baselineConstant) + '\n';
    }
    if (baseline == Baseline::Linear) {
        text += "linea base\tpendiente\t" + ValueAndError(result.baselineSlope) + '\n';
    }
    text += "suma de cuadrados\t" + Number(result.rss) + '\n';
    text += "R2\t" + Number(result.rSquared) + '\n';
    text += "puntos\t" + std::to_string(result.points) + '\n';
    text += "valores libres\t" + std::to_string(result.parameters) + '\n';
    text += "iteraciones\t" + std::to_string(result.iterations) + '\n';
    text += "parada\t" + result.stopReason + '\n';
    return text;
}

}  // namespace trazel::fit
