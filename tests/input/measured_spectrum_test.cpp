#include "input/measured_spectrum.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/input/input_file.h"

using namespace trazel::input;
using trazel::model::XUnit;
using trazel::model::YUnit;

namespace {

struct MeasuredCase {
    const char* name;
    std::string text;
    // the points read, or the failure, a part of its message and the bad line
    std::vector<std::array<double, 2>> points;
    ReadFailure failure = ReadFailure::None;
    const char* message = "";
    long line = 0;
    MeasuredOptions options = {};
    // a part of the one note the reader leaves, when it passes over a fault
    const char* note = nullptr;
};

const MeasuredCase kMeasuredCases[] = {
    {"ExportacionDeTrazel",
     "x y\r\n100 3,7617478353169e-46\r\n101 0,5\r\n",
     {{100, 3.7617478353169e-46}, {101, 0.5}}},
    {"ExportacionConPunto", "x y\r\n100 1.5\r\n101 2\r\n", {{100, 1.5}, {101, 2}}},
    {"CsvComa", "x,y\n1.5,2\n2.5,3e2\n", {{1.5, 2}, {2.5, 300}}},
    {"CsvPuntoYComa", "\"x\";\"y\"\n1,5;2\n2,5;3\n", {{1.5, 2}, {2.5, 3}}},
    {"Tabuladores", "1,5\t2\n2,5\t3\n", {{1.5, 2}, {2.5, 3}}},
    {"ColumnasConEspacios", "  1.5    2\n  2.5   -3  \n", {{1.5, 2}, {2.5, -3}}},
    {"SoloCR", "1 2\r2 3\r", {{1, 2}, {2, 3}}},
    {"ComentariosEnCualquierSitio", "% inicio\n1 2\n# medio\n2 3\n", {{1, 2}, {2, 3}}},
    {"EncabezadoDeVariasLineas", "Espectro\nfecha: hoy\nnm abs\n1 2\n2 3\n", {{1, 2}, {2, 3}}},
    {"PrimerasColumnasNumericas", "muestra;1;10\nmuestra;2;20\n", {{1, 10}, {2, 20}}},
    {"ColumnasElegidas",
     "1 2 3\n4 5 6\n",
     {{1, 3}, {4, 6}},
     ReadFailure::None,
     "",
     0,
     MeasuredOptions{0, 2}},
    {"Subnormal", "1 4.9406564584125e-324\n2 1e-400\n", {{1, 4.9406564584125e-324}, {2, 0}}},
    {"LineaMalaTrasLosDatos",
     "x y\n1 2\n2 3\ntexto\n",
     {},
     ReadFailure::Content,
     "la línea 4 («texto»)",
     4},
    {"ColumnaQueFalta", "1 2\n2\n", {}, ReadFailure::Content, "la línea 2", 2},
    {"NoFinito", "1 2\n2 nan\n", {}, ReadFailure::Content, "no es un número finito", 2},
    {"Desbordamiento", "1 2\n2 1e400\n", {}, ReadFailure::Content, "no es un número finito", 2},
    {"UnSoloPunto", "x y\n1 2\n", {}, ReadFailure::Content, "un solo punto"},
    {"SinNumeros", "x y\nnada\n", {}, ReadFailure::Content, "ninguna línea"},
    {"EnBlanco", "\n  \n", {}, ReadFailure::Content, "líneas en blanco"},
    {"Vacio", "", {}, ReadFailure::File, "está vacío"},
    {"Binario", std::string("1 2\n\0\x01\x02", 7), {}, ReadFailure::File, "binario"},
    {"Carpeta", kDirectory, {}, ReadFailure::File, "es una carpeta"},
    {"JcampSinEspectro",
     "##TITLE= t\n##PEAK TABLE=(XY..XY)\n1,2\n##END=\n",
     {},
     ReadFailure::Content,
     "no tiene un espectro"},
    {"JcampComprobacionFalla",
     "##FIRSTX=1\n##LASTX=4\n##XYDATA=(X++(Y..Y))\n1 A0J0\n3 B1J0\n##END=",
     {},
     ReadFailure::Content,
     "la línea 5",
     5},
    {"JcampNpointsNoCuadra",
     "##FIRSTX=1\n##LASTX=4\n##NPOINTS=5\n##XYDATA=(X++(Y..Y))\n1 1 2 3 4\n",
     {},
     ReadFailure::Content,
     "(«##NPOINTS=5») dice 5 puntos y los datos tienen 4",
     3},
    {"JcampRepeticionDesmedida",
     "##FIRSTX=1\n##LASTX=4\n##NPOINTS=4\n##XYDATA=(X++(Y..Y))\n1 1Z99999999999\n",
     {},
     ReadFailure::Content,
     "la línea 5",
     5},
    {"JcampFactorDesborda",
     "##YFACTOR=1e300\n##XYPOINTS=(XY..XY)\n1,1e10\n2,1\n",
     {},
     ReadFailure::Content,
     "no es un número finito"},
    {"JcampPuntos",
     "##XFACTOR=2\n##YFACTOR=0.5\n##XY POINTS= (XY..XY)\n1, 2; 3, 4\n##END=\n",
     {{2, 1}, {6, 2}}},
    // The separator from several lines, a comma and a space before all.
    {"CsvComaYEspacio", "0, 0.000000\n0.5, 1\n", {{0, 0}, {0.5, 1}}},
    {"CsvComaYEspacioConEncabezado", "x, y\n1, 2\n1.5, 3\n", {{1, 2}, {1.5, 3}}},
    {"CsvSinEspacioPrimeraXEntera", "x,y\n0,1\n0.5,2\n", {{0, 1}, {0.5, 2}}},
    {"ComaDecimalYEspacio", "1,5 2,5\n3 4,5\n", {{1.5, 2.5}, {3, 4.5}}},
    {"PuntoYComaYComaDecimal", "1;2,5\n2;3\n", {{1, 2.5}, {2, 3}}},
    {"CsvEntreComillas", "\"x\",\"y\"\n\"1,5\",\"2,5\"\n\"3\",\"4\"\n", {{1.5, 2.5}, {3, 4}}},
    {"TabuladorSoloEnLaPrimeraLinea", "1\t2\n3 4\n", {{1, 2}, {3, 4}}},
    {"ComaDeMilesJuntoAUnPunto",
     "1 2\n1,000 2.5\n",
     {},
     ReadFailure::Content,
     "la línea 2 («1,000 2.5») escribe «1,000» con coma",
     2},
    // Lines that look plain but are not, after plain ones.
    {"ComillasOcultanUnSeparador",
     "a,1,2\n\"b,5,6,\",3,4\n",
     {{1, 2}, {3, 4}},
     ReadFailure::None,
     "",
     0,
     MeasuredOptions{1, 2}},
    {"SignoMasYEspacios", "1 2\n+2 -3\n3\t 4 \n", {{1, 2}, {2, -3}, {3, 4}}},
    {"ColumnasLejanasConTabuladores", "a\tb\t1\t2\nc\t\t3\t4,5\n", {{1, 2}, {3, 4.5}}},
    {"NumeroConColaDeTexto", "1 2\n2 3.5e\n", {}, ReadFailure::Content, "la línea 2", 2},
    {"DosComasDecimales", "1 2\n2 3,5,1\n", {}, ReadFailure::Content, "la línea 2", 2},
    {"PuntoYComaSinSegundaColumna", "1;2\n2;\n", {}, ReadFailure::Content, "la línea 2", 2},
    {"InfinitoEscrito", "1 2\n2 inf\n", {}, ReadFailure::Content, "no es un número finito", 2},
    {"ComentarioDeDobleAlmohadilla", "## medido ayer\n1 2\n2 3\n", {{1, 2}, {2, 3}}},
    {"BucleDeEnlaces", kLinkLoop, {}, ReadFailure::File, "da vueltas entre enlaces"},
    {"NombreDemasiadoLargo", kTooLong, {}, ReadFailure::File, "el nombre es demasiado largo"},
    // What a DUP may decode to: ##NPOINTS, counted without the check value
    // that starts a line after one in difference form, and the file's size.
    {"JcampDupHastaNpointsTrasComprobacion",
     "##TITLE= t\n##FIRSTX=1\n##LASTX=7\n##NPOINTS=7\n##XYDATA=(X++(Y..Y))\n"
     "1 @JJ\n3 BJ%U\n7 C\n##END=\n",
     {{1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 3}, {6, 3}, {7, 3}}},
    {"JcampRepeticionSinNpoints",
     "##FIRSTX=0\n##LASTX=1\n##XYDATA=(X++(Y..Y))\n0 1S34217727\n",
     {},
     ReadFailure::Content,
     "de 55 bytes (como mucho 60416 puntos)",
     4},
    {"JcampNpointsDesmedido",
     "##FIRSTX=0\n##LASTX=1\n##NPOINTS=134217727\n##XYDATA=(X++(Y..Y))\n0 1S34217727\n",
     {},
     ReadFailure::Content,
     "declara más puntos de los que se aceptan",
     3},
    // The abscissas against the header.
    {"JcampLineaQueFalta",
     "##FIRSTX=1\n##LASTX=12\n##XYDATA=(X++(Y..Y))\n1 1 2 3\n7 7 8 9\n10 10 11 12\n",
     {},
     ReadFailure::Content,
     "(«7 7 8 9») empieza en x = 7",
     5},
    {"JcampLastxContradice",
     "##FIRSTX=1\n##LASTX=20\n##XYDATA=(X++(Y..Y))\n1 1 2 3\n4 4 5 6\n",
     {},
     ReadFailure::Content,
     "está en x = 12.4",
     5},
    {"JcampEtiquetaRedondeada",
     "##FIRSTX=1.25\n##LASTX=6.25\n##XYDATA=(X++(Y..Y))\n1 1 2 3\n4 4 5 6\n",
     {{1.25, 1}, {2.25, 2}, {3.25, 3}, {4.25, 4}, {5.25, 5}, {6.25, 6}}},
    // ##DELTAX is nominal: the points are placed by ##FIRSTX, ##LASTX and
    // their count, and a DELTAX that disagrees is only noted.
    {"JcampDeltaxContradice",
     "##FIRSTX=1\n##LASTX=6\n##DELTAX=2\n##XYDATA=(X++(Y..Y))\n1 1 2 3\n4 4 5 6\n",
     {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}},
     ReadFailure::None,
     "",
     0,
     {},
     "línea 3: ##DELTAX=2 no cuadra con los puntos (de x = 1 a x = 6 en 6 puntos el paso es 1)"},
    // A converted NMR file: FIRSTX and LASTX in hertz, DELTAX in ppm.
    {"JcampDeltaxEnOtraUnidad",
     "##FIRSTX= 2429.951\n##LASTX= -160.815\n##DELTAX= -0.0015802710\n##NPOINTS= 9\n"
     "##XYDATA= (X++(Y..Y))\n2429.951 1 2 3\n1458.414 4 5 6\n486.877 7 8 9\n##END=\n",
     {{2429.951, 1},
      {2106.10525, 2},
      {1782.2595, 3},
      {1458.41375, 4},
      {1134.568, 5},
      {810.72225, 6},
      {486.8765, 7},
      {163.03075, 8},
      {-160.815, 9}},
     ReadFailure::None,
     "",
     0,
     {},
     "línea 3: ##DELTAX=-0.001580271 no cuadra"},
    {"JcampDeltaxDeParesContradice",
     "##DELTAX=5\n##XYPOINTS=(XY..XY)\n1,1\n2,2\n",
     {{1, 1}, {2, 2}},
     ReadFailure::None,
     "",
     0,
     {},
     "línea 1: ##DELTAX=5 no cuadra"},
    // A line that goes missing is still refused, DELTAX or not.
    {"JcampDeltaxYLineaQueFalta",
     "##FIRSTX=1\n##LASTX=12\n##DELTAX=1\n##XYDATA=(X++(Y..Y))\n1 1 2 3\n7 7 8 9\n10 10 11 12\n",
     {},
     ReadFailure::Content,
     "(«7 7 8 9») empieza en x = 7",
     6},
    {"JcampNpointsDePares",
     "##NPOINTS=3\n##XYPOINTS=(XY..XY)\n1,1\n2,2\n",
     {},
     ReadFailure::Content,
     "dice 3 puntos y los datos tienen 2",
     1},
    {"JcampLastxDePares",
     "##LASTX=5\n##XYPOINTS=(XY..XY)\n1,1\n2,2\n",
     {},
     ReadFailure::Content,
     "no cuadra con el último punto, en x = 2",
     1},
    {"JcampIntervaloDesborda",
     "##FIRSTX=1e308\n##LASTX=-1e308\n##XYDATA=(X++(Y..Y))\n1E+308 1 2\n",
     {},
     ReadFailure::Content,
     "el intervalo de x, de ##FIRSTX=1e+308 a ##LASTX=-1e+308, desborda"},
    {"JcampXydataSinLineas",
     "##FIRSTX=1\n##LASTX=2\n##XYDATA=(X++(Y..Y))\n##END=\n",
     {},
     ReadFailure::Content,
     "ninguna línea"},
    {"JcampDupYDif",
     "##firstx= 10\n##LastX= 15\n##XYDATA=(X++(Y..Y)) $$ comentario\n"
     "10 A0JT\n12 A2Jj%\n##END=\n",
     {{10, 10}, {11, 11}, {12, 12}, {13, 13}, {14, 12}, {15, 12}}},
};

class MeasuredTable : public testing::TestWithParam<MeasuredCase> {};

TEST_P(MeasuredTable, ReadsOrNamesTheFault) {
    const MeasuredCase& c = GetParam();
    ScratchDir scratch("input");
    const std::string path = InputFile(scratch, c.text);
    const auto result = ReadMeasuredSpectrum(path, c.options);
    if (!ExpectSuccess(result, path, c.failure, c.message, c.line)) {
        return;
    }
    const MeasuredSpectrum& spectrum = result.Value();
    ASSERT_EQ(spectrum.x.size(), c.points.size());
    for (std::size_t i = 0; i < c.points.size(); ++i) {
        EXPECT_NEAR(spectrum.x[i], c.points[i][0], 1e-12 * std::abs(c.points[i][0])) << i;
        EXPECT_EQ(spectrum.y[i], c.points[i][1]) << i;
    }
    if (c.note) {
        ASSERT_EQ(spectrum.notes.size(), 1u);
        EXPECT_NE(spectrum.notes[0].find(c.note), std::string::npos) << spectrum.notes[0];
        EXPECT_NE(spectrum.notes[0].find(path), std::string::npos) << spectrum.notes[0];
    } else {
        EXPECT_TRUE(spectrum.notes.empty()) << spectrum.notes.front();
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, MeasuredTable, testing::ValuesIn(kMeasuredCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Real files in every form: the count must match ##NPOINTS, the abscissas run
// from ##FIRSTX to ##LASTX, and the first ordinate times ##YFACTOR is ##FIRSTY.
struct JcampCase {
    const char* file;
    std::size_t points;
    double firstX;
    double lastX;
    double firstY;
    // What the header declares.
    const char* title;
    XUnit xUnit;
    YUnit yUnit;
    bool firstOfSeveral = false;
};

constexpr XUnit kCm = XUnit::Wavenumber;
constexpr YUnit kT = YUnit::Transmittance;

class JcampSpectra : public testing::TestWithParam<JcampCase> {};

TEST_P(JcampSpectra, DecodeToTheDeclaredPoints) {
    const JcampCase& c = GetParam();
    const auto result = ReadMeasuredSpectrum(JcampFile(c.file));
    ASSERT_TRUE(result.Ok()) << result.Message();
    const MeasuredSpectrum& spectrum = result.Value();
    ASSERT_EQ(spectrum.x.size(), c.points);
    EXPECT_EQ(spectrum.x.front(), c.firstX);
    EXPECT_EQ(spectrum.x.back(), c.lastX);
    EXPECT_NEAR(spectrum.y.front(), c.firstY, std::abs(c.firstY) * 1e-4);
    EXPECT_TRUE(spectrum.jcamp);
    EXPECT_EQ(spectrum.firstOfSeveral, c.firstOfSeveral);
    EXPECT_EQ(spectrum.header.title, c.title);
    EXPECT_EQ(spectrum.header.xKind, c.xUnit);
    EXPECT_EQ(spectrum.header.yKind, c.yUnit);
    // Every infrared file here is in wavenumbers, and drawn with x decreasing.
    EXPECT_EQ(DrawnWithXDecreasing(spectrum.header), c.xUnit == kCm);
}

INSTANTIATE_TEST_SUITE_P(
    Archivos, JcampSpectra,
    testing::Values(
        JcampCase{"fixinc1.jdx", 3736, 399.263973, 4001.31938, 112.8905654, "fixinc1.jdx", kCm, kT},
        JcampCase{"fixdec1.jdx", 3951, 4400.007, 450, 64.915, "fixdec1.jdx", kCm, kT},
        JcampCase{"pacdec1.jdx", 3301, 4000, 700, 101.6, "pacdec1.jdx", kCm, kT},
        JcampCase{"sqzdec1.jdx", 16384, 24038.5, 0, 2259260, "sqzdec1.jdx", XUnit::Unknown,
                  YUnit::Unknown},
        JcampCase{"dupinc1.jdx", 440, 250, 469.5, 1.1663, "dupinc1.jdx", XUnit::Nanometre,
                  YUnit::Absorbance},
        JcampCase{"dupdec1.jdx", 3951, 4400, 450, 82.25, "dupdec1.jdx", kCm, kT},
        JcampCase{"xyinc1.jdx", 3601, 400, 4000, 0.448, "Indene     (FILE:  xyinc1.jdx)", kCm, kT},
        JcampCase{"compound.jdx", 1976, 4400, 450, 0.0467, "block 1", kCm, kT, true}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

// The start of a file as the columns dialog shows it: the lines, and the
// columns the reader would take by itself.
struct PreviewCase {
    const char* name;
    std::string text;
    int columns;
    int xColumn = 0;
    int yColumn = 1;
    std::size_t lines = 0;
    bool jcamp = false;
};

const PreviewCase kPreviewCases[] = {
    {"DosColumnas", "x y\n1 2\n2 3\n", 2, 0, 1, 3},
    {"TextoEntreNumeros", "muestra;1;10;20\n", 4, 1, 2, 1},
    {"EncabezadoMasLargoQueLoMostrado", "a\nb\nc\nd\n1\t2\t3\n", 3, 0, 1, 3},
    {"SinNumeros", "a\nb\n", 0, 0, 1, 2},
    {"Jcamp", "##TITLE= t\n##XYPOINTS=(XY..XY)\n1,2\n", 0, 0, 1, 1, true},
};

class PreviewTable : public testing::TestWithParam<PreviewCase> {};

TEST_P(PreviewTable, ShowsTheStartAndTheColumnsFound) {
    const PreviewCase& c = GetParam();
    ScratchDir scratch("input");
    const auto result = PreviewMeasuredSpectrum(InputFile(scratch, c.text), 3);
    ASSERT_TRUE(result.Ok()) << result.Message();
    EXPECT_EQ(result.Value().columns, c.columns);
    EXPECT_EQ(result.Value().xColumn, c.xColumn);
    EXPECT_EQ(result.Value().yColumn, c.yColumn);
    EXPECT_EQ(result.Value().lines.size(), c.lines);
    EXPECT_EQ(result.Value().jcamp, c.jcamp);
}

INSTANTIATE_TEST_SUITE_P(Casos, PreviewTable, testing::ValuesIn(kPreviewCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MeasuredProgress, ReturningFalseCancelsAndKeepsNothing) {
    ScratchDir scratch("input");
    std::string text;
    for (int i = 0; i < 200000; ++i) {
        text += std::to_string(i) + " 1\n";
    }
    int calls = 0;
    const auto result = ReadMeasuredSpectrum(InputFile(scratch, text), {},
                                             [&](std::uint64_t done, std::uint64_t total) {
                                                 EXPECT_LE(done, total);
                                                 return ++calls < 2;
                                             });
    EXPECT_EQ(result.Failure(), ReadFailure::Cancelled);
    EXPECT_EQ(calls, 2);
}

}  // namespace
