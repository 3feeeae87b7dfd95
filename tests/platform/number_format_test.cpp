#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "platform/number_format.h"

using namespace trazel::platform;

namespace {

std::string Printf(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

TEST(NumberFormat, MatchesPrintfInTheCLocale) {
    std::setlocale(LC_ALL, "C");
    std::mt19937_64 random(42);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::vector<double> values = {0.0,   -0.0,      1.0,  0.1,  1.0 / 3.0, 1.5e-5, 123456789.0,
                                  1e300, -2.5e-310, 1e15, 1e16, 999999.5,  0.0001, 0.00001};
    for (int i = 0; i < 2000; ++i) {
        const double v = std::bit_cast<double>(bits(random));
        if (std::isfinite(v)) {
            values.push_back(v);
        }
    }
    for (const double v : values) {
        EXPECT_EQ(FormatG(v), Printf("%g", v));
        EXPECT_EQ(FormatG(v, 9), Printf("%.9g", v));
        EXPECT_EQ(FormatG(v, 14), Printf("%.14g", v));
    }
    EXPECT_EQ(FormatG(1.0 / 3.0, 9), "0.333333333");
    EXPECT_EQ(FormatEditDouble(0.1), "0.1");
}

TEST(NumberFormat, ParsesDecimalAndExponentNotation) {
    EXPECT_EQ(ParseDouble("500"), 500.0);
    EXPECT_EQ(ParseDouble("  -2.5e3 "), -2500.0);
    EXPECT_EQ(ParseDouble("+.5"), 0.5);
    EXPECT_EQ(ParseDouble("1E-2"), 0.01);
    EXPECT_EQ(ParseDouble("7."), 7.0);
}

TEST(NumberFormat, RefusesWhatIsNotAFiniteNumber) {
    for (const char* text : {"", "   ", "abc", "1,5", "nan", "NaN", "inf", "-inf", "1e400", "0x10",
                             "1 2", "--1", "+-1", "1e", "."}) {
        EXPECT_FALSE(ParseDouble(text)) << text;
    }
}

TEST(NumberFormat, ParsesIntegers) {
    EXPECT_EQ(ParseInt(" 250 "), 250);
    EXPECT_EQ(ParseInt("-3"), -3);
    EXPECT_EQ(ParseInt("+7"), 7);
    for (const char* text : {"", "2.5", "abc", "99999999999", "1e3"}) {
        EXPECT_FALSE(ParseInt(text)) << text;
    }
}

}  // namespace
