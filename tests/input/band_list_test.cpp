#include "input/band_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/input/input_file.h"

using namespace trazel::model;
using namespace trazel::input;

namespace {

constexpr double kNoWidth = -1.0;

struct BandCase {
    const char* name;
    std::string text;
    double width;  // the default width; kNoWidth for none
    bool areas;
    // position, intensity, width, scale, separate of every band, in order
    std::vector<std::array<double, 5>> bands;
    // or the failure, a part of its message and the bad line (0 for none)
    ReadFailure failure = ReadFailure::None;
    const char* message = "";
    long line = 0;
    int room = kMaxPeakSlots - 1;
};

std::string Rows(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) {
        text += std::to_string(i) + " 1 2\n";
    }
    return text;
}

const double kGaussHeight = 10.0 / (4.0 * GAUSS_AREA_FACTOR);

const BandCase kBandCases[] = {
    {"Espacios",
     "1000 2 10\n1500 1 20 0.5\n",
     kNoWidth,
     false,
     {{1000, 2, 10, 1, 0}, {1500, 1, 20, 1, 0}}},
    {"EscalaPosicional", "1000 2 10 0.961\n", kNoWidth, false, {{1000, 2, 10, 0.961, 0}}},
    {"ComaDecimalConTabuladores",
     "1000,5\t2,25\t10\n",
     kNoWidth,
     false,
     {{1000.5, 2.25, 10, 1, 0}}},
    {"PuntoYComa", "1000,5;2;10;2\r\n", kNoWidth, false, {{1000.5, 2, 10, 2, 0}}},
    {"CsvConPunto", "1000.5,2,10\n", kNoWidth, false, {{1000.5, 2, 10, 1, 0}}},
    {"SinAnchuraUsaLaIndicada", "1000 2\n", 7, false, {{1000, 2, 7, 1, 0}}},
    {"ComentariosYBlancos",
     "# calculado\n%x\n! otro\n\n1000 2 10\n# en medio\n",
     kNoWidth,
     false,
     {{1000, 2, 10, 1, 0}}},
    {"EncabezadoEspanol",
     "Intensidad;Posición;Anchura\n2;1000;10\n",
     kNoWidth,
     false,
     {{1000, 2, 10, 1, 0}}},
    {"EncabezadoIngles",
     "Frequency (cm-1)\tIntensity (km/mol)\tFWHM\n1000\t2\t10\n",
     kNoWidth,
     false,
     {{1000, 2, 10, 1, 0}}},
    {"EncabezadoEnComentario", "# modo frecuencia I\nA1 1000 2\n", 4, false, {{1000, 2, 4, 1, 0}}},
    {"EncabezadoDeShowCsv",
     "posicion,intensidad,anchura,escala,R\n1000,2,10,0.5,s\n3,4,5,1,n\n",
     kNoWidth,
     false,
     {{1000, 2, 10, 0.5, 1}, {3, 4, 5, 1, 0}}},
    {"AreasGaussianas", "1000 10 4\n", kNoWidth, true, {{1000, kGaussHeight, 4, 1, 0}}},
    {"NoventaYNueveCaben", Rows(99), kNoWidth, false, {}},
    {"DemasiadasBandas",
     Rows(100),
     kNoWidth,
     false,
     {},
     ReadFailure::TooManyBands,
     "tiene 100 bandas y en la tabla caben 99"},
    {"SinSitioParaUna",
     "1 1 1\n",
     kNoWidth,
     false,
     {},
     ReadFailure::TooManyBands,
     "tiene 1 banda y en la tabla no cabe ninguna más",
     0,
     0},
    {"LineaMala",
     "1000 2 10\n1100 2 diez\n",
     kNoWidth,
     false,
     {},
     ReadFailure::Content,
     "la línea 2 («1100 2 diez»)",
     2},
    {"NoFinito",
     "1000 inf 10\n",
     kNoWidth,
     false,
     {},
     ReadFailure::Content,
     "no es un número finito",
     1},
    {"AreaQueDesbordaLaAltura",
     "1000 1e308 1e-10\n",
     kNoWidth,
     true,
     {},
     ReadFailure::Content,
     "no es un número finito",
     1},
    {"AnchuraCero",
     "1000 2 0\n",
     kNoWidth,
     false,
     {},
     ReadFailure::Content,
     "anchura que no es mayor que 0",
     1},
    {"RMal", "x;int;R\n1;2;quizá\n", 3, false, {}, ReadFailure::Content, "«s» o «n»", 2},
    {"FaltaAnchura",
     "1000 2\n",
     kNoWidth,
     false,
     {},
     ReadFailure::MissingWidth,
     "no tiene una columna de anchuras"},
    {"CsvComaYEspacio",
     "1000, 2, 10\n1500.5, 1, 20\n",
     kNoWidth,
     false,
     {{1000, 2, 10, 1, 0}, {1500.5, 1, 20, 1, 0}}},
    {"ComentarioDeDobleAlmohadilla",
     "## calculado\n1000 2 10\n",
     kNoWidth,
     false,
     {{1000, 2, 10, 1, 0}}},
    {"ComaDeMilesJuntoAUnPunto",
     "1,000 2.5 3\n",
     kNoWidth,
     false,
     {},
     ReadFailure::Content,
     "escribe «1,000» con coma",
     1},
    {"JcampPicoConAnchuraCero",
     "##TITLE= t\n##PEAK TABLE=(XYW..XYW)\n10,1,3\n20,5,0\n##END=\n",
     kNoWidth,
     false,
     {},
     ReadFailure::Content,
     "la línea 4 («20,5,0») tiene una anchura que no es mayor que 0",
     4},
    {"Vacio", "", 1, false, {}, ReadFailure::File, "está vacío"},
    {"SoloComentarios", "# nada\n\n", 1, false, {}, ReadFailure::Content, "ninguna línea"},
    {"Binario",
     std::string("\x89PNG\r\n\x1a\n\0\0\0", 11),
     1,
     false,
     {},
     ReadFailure::File,
     "binario"},
    {"Carpeta", kDirectory, 1, false, {}, ReadFailure::File, "es una carpeta"},
    {"NoExiste", kMissing, 1, false, {}, ReadFailure::File, "no existe"},
};

class BandListTable : public testing::TestWithParam<BandCase> {};

TEST_P(BandListTable, ReadsOrRefusesTheWholeFile) {
    const BandCase& c = GetParam();
    ScratchDir scratch("input");
    BandListOptions options;
    if (c.width != kNoWidth) {
        options.width = c.width;
    }
    options.intensitiesAreAreas = c.areas;
    options.room = c.room;
    const std::string path = InputFile(scratch, c.text);
    const auto result = ReadBandList(path, options);
    if (!ExpectSuccess(result, path, c.failure, c.message, c.line)) {
        return;
    }
    const auto& bands = result.Value().bands;
    if (c.bands.empty()) {
        EXPECT_EQ(bands.size(), 99u);
        return;
    }
    ASSERT_EQ(bands.size(), c.bands.size());
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const auto& want = c.bands[i];
        EXPECT_EQ(bands[i].position, want[0]) << i;
        EXPECT_DOUBLE_EQ(bands[i].intensity, want[1]) << i;
        EXPECT_EQ(bands[i].width, want[2]) << i;
        EXPECT_EQ(bands[i].scale, want[3]) << i;
        EXPECT_EQ(bands[i].scaledPosition, want[0] * want[3]) << i;
        EXPECT_EQ(bands[i].separate, static_cast<std::int32_t>(want[4])) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, BandListTable, testing::ValuesIn(kBandCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BandListColumns, AHeaderSaysWhereEachColumnWas) {
    ScratchDir scratch("input");
    const auto result = ReadBandList(InputFile(scratch, "modo;I;cm-1;escala\nA;2;1000;0,9\n"),
                                     BandListOptions{5.0});
    ASSERT_TRUE(result.Ok()) << result.Message();
    const BandColumns& columns = result.Value().columns;
    EXPECT_TRUE(columns.named);
    EXPECT_EQ(columns.position, 2);
    EXPECT_EQ(columns.intensity, 1);
    EXPECT_EQ(columns.width, -1);
    EXPECT_EQ(columns.scale, 3);
    EXPECT_EQ(result.Value().bands.at(0).scale, 0.9);
}

// A Lorentzian's area is pi/2 times height times width, so an area read back
// from the height it gave must be the area the file held.
TEST(BandListAreas, LorentzianHeightGivesBackTheArea) {
    ScratchDir scratch("input");
    BandListOptions options;
    options.intensitiesAreAreas = true;
    options.lineShape = Lorentzian;
    const auto result = ReadBandList(InputFile(scratch, "1000 120 8\n"), options);
    ASSERT_TRUE(result.Ok()) << result.Message();
    const Peak& band = result.Value().bands.at(0);
    EXPECT_NEAR(std::numbers::pi / 2 * band.intensity * band.width, 120.0, 1e-12);
}

struct PeakTableCase {
    const char* file;
    std::size_t bands;
    std::array<double, 2> first;
    std::array<double, 2> last;
};

class JcampPeakTables : public testing::TestWithParam<PeakTableCase> {};

TEST_P(JcampPeakTables, ReadAsBandsOfTheGivenWidth) {
    const PeakTableCase& c = GetParam();
    const auto result = ReadBandList(JcampFile(c.file), BandListOptions{2.0, 0.5});
    ASSERT_TRUE(result.Ok()) << result.Message();
    const auto& bands = result.Value().bands;
    ASSERT_EQ(bands.size(), c.bands);
    EXPECT_EQ(bands.front().position, c.first[0]);
    EXPECT_EQ(bands.front().intensity, c.first[1]);
    EXPECT_EQ(bands.back().position, c.last[0]);
    EXPECT_EQ(bands.back().intensity, c.last[1]);
    EXPECT_EQ(bands.back().width, 2.0);
    EXPECT_EQ(bands.back().scale, 0.5);
    EXPECT_TRUE(result.Value().jcamp);
}

INSTANTIATE_TEST_SUITE_P(Archivos, JcampPeakTables,
                         testing::Values(PeakTableCase{"pktab1.jdx", 46, {0, 0}, {386, 324}},
                                         PeakTableCase{"mactab1.jdx", 23, {0, 0}, {331, 202}}));

TEST(JcampPeakTables, WidthsOfAnXywTableAreTaken) {
    ScratchDir scratch("input");
    const auto result =
        ReadBandList(InputFile(scratch,
                               "##TITLE= t\r##XFACTOR= 2\r##PEAK TABLE=(XYW..XYW)\r10,1,3 $$ uno\r"
                               "20,5,4\r##END=\r"),
                     BandListOptions{});
    ASSERT_TRUE(result.Ok()) << result.Message();
    ASSERT_EQ(result.Value().bands.size(), 2u);
    EXPECT_EQ(result.Value().bands[1].position, 40.0);
    EXPECT_EQ(result.Value().bands[1].width, 4.0);
}

}  // namespace
