#include <gtest/gtest.h>

#include "tests/cli/cli_fixture.h"

using namespace trazel::cli;

namespace {

struct PeaksRun {
    const char* name;
    const char* line;
    int exitCode;
    // In the output when it succeeds, in the message when it does not.
    const char* words;
    // Lines printed, the heading included.
    int lines;
    // On standard error, and not there (the transmittance note, the search's
    // settings when nothing was searched).
    const char* said = "";
    const char* unsaid = nullptr;
};

class PeaksCommandTest : public CliTest, public testing::WithParamInterface<PeaksRun> {};

// The bands come printed strongest first; a refused run writes nothing and
// leaves no file behind.
TEST_P(PeaksCommandTest, PrintsTheBandsOrSaysWhyNot) {
    const PeaksRun& r = GetParam();
    WriteBytes(Path("plano.txt"), "1 0\n2 0\n3 0\n4 0\n5 0\n6 0\n7 0\n8 0\n");
    // Flat data: equal values, and values that differ only by rounding.
    std::string ones;
    std::string thirds;
    std::string large;
    for (int i = 0; i < 60; ++i) {
        ones += std::to_string(i) + " 1\n";
        thirds += std::to_string(i) + (i % 3 == 0 ? " 0.30000000000000004\n" : " 0.3\n");
        large += std::to_string(i) + " 12345\n";
    }
    WriteBytes(Path("unos.txt"), ones);
    WriteBytes(Path("tercios.txt"), thirds);
    WriteBytes(Path("grande.txt"), large);
    const auto before = Files();
    EXPECT_EQ(Run(Words(r.line)), r.exitCode) << err_.str();
    const std::string out = out_.str();
    const std::string shown = r.exitCode == kExitOk ? out : err_.str();
    EXPECT_NE(shown.find(r.words), std::string::npos) << shown;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), r.lines) << out;
    EXPECT_NE(err_.str().find(r.said), std::string::npos) << err_.str();
    if (r.unsaid) {
        EXPECT_EQ(err_.str().find(r.unsaid), std::string::npos) << err_.str();
    }
    if (r.exitCode != kExitOk) {
        EXPECT_EQ(Files(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PeaksCommandTest,
    testing::Values(
        PeaksRun{"defaults", "peaks examples/dos-bandas-medido.txt", kExitOk, "\n1000.", 4},
        PeaksRun{"range", "peaks examples/dos-bandas-medido.txt --xmin 1020 --xmax 1150", kExitOk,
                 "\n1040.", 3},
        PeaksRun{"rangeHighToLow", "peaks examples/dos-bandas-medido.txt --xmin 1150 --xmax 1020",
                 kExitOk, "\n1040.", 3},
        PeaksRun{"nothingInRange", "peaks examples/dos-bandas-medido.txt --xmin 5000 --xmax 6000",
                 kExitNothingFound, "menos de cinco puntos", 0, "", "bandas entre"},
        // Maxima of transmittance are the gaps between bands: said unless
        // --y says what to do.
        PeaksRun{"transmittanceNoted", "peaks data/jcamp/dupdec1.jdx --max 1", kExitOk, "\n", 3,
                 "--y percent-transmittance-to-absorbance los convierte"},
        PeaksRun{"transmittanceAsIs", "peaks data/jcamp/dupdec1.jdx --max 1 --y none", kExitOk,
                 "\n", 3, "", "transmitancia"},
        PeaksRun{"transmittanceConverted",
                 "peaks data/jcamp/dupdec1.jdx --max 1 --y percent-transmittance-to-absorbance",
                 kExitOk, "\n", 3, "", "transmitancia"},
        PeaksRun{"strongestOnly", "peaks examples/dos-bandas-medido.txt --max 1", kExitOk,
                 "\n1000.", 3},
        PeaksRun{"transformed", "peaks examples/dos-bandas-medido.txt --y negate --yfactor -2",
                 kExitOk, "\t2.0", 4},
        PeaksRun{"missingFile", "peaks @no.txt", kExitFileError, "no.txt", 0},
        PeaksRun{"maxZero", "peaks examples/dos-bandas-medido.txt --max 0", kExitUsage,
                 "--max debe ser un entero de 1 a 99", 0},
        PeaksRun{"maxNegative", "peaks examples/dos-bandas-medido.txt --max -3", kExitUsage,
                 "--max debe ser", 0},
        PeaksRun{"evenWindow", "peaks examples/dos-bandas-medido.txt --smooth 20", kExitUsage,
                 "impar", 0},
        PeaksRun{"notANumber", "peaks examples/dos-bandas-medido.txt --min-prominence cinco",
                 kExitUsage, "--min-prominence", 0},
        PeaksRun{"prominenceAbove100", "peaks examples/dos-bandas-medido.txt --min-prominence 150",
                 kExitUsage, "de 0 a 100", 0},
        PeaksRun{"negativeDistance", "peaks examples/dos-bandas-medido.txt --distance -1",
                 kExitUsage, "--distance", 0},
        PeaksRun{"flatOnes", "peaks @unos.txt --min-prominence 0 -o @x.trz", kExitNothingFound,
                 "ninguna banda", 0},
        PeaksRun{"flatByRounding", "peaks @tercios.txt --min-prominence 0 --smooth 3",
                 kExitNothingFound, "ninguna banda", 0},
        PeaksRun{"flatLargeWithShoulders", "peaks @grande.txt --min-prominence 0 --shoulders",
                 kExitNothingFound, "ninguna banda", 0},
        PeaksRun{"yfactorBeyondADouble", "peaks examples/dos-bandas-medido.txt --yfactor 1.7e308",
                 kExitNothingFound, "por el factor de y (1.7e+308), no es un número finito", 0},
        PeaksRun{"nothingFound", "peaks @plano.txt -o @x.trz", kExitNothingFound, "ninguna banda",
                 0},
        PeaksRun{"outputIsInput", "peaks @plano.txt -o @plano.txt", kExitUsage, "plano.txt", 0}),
    [](const testing::TestParamInfo<PeaksRun>& info) { return info.param.name; });

// From a measured spectrum to a fitted document in two commands: the bands
// found are a start from which fit reaches the truth of the example.
TEST_F(PeaksCommandTest, WritesADocumentThatFitTakes) {
    ASSERT_EQ(Run(Words("peaks examples/dos-bandas-medido.txt -o @x.trz")), kExitOk) << err_.str();
    ASSERT_EQ(Run(Words("fit @x.trz --measured examples/dos-bandas-medido.txt --baseline "
                        "constant -o @y.trz")),
              kExitOk)
        << err_.str();
    std::istringstream table(out_.str());
    std::string line;
    std::getline(table, line);
    // Strongest on top as peaks printed them, each value within three errors.
    const double truth[2][3] = {{1000, 1, 20}, {1040, 0.5, 25}};
    for (const auto& band : truth) {
        double v[6];
        table >> v[0] >> v[1] >> v[2] >> v[3] >> v[4] >> v[5];
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(v[2 * k], band[k], 3 * v[2 * k + 1]) << line;
        }
        std::getline(table, line);
    }
    ASSERT_EQ(Run(Words("show @y.trz")), kExitOk);
    EXPECT_NE(out_.str().find("dos-bandas-medido.txt"), std::string::npos);
}

}  // namespace
