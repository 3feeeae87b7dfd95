#include "output/g14_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

using namespace trazel::output;

namespace {

// The test programs leave the C library in the "C" locale, where printf is
// the reference.
std::string Printf(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.14g", value);
    return text;
}

std::string G14(double value) {
    char text[kG14Room];
    return std::string(text, PutG14(text, value));
}

void ExpectAsPrintf(double value) {
    ASSERT_EQ(G14(value), Printf(value)) << std::hexfloat << value;
}

TEST(G14Text, EdgesOfTheFormAndOfTheExactRange) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    for (const double value : {0.0,
                               -0.0,
                               1.0,
                               -1.0,
                               0.1,
                               0.5,
                               1e-4,
                               9.99999999999995e-5,
                               1e-5,
                               1.5e-5,
                               1e-9,
                               9.999999999999e-10,
                               1e-10,
                               99999999999999.5,
                               99999999999999.4,
                               9999999999999.95,
                               12345678901234.5,
                               12345678901235.5,
                               1234567890123.25,
                               1234567890123.75,
                               4503599627370495.5,
                               4503599627370496.0,
                               1e14,
                               1e15,
                               1e16,
                               1e300,
                               5e-324,
                               2.2250738585072014e-308,
                               kInf,
                               -kInf,
                               std::numeric_limits<double>::quiet_NaN(),
                               -std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::max()}) {
        ExpectAsPrintf(value);
        ExpectAsPrintf(std::nextafter(value, 0.0));
        ExpectAsPrintf(std::nextafter(value, kInf));
    }
}

TEST(G14Text, HalfwayCasesRoundToEven) {
    // j / 2^t with enough digits puts the 15th significant digit on an exact
    // 5 followed by nothing, where printf rounds to the even neighbour.
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        const int t = static_cast<int>(random() % 60);
        const double value = std::ldexp(static_cast<double>(random() >> (random() % 64)), -t);
        ExpectAsPrintf(value);
        ExpectAsPrintf(-value);
    }
}

TEST(G14Text, RandomValuesOfEveryMagnitude) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 300000; ++i) {
        ExpectAsPrintf(std::bit_cast<double>(random()));
        ExpectAsPrintf(unit(random) * std::pow(10.0, static_cast<int>(random() % 40) - 20));
    }
}

}  // namespace
