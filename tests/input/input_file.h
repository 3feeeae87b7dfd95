#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "input/read_result.h"
#include "tests/support/scratch_dir.h"

// The file a table row reads: its text written to a scratch file, or one of
// the kinds of path that are no text file at all.
inline constexpr char kDirectory[] = "<carpeta>";
inline constexpr char kMissing[] = "<no existe>";
inline constexpr char kLinkLoop[] = "<bucle de enlaces>";
inline constexpr char kTooLong[] = "<nombre demasiado largo>";

inline std::string InputFile(const ScratchDir& scratch, const std::string& text) {
    if (text == kDirectory) {
        return scratch.Path().string();
    }
    if (text == kLinkLoop) {
        std::filesystem::create_symlink("bucle", scratch.Path() / "bucle");
        return scratch.File("bucle");
    }
    if (text == kTooLong) {
        return scratch.File(std::string(300, 'n'));
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

// Whether a table row expects the read to succeed; when it expects a refusal,
// checks that the message names the file and holds the row's words, and that
// the bad line is the row's.
template <class T>
bool ExpectSuccess(const trazel::input::ReadResult<T>& result, const std::string& path,
                   trazel::input::ReadFailure failure, const std::string& message, long line) {
    EXPECT_EQ(result.Failure(), failure) << result.Message();
    if (failure == trazel::input::ReadFailure::None) {
        return result.Ok();
    }
    EXPECT_NE(result.Message().find(message), std::string::npos) << result.Message();
    EXPECT_NE(result.Message().find(path), std::string::npos) << result.Message();
    EXPECT_EQ(result.BadLine(), line);
    return false;
}
