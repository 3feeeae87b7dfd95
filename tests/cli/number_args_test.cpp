#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "cli/cli_support.h"

using namespace trazel::cli;

namespace {

struct Accepted {
    const char* name;
    const char* text;
    double value;
};

class NumberArgAccepts : public testing::TestWithParam<Accepted> {};

TEST_P(NumberArgAccepts, DecimalAndExponentNotationWithSpaces) {
    EXPECT_EQ(ParseNumberArg(GetParam().text, "posición"), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, NumberArgAccepts,
    testing::Values(Accepted{"Plain", "500", 500.0}, Accepted{"Spaces", " 2.5e3 ", 2500.0},
                    Accepted{"CapitalExponent", "-1.5E-3", -0.0015},
                    Accepted{"PlusAndNoLeadingDigit", "+.5", 0.5},
                    Accepted{"TabAndNewline", "\t7\n", 7.0}, Accepted{"Largest", "1e308", 1e308},
                    Accepted{"Subnormal", "-4e-320", -4e-320},
                    Accepted{"TrailingPoint", "7.", 7.0}),
    [](const testing::TestParamInfo<Accepted>& info) { return info.param.name; });

class NumberArgRefuses : public testing::TestWithParam<const char*> {};

// A refusal is a mistake in the call: it names the argument and quotes the
// text as given, so the user sees which of several numbers was wrong.
TEST_P(NumberArgRefuses, WhatIsNotAFiniteNumberWithADecimalPoint) {
    const std::string text = GetParam();
    try {
        ParseNumberArg(text, "anchura de --peak");
        FAIL() << "accepted «" << text << "»";
    } catch (const UsageError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("anchura de --peak"), std::string::npos) << message;
        EXPECT_NE(message.find("«" + text + "» no es un número"), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, NumberArgRefuses,
                         testing::Values("", "   ", "abc", "1,5", "nan", "NAN", "inf", "-inf",
                                         "infinity", "1e400", "-1e999", "0x1A", "1.5.2", "5 kg",
                                         "--1", "1e"));

TEST(IntArg, TakesSignedIntegersWithSpaces) {
    EXPECT_EQ(ParseIntArg(" 250 ", "resolución"), 250);
    EXPECT_EQ(ParseIntArg("+7", "resolución"), 7);
    EXPECT_EQ(ParseIntArg("-3", "resolución"), -3);
    EXPECT_EQ(ParseIntArg("2147483647", "resolución"), std::numeric_limits<int>::max());
}

TEST(IntArg, RefusesWhatIsNotAnInteger) {
    for (const std::string text :
         {"", "  ", "abc", "2.5", "1,5", "1e3", "nan", "inf", "2147483648", "0x10", "7 8"}) {
        try {
            ParseIntArg(text, "resolución");
            ADD_FAILURE() << "accepted «" << text << "»";
        } catch (const UsageError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("resolución: «" + text + "» no es un número entero"),
                      std::string::npos)
                << message;
        }
    }
}

}  // namespace
