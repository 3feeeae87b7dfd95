#include <gtest/gtest.h>

#include "input/band_list.h"
#include "tests/input/input_file.h"

using namespace trazel::model;
using namespace trazel::input;
using Kind = BandListOptions::Kind;

namespace {

constexpr double kWidth = 10.0;

std::string QcFile(const std::string& name) {
    return std::string(TRAZEL_TEST_DATA) + "/qc/" + name;
}

BandListOptions Options(Kind kind, double laser = 532.0) {
    BandListOptions options;
    options.width = kWidth;
    options.kind = kind;
    options.laserNm = laser;
    return options;
}

// The six modes in every excerpt: the imaginary one is left out with a note.
constexpr double kPositions[] = {52.7880, 83.9368, 148.1570, 178.6727, 262.8396};
constexpr double kInfrared[] = {0.0323, 0.0, 0.3826, 0.2686, 0.0};
constexpr double kActivities[] = {0.0, 2.6866, 0.0, 0.0, 7.6260};

struct LayoutCase {
    const char* file;
    QcProgram program;
    double precision;   // of the wavenumbers and intensities the program prints
    bool raman = true;  // the layout gives Raman activities
};

class SameModesInEveryLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(SameModesInEveryLayout, GiveTheSameBands) {
    const LayoutCase& row = GetParam();
    for (const Kind kind : {Kind::Infrared, Kind::RamanActivity}) {
        const auto list = ReadBandList(QcFile(row.file), Options(kind));
        if (kind == Kind::RamanActivity && !row.raman) {
            EXPECT_NE(list.Message().find("no da actividades Raman"), std::string::npos);
            continue;
        }
        ASSERT_TRUE(list.Ok()) << list.Message();
        EXPECT_EQ(list.Value().program, row.program);
        EXPECT_NE(list.Value().note.find("-25.12"), std::string::npos) << list.Value().note;
        const auto& bands = list.Value().bands;
        ASSERT_EQ(bands.size(), std::size(kPositions));
        for (std::size_t i = 0; i < bands.size(); ++i) {
            EXPECT_NEAR(bands[i].position, kPositions[i], row.precision);
            EXPECT_EQ(bands[i].width, kWidth);
            // km/mol are areas; the activities are taken as printed.
            const double scale = kind == Kind::Infrared ? IntensityForArea(1.0, kWidth) : 1.0;
            const double value = kind == Kind::Infrared ? kInfrared[i] : kActivities[i];
            EXPECT_NEAR(bands[i].intensity, value * scale, row.precision * scale) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, SameModesInEveryLayout,
    testing::Values(LayoutCase{"gaussian09-freq.log", QcProgram::Gaussian, 1e-9},
                    LayoutCase{"orca5-freq.out", QcProgram::Orca, 0.005},
                    LayoutCase{"molden-freq.molden", QcProgram::Molden, 1e-9},
                    LayoutCase{"qchem-freq.out", QcProgram::QChem, 0.005},
                    LayoutCase{"nwchem-freq.out", QcProgram::Nwchem, 0.005, false},
                    // D²/(amu·Å²) to five decimals: 0.00001 is 0.0004 km/mol.
                    LayoutCase{"gamess-freq.log", QcProgram::Gamess, 0.005}));

// (nu0 - nu)^4 S / (nu (1 - exp(-c2 nu / T))), worked out by hand with
// c2 = 1.438776877 cm K; the relative heights of the two Raman-active modes
// of the excerpts change with the laser line.
TEST(RamanIntensity, FollowsTheLaserLineAndTemperature) {
    EXPECT_NEAR(RamanIntensity(1e7 / 532.0, 1000.0, 1.0, 298.15) / 1.0113093622201834e14, 1.0,
                1e-12);
    EXPECT_NEAR(RamanIntensity(1e7 / 785.0, 1000.0, 1.0, 77.0) / 1.89890279866687e13, 1.0, 1e-12);
    for (const auto& [laser, weaker] :
         {std::pair{532.0, 40.42331063778711}, std::pair{785.0, 39.681309069970084}}) {
        const auto list =
            ReadBandList(QcFile("molden-freq.molden"), Options(Kind::RamanIntensity, laser));
        ASSERT_TRUE(list.Ok()) << list.Message();
        EXPECT_NEAR(list.Value().bands[1].intensity, 100.0, 1e-9);
        EXPECT_NEAR(list.Value().bands[4].intensity, weaker, 1e-9) << laser;
        EXPECT_EQ(list.Value().bands[0].intensity, 0.0);
    }
}

struct DamagedCase {
    const char* name;
    std::string text;
    Kind kind;
    ReadFailure failure;
    const char* message;
    long line;
    double laser = 532.0;
    std::optional<std::pair<double, double>> range = std::nullopt;
};

const std::string kGaussianBanner = " Entering Gaussian System, Link 0=g09\n";
const std::string kOrcaBanner = "                                 * O   R   C   A *\n";
const std::string kGaussianSection =
    " Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering\n"
    " Frequencies --    100.0000               200.0000\n";

const std::string kQChemSection =
    "Welcome to Q-Chem\n VIBRATIONAL ANALYSIS\n"
    " Frequency:   100.00   200.00\n IR Intens:   1.000   2.000\n";
const std::string kNwchemTable =
    " Northwest Computational Chemistry Package (NWChem) 7.0.2\n"
    " Normal Eigenvalue ||           Projected Infra Red Intensities\n"
    "  Mode   [cm**-1]  || [atomic units] [(debye/angs)**2] [(KM/mol)] [arbitrary]\n"
    " ------ ---------- || -------------- ----------------- ---------- -----------\n"
    "    1      100.000 ||    0.000100           0.002         0.100       0.010\n";
const std::string kGamessSection =
    " GAMESS VERSION = 30 SEP 2019 (R2)\n"
    " NORMAL COORDINATE ANALYSIS IN THE HARMONIC APPROXIMATION\n"
    "       FREQUENCY:       100.00      200.00\n";

// Modes at 10, 20, ... cm-1, of equal intensities or, rising, of intensity
// 1, 2, ...
std::string ManyMoldenModes(int n, bool rising = false) {
    std::string text = "[Molden Format]\n[FREQ]\n";
    for (int i = 1; i <= n; ++i) {
        text += std::to_string(10 * i) + ".0\n";
    }
    text += "[INT]\n";
    for (int i = 1; i <= n; ++i) {
        text += (rising ? std::to_string(i) : "1") + ".0\n";
    }
    return text;
}

const DamagedCase kDamagedCases[] = {
    {"GaussianSinFrecuencias", kGaussianBanner + " SCF Done\n", Kind::Infrared,
     ReadFailure::Content, "salida de Gaussian sin análisis de frecuencias", 0},
    {"OrcaSinFrecuencias", kOrcaBanner + "FINAL SINGLE POINT ENERGY -1.0\n", Kind::Infrared,
     ReadFailure::Content, "salida de ORCA sin análisis de frecuencias", 0},
    {"MoldenSinFrecuencias", "[Molden Format]\n[Atoms] Angs\n", Kind::Infrared,
     ReadFailure::Content, "salida de Molden sin análisis de frecuencias", 0},
    {"GaussianCortado", kGaussianBanner + kGaussianSection + " IR Inten    --      1.0\n",
     Kind::Infrared, ReadFailure::Content, "la línea 4", 4},
    {"GaussianSinFinal", kGaussianBanner + kGaussianSection + " IR Inten    --  1.0  2.0\n",
     Kind::Infrared, ReadFailure::Content, "de Gaussian está cortado", 0},
    {"OrcaTablaCortada",
     kOrcaBanner + "VIBRATIONAL FREQUENCIES\n  0:  0.00 cm**-1\n  1:  50.00 cm**-1\n\nIR SPECTRUM\n"
                   " Mode   freq       eps      Int      T**2\n---\n  1:  50.00  0.1  2.0  0.1\n",
     Kind::Infrared, ReadFailure::Content, "de ORCA está cortado", 0},
    {"MoldenIntensidadesCortadas", "[Molden Format]\n[FREQ]\n100.0\n200.0\n[INT]\n1.0\n",
     Kind::Infrared, ReadFailure::Content, "de Molden está cortado", 0},
    {"MasDe99Modos", ManyMoldenModes(120), Kind::Infrared, ReadFailure::TooManyBands,
     "tiene 120 bandas", 0},
    {"GaussianNoNumero",
     kGaussianBanner + kGaussianSection + " IR Inten    --   ********      2.0\n", Kind::Infrared,
     ReadFailure::Content, "no es un número", 4},
    {"OrcaNoNumero", kOrcaBanner + "VIBRATIONAL FREQUENCIES\n  0:  5O.00 cm**-1\n", Kind::Infrared,
     ReadFailure::Content, "no es un número", 3},
    {"QChemSinFrecuencias", "Welcome to Q-Chem\n Total energy = -1.0\n", Kind::Infrared,
     ReadFailure::Content, "salida de Q-Chem sin análisis de frecuencias", 0},
    {"QChemSinFinal", kQChemSection, Kind::Infrared, ReadFailure::Content, "de Q-Chem está cortado",
     0},
    {"NWChemTablaCortada", kNwchemTable, Kind::Infrared, ReadFailure::Content,
     "de NWChem está cortado", 0},
    {"NWChemSinKmMol",
     " Northwest Computational Chemistry Package (NWChem) 7.0.2\n"
     " Normal Eigenvalue ||           Projected Infra Red Intensities\n"
     "  Mode   [cm**-1]  || [atomic units] [(debye/angs)**2]\n",
     Kind::Infrared, ReadFailure::Content, "intensidades en km/mol", 3},
    {"NWChemNoNumero", kNwchemTable + "    2      2OO.000 ||    0.0   0.0   0.1   0.0\n",
     Kind::Infrared, ReadFailure::Content, "no es un número", 6},
    {"GamessNoNumero", kGamessSection + "    IR INTENSITY:      0.00100     N/A\n", Kind::Infrared,
     ReadFailure::Content, "no es un número", 4},
    {"SinActividadesRaman", "[Molden Format]\n[FREQ]\n100.0\n[INT]\n1.0\n", Kind::RamanActivity,
     ReadFailure::Content, "no da actividades Raman", 0},
    {"IntervaloSinModos", ManyMoldenModes(3), Kind::Infrared, ReadFailure::Content,
     "ningún modo que dé una banda entre 500 y 600 cm-1", 0, 532.0, std::pair(500.0, 600.0)},
    {"LaserMasLargoQueLaBanda", "[Molden Format]\n[FREQ]\n100.0\n[INT]\n1.0 2.0\n",
     Kind::RamanIntensity, ReadFailure::Content, "línea del láser (100 cm-1)", 0, 1e5},
};

struct SelectionCase {
    const char* name;
    bool rising;
    bool strongest;
    std::optional<std::pair<double, double>> range;
    double first, last;  // the positions of the first and last band taken
    std::size_t count;
    const char* note;
};

// 120 modes, more than the table holds: the strongest that fit, those of a
// range, or the strongest of a range.
const SelectionCase kSelectionCases[] = {
    {"MasIntensas", true, true, std::nullopt, 220, 1200, 99, "las 99 bandas más intensas de 120"},
    {"IgualesLasPrimeras", false, true, std::nullopt, 10, 990, 99, "99 bandas más intensas"},
    {"Intervalo", true, false, std::pair(95.0, 500.0), 100, 500, 41, ""},
    {"MasIntensasDelIntervalo", true, true, std::pair(0.0, 1050.0), 70, 1050, 99,
     "las 99 bandas más intensas de 105"},
};

class SelectedModes : public testing::TestWithParam<SelectionCase> {};

TEST_P(SelectedModes, GiveTheBandsThatFit) {
    const SelectionCase& row = GetParam();
    const ScratchDir scratch("qc");
    BandListOptions options = Options(Kind::Infrared);
    options.strongest = row.strongest;
    options.range = row.range;
    const auto list = ReadBandList(InputFile(scratch, ManyMoldenModes(120, row.rising)), options);
    ASSERT_TRUE(list.Ok()) << list.Message();
    const auto& bands = list.Value().bands;
    ASSERT_EQ(bands.size(), row.count);
    EXPECT_EQ(bands.front().position, row.first);
    EXPECT_EQ(bands.back().position, row.last);
    EXPECT_NE(list.Value().note.find(row.note), std::string::npos) << list.Value().note;
}

INSTANTIATE_TEST_SUITE_P(Rows, SelectedModes, testing::ValuesIn(kSelectionCases),
                         [](const auto& info) { return std::string(info.param.name); });

class DamagedOutput : public testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedOutput, IsRefusedWhole) {
    const DamagedCase& row = GetParam();
    const ScratchDir scratch("qc");
    const std::string path = InputFile(scratch, row.text);
    BandListOptions options = Options(row.kind, row.laser);
    options.range = row.range;
    const auto list = ReadBandList(path, options);
    EXPECT_FALSE(ExpectSuccess(list, path, row.failure, row.message, row.line));
}

INSTANTIATE_TEST_SUITE_P(Rows, DamagedOutput, testing::ValuesIn(kDamagedCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
