#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "input/measured_spectrum.h"
#include "tests/input/input_file.h"
#include "tests/support/binary_spectra.h"
#include "tests/support/three_spectra.h"

using namespace trazel::input;
using trazel::model::XUnit;
using trazel::model::YUnit;

namespace {

// The AB data and parameter blocks of two points from 100 to 200 cm-1.
std::string AbParameters(std::int32_t points = 2, std::int32_t format = 1) {
    return OpusNumber("DPF", format) + OpusNumber("NPT", points) + OpusNumber("FXV", 100.0) +
           OpusNumber("LXV", 200.0) + OpusNumber("CSF", 2.0) + OpusParameter("DXU", 3, "WN") +
           "END" + std::string(5, '\0');
}
std::string TwoFloats() {
    return ByteWriter().Add(0.75F).Add(-1.0F).bytes;
}
OpusFile Opus(std::uint32_t data = 0x100F, std::string parameters = AbParameters()) {
    return {{{0xA0, OpusParameter("SNM", 2, "muestra") + "END" + std::string(5, '\0')},
             {data, TwoFloats()},
             {data | 0x10, std::move(parameters)}}};
}

std::string Patched(std::string bytes, std::size_t at, std::uint32_t value, std::size_t keep = 0) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
    return keep ? bytes.substr(0, keep) : bytes;
}

struct BinaryCase {
    const char* name;
    std::function<std::string()> file;
    // the failure and a part of its message, or the points and y's units
    const char* message = nullptr;
    std::array<double, 4> points = {10, 1.5, 20, -2};
    YUnit yKind = YUnit::Absorbance;
    bool several = false;
};

const BinaryCase kCases[] = {
    {"SpcFlotantes", [] { return SpcFile{}.Write(); }},
    {"SpcEnteros32", [] { return SpcFile{.exponent = 3}.Write(); }},
    {"SpcEnteros16", [] { return SpcFile{.flags = 0x01, .exponent = 3}.Write(); }},
    {"SpcBigEndian", [] { return SpcFile{.version = 0x4C, .exponent = 2}.Write(); }},
    {"SpcXExplicita", [] { return SpcFile{.flags = 0x80}.Write(); }},
    {"SpcVariosSubarchivos",
     [] { return SpcFile{.flags = 0x04, .exponent = 4, .subfiles = 3}.Write(); },
     nullptr,
     {10, 1.5, 20, -2},
     YUnit::Absorbance,
     true},
    {"SpcXPropiaSinDirectorio",
     [] { return SpcFile{.flags = 0xC4, .subfiles = 2}.Write(); },
     nullptr,
     {10, 1.5, 20, -2},
     YUnit::Absorbance,
     true},
    {"SpcXPropiaConDirectorio",
     [] { return SpcFile{.flags = 0xC4, .subfiles = 2, .directory = true}.Write(); },
     nullptr,
     {10, 1.5, 20, -2},
     YUnit::Absorbance,
     true},
    {"SpcAntiguo", [] { return SpcFile{.version = 0x4D, .exponent = 5}.Write(); }},
    {"SpcAntiguoVarios",
     [] { return SpcFile{.flags = 0x04, .version = 0x4D, .exponent = 5, .subfiles = 2}.Write(); },
     nullptr,
     {10, 1.5, 20, -2},
     YUnit::Absorbance,
     true},
    {"OpusAbsorbancia", [] { return Opus().Write(); }, nullptr, {100, 1.5, 200, -2}},
    {"OpusTransmitancia",
     [] { return Opus(0x140F).Write(); },
     nullptr,
     {100, 1.5, 200, -2},
     YUnit::Transmittance},
    {"OpusCanalUnico",
     [] { return Opus(0x0407).Write(); },
     nullptr,
     {100, 1.5, 200, -2},
     YUnit::Unknown},
    {"OpusEnteros",
     [] { return Opus(0x100F, AbParameters(2, 2)).Write(); },
     nullptr,
     {100, 2 * 1061158912.0, 200, 2 * -1082130432.0}},
    // Damaged files: every count and offset past the end, refused before
    // anything of that size is allocated.
    {"SpcCabeceraCorta", [] { return SpcFile{}.Write().substr(0, 300); }, "incompleta"},
    {"SpcPuntosDeMas", [] { return Patched(SpcFile{}.Write(), 4, 0xFFFFFFFF); },
     "el primer subarchivo ocupa 17179869180 bytes"},
    {"SpcXDeMas", [] { return Patched(SpcFile{.flags = 0x80}.Write(), 4, 0xFFFFFFFF); },
     "las abscisas ocupa"},
    {"SpcSubarchivoCortado", [] { return SpcFile{}.Write().substr(0, 548); },
     "el primer subarchivo"},
    {"SpcSubarchivosDeMas",
     [] { return Patched(SpcFile{.flags = 0x04, .subfiles = 2}.Write(), 24, 0xFFFFFFFF); },
     "los subarchivos ocupa"},
    {"SpcSinSubarchivos", [] { return Patched(SpcFile{.flags = 0x04}.Write(), 24, 0); },
     "ningún subarchivo"},
    {"SpcDirectorioFuera",
     [] { return Patched(SpcFile{.flags = 0xC4, .directory = true}.Write(), 4, 0xFFFFFFF0); },
     "el directorio de subarchivos"},
    {"SpcDirectorioApuntaFuera",
     [] {
         const std::string bytes = SpcFile{.flags = 0xC4, .directory = true}.Write();
         return Patched(bytes, bytes.size() - 12, 0xFFFFFF00);
     },
     "el primer subarchivo ocupa 32 bytes desde el byte 4294967040"},
    {"SpcXPropiaDeMas",
     [] { return Patched(SpcFile{.flags = 0xC4}.Write(), 512 + 16, 0x7FFFFFFF); },
     "el primer subarchivo"},
    {"SpcExponenteAntiguo",
     [] { return Patched(SpcFile{.version = 0x4D, .exponent = 5}.Write(), 2, 0x7000); },
     "el exponente 28672"},
    {"SpcPuntosAntiguosDeMas",
     [] { return Patched(SpcFile{.version = 0x4D}.Write(), 4, 0x4F000000); }, "no cabe"},
    {"SpcNoFinito", [] { return Patched(SpcFile{}.Write(), 548, 0x7FC00000); },
     "el punto 2 no es un número finito"},
    {"OpusDirectorioFuera", [] { return Patched(Opus().Write(), 20, 0x10000000); },
     "el directorio de bloques OPUS (268435456 bloques"},
    {"OpusBloqueFuera", [] { return Patched(Opus().Write(), 24 + 12 + 8, 0xFFFFFF00); },
     "el bloque AB (8 bytes desde el byte 4294967040)"},
    {"OpusPuntosDeMas", [] { return Opus(0x100F, AbParameters(1 << 30)).Write(); },
     "dice que hay 1073741824 puntos, pero el bloque AB tiene sitio para 2"},
    {"OpusSinNpt", [] { return Opus(0x100F, "END" + std::string(5, '\0')).Write(); },
     "no da el número de puntos (NPT)"},
    {"OpusFormatoDesconocido", [] { return Opus(0x100F, AbParameters(2, 7)).Write(); }, "(DPF=7)"},
    {"OpusParametroFueraDelBloque",
     [] { return Opus(0x100F, OpusNumber("FXV", 1.0).substr(0, 12)).Write(); },
     "el parámetro FXV del bloque de parámetros de AB acaba fuera del bloque"},
    {"OpusSinEspectro", [] { return Opus(0x0C0F).Write(); }, "ningún espectro"},
};

class BinaryTable : public testing::TestWithParam<BinaryCase> {};

TEST_P(BinaryTable, ReadsOrNamesTheFault) {
    const BinaryCase& c = GetParam();
    ScratchDir scratch("binary");
    const std::string path = InputFile(scratch, c.file());
    const auto result = ReadMeasuredSpectrum(path);
    if (!ExpectSuccess(result, path, c.message ? ReadFailure::Content : ReadFailure::None,
                       c.message ? c.message : "", 0)) {
        return;
    }
    const MeasuredSpectrum& spectrum = result.Value();
    ASSERT_EQ(spectrum.x.size(), 2u);
    EXPECT_EQ((std::array{spectrum.x[0], spectrum.y[0], spectrum.x[1], spectrum.y[1]}), c.points);
    EXPECT_EQ(spectrum.header.yKind, c.yKind);
    EXPECT_EQ(spectrum.firstOfSeveral, c.several);
}

INSTANTIATE_TEST_SUITE_P(Casos, BinaryTable, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Real files against the text another program wrote of them: their first, a
// middle and their last point.
struct RealFile {
    const char* file;
    std::size_t middle;
    std::array<double, 6> points;
    XUnit xKind;
    std::size_t count;
};

TEST(BinarySpectrum, RealFilesReadAsTheirExports) {
    const RealFile kFiles[] = {
        {"spc/s_evenx.spc",
         99,
         {447.484069824, 0.00805061962456, 638.436304863, -0.00474412739277, 4002.28173828,
          0.00585465785116},
         XUnit::Wavenumber,
         1844},
        {"spc/KRY3.SPC", 99, {15590.0, 10.0, 15580.1, 23.0, 15575.0, 8.0}, XUnit::Wavenumber, 151},
        {"spc/CAthickyellow_try4_18.spc",
         99,
         {819.255554199, 2904.0, 801.026794434, 4025.0, 629.461425781, 2337.0},
         XUnit::Nanometre,
         1024},
        {"spc/m_ordz.spc",
         99,
         {698.229736328, 0.0221936702728, 1080.13438002, 0.18047709018, 4000.35473633,
          0.150000602007},
         XUnit::Wavenumber,
         857},
        {"opus/issue81_A1.1.0",
         1000,
         {3996.5766162383, 0.04314774274826, 2067.7268979766, -0.01180396322161, 399.27189168018,
          0.16630131006241},
         XUnit::Wavenumber,
         1866},
    };
    for (const RealFile& real : kFiles) {
        const auto result = ReadMeasuredSpectrum(std::string(TRAZEL_TEST_DATA) + "/" + real.file);
        ASSERT_TRUE(result.Ok()) << result.Message();
        const MeasuredSpectrum& s = result.Value();
        ASSERT_EQ(s.x.size(), real.count) << real.file;
        const std::size_t at[] = {0, real.middle, real.count - 1};
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(s.x[at[i]], real.points[2 * i], 1e-8 * real.points[2 * i]) << real.file;
            EXPECT_NEAR(s.y[at[i]], real.points[2 * i + 1], 1e-9 * std::abs(real.points[2 * i + 1]))
                << real.file;
        }
        EXPECT_EQ(s.header.xKind, real.xKind) << real.file;
    }
}

// Every reader numbers and names the spectra of a file of several alike:
// each is read by its number, listed by its name, and one past the last is
// refused with the count.
TEST(SeveralSpectra, EachReaderGivesTheOneChosen) {
    ScratchDir scratch("several");
    for (const ThreeSpectra& file : ThreeSpectraFiles()) {
        SCOPED_TRACE(file.kind);
        const std::string path = InputFile(scratch, file.bytes);
        const auto list = ListMeasuredSpectra(path);
        ASSERT_TRUE(list.Ok()) << list.Message();
        ASSERT_EQ(list.Value().size(), 3u);
        for (int s = 0; s < 3; ++s) {
            EXPECT_EQ(list.Value()[static_cast<std::size_t>(s)].name, file.names[s]);
            const auto named = SpectrumNamed(path, list.Value(), file.names[s]);
            ASSERT_TRUE(named.Ok()) << named.Message();
            const auto read = ReadMeasuredSpectrum(path, {.spectrum = named.Value()});
            ASSERT_TRUE(read.Ok()) << read.Message();
            EXPECT_EQ(read.Value().spectra, 3);
            EXPECT_EQ(read.Value().y, (std::vector<double>{1.5 + s, -2.0 + s}));
        }
        const auto past = ReadMeasuredSpectrum(path, {.spectrum = 3});
        EXPECT_EQ(past.Failure(), ReadFailure::NoSuchSpectrum);
        EXPECT_NE(past.Message().find("el espectro 4 y el archivo tiene 3"), std::string::npos)
            << past.Message();
        EXPECT_EQ(SpectrumNamed(path, list.Value(), "otro").Failure(), ReadFailure::NoSuchSpectrum);
    }
}

// Real files of several spectra: the last subfile of an SPC file of the
// older layout, as the text another program wrote of it, and each block of
// a JCAMP-DX file of linked blocks, listed by title and read by number.
TEST(SeveralSpectra, RealFilesGiveEachOfTheirSpectra) {
    const auto read =
        ReadMeasuredSpectrum(std::string(TRAZEL_TEST_DATA) + "/spc/m_ordz.spc", {.spectrum = 9});
    ASSERT_TRUE(read.Ok()) << read.Message();
    EXPECT_EQ(read.Value().spectra, 10);
    EXPECT_NEAR(read.Value().y.front(), 0.0238775536418, 1e-12);
    EXPECT_NEAR(read.Value().y.back(), 0.00049021653831, 1e-12);
    const auto list = ListMeasuredSpectra(JcampFile("compound.jdx"));
    ASSERT_TRUE(list.Ok()) << list.Message();
    ASSERT_EQ(list.Value().size(), 5u);
    const std::size_t points[] = {1976, 1976, 3951, 1976, 3951};
    for (std::size_t b = 0; b < 5; ++b) {
        EXPECT_EQ(list.Value()[b].points, points[b]);
    }
    EXPECT_EQ(list.Value()[3].name, "trans-[Rh(py)4Cl2]Cl.5H2O");
}

}  // namespace
