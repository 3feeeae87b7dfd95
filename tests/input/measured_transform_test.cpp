#include "input/measured_transform.h"

#include <gtest/gtest.h>

#include <cmath>

#include "input/measured_spectrum.h"
#include "tests/input/input_file.h"

using namespace trazel::input;
using trazel::model::SpectrumHeader;
using trazel::model::XUnit;
using trazel::model::YUnit;

namespace {

// Each change on a few points: where it is undefined, the order after a
// change of x, the units that follow.
struct TransformCase {
    const char* name;
    SpectrumTransform transform;
    std::vector<double> x, y;
    std::vector<double> outX, outY;
    std::size_t xUndefined = 0, yUndefined = 0;
    XUnit xUnit = XUnit::Unknown;
    YUnit yUnit = YUnit::Unknown;
};

constexpr double kLaser = 532;

const TransformCase kTransformCases[] = {
    {"TransmitanciaAAbsorbancia",
     {.y = YChange::TransmittanceToAbsorbance},
     {1, 2, 3, 4, 5},
     {1, 0.1, 0, -0.2, 0.01},
     {1, 2, 5},
     {0, 1, 2},
     0,
     2,
     XUnit::Unknown,
     YUnit::Absorbance},
    {"PorcentajeAAbsorbanciaConMasDeCien",
     {.y = YChange::PercentTransmittanceToAbsorbance},
     {1, 2, 3, 4, 5},
     {100, 10, 112.9, 0, 1},
     {1, 2, 3, 5},
     {0, 1, -0.0526939419249679, 2},
     0,
     1,
     XUnit::Unknown,
     YUnit::Absorbance},
    {"AbsorbanciaATransmitancia",
     {.y = YChange::AbsorbanceToTransmittance},
     {1, 2, 3, 4},
     {0, 1, 2, 400},
     {1, 2, 3, 4},
     {1, 0.1, 0.01, 0},
     0,
     0,
     XUnit::Unknown,
     YUnit::Transmittance},
    {"AbsorbanciaAPorcentajeQueDesborda",
     {.y = YChange::AbsorbanceToPercentTransmittance},
     {1, 2, 3},
     {0, -1, -400},
     {1, 2},
     {100, 1000},
     0,
     1,
     XUnit::Unknown,
     YUnit::PercentTransmittance},
    {"NanometrosANumerosDeOnda",
     {.x = XChange::NanometreToWavenumber},
     {250, 400, 500, 0, -1},
     {1, 2, 3, 4, 5},
     {20000, 25000, 40000},
     {3, 2, 1},
     2,
     0,
     XUnit::Wavenumber},
    {"NumerosDeOndaDecrecientesANanometros",
     {.x = XChange::WavenumberToNanometre},
     {4000, 2000, 1000},
     {1, 2, 3},
     {2500, 5000, 10000},
     {1, 2, 3},
     0,
     0,
     XUnit::Nanometre},
    {"MicrometrosANumerosDeOnda",
     {.x = XChange::MicrometreToWavenumber},
     {2.5, 10},
     {1, 2},
     {1000, 4000},
     {2, 1},
     0,
     0,
     XUnit::Wavenumber},
    {"DesplazamientoRaman",
     {.x = XChange::RamanShift, .laserNm = kLaser},
     {532, 550, 600},
     {1, 2, 3},
     {0, 615.1742993848275, 2130.3258145363397},
     {1, 2, 3},
     0,
     0,
     XUnit::RamanShift},
    {"RamanSinLaser",
     {.x = XChange::RamanShift},
     {532, 550},
     {1, 2},
     {},
     {},
     2,
     0,
     XUnit::RamanShift},
    {"PuntosDesordenados",
     {.x = XChange::NanometreToWavenumber},
     {400, 250, 500},
     {1, 2, 3},
     {20000, 25000, 40000},
     {3, 1, 2},
     0,
     0,
     XUnit::Wavenumber},
    {"SignoYFactor", {.negate = true, .factor = 2}, {1, 2}, {1, -2}, {1, 2}, {-2, 4}},
    // x first, then y, then sign and factor.
    {"EnOrden",
     {.x = XChange::NanometreToWavenumber,
      .y = YChange::PercentTransmittanceToAbsorbance,
      .negate = true,
      .factor = 0.5},
     {500, 250},
     {10, 1},
     {20000, 40000},
     {-0.5, -1},
     0,
     0,
     XUnit::Wavenumber,
     YUnit::Absorbance},
};

class TransformTable : public testing::TestWithParam<TransformCase> {};

TEST_P(TransformTable, GivesThePointsWhereDefined) {
    const TransformCase& c = GetParam();
    const TransformedSpectrum out = ApplyTransform(c.x, c.y, {}, c.transform);
    ASSERT_EQ(out.x.size(), c.outX.size());
    ASSERT_EQ(out.y.size(), c.outY.size());
    for (std::size_t i = 0; i < c.outX.size(); ++i) {
        EXPECT_NEAR(out.x[i], c.outX[i], 1e-12 * std::abs(c.outX[i])) << i;
        EXPECT_NEAR(out.y[i], c.outY[i], 1e-13 * (1 + std::abs(c.outY[i]))) << i;
    }
    EXPECT_EQ(out.xUndefined, c.xUndefined);
    EXPECT_EQ(out.yUndefined, c.yUndefined);
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
