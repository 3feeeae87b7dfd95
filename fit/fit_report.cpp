#include "fit/fit_report.h"

#include "platform/number_format.h"

using trazel::platform::FormatG;

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
