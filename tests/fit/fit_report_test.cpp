#include <gtest/gtest.h>

#include "fit/fit_report.h"

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
