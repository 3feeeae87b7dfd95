#include "input/measured_transform.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "input/measured_spectrum.h"
#include "tests/input/input_file.h"

using namespace trazel::input;
using trazel::model::SpectrumHeader;
using trazel::model::XUnit;
using trazel::model::YUnit;

namespace {

// Each change on a few points (x, y): where it is undefined, the order after
// a change of x, the units that follow.
using Points = std::vector<std::array<double, 2>>;

struct TransformCase {
    const char* name;
    SpectrumTransform transform;
    Points in, out;
    XUnit xUnit = XUnit::Unknown;
    YUnit yUnit = YUnit::Unknown;
    // Left out where x, and where y, is undefined.
    std::array<std::size_t, 2> undefined = {0, 0};
};

constexpr auto kNoX = XUnit::Unknown;
constexpr auto kWavenumber = XUnit::Wavenumber;

const TransformCase kTransformCases[] = {
    {"TransmitanciaAAbsorbancia",
     {.y = YChange::TransmittanceToAbsorbance},
     {{1, 1}, {2, 0.1}, {3, 0}, {4, -0.2}, {5, 0.01}},
     {{1, 0}, {2, 1}, {5, 2}},
     kNoX,
     YUnit::Absorbance,
     {0, 2}},
    {"PorcentajeAAbsorbanciaConMasDeCien",
     {.y = YChange::PercentTransmittanceToAbsorbance},
     {{1, 100}, {2, 10}, {3, 112.9}, {4, 0}, {5, 1}},
     {{1, 0}, {2, 1}, {3, -0.0526939419249679}, {5, 2}},
     kNoX,
     YUnit::Absorbance,
     {0, 1}},
    {"AbsorbanciaATransmitancia",
     {.y = YChange::AbsorbanceToTransmittance},
     {{1, 0}, {2, 1}, {3, 2}, {4, 400}},
     {{1, 1}, {2, 0.1}, {3, 0.01}, {4, 0}},
     kNoX,
     YUnit::Transmittance},
    {"AbsorbanciaAPorcentajeQueDesborda",
     {.y = YChange::AbsorbanceToPercentTransmittance},
     {{1, 0}, {2, -1}, {3, -400}},
     {{1, 100}, {2, 1000}},
     kNoX,
     YUnit::PercentTransmittance,
     {0, 1}},
    {"NanometrosANumerosDeOnda",
     {.x = XChange::NanometreToWavenumber},
     {{250, 1}, {400, 2}, {500, 3}, {0, 4}, {-1, 5}},
     {{20000, 3}, {25000, 2}, {40000, 1}},
     kWavenumber,
     YUnit::Unknown,
     {2, 0}},
    {"NumerosDeOndaDecrecientesANanometros",
     {.x = XChange::WavenumberToNanometre},
     {{4000, 1}, {2000, 2}, {1000, 3}},
     {{2500, 1}, {5000, 2}, {10000, 3}},
     XUnit::Nanometre},
    {"MicrometrosANumerosDeOnda",
     {.x = XChange::MicrometreToWavenumber},
     {{2.5, 1}, {10, 2}},
     {{1000, 2}, {4000, 1}},
     kWavenumber},
    {"DesplazamientoRaman",
     {.x = XChange::RamanShift, .laserNm = 532},
     {{532, 1}, {550, 2}, {600, 3}},
     {{0, 1}, {615.1742993848275, 2}, {2130.3258145363397, 3}},
     XUnit::RamanShift},
    {"RamanSinLaser",
     {.x = XChange::RamanShift},
     {{532, 1}, {550, 2}},
     {},
     XUnit::RamanShift,
     YUnit::Unknown,
     {2, 0}},
    {"PuntosDesordenados",
     {.x = XChange::NanometreToWavenumber},
     {{400, 1}, {250, 2}, {500, 3}},
     {{20000, 3}, {25000, 1}, {40000, 2}},
     kWavenumber},
    {"SignoYFactor", {.negate = true, .factor = 2}, {{1, 1}, {2, -2}}, {{1, -2}, {2, 4}}},
    // x first, then y, then sign and factor.
    {"EnOrden",
     {.x = XChange::NanometreToWavenumber,
      .y = YChange::PercentTransmittanceToAbsorbance,
      .negate = true,
      .factor = 0.5},
     {{500, 10}, {250, 1}},
     {{20000, -0.5}, {40000, -1}},
     kWavenumber,
     YUnit::Absorbance},
};

class TransformTable : public testing::TestWithParam<TransformCase> {};

TEST_P(TransformTable, GivesThePointsWhereDefined) {
    const TransformCase& c = GetParam();
    std::vector<double> x, y;
    for (const auto& [px, py] : c.in) {
        x.push_back(px);
        y.push_back(py);
    }
    const TransformedSpectrum out = ApplyTransform(x, y, {}, c.transform);
    ASSERT_EQ(out.x.size(), c.out.size());
    ASSERT_EQ(out.y.size(), c.out.size());
    for (std::size_t i = 0; i < c.out.size(); ++i) {
        EXPECT_NEAR(out.x[i], c.out[i][0], 1e-12 * std::abs(c.out[i][0])) << i;
        EXPECT_NEAR(out.y[i], c.out[i][1], 1e-13 * (1 + std::abs(c.out[i][1]))) << i;
    }
    EXPECT_EQ(out.xUndefined, c.undefined[0]);
    EXPECT_EQ(out.yUndefined, c.undefined[1]);
    // Counted without the data, for a command that keeps the points read.
    const PointsLeftOut left = LeftOutBy(x, y, c.transform);
    EXPECT_EQ(left.xUndefined, c.undefined[0]);
    EXPECT_EQ(left.yUndefined, c.undefined[1]);
    EXPECT_EQ(out.header.xKind, c.xUnit);
    EXPECT_EQ(out.header.yKind, c.yUnit);
}

INSTANTIATE_TEST_SUITE_P(Casos, TransformTable, testing::ValuesIn(kTransformCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The conversion proposed on load: only for declared transmittance, from
// percent when more than half the values are above 1.5.
struct ProposalCase {
    const char* name;
    YUnit declared;
    std::vector<double> y;
    std::optional<YChange> proposed;
};

const ProposalCase kProposalCases[] = {
    {"Porcentaje",
     YUnit::Transmittance,
     {-0.2, 50, 112.9},
     YChange::PercentTransmittanceToAbsorbance},
    {"DeCeroAUno",
     YUnit::PercentTransmittance,
     {0.2, 0.9, 1.2},
     YChange::TransmittanceToAbsorbance},
    {"MitadPorEncima", YUnit::Transmittance, {0.5, 0.5, 2, 2}, YChange::TransmittanceToAbsorbance},
    {"Absorbancia", YUnit::Absorbance, {0.1, 0.2}, std::nullopt},
    {"SinUnidades", YUnit::Unknown, {50, 60}, std::nullopt},
};

class ProposalTable : public testing::TestWithParam<ProposalCase> {};

TEST_P(ProposalTable, ProposesAbsorbanceForTransmittance) {
    const ProposalCase& c = GetParam();
    EXPECT_EQ(ProposedYChange(SpectrumHeader{.yKind = c.declared}, c.y), c.proposed);
}

INSTANTIATE_TEST_SUITE_P(Casos, ProposalTable, testing::ValuesIn(kProposalCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The units a text file's header line names for the columns read.
struct HeaderCase {
    const char* name;
    std::string text;
    XUnit xUnit;
    YUnit yUnit;
    const char* xUnits;
    const char* yUnits;
    MeasuredOptions options = {};
};

const HeaderCase kHeaderCases[] = {
    {"Tabulador", "wavenumber (cm-1)\tabsorbance\n400\t0.1\n401\t0.2\n", XUnit::Wavenumber,
     YUnit::Absorbance, "cm-1", "absorbance"},
    {"Csv", "x (nm), y (%T)\n400, 50\n401, 60\n", XUnit::Nanometre, YUnit::PercentTransmittance,
     "nm", "%T"},
    {"PuntoYComa", "# medido\nnm;abs\n400;0,10\n401;0,25\n", XUnit::Nanometre, YUnit::Absorbance,
     "nm", "abs"},
    {"Espacios", "Wavelength (nm) Transmittance\n400 0.5\n401 0.6\n", XUnit::Nanometre,
     YUnit::Transmittance, "nm", "Transmittance"},
    {"NombresConEspacios", "numero de onda (cm-1) absorbancia\n400 0.5\n401 0.6\n",
     XUnit::Wavenumber, YUnit::Absorbance, "1/CM", "ABSORBANCE"},
    {"Raman", "Raman shift [cm^-1]\tIntensity\n100\t5\n101\t6\n", XUnit::RamanShift, YUnit::Unknown,
     "cm^-1", ""},
    {"SinUnidades", "x y\n1 2\n2 3\n", XUnit::Unknown, YUnit::Unknown, "", ""},
    {"UnidadesDesconocidas", "x (HZ) y (a.u.)\n1 2\n2 3\n", XUnit::Unknown, YUnit::Unknown, "HZ",
     "a.u."},
    {"ColumnaElegida", "um\tabs\tT (%)\n1\t2\t3\n2\t3\t4\n", XUnit::Micrometre,
     YUnit::PercentTransmittance, "um", "%", MeasuredOptions{0, 2}},
};

class HeaderTable : public testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderTable, NamesTheUnitsOfTheColumnsRead) {
    const HeaderCase& c = GetParam();
    ScratchDir scratch("input");
    const auto result = ReadMeasuredSpectrum(InputFile(scratch, c.text), c.options);
    ASSERT_TRUE(result.Ok()) << result.Message();
    const SpectrumHeader& header = result.Value().header;
    EXPECT_EQ(header.xKind, c.xUnit);
    EXPECT_EQ(header.yKind, c.yUnit);
    EXPECT_EQ(header.xUnits, c.xUnits);
    EXPECT_EQ(header.yUnits, c.yUnits);
}

INSTANTIATE_TEST_SUITE_P(Casos, HeaderTable, testing::ValuesIn(kHeaderCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
