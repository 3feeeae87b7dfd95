#include "fit/fit_report.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <string>

#include "model/line_shapes.h"
#include "platform/number_format.h"
#include "platform/translation.h"

using trazel::platform::Fill;
using trazel::platform::FormatG;
using trazel::platform::ShortestText;

namespace trazel::fit {

namespace {

// Ten digits: more than any fit determines, few enough to read.
std::string Number(double value) {
    return FormatG(value, 10);
}

std::string Fixed(double value, int decimals);

// Where a text goes decides its language: the tab-separated table is read by
// scripts and stays Spanish, what people read is translated.
using Words = std::string (*)(const char* context, const char* source);

std::string Spanish(const char* /*context*/, const char* source) {
    return source;
}

std::string ErrorOf(const Estimate& estimate, Words words) {
    if (!estimate.free) {
        return words("FitReport", TRAZEL_TR_NOOP("FitReport", "fija"));
    }
    if (estimate.atBound) {
        return words("FitReport", TRAZEL_TR_NOOP("FitReport", "en el límite"));
    }
    if (estimate.undetermined) {
        return words("FitReport", TRAZEL_TR_NOOP("FitReport", "sin determinar"));
    }
    return Number(estimate.error);
}

std::string ValueAndError(const Estimate& estimate) {
    return Number(estimate.value) + '\t' + ErrorOf(estimate, Spanish);
}

std::string BaselineNameIn(Baseline baseline, Words words) {
    switch (baseline) {
        case Baseline::None:
            return words("FitReport", TRAZEL_TR_NOOP("FitReport", "ninguna"));
        case Baseline::Constant:
            return words("FitReport", TRAZEL_TR_NOOP("FitReport", "constante"));
        case Baseline::Linear:
            return words("FitReport", TRAZEL_TR_NOOP("FitReport", "recta"));
        case Baseline::Quadratic:
            return words("FitReport", TRAZEL_TR_NOOP("FitReport", "parábola"));
        case Baseline::Cubic:
            return words("FitReport", TRAZEL_TR_NOOP("FitReport", "cúbica"));
    }
    return {};
}

// A share in percent: whole from 10 % up, and below it, where a tenth still
// says something, with one decimal.
std::string Percent(double share) {
    share = std::fabs(share);
    return Fixed(share, share < 10.0 ? 1 : 0);
}

// What the residual holds, in the words of a spectroscopist.
std::string ResidualWordsIn(const ResidualVerdict& verdict, Words words) {
    switch (verdict.kind) {
        case ResidualKind::NotJudged:
            break;
        case ResidualKind::Noise:
            return words("FitReport", TRAZEL_TR_NOOP("FitReport", "el residuo es ruido"));
        case ResidualKind::MissingBand:
            return Fill(words("FitReport",
                              TRAZEL_TR_NOOP("FitReport",
                                             "falta una banda cerca de x = %1 (el residuo llega "
                                             "al %2 % de la banda más alta)")),
                        {FormatG(verdict.featureX, 6), Percent(verdict.featurePercent)});
        case ResidualKind::LineShape:
            return words("FitReport", TRAZEL_TR_NOOP("FitReport", "la forma de línea no conviene"));
        case ResidualKind::Excess:
            return Fill(words("FitReport",
                              TRAZEL_TR_NOOP("FitReport",
                                             "el residuo es %1 veces el ruido sin la forma de una "
                                             "banda (¿falta línea base?)")),
                        {Fixed(verdict.ratio, 1)});
    }
    return {};
}

// The numbers a failure names, to six significant digits: enough to find
// the band or the value in the table.
std::string Named(double value) {
    return FormatG(value, 6);
}

std::string BandNameIn(const FitFailureDetail& detail, Words words) {
    return Fill(words("BandFit", TRAZEL_TR_NOOP("BandFit", "la banda de posición %1")),
                {Named(detail.band)});
}

std::string BandValueIn(BandValue value, Words words) {
    switch (value) {
        case BandValue::Position:
            return words("BandFit", TRAZEL_TR_NOOP("BandFit", "la posición"));
        case BandValue::Intensity:
            return words("BandFit", TRAZEL_TR_NOOP("BandFit", "la intensidad"));
        case BandValue::Width:
            return words("BandFit", TRAZEL_TR_NOOP("BandFit", "la anchura"));
        case BandValue::Area:
            return words("BandFit", TRAZEL_TR_NOOP("BandFit", "el área"));
    }
    return {};
}

std::string FailureTextIn(const FitFailureDetail& detail, Words words) {
    const auto say = [words](const char* source) { return words("BandFit", source); };
    switch (detail.reason) {
        case FailureReason::None:
            break;
        case FailureReason::UnequalLengths:
            return say(TRAZEL_TR_NOOP(
                "BandFit", "El espectro medido tiene distinto número de valores de x que de y."));
        case FailureReason::BadYFactor:
            return say(
                TRAZEL_TR_NOOP("BandFit", "El factor de y debe ser un número distinto de 0."));
        case FailureReason::EmptyRange:
            return Fill(say(TRAZEL_TR_NOOP("BandFit",
                                           "El intervalo de x del ajuste está vacío: x mínimo "
                                           "(%1) es mayor que x máximo (%2).")),
                        {Named(detail.xMin), Named(detail.xMax)});
        case FailureReason::BadTable:
            return say(TRAZEL_TR_NOOP("BandFit", "La tabla de máximos no es válida."));
        case FailureReason::BadIterationLimit:
            return say(
                TRAZEL_TR_NOOP("BandFit", "El número máximo de iteraciones debe ser al menos 1."));
        case FailureReason::BandNotFinite:
            return Fill(say(TRAZEL_TR_NOOP("BandFit", "Un valor de %1 no es un número finito.")),
                        {BandNameIn(detail, words)});
        case FailureReason::BandWidthNotPositive:
            return Fill(say(TRAZEL_TR_NOOP(
                            "BandFit", "La anchura de %1 debe ser mayor que 0 para ajustarla.")),
                        {BandNameIn(detail, words)});
        case FailureReason::OutOfMemory:
            return say(TRAZEL_TR_NOOP(
                "BandFit", "No hay memoria suficiente para un ajuste de tantos puntos."));
        case FailureReason::NothingFree:
            return say(TRAZEL_TR_NOOP("BandFit",
                                      "No hay nada que ajustar: todos los valores de las bandas "
                                      "están fijos y no hay línea base."));
        case FailureReason::TooFewPoints:
            return Fill(say(TRAZEL_TR_NOOP("BandFit",
                                           "Hay %1 puntos medidos entre %2 y %3 y %4 valores "
                                           "libres: hacen falta más puntos que valores libres.")),
                        {std::to_string(detail.points), Named(detail.xMin), Named(detail.xMax),
                         std::to_string(detail.freeValues)});
        case FailureReason::BandWithoutPoints:
            return Fill(say(TRAZEL_TR_NOOP("BandFit",
                                           "No hay ningún punto medido a menos de una anchura del "
                                           "centro de %1: los datos no pueden fijarla. Amplíe el "
                                           "intervalo de x o deje fijos sus valores.")),
                        {BandNameIn(detail, words)});
        case FailureReason::IdenticalBands:
            return Fill(say(TRAZEL_TR_NOOP("BandFit",
                                           "Hay dos bandas iguales en la posición %1 (mismo "
                                           "centro y anchura): el ajuste no puede repartir la "
                                           "señal entre ellas. Quite una o deje fijos sus "
                                           "valores.")),
                        {Named(detail.band)});
        case FailureReason::Singular:
            return say(TRAZEL_TR_NOOP("BandFit",
                                      "El problema es singular: los datos no bastan para separar "
                                      "unos valores de otros (dos bandas casi iguales, o una "
                                      "banda con muy pocos puntos debajo). Deje fijos algunos "
                                      "valores o quite bandas."));
        case FailureReason::DataTooLarge:
            return detail.yFactor != 1.0
                       ? Fill(say(TRAZEL_TR_NOOP("BandFit",
                                                 "La suma de cuadrados de los valores de y "
                                                 "medidos, por el factor de y (%1), no es un "
                                                 "número finito: son demasiado grandes. "
                                                 "Redúzcalos con el factor de y.")),
                              {Named(detail.yFactor)})
                       : say(TRAZEL_TR_NOOP("BandFit",
                                            "La suma de cuadrados de los valores de y medidos no "
                                            "es un número finito: son demasiado grandes. "
                                            "Redúzcalos con el factor de y."));
        case FailureReason::FlatData:
            return Fill(say(TRAZEL_TR_NOOP("BandFit",
                                           "Todos los valores de y medidos entre %1 y %2 valen lo "
                                           "mismo (%3) salvo redondeos: no hay señal que ajustar "
                                           "y R² no está definido.")),
                        {Named(detail.xMin), Named(detail.xMax), Named(detail.y)});
        case FailureReason::StartTooLarge:
            return say(TRAZEL_TR_NOOP("BandFit",
                                      "La suma de cuadrados de partida no es un número finito: las "
                                      "bandas de partida dan valores demasiado grandes."));
        case FailureReason::NoConvergence:
            return Fill(say(TRAZEL_TR_NOOP("BandFit",
                                           "El ajuste no converge en %1 iteraciones. Pruebe con "
                                           "valores de partida más cercanos al espectro, menos "
                                           "valores libres u otro intervalo de x.")),
                        {std::to_string(detail.iterations)});
        case FailureReason::IterationNotFinite:
            return Fill(say(TRAZEL_TR_NOOP("BandFit",
                                           "El ajuste se sale de los números representables: en "
                                           "la iteración %1 la suma de cuadrados no es un número "
                                           "finito.")),
                        {std::to_string(detail.iterations)});
        case FailureReason::Stopped:
            return say(TRAZEL_TR_NOOP("BandFit", "Ajuste detenido: no se ha cambiado nada."));
        case FailureReason::BandResultNotFinite:
            return Fill(say(TRAZEL_TR_NOOP("BandFit",
                                           "El ajuste no da un resultado finito: un valor de %1 "
                                           "no es un número finito.")),
                        {BandNameIn(detail, words)});
        case FailureReason::BaselineResultNotFinite:
            return say(TRAZEL_TR_NOOP("BandFit",
                                      "El ajuste no da un resultado finito: un valor de la línea "
                                      "base no es un número finito."));
        case FailureReason::BandEstimateNotFinite:
            return Fill(say(TRAZEL_TR_NOOP("BandFit",
                                           "El ajuste no da un resultado finito: %1 de %2 o su "
                                           "error no es un número finito.")),
                        {BandValueIn(detail.value, words), BandNameIn(detail, words)});
        case FailureReason::BaselineEstimateNotFinite:
            return say(TRAZEL_TR_NOOP("BandFit",
                                      "El ajuste no da un resultado finito: la línea base o su "
                                      "error no es un número finito."));
        case FailureReason::FinalSumNotFinite:
            return say(TRAZEL_TR_NOOP("BandFit",
                                      "El ajuste no da un resultado finito: la suma de cuadrados "
                                      "final no es un número finito."));
        case FailureReason::FitSumTooLarge:
            return detail.yFactor != 1.0
                       ? Fill(say(TRAZEL_TR_NOOP("BandFit",
                                                 "La suma de cuadrados del ajuste no es un número "
                                                 "finito en las unidades de y, cuyos valores, por "
                                                 "el factor de y (%1), llegan a %2: son demasiado "
                                                 "grandes. Redúzcalos con el factor de y.")),
                              {Named(detail.yFactor), Named(detail.y)})
                       : Fill(say(TRAZEL_TR_NOOP("BandFit",
                                                 "La suma de cuadrados del ajuste no es un número "
                                                 "finito en las unidades de y, cuyos valores "
                                                 "llegan a %1: son demasiado grandes. Redúzcalos "
                                                 "con el factor de y.")),
                              {Named(detail.y)});
        case FailureReason::NoSignal:
            return Fill(say(TRAZEL_TR_NOOP("BandFit",
                                           "En %1 no hay señal: su intensidad (%2) no se "
                                           "distingue de 0 (error típico %3). Quite la banda, "
                                           "deje fija su intensidad o elija otro intervalo de "
                                           "x.")),
                        {BandNameIn(detail, words), Named(detail.estimate), Named(detail.error)});
        case FailureReason::ValueNotFixed:
            return Fill(say(TRAZEL_TR_NOOP("BandFit",
                                           "Los datos no fijan %1 de %2: su error típico (%3) es "
                                           "mayor que el intervalo de x ajustado (%4). Deje fijo "
                                           "ese valor o elija otro intervalo de x.")),
                        {BandValueIn(detail.value, words), BandNameIn(detail, words),
                         Named(detail.error), Named(detail.span)});
    }
    return {};
}

std::string Verdict(const FitResult& result, Words words) {
    if (!result.Ok()) {
        const std::string why = FailureTextIn(result.detail, words);
        if (result.failure == FitFailure::NoConvergence) {
            return Fill(words("FitReport", TRAZEL_TR_NOOP("FitReport", "No converge. %1")), {why});
        }
        return why;
    }
    std::string bounds;
    const auto name = [&bounds](const std::string& what) {
        bounds += (bounds.empty() ? "" : "; ") + what;
    };
    for (auto band = result.bands.rbegin(); band != result.bands.rend(); ++band) {
        const std::string where = FormatG(band->position.value, 6);
        if (band->position.atBound) {
            name(Fill(words("FitReport", TRAZEL_TR_NOOP("FitReport",
                                                        "la posición de una banda, en el borde del "
                                                        "intervalo (%1)")),
                      {where}));
        }
        if (band->intensity.atBound) {
            name(Fill(words("FitReport", TRAZEL_TR_NOOP("FitReport",
                                                        "la intensidad de la banda de posición %1 "
                                                        "(%2)")),
                      {where, FormatG(band->intensity.value, 6)}));
        }
        if (band->width.atBound) {
            name(Fill(words("FitReport", TRAZEL_TR_NOOP("FitReport",
                                                        "la anchura de la banda de posición %1 "
                                                        "(%2)")),
                      {where, FormatG(band->width.value, 6)}));
        }
        if (band->share.atBound) {
            name(Fill(words("FitReport", TRAZEL_TR_NOOP("FitReport",
                                                        "la fracción lorentziana de la banda de "
                                                        "posición %1 (%2)")),
                      {where, FormatG(band->share.value, 6)}));
        }
    }
    if (result.residual.Judged()) {
        const std::string residual = ResidualWordsIn(result.residual, words);
        return bounds.empty()
                   ? Fill(words("FitReport", TRAZEL_TR_NOOP("FitReport", "Converge; %1.")),
                          {residual})
                   : Fill(words("FitReport", TRAZEL_TR_NOOP("FitReport",
                                                            "Converge, con valores en el límite: "
                                                            "%1; %2.")),
                          {bounds, residual});
    }
    // A fit read from a document of a version that did not weigh the
    // residual against the noise keeps the words of its structure test.
    const char* pattern = nullptr;
    if (bounds.empty()) {
        pattern = result.structured
                      ? TRAZEL_TR_NOOP("FitReport",
                                       "Converge, pero el residuo tiene estructura a la escala de "
                                       "las bandas (falta una banda o la forma de línea no "
                                       "conviene).")
                      : TRAZEL_TR_NOOP("FitReport", "Converge.");
    } else {
        pattern = result.structured
                      ? TRAZEL_TR_NOOP("FitReport",
                                       "Converge, con valores en el límite: %1; y el residuo tiene "
                                       "estructura a la escala de las bandas (falta una banda o la "
                                       "forma de línea no conviene).")
                      : TRAZEL_TR_NOOP("FitReport", "Converge, con valores en el límite: %1.");
    }
    return Fill(words("FitReport", pattern), {bounds});
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
    return BaselineNameIn(baseline, platform::Translate);
}

std::string FailureText(const FitResult& result) {
    return FailureTextIn(result.detail, platform::Translate);
}

namespace {

// The words of each reason, by its number; the translation looks them up
// as they are, so they never change.
constexpr const char* kStopWords[] = {
    "",
    TRAZEL_TR_NOOP("BandFit", "ningún paso reduce la suma de cuadrados: ya estaba en el mínimo"),
    TRAZEL_TR_NOOP("BandFit", "los valores ya no cambian (paso relativo menor que 1e-10)"),
    TRAZEL_TR_NOOP("BandFit", "el gradiente es prácticamente nulo"),
    TRAZEL_TR_NOOP("BandFit", "la suma de cuadrados ya no baja"),
};
static_assert(std::size(kStopWords) == static_cast<std::size_t>(StopReason::Last) + 1);

}  // namespace

std::string StopReasonWords(const FitResult& result) {
    return result.stop == StopReason::Unknown ? result.stopWords
                                              : kStopWords[static_cast<std::size_t>(result.stop)];
}

std::string StopReasonText(const FitResult& result) {
    return platform::Translate("BandFit", StopReasonWords(result).c_str());
}

StopReason StopReasonOf(const std::string& words) {
    for (std::size_t i = 1; i < std::size(kStopWords); ++i) {
        if (words == kStopWords[i]) {
            return static_cast<StopReason>(i);
        }
    }
    return StopReason::Unknown;
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
    return {FormatG(estimate.value, 8), ErrorOf(estimate, platform::Translate)};
}

std::string FitResultText(const FitResult& result, Baseline baseline) {
    // The shape and the share are columns only where some band has a shape
    // of its own, so that the table of any other fit reads as it always has.
    const bool shapes = model::HasOwnShapes(result.table);
    std::string text = "posicion\terror\tintensidad\terror\tanchura\terror\tarea\terror";
    text += shapes ? "\tforma\tfraccion\terror\n" : "\n";
    for (auto band = result.bands.rbegin(); band != result.bands.rend(); ++band) {
        text += ValueAndError(band->position) + '\t' + ValueAndError(band->intensity) + '\t' +
                ValueAndError(band->width) + '\t' + ValueAndError(band->area);
        if (shapes && band->index >= 1 && band->index <= result.table.PeakCount()) {
            text += '\t' + std::string(model::ShapeCode(result.table.Band(band->index).shape)) +
                    '\t' + ValueAndError(band->share);
        }
        text += '\n';
    }
    if (baseline == Baseline::None || result.baseline.empty()) {
        text += "linea base\tninguna\n";
    } else {
        text += "linea base\t" + BaselineNameIn(baseline, Spanish) + '\n';
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
    if (result.residual.Judged()) {
        const ResidualVerdict& r = result.residual;
        text += "ruido\t" + Number(r.noise) + '\n';
        text += "ruido correlado en\t" + std::to_string(r.noiseSpan) + '\n';
        text += "residuo/ruido\t" + Number(r.ratio) + '\n';
        text += "umbral de residuo/ruido\t" + Number(r.ratioLimit) + '\n';
        if (r.featureHeight != 0.0) {
            text += "rasgo del residuo x\t" + Number(r.featureX) + '\n';
            text += "rasgo del residuo %\t" + Number(r.featurePercent) + '\n';
        }
        text += "residuo\t" + ResidualKindWords(r.kind) + '\n';
    }
    text +=
        "BIC\t" + Number(InformationCriterion(result.rss, result.points, result.parameters)) + '\n';
    text += "puntos\t" + std::to_string(result.points) + '\n';
    text += "valores libres\t" + std::to_string(result.parameters) + '\n';
    text += "iteraciones\t" + std::to_string(result.iterations) + '\n';
    text += "parada\t" + StopReasonWords(result) + '\n';
    text += "veredicto\t" + Verdict(result, Spanish) + '\n';
    return text;
}

std::string ResidualWords(const ResidualVerdict& verdict) {
    return ResidualWordsIn(verdict, platform::Translate);
}

std::string ResidualKindWords(ResidualKind kind) {
    switch (kind) {
        case ResidualKind::NotJudged:
            break;
        case ResidualKind::Noise:
            return "ruido";
        case ResidualKind::MissingBand:
            return "falta una banda";
        case ResidualKind::LineShape:
            return "forma de linea";
        case ResidualKind::Excess:
            return "exceso sin forma de banda";
    }
    return {};
}

std::string SpanishVerdict(const FitResult& result) {
    return Verdict(result, Spanish);
}

std::string VerdictText(const FitResult& result) {
    return Verdict(result, platform::Translate);
}

namespace {

// R², the reduced χ² and the structure test, as versions before the noise
// estimate gave them.
std::string StructureStatistics(const FitResult& result) {
    const std::string r2 = FormatG(result.rSquared, 6);
    const std::string chi2 = FormatG(result.reducedChiSquare, 4);
    if (result.structureLimit > 0.0) {
        return Fill(
            TRAZEL_TR("FitReport", "R² %1, χ² reducido %2, estructura del residuo %3 (umbral %4)"),
            {r2, chi2, FormatG(result.structure, 3), FormatG(result.structureLimit, 3)});
    }
    return Fill(TRAZEL_TR("FitReport",
                          "R² %1, χ² reducido %2, estructura del residuo sin evaluar "
                          "(muy pocos puntos)"),
                {r2, chi2});
}

}  // namespace

std::string NoiseText(const ResidualVerdict& verdict) {
    return verdict.noiseSpan > 1
               ? Fill(TRAZEL_TR("FitReport", "%1 (correlado en %2 puntos)"),
                      {FormatG(verdict.noise, 3), std::to_string(verdict.noiseSpan)})
               : Fill(TRAZEL_TR("FitReport", "%1 (blanco)"), {FormatG(verdict.noise, 3)});
}

std::string StatisticsText(const FitResult& result) {
    std::string text = StructureStatistics(result);
    if (const ResidualVerdict& residual = result.residual; residual.Judged()) {
        text += Fill(
            TRAZEL_TR("FitReport",
                      "; ruido de los datos %1, RMS del residuo %2 veces el ruido "
                      "(hasta %3)"),
            {NoiseText(residual), FormatG(residual.ratio, 3), FormatG(residual.ratioLimit, 3)});
    }
    return text;
}

}  // namespace trazel::fit
