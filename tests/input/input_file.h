#pragma once

#include <fstream>
#include <string>

#include "tests/support/scratch_dir.h"

// The file a table row reads: its text written to a scratch file, or one of
// the kinds of path that are no text file at all.
inline constexpr char kDirectory[] = "<carpeta>";
inline constexpr char kMissing[] = "<no existe>";

inline std::string InputFile(const ScratchDir& scratch, const std::string& text) {
    if (text == kDirectory) {
        return scratch.Path().string();
    }
    const std::string path = scratch.File("entrada.txt");
    if (text != kMissing) {
        std::ofstream(path, std::ios::binary) << text;
    }
    return path;
}

inline std::string JcampFile(const std::string& name) {
    return std::string(TRAZEL_TEST_DATA) + "/jcamp/" + name;
}
