#include <gtest/gtest.h>

#include "fit/fit_report.h"
#include "platform/translation.h"
#include "translations/english_table.h"

using namespace trazel::fit;

namespace {

struct Rounding {
    Estimate estimate;
    RoundedPair text;
};

class RoundingTest : public testing::TestWithParam<Rounding> {};

// Each value to the decimal place of its error's second significant digit;
// a value without an error to eight significant digits, with the reason in
// its place.
TEST_P(RoundingTest, WritesTheDigitsTheErrorFixes) {
    EXPECT_EQ(ReadableEstimate(GetParam().estimate), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, RoundingTest,
    testing::Values(Rounding{{1040.019969, 0.04983659845, true}, {"1040.020", "0.050"}},
                    Rounding{{0.4993640839, 0.002053134729, true}, {"0.4994", "0.0021"}},
                    Rounding{{0.123456, 0.0095, true}, {"0.1235", "0.0095"}},
                    Rounding{{12.3456, 9.5, true}, {"12.3", "9.5"}},
                    Rounding{{1234.5, 96, true}, {"1234", "96"}},
                    // Rounding the error carries it into the next decade: two digits there.
                    Rounding{{3.14159, 0.0996, true}, {"3.14", "0.10"}},
                    Rounding{{123456, 996, true}, {"123500", "1000"}},
                    Rounding{{-2.5e-7, 1.234e-8, true}, {"-0.000000250", "0.000000012"}},
                    Rounding{{1030.0000000000002, 0, false}, {"1030", "fija"}},
                    Rounding{{2921.9986928915587, 0, false}, {"2921.9987", "fija"}},
                    Rounding{{0.5, 0, true, true}, {"0.5", "en el límite"}},
                    Rounding{{12.75, 0, true, false, true}, {"12.75", "sin determinar"}}));

}  // namespace

namespace {

using trazel::platform::InstallTranslator;

std::string FromTable(const char* context, const char* source) {
    const char* english = trazel::translations::EnglishText(context, source);
    return english != nullptr ? english : source;
}

FitResult FailedWith(FitFailure failure, FitFailureDetail detail) {
    FitResult result;
    result.failure = failure;
    result.detail = detail;
    return result;
}

struct Worded {
    const char* name;
    FitResult result;
    const char* spanish;  // the verdict, as the table and the CSV report give it
    const char* english;  // the verdict shown in English
};

class FailureWordsTest : public testing::TestWithParam<Worded> {
  protected:
    void TearDown() override { InstallTranslator(nullptr); }
};

// Each value goes to its place in the sentence, a value's name and the band's
// are translated with it, and what programs read stays Spanish whatever the
// language shown.
TEST_P(FailureWordsTest, PutsEachValueInItsPlaceAndKeepsTheTableSpanish) {
    const Worded& c = GetParam();
    EXPECT_EQ(VerdictText(c.result), c.spanish);
    InstallTranslator(&FromTable);
    EXPECT_EQ(VerdictText(c.result), c.english);
    EXPECT_EQ(SpanishVerdict(c.result), c.spanish);
    EXPECT_NE(FitResultText(c.result, Baseline::None).find(std::string("veredicto\t") + c.spanish),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, FailureWordsTest,
    testing::Values(
        Worded{"tooFewPoints",
               FailedWith(FitFailure::TooFewPoints, {.reason = FailureReason::TooFewPoints,
                                                     .xMin = 39.5,
                                                     .xMax = 41,
                                                     .points = 3,
                                                     .freeValues = 7}),
               "Hay 3 puntos medidos entre 39.5 y 41 y 7 valores libres: hacen falta más puntos "
               "que valores libres.",
               "There are 3 measured points between 39.5 and 41 and 7 free values: more points "
               "than free values are needed."},
        Worded{"valueNotFixed",
               FailedWith(FitFailure::Undetermined, {.reason = FailureReason::ValueNotFixed,
                                                     .band = 1040.25,
                                                     .value = BandValue::Width,
                                                     .error = 123.4567891,
                                                     .span = 99}),
               "Los datos no fijan la anchura de la banda de posición 1040.25: su error típico "
               "(123.457) es mayor que el intervalo de x ajustado (99). Deje fijo ese valor o "
               "elija otro intervalo de x.",
               "The data do not determine the width of the band at position 1040.25: its "
               "standard error (123.457) is larger than the fitted x range (99). Hold that value "
               "fixed or choose another x range."},
        Worded{"sumWithFactor",
               FailedWith(FitFailure::NotFinite,
                          {.reason = FailureReason::FitSumTooLarge, .yFactor = 0.001, .y = 2e305}),
               "La suma de cuadrados del ajuste no es un número finito en las unidades de y, "
               "cuyos valores, por el factor de y (0.001), llegan a 2e+305: son demasiado "
               "grandes. Redúzcalos con el factor de y.",
               "The fit's sum of squares is not a finite number in the units of y, whose values, "
               "times the y factor (0.001), reach 2e+305: they are too large. Reduce them with "
               "the y factor."},
        Worded{"noConvergence",
               FailedWith(FitFailure::NoConvergence,
                          {.reason = FailureReason::NoConvergence, .iterations = 2}),
               "No converge. El ajuste no converge en 2 iteraciones. Pruebe con valores de "
               "partida más cercanos al espectro, menos valores libres u otro intervalo de x.",
               "Does not converge. The fit does not converge in 2 iterations. Try starting "
               "values closer to the spectrum, fewer free values or another x range."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
