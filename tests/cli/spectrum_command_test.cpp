#include <gtest/gtest.h>

#include "tests/cli/cli_fixture.h"
#include "tests/support/three_spectra.h"

using namespace trazel::cli;

namespace {

std::string DataFile(const std::string& name) {
    return std::string(TRAZEL_TEST_DATA) + "/" + name;
}

// A spectrum converted to a file of each form reads back to the very text
// that converting it straight to x-y text gives, and that text, converted to
// the form and back, stays the same to the last digit.
struct RoundTrip {
    const char* name;
    const char* in;  // under tests/data
    const char* options;
    const char* ending;
    // Lines the file of that form holds: its units, the form of its data.
    std::vector<std::string> holds;
};

class SpectrumRoundTrip : public CliTest, public testing::WithParamInterface<RoundTrip> {};

TEST_P(SpectrumRoundTrip, ReadsBackToTheSamePoints) {
    const RoundTrip& r = GetParam();
    const std::string in = DataFile(r.in);
    const std::string form = std::string("@medio.") + r.ending;
    const std::string again = std::string("@otra.") + r.ending;
    const std::string comma = std::string(r.options).find("--comma") == 0 ? " --comma" : "";
    ASSERT_EQ(Run(Words("spectrum " + in + " -o @directo.txt " + r.options)), kExitOk)
        << err_.str();
    ASSERT_EQ(Run(Words("spectrum " + in + " -o " + form + " " + r.options)), kExitOk);
    const std::string written = Contents(Path(form.substr(1)));
    for (const std::string& line : r.holds) {
        EXPECT_NE(written.find(line + "\r\n"), std::string::npos) << line << "\n" << written;
    }
    ASSERT_EQ(Run(Words("spectrum " + form + " -o @vuelta.txt" + comma)), kExitOk) << err_.str();
    EXPECT_EQ(Contents(Path("vuelta.txt")), Contents(Path("directo.txt")));
    ASSERT_EQ(Run(Words("spectrum @directo.txt -o " + again + comma)), kExitOk) << err_.str();
    ASSERT_EQ(Run(Words("spectrum " + again + " -o @otra.txt" + comma)), kExitOk) << err_.str();
    EXPECT_EQ(Contents(Path("otra.txt")), Contents(Path("directo.txt")));
}

const RoundTrip kRoundTrips[] = {
    {"PorcentajeAAbsorbancia",
     "jcamp/fixinc1.jdx",
     "--y percent-transmittance-to-absorbance",
     "jdx",
     {"##TITLE= fixinc1.jdx", "##XUNITS= 1/CM", "##YUNITS= ABSORBANCE", "##NPOINTS= 3722",
      "##XYPOINTS= (XY..XY)", "##ORIGIN= UWS, Nepean Campus, Australia", "##OWNER= public domain",
      "##$TRAZEL CHANGE= --y percent-transmittance-to-absorbance"}},
    {"IgualmenteEspaciado",
     "jcamp/xyinc1.jdx",
     "",
     "jdx",
     {"##JCAMP-DX= 5.01", "##DATA TYPE= INFRARED SPECTRUM", "##YUNITS= TRANSMITTANCE",
      "##FIRSTX= 400", "##LASTX= 4000", "##DELTAX= 1", "##XYDATA= (X++(Y..Y))", "##END="}},
    {"Intervalo",
     "jcamp/pacdec1.jdx",
     "--xmin 1000 --xmax 2000 --y negate",
     "jdx",
     {"##FIRSTX= 2000", "##LASTX= 1000", "##XYDATA= (X++(Y..Y))"}},
    {"IntervaloAlReves",
     "jcamp/pacdec1.jdx",
     "--xmin 2000 --xmax 1000 --y negate",
     "jdx",
     {"##FIRSTX= 2000", "##LASTX= 1000", "##$TRAZEL CHANGE= --y negate"}},
    {"TextoAJcamp",
     "text/espectro-punto-y-coma.txt",
     "--x nanometre-to-wavenumber",
     "jdx",
     {"##ORIGIN= unknown", "##OWNER= unknown", "##$TRAZEL CHANGE= --x nanometre-to-wavenumber"}},
    {"UnidadesDesconocidas",
     "jcamp/sqzdec1.jdx",
     "",
     "jdx",
     {"##XUNITS= HZ", "##XYDATA= (X++(Y..Y))"}},
    {"NanometrosACsv",
     "jcamp/dupinc1.jdx",
     "--x nanometre-to-wavenumber",
     "csv",
     {"numero de onda (cm-1),absorbancia", "40000,1.1663"}},
    {"Raman",
     "jcamp/dupinc1.jdx",
     "--x raman-shift --laser 244",
     "jdx",
     {"##DATA TYPE= RAMAN SPECTRUM", "##XUNITS= 1/CM", "##XYPOINTS= (XY..XY)"}},
    {"TextoConComaDecimal",
     "text/espectro-punto-y-coma.txt",
     "--comma --y absorbance-to-percent-transmittance",
     "csv",
     {"longitud de onda (nm);transmitancia (%)", "400;79,432823472428"}},
};

INSTANTIATE_TEST_SUITE_P(Casos, SpectrumRoundTrip, testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

// What spectrum, fit and figure refuse: a message that says why, and no file
// written, nor any left beside it.
struct SpectrumFault {
    const char* name;
    std::string line;
    int exitCode;
    std::string message;
};

class SpectrumFaults : public CliTest, public testing::WithParamInterface<SpectrumFault> {};

TEST_P(SpectrumFaults, SayWhyAndWriteNothing) {
    const SpectrumFault& fault = GetParam();
    WriteBytes(Path("t.txt"), "x y\n1 0\n2 -0.5\n3 0.5\n");
    // Near the largest double, where a baseline through them overflows.
    WriteBytes(Path("e.txt"), "1 1.7e308\n2 -1.7e308\n3 1.7e308\n4 -1.7e308\n5 1.7e308\n");
    WriteBytes(Path("enorme.txt"), "x y\n-1.7e308 0\n0 1\n1.7e308 0\n");
    const std::vector<std::string> before = Files();
    EXPECT_EQ(Run(Words(fault.line)), fault.exitCode);
    EXPECT_NE(err_.str().find(fault.message), std::string::npos) << err_.str();
    EXPECT_EQ(Files(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, SpectrumFaults,
    testing::Values(
        SpectrumFault{"CambioDeYDesconocido", "spectrum @t.txt --y absorbancia -o @a.txt",
                      kExitUsage, "--y espera transmittance-to-absorbance"},
        SpectrumFault{"CambioDeXDesconocido", "spectrum @t.txt --x nm -o @a.txt", kExitUsage,
                      "--x espera nanometre-to-wavenumber"},
        SpectrumFault{"RamanSinLaser", "spectrum @t.txt --x raman-shift -o @a.txt", kExitUsage,
                      "necesita --laser"},
        SpectrumFault{"LaserSinRaman", "spectrum @t.txt --laser 532 -o @a.txt", kExitUsage,
                      "solo sirve con --x raman-shift"},
        SpectrumFault{"LaserNegativo", "spectrum @t.txt --x raman-shift --laser -1 -o @a.txt",
                      kExitUsage, "mayor que 0"},
        SpectrumFault{"TerminacionDesconocida", "spectrum @t.txt -o @a.dat", kExitUsage,
                      ".txt, .csv o .jdx"},
        SpectrumFault{"ComaEnJcamp", "spectrum @t.txt --comma -o @a.jdx", kExitUsage,
                      "--comma no sirve con JCAMP-DX"},
        SpectrumFault{"SobreLaEntrada", "spectrum @t.txt -o @t.txt", kExitUsage,
                      "propio espectro medido"},
        SpectrumFault{"NingunPuntoDefinido",
                      "spectrum @t.txt --y transmittance-to-absorbance --xmin 0 -o @a.txt",
                      kExitFileError, "quedan 1 de sus 3 puntos"},
        SpectrumFault{"IntervaloVacio", "spectrum @t.txt --xmin 5 -o @a.txt", kExitFileError,
                      "quedan 0 puntos"},
        SpectrumFault{"IntervaloDeXDesbordado", "spectrum @enorme.txt -o @a.jdx", kExitFileError,
                      "el intervalo de x, de -1.7e+308 a 1.7e+308, no cabe en un número"},
        SpectrumFault{"SalidaInaccesible", "spectrum @t.txt -o @no/a.txt", kExitFileError,
                      "no/a.txt"},
        SpectrumFault{"FitSinLaser",
                      "fit examples/calcita-raman.trz --measured @t.txt --x raman-shift -o @f.trz",
                      kExitUsage, "necesita --laser"},
        SpectrumFault{"FitSinPuntos",
                      "fit examples/calcita-raman.trz --measured @t.txt --x "
                      "wavenumber-to-nanometre --y transmittance-to-absorbance -o @f.trz",
                      kExitFileError, "quedan 1 de sus 3 puntos"},
        // A λ the baseline of 3 points no longer depends on, refused before it
        // is solved for; a baseline that is no number, named.
        SpectrumFault{"AlsInutil", "spectrum @t.txt --subtract-als 1e20,0.01 -o @a.txt", kExitUsage,
                      "λ = 1e+20 no sirve para 3 puntos"},
        SpectrumFault{"FitAlsInutil",
                      "fit examples/calcita-raman.trz --measured @t.txt --subtract-als 1e-20,0.01 "
                      "-o @f.trz",
                      kExitUsage, "entre 1e-16 y 8.1e+14"},
        SpectrumFault{"AlsNoFinita", "spectrum @e.txt --subtract-als 1,0.5 -o @a.jdx",
                      kExitFitFailed, "asimétricos (λ = 1, p = 0.5) no es un número finito"},
        SpectrumFault{"FitAlsNoFinita",
                      "fit examples/calcita-raman.trz --measured @e.txt --subtract-als 1,0.5 "
                      "-o @f.trz",
                      kExitFitFailed, "no es un número finito en 5 de los 5 puntos"},
        SpectrumFault{"PeaksAlsNoFinita", "peaks @e.txt --subtract-als 1,0.5 -o @p.trz",
                      kExitFitFailed, "no es un número finito"},
        // Choices of a spectrum the file does not hold, or without a file.
        SpectrumFault{"EspectroCero", "spectrum @t.txt --spectrum 0 -o @a.txt", kExitUsage,
                      "--spectrum cuenta desde 1"},
        SpectrumFault{"EspectroSinEseNombre", "spectrum @t.txt --spectrum otro -o @a.txt",
                      kExitUsage, "ningún espectro llamado «otro» entre sus 1"},
        SpectrumFault{"PeaksEspectroDeMas", "peaks @t.txt --spectrum 2 -o @p.trz", kExitUsage,
                      "el espectro 2 y el archivo tiene uno solo"},
        SpectrumFault{"FitEspectroSinMedido",
                      "fit examples/calcita-raman.trz --spectrum 2 -o @f.trz", kExitUsage,
                      "del archivo de --measured, que falta"},
        SpectrumFault{"ListaConSalida", "spectrum @t.txt --list -o @a.txt", kExitUsage,
                      "--list no se combina con -o"}),
    [](const auto& info) { return std::string(info.param.name); });

// Each spectrum of a file of several, of every kind, is written when chosen
// by number or by name, the same either way; --list names them; a number past
// the last is a usage error with the count; without a choice the first is
// taken, and standard error says there are others.
TEST_F(CliTest, WritesTheSpectrumChosen) {
    for (const ThreeSpectra& file : ThreeSpectraFiles()) {
        SCOPED_TRACE(file.kind);
        WriteBytes(Path("tres"), file.bytes);
        ASSERT_EQ(Run(Words("spectrum @tres --list")), kExitOk) << err_.str();
        const std::string list = out_.str();
        for (int s = 0; s < 3; ++s) {
            const std::string number = std::to_string(s + 1);
            EXPECT_NE(list.find("\n" + number + "\t" + file.names[s] + "\t"), std::string::npos)
                << list;
            ASSERT_EQ(Run(Words("spectrum @tres --spectrum " + number + " -o @n.txt")), kExitOk)
                << err_.str();
            ASSERT_EQ(Run(Words(std::string("spectrum @tres --spectrum ") + file.names[s] +
                                " -o @nombre.txt")),
                      kExitOk)
                << err_.str();
            EXPECT_EQ(Contents(Path("n.txt")), Contents(Path("nombre.txt")));
            EXPECT_NE(Contents(Path("n.txt")).find("10 " + number + ".5\r\n"), std::string::npos)
                << Contents(Path("n.txt"));
        }
        EXPECT_EQ(Run(Words("spectrum @tres --spectrum 4 -o @n.txt")), kExitUsage);
        EXPECT_NE(err_.str().find("el espectro 4 y el archivo tiene 3"), std::string::npos)
            << err_.str();
        ASSERT_EQ(Run(Words("spectrum @tres -o @primero.txt")), kExitOk);
        EXPECT_NE(err_.str().find("tiene 3 espectros; se toma el primero"), std::string::npos)
            << err_.str();
    }
}

// A stiff λ on the spectrum of the examples: finite numbers, in a file the
// reader takes back, and the baseline under the bands.
TEST_F(CliTest, SubtractsAStiffBaseline) {
    ASSERT_EQ(Run(Words("spectrum examples/dos-bandas-medido.txt --subtract-als 1e18,0.01 "
                        "-o @s.jdx")),
              kExitOk)
        << err_.str();
    ASSERT_EQ(Run(Words("spectrum @s.jdx -o @s.txt")), kExitOk) << err_.str();
    const std::string text = Contents(Path("s.txt"));
    EXPECT_EQ(text.find("nan"), std::string::npos);
    EXPECT_NE(text.find("\n1000 1.00"), std::string::npos) << text.substr(0, 200);
}

// The bands of a fit to a transmittance file converted on the way in are those
// of a fit to the converted file read as plain text.
TEST_F(CliTest, FitOfTransformedDataEqualsFitOfConvertedFile) {
    const std::string in = DataFile("jcamp/fixinc1.jdx");
    const std::string range = " --xmin 1010 --xmax 1200 --baseline constant";
    ASSERT_EQ(Run(Words("new @g.trz --peak 1028,0.4,8 --peak 1069,0.3,8 --peak 1154,0.4,8 "
                        "--peak 1181,0.5,8")),
              kExitOk);
    ASSERT_EQ(Run(Words("spectrum " + in + " --y percent-transmittance-to-absorbance -o @a.txt")),
              kExitOk);
    ASSERT_EQ(Run(Words("fit @g.trz --measured @a.txt -o @f1.trz" + range)), kExitOk) << err_.str();
    const std::string fromFile = out_.str();
    ASSERT_EQ(Run(Words("fit @g.trz --measured " + in +
                        " --y percent-transmittance-to-absorbance -o @f2.trz" + range)),
              kExitOk);
    EXPECT_EQ(out_.str(), fromFile);
    EXPECT_NE(err_.str().find("se dejan fuera 14 de los 3736 puntos"), std::string::npos);
    // The document keeps every point as read, and the change with them.
    ASSERT_EQ(Run(Words("show @f2.trz")), kExitOk);
    for (const char* line : {"(3736 puntos", "y «Transmitancia»",
                             "Transformación: y de transmitancia (%) a absorbancia (deja fuera 14 "
                             "puntos); unidades tras ella: x «Número de onda (cm⁻¹)», y "
                             "«Absorbancia»"}) {
        EXPECT_NE(out_.str().find(line), std::string::npos) << out_.str();
    }
}

}  // namespace
