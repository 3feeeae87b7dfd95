#include "bench/measured_load.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "input/measured_spectrum.h"

using namespace trazel::input;

namespace {

constexpr int kLines = 1000000;
constexpr double kTimeLimitS = 0.5;
constexpr double kMemoryLimitMb = 64.0;

// The export's form: a header "x y", then "x y" lines with a decimal comma
// and CR LF, 14 significant digits.
void WriteMillionLines(const std::string& path) {
    std::ofstream file(path, std::ios::binary);
    std::string block = "x y\r\n";
    char number[64];
    auto put = [&](double value) {
        const auto end =
            std::to_chars(number, number + sizeof number, value, std::chars_format::general, 14)
                .ptr;
        std::replace(number, end, '.', ',');
        block.append(number, end);
    };
    for (int i = 0; i < kLines; ++i) {
        const double x = 400.0 + 3600.0 * i / kLines;
        put(x);
        block += ' ';
        put(std::exp(-(x - 2000.0) * (x - 2000.0) / 2e5) + 1e-3 * std::sin(x));
        block += "\r\n";
        if (block.size() > (1 << 20)) {
            file << block;
            block.clear();
        }
    }
    file << block;
}

// The peak resident memory, in MB, of a child process of this one that does
// work (nothing when load is false): the difference between the two is what
// the load takes.
double ChildPeakMb(const std::string& path, bool load) {
    const pid_t child = ::fork();
    if (child == 0) {
        bool ok = true;
        if (load) {
            const auto result = trazel::input::ReadMeasuredSpectrum(path);
            ok = result.Ok() && result.Value().x.size() == static_cast<std::size_t>(kLines);
        }
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1.0;
    }
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace

bool MeasureMeasuredLoad(int rounds) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("trazel-bench-load-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "medido.txt").string();
    WriteMillionLines(path);

    const double idleMb = ChildPeakMb(path, false);
    const double loadMb = ChildPeakMb(path, true);
    const double usedMb = loadMb - idleMb;

    std::vector<double> seconds;
    bool ok = loadMb >= 0.0;
    for (int round = 0; round < rounds && ok; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const auto result = trazel::input::ReadMeasuredSpectrum(path);
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        ok = result.Ok() && result.Value().x.size() == static_cast<std::size_t>(kLines);
    }
    std::filesystem::remove_all(dir);
    if (!ok) {
        std::printf("Loading a 1,000,000-line measured spectrum FAILED\n\n");
        return false;
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf(
        "Load of a 1,000,000-line measured spectrum, %d rounds: median %.3f s (%.3f to %.3f s, "
        "limit %.1f s)%s\n",
        rounds, median, seconds.front(), seconds.back(), kTimeLimitS,
        median < kTimeLimitS ? "" : "  OVER THE LIMIT");
    std::printf("Memory for it: %.1f MB above a process that loads nothing (limit %.0f MB)%s\n\n",
                usedMb, kMemoryLimitMb, usedMb < kMemoryLimitMb ? "" : "  OVER THE LIMIT");
    return true;
}
