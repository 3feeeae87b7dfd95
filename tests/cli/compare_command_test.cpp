#include <gtest/gtest.h>

#include <cstdio>

#include "tests/cli/cli_fixture.h"
#include "tests/support/computed_spectrum.h"

using namespace trazel::cli;

namespace {

struct CompareRun {
    const char* name;
    const char* line;
    int exitCode;
    // On standard output when it succeeds, on standard error when not.
    const char* words;
    // The files the run leaves besides its inputs.
    std::vector<const char*> written = {};
};

class CompareCommandTest : public CliTest, public testing::WithParamInterface<CompareRun> {
  protected:
    // A computed list as `new --from` reads it, and a measurement drawn from
    // it with scale 0.965, width 12 and factor 0.01.
    void SetUp() override {
        const trazel::model::PeakTable computed = ComputedList(7);
        std::string list = "posicion intensidad\n";
        for (const auto& band : computed.bands) {
            char line[64];
            std::snprintf(line, sizeof line, "%.17g %.17g\n", band.position, band.intensity);
            list += line;
        }
        WriteBytes(Path("lista.txt"), list);
        const SyntheticSpectrum made =
            MakeSpectrum(MeasuredTable(computed, {}, 7),
                         {.xMin = 400.0, .xMax = 1900.0, .points = 1501}, 0.004, 11);
        std::string points;
        for (std::size_t j = 0; j < made.x.size(); ++j) {
            char line[64];
            std::snprintf(line, sizeof line, "%.17g %.17g\n", made.x[j], made.y[j]);
            points += line;
        }
        WriteBytes(Path("medido.txt"), points);
        WriteBytes(Path("plano.txt"), "1 0\n2 0\n3 0\n4 0\n5 0\n6 0\n7 0\n8 0\n");
        ASSERT_EQ(Run(Words("new @calc.trz --from @lista.txt --width 10")), kExitOk) << err_.str();
    }
};

TEST_P(CompareCommandTest, PrintsTheTablesOrSaysWhyNot) {
    const CompareRun& r = GetParam();
    const auto before = Files();
    EXPECT_EQ(Run(Words(r.line)), r.exitCode) << err_.str();
    const std::string shown = r.exitCode == kExitOk ? out_.str() : err_.str();
    EXPECT_NE(shown.find(r.words), std::string::npos) << shown;
    auto expected = before;
    for (const char* name : r.written) {
        expected.push_back(name);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Files(), expected);
    // The document written keeps the comparison, as show tells.
    if (std::find(expected.begin(), expected.end(), "comparado.trz") != expected.end()) {
        ASSERT_EQ(Run(Words("show @comparado.trz")), kExitOk) << err_.str();
        EXPECT_NE(out_.str().find("Comparación con el cálculo: x de 400 a 1900"), std::string::npos)
            << out_.str();
        EXPECT_NE(out_.str().find("24/24 bandas calculadas con pareja"), std::string::npos);
    }
}

// The spectrum a document keeps, through a change that leaves none of its
// points, is refused by compare as by fit, and nothing is written.
TEST_F(CompareCommandTest, RefusesAStoredSpectrumTheChangeEmpties) {
    ASSERT_EQ(Run(Words("compare @calc.trz --measured @medido.txt -o @comparado.trz")), kExitOk);
    const auto before = Files();
    for (const char* line : {"compare @comparado.trz --x raman-shift --laser 1e-320 -o @otro.trz",
                             "fit @comparado.trz --x raman-shift --laser 1e-320 -o @otro.trz"}) {
        EXPECT_EQ(Run(Words(line)), kExitFileError) << line;
        EXPECT_NE(err_.str().find("quedan 0 de sus 1501 puntos"), std::string::npos) << err_.str();
    }
    EXPECT_EQ(Files(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareCommandTest,
    testing::Values(
        CompareRun{"tables", "compare @calc.trz --measured @medido.txt", kExitOk, "escala\t0.96"},
        CompareRun{"files",
                   "compare @calc.trz --measured @medido.txt --shift --report @informe.txt "
                   "--assignments @asignacion.csv -o @comparado.trz",
                   kExitOk,
                   "desplazamiento\t",
                   {"asignacion.csv", "comparado.trz", "informe.txt"}},
        CompareRun{"flat_data", "compare @calc.trz --measured @plano.txt -o @comparado.trz",
                   kExitFitFailed, "No se ha escrito nada"},
        CompareRun{"no_measured", "compare @calc.trz", kExitUsage, "falta --measured"},
        CompareRun{"report_ending", "compare @calc.trz --measured @medido.txt --report @x.pdf",
                   kExitUsage, ".txt o .csv"},
        CompareRun{"same_output_twice",
                   "compare @calc.trz --measured @medido.txt --report @a.csv --assignments @a.csv",
                   kExitUsage, "dos veces"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
