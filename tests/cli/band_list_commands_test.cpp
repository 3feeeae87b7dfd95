#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/cli_fixture.h"

using namespace trazel::cli;

namespace {

// show --csv and new --from are each other's inverse: every example, written
// out and read back, is the example in the current layout byte for byte.
TEST_F(CliTest, EveryExampleRoundTripsThroughCsv) {
    int examples = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(TRAZEL_SOURCE_DIR) + "/examples")) {
        if (entry.path().extension() != ".trz") {
            continue;
        }
        const std::string example = entry.path().string();
        ++examples;
        ASSERT_EQ(Run({"show", example, "--csv"}), kExitOk) << err_.str();
        WriteBytes(Path("tabla.csv"), out_.str());
        ASSERT_EQ(Run({"new", Path("importado.trz"), "--from", Path("tabla.csv")}), kExitOk)
            << example << ": " << err_.str();
        ASSERT_EQ(Run({"convert", example, Path("actual.trz")}), kExitOk) << err_.str();
        EXPECT_EQ(Contents(Path("importado.trz")), Contents(Path("actual.trz"))) << example;
    }
    EXPECT_GE(examples, 4);
}

TEST_F(CliTest, CsvWritesTheShortestDigitsOldestFirst) {
    ASSERT_EQ(Run({"new", Path("d"), "--peak", "500,2,10", "--peak", "0.1,1e-3,3,2,s", "--peak",
                   "333.333333333333,-0,1e-300"}),
              kExitOk);
    ASSERT_EQ(Run({"show", Path("d"), "--csv"}), kExitOk) << err_.str();
    EXPECT_EQ(out_.str(),
              "posicion,intensidad,anchura,escala,R\n"
              "500,2,10,1,n\n"
              "0.1,0.001,3,2,s\n"
              "333.333333333333,-0,1e-300,1,n\n");
}

struct FromCase {
    const char* name;
    const char* list;     // the band list's text
    const char* command;  // after "new @out.trz"; "@lista" is the list
    int exitCode;
    const char* csv;  // show --csv of the document, or what the message holds
};

const FromCase kFromCases[] = {
    {"OrdenDeArchivoEntreLosPeak", "10 1 2\n20 3 4\n", "--peak 1,1,1 --from @lista --peak 2,2,2",
     kExitOk,
     "posicion,intensidad,anchura,escala,R\n1,1,1,1,n\n10,1,2,1,n\n20,3,4,1,n\n2,2,2,1,n\n"},
    {"AnchuraYEscalaIndicadas", "10;1,5\n", "--from @lista --width 7 --scale 0.961", kExitOk,
     "posicion,intensidad,anchura,escala,R\n10,1.5,7,0.961,n\n"},
    {"AreasLorentzianas", "10 3.141592653589793 2\n", "--from @lista --areas --lorentzian", kExitOk,
     "posicion,intensidad,anchura,escala,R\n10,1,2,1,n\n"},
    {"SinAnchuraEsDeUso", "10 1\n", "--from @lista", kExitUsage, "--width"},
    {"WidthSinFrom", "", "--width 3", kExitUsage, "solo valen con --from"},
    {"AnchuraNoPositiva", "10 1\n", "--from @lista --width 0", kExitUsage, "mayor que 0"},
    {"LineaMala", "10 1 2\nx\n", "--from @lista", kExitFileError, "la línea 2"},
    {"ListaQueNoExiste", "", "--from @nada", kExitFileError, "no existe"},
    // What new --from would refuse, --peak refuses too; the empty document
    // comes back from its CSV.
    {"AnchuraDePeakNoPositiva", "", "--peak 1,2,-3", kExitUsage, "mayor que 0"},
    {"PosicionEscaladaInfinita", "", "--peak 1e308,1,1,10", kExitUsage, "no es un número finito"},
    {"DocumentoVacio", "posicion,intensidad,anchura,escala,R\n", "--from @lista", kExitOk,
     "posicion,intensidad,anchura,escala,R\n"},
    // The shared option parser: values after "=", no option twice.
    {"ValoresTrasIgual", "10 1\n", "--peak=1,2,3 --from @lista --width=5", kExitOk,
     "posicion,intensidad,anchura,escala,R\n1,2,3,1,n\n10,1,5,1,n\n"},
    // A quantum-chemistry output: a band per mode, the imaginary one and the
    // zero left out with a note.
    {"ActividadesRaman", "[Molden Format]\n[FREQ]\n-10\n0\n100\n200\n[INT]\n1 1\n1 1\n1 2\n1 4\n",
     "--from @lista --width 1 --kind raman-activity", kExitOk,
     "posicion,intensidad,anchura,escala,R\n100,2,1,1,n\n200,4,1,1,n\n"},
    {"Intervalo", "[Molden Format]\n[FREQ]\n-10\n0\n100\n200\n[INT]\n1 1\n1 1\n1 2\n1 4\n",
     "--from @lista --width 1 --kind raman-activity --range 150:250", kExitOk,
     "posicion,intensidad,anchura,escala,R\n200,4,1,1,n\n"},
    {"IntervaloSinDosPuntos", "", "--from @lista --width 1 --range 150", kExitUsage,
     "--range debe ser DESDE:HASTA"},
    {"IntervaloAlReves", "", "--from @lista --width 1 --range 250:150", kExitUsage, "a otro mayor"},
    {"MasIntensasDeUnaTabla", "10 1\n", "--from @lista --width 1 --strongest", kExitUsage,
     "solo valen con una salida de química cuántica"},
    {"KindDesconocido", "", "--from @lista --width 1 --kind uv", kExitUsage, "--kind debe ser"},
    {"KindSinFrom", "", "--kind ir", kExitUsage, "--kind solo vale con --from"},
    {"LaserSinRaman", "", "--from @lista --width 1 --laser 532", kExitUsage, "--kind raman"},
    {"AnchuraDosVeces", "10 1\n", "--from @lista --width 2 --width=3", kExitUsage,
     "--width aparece más de una vez"},
    // Shapes of the bands' own come back from their CSV, and an area is the
    // shape's own: pv 0.5 of height 1 and width 2 has area pi/2 + 1.0645.
    {"FormasPropias", "", "--peak 1,1,1,1,forma=pv:0.25 --peak 2,2,2 --peak 3,3,3,2,s,forma=v",
     kExitOk,
     "posicion,intensidad,anchura,escala,R,forma,eta\n1,1,1,1,n,pv,0.25\n2,2,2,1,n,doc,0\n"
     "3,3,3,2,s,v,0.5\n"},
    {"FormaDeLaLista", "x int fwhm forma eta\n10 1 2 l\n20 3 4 pv 0.75\n", "--from @lista", kExitOk,
     "posicion,intensidad,anchura,escala,R,forma,eta\n10,1,2,1,n,l,0\n20,3,4,1,n,pv,0.75\n"},
    {"AreaPseudoVoigt", "x int fwhm shape\n10 2.6352633462261226 2 pv\n", "--from @lista --areas",
     kExitOk, "posicion,intensidad,anchura,escala,R,forma,eta\n10,1,2,1,n,pv,0.5\n"},
    {"FormaDesconocida", "x int fwhm forma\n10 1 2 q\n", "--from @lista", kExitFileError,
     "distinto de g, l, pv o v"},
    {"FraccionFueraDeRango", "x int fwhm forma eta\n10 1 2 v 1.5\n", "--from @lista",
     kExitFileError, "no está entre 0 y 1"},
    {"FormaDePeakDesconocida", "", "--peak 1,1,1,forma=q", kExitUsage, "g, l, pv o v"},
    {"FraccionDeUnaGaussiana", "", "--peak 1,1,1,forma=g:0.3", kExitUsage, "va con pv o v"},
};

class NewFrom : public CliTest, public testing::WithParamInterface<FromCase> {};

TEST_P(NewFrom, BuildsTheDocumentOrWritesNothing) {
    const FromCase& c = GetParam();
    WriteBytes(Path("lista"), c.list);
    ASSERT_EQ(Run(Words(std::string("new @out.trz ") + c.command)), c.exitCode) << err_.str();
    if (c.exitCode != kExitOk) {
        EXPECT_NE(err_.str().find(c.csv), std::string::npos) << err_.str();
        EXPECT_FALSE(std::filesystem::exists(Path("out.trz")));
        return;
    }
    ASSERT_EQ(Run({"show", Path("out.trz"), "--csv"}), kExitOk);
    EXPECT_EQ(out_.str(), c.csv);
}

INSTANTIATE_TEST_SUITE_P(Casos, NewFrom, testing::ValuesIn(kFromCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, BandsListsEveryModeAndWhatIsLeftOut) {
    ASSERT_EQ(Run({"bands", std::string(TRAZEL_SOURCE_DIR) + "/tests/data/qc/orca5-freq.out"}),
              kExitOk)
        << err_.str();
    const std::string text = out_.str();
    EXPECT_TRUE(
        text.starts_with("# ORCA\n# cm-1\tIR km/mol\tRaman A^4/amu\tleft out\n"
                         "0\t-\t-\tzero\n"))
        << text;
    EXPECT_NE(text.find("\n-25.12\t0.01\t0.1\timaginary\n52.79\t0.03\t0\t-\n"), std::string::npos)
        << text;
    WriteBytes(Path("texto"), "10 1 2\n");
    EXPECT_EQ(Run({"bands", Path("texto")}), kExitFileError);
    EXPECT_NE(
        err_.str().find("no es una salida de Gaussian, ORCA, Q-Chem, NWChem, GAMESS ni Molden"),
        std::string::npos);
}

TEST_F(CliTest, NewFromRefusesMoreBandsThanADocumentHolds) {
    std::string list;
    for (int i = 0; i < 98; ++i) {
        list += "1 1 1\n";
    }
    WriteBytes(Path("lista"), list);
    EXPECT_EQ(Run(Words("new @out.trz --from @lista --peak 1,1,1 --peak 1,1,1")), kExitFileError);
    EXPECT_NE(err_.str().find("tiene 98 bandas y en la tabla caben 97"), std::string::npos)
        << err_.str();
    WriteBytes(Path("lista"), list + "1 1 1\n1 1 1\n");
    EXPECT_EQ(Run(Words("new @out.trz --from @lista")), kExitFileError);
    EXPECT_NE(err_.str().find("tiene 100 bandas y en la tabla caben 99"), std::string::npos)
        << err_.str();
    EXPECT_FALSE(std::filesystem::exists(Path("out.trz")));
    // A quantum-chemistry output says how to choose, and --strongest takes
    // the 99 strongest: all but the first, the weakest.
    std::string modes = "[Molden Format]\n[FREQ]\n";
    std::string intensities = "[INT]\n";
    for (int i = 1; i <= 100; ++i) {
        modes += std::to_string(i) + "\n";
        intensities += std::to_string(i) + "\n";
    }
    WriteBytes(Path("modos"), modes + intensities);
    EXPECT_EQ(Run(Words("new @out.trz --from @modos --width 1")), kExitFileError);
    EXPECT_NE(err_.str().find("ninguna. Con --strongest se toman las más intensas"),
              std::string::npos)
        << err_.str();
    ASSERT_EQ(Run(Words("new @out.trz --from @modos --width 1 --strongest")), kExitOk);
    EXPECT_NE(err_.str().find("las 99 bandas más intensas de 100"), std::string::npos);
    ASSERT_EQ(Run(Words("show @out.trz --csv")), kExitOk);
    EXPECT_TRUE(out_.str().starts_with("posicion,intensidad,anchura,escala,R\n2,")) << out_.str();
}

}  // namespace
