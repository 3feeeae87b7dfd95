#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>

#include "model/document_file.h"
#include "platform/number_format.h"
#include "tests/cli/cli_fixture.h"
#include "tests/support/peak_tables.h"
#include "tests/support/synthetic_spectrum.h"

using namespace trazel::cli;
using namespace trazel::model;

namespace {

// Two bands, the older at 40 and the newer at 60, measured over 0..100 at
// 300 points with noise 0.01 (seed 5), on a baseline of 0.1 for the runs that
// fit one; the guess is a few percent off.
const PeakTable kTruth = TableOf({{40, 1.0, 8}, {60, 0.6, 10}});
const PeakTable kGuess = TableOf({{41.5, 0.9, 9}, {58, 0.7, 9}});

class FitCommandTest : public CliTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(Run(Words("new @guess.trz --peak 41.5,0.9,9 --peak 58,0.7,9")), kExitOk);
        WriteSpectrum("medido.txt", 0.0, Gaussian);
        WriteSpectrum("medido-base.txt", 0.1, Lorentzian);
    }

    void WriteSpectrum(const std::string& name, double baseline, std::int32_t lineShape) {
        SpectrumShape shape;
        shape.points = 300;
        shape.baseline = baseline;
        shape.lineShape = lineShape;
        const SyntheticSpectrum spectrum = MakeSpectrum(kTruth, shape, 0.01, 5);
        std::ofstream file(Path(name));
        file << "x y\n";
        for (std::size_t i = 0; i < spectrum.x.size(); ++i) {
            file << trazel::platform::FormatG(spectrum.x[i], 17) << ' '
                 << trazel::platform::FormatG(spectrum.y[i], 17) << '\n';
        }
    }

    // The output's lines split at tabs.
    static std::vector<std::vector<std::string>> Cells(const std::string& text) {
        std::vector<std::vector<std::string>> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            std::vector<std::string> cells;
            std::istringstream fields(line);
            for (std::string cell; std::getline(fields, cell, '\t');) {
                cells.push_back(cell);
            }
            lines.push_back(cells);
        }
        return lines;
    }
};

struct FitRun {
    const char* name;
    const char* options;
    // Per band line, newest first: which of position, intensity, width, area
    // are held ("fija" in place of the error).
    std::array<const char*, 2> held;
    const char* baselineLines;
    int points;
};

// By name: the bytes gtest would print include the padding after points.
void PrintTo(const FitRun& r, std::ostream* os) {
    *os << r.name;
}

class FitRunTest : public FitCommandTest, public testing::WithParamInterface<FitRun> {};

// The bands come back newest first as `show` lists them, those with nothing
// held within three standard errors, held values as they were, and the fitted
// document holds the printed values.
TEST_P(FitRunTest, WritesTheFittedDocumentAndPrintsTheTable) {
    const FitRun& r = GetParam();
    ASSERT_EQ(Run(Words(std::string("fit @guess.trz -o @fit.trz ") + r.options)), kExitOk)
        << err_.str();
    // The verdict and the statistics behind it, on standard error only: the
    // fits with every value free fit to noise, those with values held at a
    // guess leave the bands' misfit in the residual.
    const std::string said = err_.str().substr(0, err_.str().find('\n'));
    EXPECT_EQ(said.rfind("trazel-cli fit: Converge; ", 0), 0u) << err_.str();
    EXPECT_NE(err_.str().find("\ntrazel-cli fit: R² "), std::string::npos) << err_.str();
    const auto lines = Cells(out_.str());
    ASSERT_GE(lines.size(), 9u) << out_.str();
    EXPECT_EQ(lines[0], (std::vector<std::string>{"posicion", "error", "intensidad", "error",
                                                  "anchura", "error", "area", "error"}));
    PeakTable fitted;
    ASSERT_TRUE(LoadPeakTableFile(Path("fit.trz"), fitted).ok());
    for (int row = 1; row <= 2; ++row) {
        const int index = 3 - row;
        const auto& cells = lines[static_cast<std::size_t>(row)];
        ASSERT_EQ(cells.size(), 8u);
        const double truth[] = {kTruth.Band(index).position, kTruth.Band(index).intensity,
                                kTruth.Band(index).width};
        const double guess[] = {kGuess.Band(index).position, kGuess.Band(index).intensity,
                                kGuess.Band(index).width};
        const bool allFree = std::string(r.held[row - 1]) == "fff";
        const double written[] = {fitted.Band(index).position, fitted.Band(index).intensity,
                                  fitted.Band(index).width};
        for (int value = 0; value < 3; ++value) {
            const double printed = std::stod(cells[2 * value]);
            EXPECT_NEAR(printed, written[value], 1e-9 * std::fabs(written[value]));
            const bool held = r.held[row - 1][value] == 'h';
            EXPECT_EQ(cells[2 * value + 1] == "fija", held) << row << " " << value;
            if (held) {
                EXPECT_EQ(written[value], guess[value]);
            } else if (allFree) {
                EXPECT_LE(std::fabs(printed - truth[value]), 3.0 * std::stod(cells[2 * value + 1]))
                    << "row " << row << " value " << value;
            }
        }
    }
    std::string baseline;
    for (std::size_t i = 3; i < lines.size() && lines[i][0] == "linea base"; ++i) {
        baseline += lines[i][1] + ";";
    }
    EXPECT_EQ(baseline, r.baselineLines);
    EXPECT_EQ(lines.back(), (std::vector<std::string>{
                                "veredicto", said.substr(std::strlen("trazel-cli fit: "))}));
    EXPECT_EQ(said.find("el residuo es ruido") != std::string::npos,
              std::string(r.held[0]) + r.held[1] == "ffffff")
        << said;
    EXPECT_NE(out_.str().find("puntos\t" + std::to_string(r.points) + "\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, FitRunTest,
    testing::Values(FitRun{"allFree", "--measured @medido.txt", {"fff", "fff"}, "ninguna;", 300},
                    FitRun{"newestOnlyWidthHeld",
                           "--measured @medido.txt --bands 1 --hold width",
                           {"ffh", "hhh"},
                           "ninguna;",
                           300},
                    FitRun{"lorentzianWithBaseline",
                           "--measured @medido-base.txt --lorentzian --baseline constant --hold "
                           "position --hold intensity --bands 2,1",
                           {"hhf", "hhf"},
                           "constante;centro xc;c0;",
                           300},
                    FitRun{"linearBaselineInARange",
                           "--measured @medido-base.txt --lorentzian --baseline linear --xmin=20 "
                           "--xmax 90 --yfactor 1",
                           {"fff", "fff"},
                           "recta;centro xc;c0;c1;",
                           210},
                    FitRun{"rangeHighToLow",
                           "--measured @medido-base.txt --lorentzian --baseline linear --xmin 90 "
                           "--xmax=20",
                           {"fff", "fff"},
                           "recta;centro xc;c0;c1;",
                           210},
                    FitRun{"cubicBaselineStrict",
                           "--measured @medido-base.txt --lorentzian --baseline cubic --strict",
                           {"fff", "fff"},
                           "cúbica;centro xc;c0;c1;c2;c3;",
                           300}),
    [](const auto& info) { return std::string(info.param.name); });

// The fitted document holds the spectrum and the fit: show tells them and
// the stored verdict, convert keeps them, and figure draws them without
// being given the file.
TEST_F(FitCommandTest, TheFittedDocumentCarriesItsAnalysis) {
    ASSERT_EQ(Run(Words("fit @guess.trz --measured @medido.txt --baseline constant -o @fit.trz")),
              kExitOk);
    ASSERT_EQ(Run(Words("show @fit.trz")), kExitOk);
    EXPECT_NE(out_.str().find("Espectro medido: medido.txt (300 puntos, x de 0 a 100)"),
              std::string::npos)
        << out_.str();
    EXPECT_NE(out_.str().find("Ajuste guardado: x de 0 a 100, 2 bandas"), std::string::npos);
    EXPECT_NE(out_.str().find("\nVeredicto: Converge; el residuo es ruido.\n"), std::string::npos)
        << out_.str();
    ASSERT_EQ(Run(Words("convert @fit.trz @copia.trz")), kExitOk);
    EXPECT_EQ(Contents(Path("copia.trz")), Contents(Path("fit.trz")));
    // Without --measured, fit takes the stored spectrum and its change; a
    // change given replaces the stored one, and is stored with the fit.
    ASSERT_EQ(Run(Words("fit @fit.trz --baseline constant -o @otra.trz")), kExitOk) << err_.str();
    ASSERT_EQ(Run(Words("fit @fit.trz --y negate --yfactor -1 -o @negado.trz")), kExitOk)
        << err_.str();
    ASSERT_EQ(Run(Words("show @negado.trz")), kExitOk);
    EXPECT_NE(out_.str().find("Transformación: cambio de signo de y"), std::string::npos)
        << out_.str();
    ASSERT_EQ(Run(Words("show @guess.trz")), kExitOk);
    EXPECT_EQ(out_.str().find("Espectro medido"), std::string::npos);
    if (TRAZEL_CLI_DRAWS) {
        EXPECT_EQ(Run(Words("figure @fit.trz -o @f.png")), kExitOk) << err_.str();
        EXPECT_EQ(Run(Words("figure @guess.trz -o @g.png")), kExitUsage);
        EXPECT_NE(err_.str().find("faltan --xmin y --xmax"), std::string::npos) << err_.str();
    }
}

// The report and the curves of a fit: the numbers of the stored fit, the
// curves at every point of the range or on the grid of the step; a report
// that cannot be written is named and leaves nothing behind.
TEST_F(FitCommandTest, WritesTheReportAndTheCurves) {
    ASSERT_EQ(Run(Words("fit @guess.trz --measured @medido.txt --xmin 20 --xmax 90 -o @fit.trz "
                        "--report @r.csv --curves @c.csv")),
              kExitOk)
        << err_.str();
    PeakTable fitted;
    ASSERT_TRUE(LoadPeakTableFile(Path("fit.trz"), fitted).ok());
    const std::string csv = Contents(Path("r.csv"));
    EXPECT_EQ(csv.find("banda,posicion,error_posicion,estado_posicion,"), 0u) << csv;
    EXPECT_NE(csv.find("\n1," + trazel::platform::ShortestText(fitted.Band(2).position) + ","),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\n\nmagnitud,valor\n"), std::string::npos);
    const auto lines = [](const std::string& text) {
        return std::count(text.begin(), text.end(), '\n');
    };
    EXPECT_EQ(lines(Contents(Path("c.csv"))), 1 + 210);
    ASSERT_EQ(Run(Words("fit @guess.trz --measured @medido.txt -o @fit.trz --report @r.txt "
                        "--curves @g.csv --step 2.5")),
              kExitOk);
    EXPECT_EQ(Contents(Path("r.txt")).find("Informe del ajuste\n\nDocumento "), 0u);
    EXPECT_EQ(lines(Contents(Path("g.csv"))), 1 + 41);
    const auto before = Files();
    EXPECT_EQ(Run(Words("fit @guess.trz --measured @medido.txt -o @fit.trz --report @no/r.txt")),
              kExitFileError);
    EXPECT_NE(err_.str().find("no/r.txt"), std::string::npos) << err_.str();
    EXPECT_EQ(Files(), before);
    // Every file is written before any takes its place: a report that cannot
    // be written leaves even the input under -o as it was.
    std::filesystem::create_directory(Path("carpeta.csv"));
    const std::string guess = Contents(Path("guess.trz"));
    EXPECT_EQ(Run(Words("fit @guess.trz --measured @medido.txt -o @guess.trz --curves @c.csv "
                        "--report @carpeta.csv")),
              kExitFileError);
    EXPECT_EQ(Contents(Path("guess.trz")), guess);
    EXPECT_EQ(Files().size(), before.size() + 1);
}

// --shape gives the bands that vary its shape and fits their share, which
// the table prints and the fitted document keeps; --hold share keeps it.
TEST_F(FitCommandTest, ShapeOfTheFitIsKeptWithItsShare) {
    ASSERT_EQ(Run(Words("fit @guess.trz --measured @medido-base.txt --baseline constant --shape "
                        "pseudo-voigt -o @pv.trz")),
              kExitOk)
        << err_.str();
    auto lines = Cells(out_.str());
    EXPECT_EQ(lines[0].back(), "error");
    EXPECT_EQ(lines[0][lines[0].size() - 3], "forma");
    // Lorentzian data: the share ends on 1, "en el límite".
    EXPECT_EQ(lines[1][8], "pv");
    EXPECT_EQ(lines[1][9], "1");
    EXPECT_EQ(lines[1][10], "en el límite");
    ASSERT_EQ(Run({"show", Path("pv.trz"), "--csv"}), kExitOk);
    EXPECT_NE(out_.str().find(",n,pv,1\n"), std::string::npos) << out_.str();

    ASSERT_EQ(Run(Words("fit @guess.trz --measured @medido.txt --shape voigt --hold share --bands "
                        "1 -o @v.trz")),
              kExitOk)
        << err_.str();
    lines = Cells(out_.str());
    EXPECT_EQ((std::vector<std::string>(lines[1].begin() + 8, lines[1].end())),
              (std::vector<std::string>{"v", "0.5", "fija"}));
    // The band held keeps following the document.
    EXPECT_EQ((std::vector<std::string>(lines[2].begin() + 8, lines[2].end())),
              (std::vector<std::string>{"doc", "0", "fija"}));
}

// Two regions, each with its own baseline, each band in the one that holds
// its centre: both results are kept, listed, reported and refitted as they
// were by --region all.
TEST_F(FitCommandTest, FitsRegionsInTurnAndRefitsThemAll) {
    ASSERT_EQ(Run(Words("fit @guess.trz --measured @medido.txt --region 0:50 --baseline constant "
                        "--region 50:100 -o @two.trz --report @r.csv")),
              kExitOk)
        << err_.str();
    EXPECT_NE(out_.str().find("# x de 50 a 100\n"), std::string::npos) << out_.str();
    EXPECT_EQ(Contents(Path("r.csv")).find("region,banda,posicion,"), 0u);
    ASSERT_EQ(Run(Words("show @two.trz")), kExitOk);
    const std::string shown = out_.str();
    EXPECT_NE(shown.find("Regiones de ajuste: 2\nRegión 1: x de 0 a 50, 1 banda"),
              std::string::npos)
        << shown;
    EXPECT_NE(shown.find("  Línea base: "), std::string::npos) << shown;
    EXPECT_NE(shown.find("Región 2: x de 50 a 100, 1 banda"), std::string::npos) << shown;
    ASSERT_EQ(Run(Words("fit @two.trz --region all -o @again.trz")), kExitOk) << err_.str();
    PeakTable first;
    PeakTable again;
    ASSERT_TRUE(LoadPeakTableFile(Path("two.trz"), first).ok());
    ASSERT_TRUE(LoadPeakTableFile(Path("again.trz"), again).ok());
    // The same minimum, but for the tail of the band at 60, which the first
    // fit of 0..50 saw at its guess: well within a standard error (0.03).
    for (int k = 1; k <= 2; ++k) {
        EXPECT_NEAR(again.Band(k).position, first.Band(k).position, 0.01);
    }
    // One region refitted alone keeps the other as it was.
    ASSERT_EQ(Run(Words("fit @two.trz --region 50:100 --baseline linear -o @one.trz")), kExitOk);
    ASSERT_EQ(Run(Words("show @one.trz")), kExitOk);
    EXPECT_EQ(out_.str().substr(out_.str().find("Región 1")).substr(0, 40),
              shown.substr(shown.find("Región 1")).substr(0, 40));
    if (TRAZEL_CLI_DRAWS) {
        EXPECT_EQ(Run(Words("figure @two.trz --region-number 2 -o @r2.png")), kExitOk);
        EXPECT_EQ(Run(Words("figure @two.trz --region-number 3 -o @r3.png")), kExitUsage);
        EXPECT_NE(err_.str().find("tiene 2 regiones de ajuste y no la 3"), std::string::npos)
            << err_.str();
    }
}

struct RefusedRun {
    const char* name;
    const char* line;
    int exitCode;
    const char* words;
};

// The band at 60 left out of the guess: the verdict names it, and
// --add-bands puts it back, the document holding both bands, the report its
// criterion.
TEST_F(FitCommandTest, AddsTheBandTheResidualMisses) {
    ASSERT_EQ(Run(Words("new @one.trz --peak 41.5,0.9,9")), kExitOk);
    // Where the text names a band, after what.
    const auto near = [this](const std::string& what) {
        const std::size_t at = err_.str().find(what);
        return at == std::string::npos ? 0.0 : std::stod(err_.str().substr(at + what.size()));
    };
    ASSERT_EQ(Run(Words("fit @one.trz --measured @medido.txt -o @one-fit.trz")), kExitOk);
    EXPECT_NEAR(near("falta una banda cerca de x = "), 60.0, 1.0) << err_.str();
    ASSERT_EQ(Run(Words("fit @one.trz --measured @medido.txt --add-bands 3 -o @two.trz")), kExitOk);
    EXPECT_NEAR(near("banda añadida en el residuo cerca de x = "), 60.0, 1.0) << err_.str();
    EXPECT_NE(err_.str().find("Converge; el residuo es ruido."), std::string::npos) << err_.str();
    PeakTable fitted;
    ASSERT_TRUE(LoadPeakTableFile(Path("two.trz"), fitted).ok());
    ASSERT_EQ(fitted.PeakCount(), 2);
    EXPECT_NEAR(fitted.Band(2).position, 60.0, 0.5);
    EXPECT_NE(out_.str().find("\nBIC\t"), std::string::npos) << out_.str();
}

class RefusedFitTest : public FitCommandTest, public testing::WithParamInterface<RefusedRun> {};

// Nothing is written, whatever went wrong.
TEST_P(RefusedFitTest, ExitsWithItsCodeAndWritesNothing) {
    const RefusedRun& r = GetParam();
    ASSERT_EQ(Run(Words("new @twins.trz --peak 40,1,8 --peak 40,1,8")), kExitOk);
    WriteBytes(Path("ceros.txt"), "30 0\n35 0\n40 0\n45 0\n50 0\n55 0\n60 0\n65 0\n");
    WriteBytes(Path("enorme.txt"), "30 0\n35 0.1\n40 1\n45 0.8\n50 1e300\n55 0.2\n60 0.5\n65 0\n");
    std::filesystem::create_symlink("medido.txt", Path("enlace.txt"));
    std::filesystem::create_hard_link(Path("medido.txt"), Path("duro.txt"));
    const auto before = Files();
    const std::string measured = Contents(Path("medido.txt"));
    EXPECT_EQ(Run(Words(r.line)), r.exitCode) << err_.str();
    EXPECT_NE(err_.str().find(r.words), std::string::npos) << err_.str();
    EXPECT_EQ(Files(), before);
    // The links lead to it: it keeps its bytes.
    EXPECT_EQ(Contents(Path("medido.txt")), measured);
    EXPECT_EQ(out_.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedFitTest,
    testing::Values(
        RefusedRun{"noMeasured", "fit @guess.trz -o @out.trz", kExitUsage, "falta --measured"},
        RefusedRun{"noOutput", "fit @guess.trz --measured @medido.txt", kExitUsage, "falta -o"},
        RefusedRun{"badHold", "fit @guess.trz --measured @medido.txt --hold size -o @out.trz",
                   kExitUsage, "--hold espera"},
        RefusedRun{"badShape", "fit @guess.trz --measured @medido.txt --shape spline -o @out.trz",
                   kExitUsage, "--shape espera gauss, lorentz, pseudo-voigt o voigt"},
        RefusedRun{"badBaseline",
                   "fit @guess.trz --measured @medido.txt --baseline spline -o @out.trz",
                   kExitUsage, "--baseline espera"},
        RefusedRun{"alsWithoutP",
                   "fit @guess.trz --measured @medido.txt --subtract-als 1e5 -o @out.trz",
                   kExitUsage, "--subtract-als espera LAMBDA,P"},
        RefusedRun{"alsPBeyondOne",
                   "fit @guess.trz --measured @medido.txt --subtract-als 1e5,1.5 -o @out.trz",
                   kExitUsage, "p de la línea base"},
        // The band at 40 seen from 41 on ends with its centre on the range's
        // edge: a result, but not one --strict lets through.
        RefusedRun{"strictAtBound",
                   "fit @guess.trz --measured @medido.txt --xmin 41 --strict -o @out.trz",
                   kExitFitFailed, "la posición de una banda, en el borde del intervalo"},
        RefusedRun{"strictMissingBand",
                   "fit @guess.trz --measured @medido.txt --bands 1 --hold width --strict -o "
                   "@out.trz",
                   kExitFitFailed, "falta una banda cerca de"},
        RefusedRun{"addBandsBeyondTheTable",
                   "fit @guess.trz --measured @medido.txt --add-bands 100 -o @out.trz", kExitUsage,
                   "--add-bands debe ser un número entero de 0 a 99"},
        RefusedRun{"regionsOverlapping",
                   "fit @guess.trz --measured @medido.txt --region 0:60 --region 50:100 -o "
                   "@out.trz",
                   kExitUsage, "--region: 50:100 se solapa con 0:60"},
        RefusedRun{"regionEmpty",
                   "fit @guess.trz --measured @medido.txt --region 60:20 -o @out.trz", kExitUsage,
                   "está vacío"},
        RefusedRun{"regionAllOfNone",
                   "fit @guess.trz --measured @medido.txt --region all -o @out.trz", kExitUsage,
                   "no guarda ninguna región"},
        RefusedRun{"regionWithLimits",
                   "fit @guess.trz --measured @medido.txt --xmin 5 --region 0:50 -o @out.trz",
                   kExitUsage, "no van con --region"},
        RefusedRun{"bandZero", "fit @guess.trz --measured @medido.txt --bands 0,1 -o @out.trz",
                   kExitUsage, "desde 1"},
        RefusedRun{"bandBeyond", "fit @guess.trz --measured @medido.txt --bands 3 -o @out.trz",
                   kExitUsage, "no hay banda 3"},
        RefusedRun{"emptyRange",
                   "fit @guess.trz --measured @medido.txt --xmin 50 --xmax 50 -o @out.trz",
                   kExitUsage, "deben ser distintos"},
        RefusedRun{"outputOverMeasured", "fit @guess.trz --measured @medido.txt -o @medido.txt",
                   kExitUsage, "espectro medido"},
        RefusedRun{"measuredMissing", "fit @guess.trz --measured @nada.txt -o @out.trz",
                   kExitFileError, "nada.txt"},
        RefusedRun{"documentMissing", "fit @nada.trz --measured @medido.txt -o @out.trz",
                   kExitFileError, "nada.trz"},
        RefusedRun{"identicalBands", "fit @twins.trz --measured @medido.txt -o @out.trz",
                   kExitFitFailed, "dos bandas iguales"},
        RefusedRun{"tooFewPoints",
                   "fit @guess.trz --measured @medido.txt --xmin 41 --xmax 42 -o @out.trz",
                   kExitFitFailed, "más puntos"},
        RefusedRun{"nothingFree",
                   "fit @guess.trz --measured @medido.txt --hold width --hold position --hold "
                   "intensity -o @out.trz",
                   kExitFitFailed, "nada que ajustar"},
        // Fitted in the units of the data, a point of 1e300 among others near
        // 1 leaves the rest at 0 beside it: nothing fixes the bands.
        RefusedRun{"overflowingPoint", "fit @guess.trz --measured @enorme.txt -o @out.trz",
                   kExitFitFailed, "El problema es singular"},
        RefusedRun{"overflowingFactor",
                   "fit @guess.trz --measured @medido.txt --yfactor 1e308 -o @out.trz",
                   kExitFitFailed, "por el factor de y"},
        RefusedRun{"allZero", "fit @guess.trz --measured @ceros.txt -o @out.trz", kExitFitFailed,
                   "valen lo mismo"},
        RefusedRun{"iterationLimit",
                   "fit @guess.trz --measured @medido.txt --max-iterations 1 -o @out.trz",
                   kExitFitFailed, "no converge en 1 iteraciones"},
        RefusedRun{"noIterations",
                   "fit @guess.trz --measured @medido.txt --max-iterations 0 -o @out.trz",
                   kExitUsage, "mayor que 0"},
        // Refused before the fit runs, not when the document is to be written.
        RefusedRun{"emptyOutputName", "fit @guess.trz --measured @medido.txt -o=", kExitUsage,
                   "falta -o"},
        // An output that is an input under another name is refused before
        // anything is read.
        RefusedRun{"newOverItsList", "new @medido.txt --from @medido.txt --width 1", kExitUsage,
                   "lista de bandas"},
        RefusedRun{"newDotSlash", "new @./medido.txt --from @medido.txt --width 1", kExitUsage,
                   "lista de bandas"},
        RefusedRun{"newSymbolicLink", "new @enlace.txt --from @medido.txt --width 1", kExitUsage,
                   "lista de bandas"},
        RefusedRun{"newHardLink", "new @duro.txt --from @medido.txt --width 1", kExitUsage,
                   "lista de bandas"},
        RefusedRun{"fitHardLink", "fit @guess.trz --measured @duro.txt -o @medido.txt", kExitUsage,
                   "espectro medido"},
        // The report and the curves, refused before the fit runs.
        RefusedRun{"reportOverMeasured",
                   "fit @guess.trz --measured @medido.txt -o @o.trz --report @duro.txt", kExitUsage,
                   "espectro medido"},
        RefusedRun{"curvesOverDocument",
                   "fit @guess.trz --measured @medido.txt -o @o.trz --curves @guess.trz",
                   kExitUsage, "propio documento"},
        RefusedRun{"reportIsTheOutput",
                   "fit @guess.trz --measured @medido.txt -o @o.txt --report @./o.txt", kExitUsage,
                   "dos veces"},
        RefusedRun{"reportToStdout", "fit @guess.trz --measured @medido.txt -o @o.trz --report -",
                   kExitUsage, "con nombre"},
        RefusedRun{"reportEnding",
                   "fit @guess.trz --measured @medido.txt -o @o.trz --report @r.pdf", kExitUsage,
                   ".txt o .csv"},
        RefusedRun{"curvesEnding",
                   "fit @guess.trz --measured @medido.txt -o @o.trz --curves @c.txt", kExitUsage,
                   "terminar en .csv"},
        RefusedRun{"stepAlone", "fit @guess.trz --measured @medido.txt -o @o.trz --step 1",
                   kExitUsage, "falta"},
        RefusedRun{"stepNotPositive",
                   "fit @guess.trz --measured @medido.txt -o @o.trz --curves @c.csv --step -1",
                   kExitUsage, "mayor que 0"},
        RefusedRun{"stepTooSmall",
                   "fit @guess.trz --measured @medido.txt -o @o.trz --curves @c.csv --step 1e-9",
                   kExitUsage, "10000000 filas"}),
    [](const auto& info) { return std::string(info.param.name); });

// The document goes where -o says, DOC itself too; when that is standard
// output, the table goes to standard error and standard output holds the very
// bytes -o FILE writes.
struct FitTarget {
    const char* name;
    const char* output;
    bool toStdout;
};

class FitTargetTest : public FitCommandTest, public testing::WithParamInterface<FitTarget> {};

TEST_P(FitTargetTest, KeepsTheDocumentAndTheTableApart) {
    const FitTarget& r = GetParam();
    ASSERT_EQ(Run(Words("fit @guess.trz --measured @medido.txt -o @esperado.trz")), kExitOk);
    const ProcessResult run =
        RunProgram(Words(std::string("fit @guess.trz --measured @medido.txt -o ") + r.output));
    ASSERT_EQ(run.exitCode, kExitOk) << run.err;
    EXPECT_EQ(r.toStdout ? run.out : Contents(Path(r.output)), Contents(Path("esperado.trz")));
    // The verdict goes to standard error first, wherever the table goes.
    EXPECT_EQ(run.err, err_.str() + (r.toStdout ? out_.str() : ""));
    EXPECT_EQ(r.toStdout ? "" : run.out, r.toStdout ? "" : out_.str());
}

INSTANTIATE_TEST_SUITE_P(Targets, FitTargetTest,
                         testing::Values(FitTarget{"file", "fit.trz", false},
                                         FitTarget{"itsOwnDocument", "guess.trz", false},
                                         FitTarget{"dash", "-", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
