#include "fit/fit_report.h"

#include <charconv>
#include <cmath>

#include "platform/number_format.h"

using trazel::platform::FormatG;
using trazel::platform::ShortestText;

namespace trazel::fit {

namespace {

// Ten digits: more than any fit determines, few enough to read.
std::string Number(double value) {
    return FormatG(value, 10);
}

std::string ErrorOf(const Estimate& estimate) {
    if (!estimate.free) {
        return "fija";
    }
    if (estimate.atBound) {
        return "en el límite";
    }
    if (estimate.undetermined) {
        return "sin determinar";
    }
    return Number(estimate.error);
}

std::string ValueAndError(const Estimate& estimate) {
    return Number(estimate.value) + '\t' + ErrorOf(estimate);
}

// value with decimals digits after the point, rounded to nearest.
std::string Fixed(double value, int decimals) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : ShortestText(value);
}

}  // namespace

std::string BaselineName(Baseline baseline) {
    switch (baseline) {
        case Baseline::None:
            return "ninguna";
        case Baseline::Constant:
            return "constante";
        case Baseline::Linear:
            return "recta";
        case Baseline::Quadratic:
            return "parábola";
        case Baseline::Cubic:
            return "cúbica";
    }
    return {};
}

RoundedPair RoundedByError(double value, double error) {
    error = std::fabs(error);
    if (!std::isfinite(value) || !std::isfinite(error) || error == 0.0) {
        return {ShortestText(value), ShortestText(error)};
    }
    // The power of ten of the error's second significant digit, one more
    // when rounding the error carries it into the next decade (0.0996 is
    // 0.10, not 0.100).
    int place = static_cast<int>(std::floor(std::log10(error))) - 1;
    if (std::round(error / std::pow(10.0, place)) >= 100.0) {
        ++place;
    }
    // Beyond these the fixed notation would run to hundreds of zeros: such
    // numbers are written in full instead.
    if (place < -30 || place > 30) {
        return {ShortestText(value), ShortestText(error)};
    }
    if (place <= 0) {
        return {Fixed(value, -place), Fixed(error, -place)};
    }
    // Tens or more: the value rounded to that place, written without decimals.
    const double unit = std::pow(10.0, place);
    return {Fixed(std::round(value / unit) * unit, 0), Fixed(std::round(error / unit) * unit, 0)};
}

RoundedPair ReadableEstimate(const Estimate& estimate) {
    if (estimate.HasError() && estimate.error > 0.0) {
        return RoundedByError(estimate.value, estimate.error);
    }
    return {ShortestText(estimate.value), ErrorOf(estimate)};
}

std::string FitResultText(const FitResult& result, Baseline baseline) {
    std::string text = "posicion\terror\tintensidad\terror\tanchura\terror\tarea\terror\n";
    for (auto band = result.bands.rbegin(); band != result.bands.rend(); ++band) {
        text += ValueAndError(band->position) + '\t' + ValueAndError(band->intensity) + '\t' +
                ValueAndError(band->width) + '\t' + ValueAndError(band->area) + '\n';
    }
    if (baseline == Baseline::None || result.baseline.empty()) {
        text += "linea base\tninguna\n";
    } else {
        text += "linea base\t" + BaselineName(baseline) + '\n';
        text += "linea base\tcentro xc\t" + Number(result.baselineCentre) + '\n';
        for (std::size_t j = 0; j < result.baseline.size(); ++j) {
            text += "linea base\tc" + std::to_string(j) + '\t' + ValueAndError(result.baseline[j]) +
                    '\n';
        }
    }
    text += "suma de cuadrados\t" + Number(result.rss) + '\n';
    text += "R2\t" + Number(result.rSquared) + '\n';
    text += "chi2 reducido\t" + Number(result.reducedChiSquare) + '\n';
    if (result.structureLimit > 0.0) {
        text += "estructura del residuo\t" + Number(result.structure) + '\n';
        text += "umbral de estructura\t" + Number(result.structureLimit) + '\n';
    }
    text += "puntos\t" + std::to_string(result.points) + '\n';
    text += "valores libres\t" + std::to_string(result.parameters) + '\n';
    text += "iteraciones\t" + std::to_string(result.iterations) + '\n';
    text += "parada\t" + result.stopReason + '\n';
    text += "veredicto\t" + VerdictText(result) + '\n';
    return text;
}

std::string VerdictText(const FitResult& result) {
    if (!result.Ok()) {
        if (result.failure == FitFailure::NoConvergence) {
            return "No converge. " + result.message;
        }
        return result.message;
    }
    std::string bounds;
    const auto name = [&bounds](const std::string& what) {
        bounds += (bounds.empty() ? "" : "; ") + what;
    };
    for (auto band = result.bands.rbegin(); band != result.bands.rend(); ++band) {
        const std::string where = " de la banda de posición " + FormatG(band->position.value, 6);
        if (band->position.atBound) {
            name("la posición de una banda, en el borde del intervalo (" +
                 FormatG(band->position.value, 6) + ")");
        }
        if (band->intensity.atBound) {
            name("la intensidad" + where + " (" + FormatG(band->intensity.value, 6) + ")");
        }
        if (band->width.atBound) {
            name("la anchura" + where + " (" + FormatG(band->width.value, 6) + ")");
        }
    }
    std::string text = "Converge";
    if (!bounds.empty()) {
        text += ", con valores en el límite: " + bounds;
    }
    if (result.structured) {
        text += std::string(bounds.empty() ? ", pero" : "; y") +
                " el residuo tiene estructura a la escala de las bandas (falta una banda o la "
                "forma de línea no conviene)";
    }
    return text + ".";
}

std::string StatisticsText(const FitResult& result) {
    std::string text = "R² " + FormatG(result.rSquared, 6) + ", χ² reducido " +
                       FormatG(result.reducedChiSquare, 4);
    if (result.structureLimit > 0.0) {
        text += ", estructura del residuo " + FormatG(result.structure, 3) + " (umbral " +
                FormatG(result.structureLimit, 3) + ")";
    } else {
        text += ", estructura del residuo sin evaluar (muy pocos puntos)";
    }
    return text;
}

}  // namespace trazel::fit
