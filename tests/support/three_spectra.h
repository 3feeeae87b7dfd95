#pragma once

// A file of each kind that holds several spectra, with three of them: the
// spectrum s (from 0) is the points (10, 1.5 + s) and (20, -2 + s) in every
// kind, so that a test can tell which one was read by its numbers alone.
#include <array>
#include <string>

#include "tests/support/binary_spectra.h"

struct ThreeSpectra {
    const char* kind;
    std::string bytes;
    // The names the file gives the three, in order.
    std::array<const char*, 3> names;
};

inline std::string OpusTwoPoints(int s) {
    return ByteWriter().Add(static_cast<float>(1.5 + s)).Add(static_cast<float>(-2.0 + s)).bytes;
}

inline std::string OpusPointsParameters() {
    return OpusNumber("DPF", std::int32_t{1}) + OpusNumber("NPT", std::int32_t{2}) +
           OpusNumber("FXV", 10.0) + OpusNumber("LXV", 20.0) + OpusParameter("DXU", 3, "WN") +
           "END" + std::string(5, '\0');
}

inline std::array<ThreeSpectra, 4> ThreeSpectraFiles() {
    OpusFile opus;
    int s = 0;
    // Absorbance, then the sample's and the reference's single channels:
    // the order in which they are offered.
    for (const std::uint32_t type : {0x100Fu, 0x0407u, 0x040Bu}) {
        opus.blocks.push_back({type, OpusTwoPoints(s++)});
        opus.blocks.push_back({type | 0x10, OpusPointsParameters()});
    }
    std::string jcamp = "##TITLE= serie\n##JCAMP-DX= 5.01\n##DATA TYPE= LINK\n##BLOCKS= 3\n";
    const char* titles[] = {"uno", "dos", "tres"};
    for (int b = 0; b < 3; ++b) {
        jcamp += std::string("##TITLE= ") + titles[b] +
                 "\n##JCAMP-DX= 5.01\n##DATA TYPE= UV/VIS SPECTRUM\n##XUNITS= NANOMETERS\n"
                 "##YUNITS= ABSORBANCE\n##XYPOINTS= (XY..XY)\n10, " +
                 std::to_string(1.5 + b) + "\n20, " + std::to_string(-2.0 + b) + "\n##END=\n";
    }
    jcamp += "##END=\n";
    return {{
        {"spc", SpcFile{.flags = 0x04, .subfiles = 3}.Write(), {"z=1", "z=1.5", "z=2"}},
        {"opus", opus.Write(), {"AB", "ScSm", "ScRf"}},
        {"jcamp", jcamp, {"uno", "dos", "tres"}},
        {"text", "x\tuno\tdos\ttres\n10\t1.5\t2.5\t3.5\n20\t-2\t-1\t0\n", {"uno", "dos", "tres"}},
    }};
}
