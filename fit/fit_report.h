#pragma once

#include <string>

#include "fit/band_fit.h"

namespace trazel::fit {

// A fit's result as tab-separated text with a decimal point, for the command
// line and for copying from the fit dialog: a heading line, one line per band
// newest first (as the peak list shows them) with position, intensity, width
// and area each followed by its standard error ("fija" for a held value, "en
// el límite" for one that ended at a bound, "sin determinar" for one the data
// no longer fix), then the baseline about its centre and the statistics, one
// "name<TAB>value" line each, the verdict last.
std::string FitResultText(const FitResult& result, Baseline baseline);

// The verdict on a fit in words: converged; converged with the values at
// their bounds named; converged but with a residual that has structure at the
// scale of the bands; or, for a failed fit, that it did not converge or why
// there is no result.
std::string VerdictText(const FitResult& result);

// What a residual holds in words, in the language the program shows:
// "el residuo es ruido", "falta una banda cerca de x = …", "la forma de línea
// no conviene" or a residual above the noise without a band's form.
std::string ResidualWords(const ResidualVerdict& verdict);

// The kind of residual as programs read it, in Spanish whatever the language
// shown, without accents: "ruido", "falta una banda", "forma de linea",
// "exceso sin forma de banda"; empty when not judged.
std::string ResidualKindWords(ResidualKind kind);

// The noise estimate and, when it is correlated, over how many points, in the
// language the program shows.
std::string NoiseText(const ResidualVerdict& verdict);

// The verdict in Spanish whatever the language shown, as the tab-separated
// table and the CSV report give it.
std::string SpanishVerdict(const FitResult& result);

// R², the reduced χ² and the structure test's figure against its limit, on
// one line.
std::string StatisticsText(const FitResult& result);

// The names of the baseline's coefficients in the result ("c0".."c3") and of
// the choice ("ninguna", "constante", "recta", "parábola", "cúbica").
std::string BaselineName(Baseline baseline);

// Why a failed fit gave no result, in the language the program shows, with
// the values the failure names; empty for a fit that did not fail.
std::string FailureText(const FitResult& result);

// Why the fit stopped, in the language the program shows.
std::string StopReasonText(const FitResult& result);

// Why the fit stopped in Spanish whatever the language shown, as programs
// read it in the tab-separated table and documents keep it in the last fit's
// record, so that a document reads the same whichever language wrote it.
std::string StopReasonWords(const FitResult& result);

// The reason the words a document holds stand for: StopReason::Unknown for
// words this version never wrote.
StopReason StopReasonOf(const std::string& words);

// A value and its standard error as a measurement report writes them: the
// error to two significant digits and the value to the same decimal place
// (1040.020 ± 0.050, 0.4994 ± 0.0021, 1234 ± 96), so that no digit is shown
// that the data do not fix, and none is lost that they do.
struct RoundedPair {
    std::string value;
    std::string error;
    bool operator==(const RoundedPair&) const = default;
};
RoundedPair RoundedByError(double value, double error);

// An estimate for reading: rounded by its error when it has one; otherwise
// the value to eight significant digits at most (a held value carried over
// from an earlier fit has seventeen, none of which the data fixed) and, in
// place of the error, "fija", "en el límite" or "sin determinar".
RoundedPair ReadableEstimate(const Estimate& estimate);

}  // namespace trazel::fit
