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
#include <functional>
#include <string>
#include <vector>

#include "bench/plain_load.h"
#include "input/measured_spectrum.h"

using namespace trazel::input;

namespace {

constexpr double kRatioTarget = 1.3;
constexpr double kMemoryTarget = 1.2;

// The export's form: a header "x y", then "x y" lines with CR LF and 14
// significant digits; a decimal point, which from_chars reads.
void WriteLines(const std::string& path, long lines) {
    std::ofstream file(path, std::ios::binary);
    std::string block = "x y\r\n";
    char number[64];
    auto put = [&](double value) {
        block.append(number, std::to_chars(number, number + sizeof number, value,
                                           std::chars_format::general, 14)
                                 .ptr);
    };
    for (long i = 0; i < lines; ++i) {
        const double x = 400.0 + 3600.0 * static_cast<double>(i) / static_cast<double>(lines);
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

double Seconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The peak resident memory, in MB, of a child process of this one that loads
// path (nothing when load is false): the difference between the two is what
// the load takes.
double ChildPeakMb(const std::string& path, long lines, bool load) {
    const pid_t child = ::fork();
    if (child == 0) {
        bool ok = true;
        if (load) {
            const auto result = ReadMeasuredSpectrum(path);
            ok = result.Ok() && result.Value().x.size() == static_cast<std::size_t>(lines);
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

bool MeasureOne(const std::string& path, long lines, int rounds) {
    WriteLines(path, lines);
    const double pointsMb = 16.0 * static_cast<double>(lines) / (1024.0 * 1024.0);
    const double usedMb = ChildPeakMb(path, lines, true) - ChildPeakMb(path, lines, false);

    std::vector<double> plain;
    std::vector<double> trazel;
    bool same = true;
    for (int round = 0; round < rounds && same; ++round) {
        PlainPoints expected;
        ReadResult<MeasuredSpectrum> result =
            ReadResult<MeasuredSpectrum>::Failed(ReadFailure::Content, "");
        const auto runPlain = [&] {
            plain.push_back(Seconds([&] { expected = PlainLoad(path, lines); }));
        };
        const auto runTrazel = [&] {
            trazel.push_back(Seconds([&] { result = ReadMeasuredSpectrum(path); }));
        };
        // Each goes first in turn, so that neither always meets a warm or a
        // cold machine.
        if (round % 2 == 0) {
            runPlain();
            runTrazel();
        } else {
            runTrazel();
            runPlain();
        }
        same = result.Ok() && expected.x.size() == static_cast<std::size_t>(lines) &&
               result.Value().x == expected.x && result.Value().y == expected.y;
    }
    if (!same) {
        std::printf("%ld lines: the load FAILED or gave other points than the plain loop\n", lines);
        return false;
    }
    const double bestPlain = *std::min_element(plain.begin(), plain.end());
    const double bestTrazel = *std::min_element(trazel.begin(), trazel.end());
    const double ratio = bestTrazel / bestPlain;
    const double memory = usedMb / pointsMb;
    std::printf("%10ld %8.3f (%.3f) %8.3f (%.3f) %6.2f %5.1f %7.1f %7.1f %5.2f%s%s\n", lines,
                bestPlain, Median(plain), bestTrazel, Median(trazel), ratio, kRatioTarget, pointsMb,
                usedMb, memory, ratio <= kRatioTarget ? "" : "  TIME OVER THE TARGET",
                memory <= kMemoryTarget ? "" : "  MEMORY OVER THE TARGET");
    return true;
}

}  // namespace

bool MeasureMeasuredLoad(int rounds, bool tenMillion) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("trazel-bench-load-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "medido.txt").string();
    std::printf("Load of a measured spectrum against a plain from_chars loop, %d rounds\n", rounds);
    std::printf("%10s %17s %17s %6s %5s %7s %7s %5s\n", "lines", "plain s", "trazel s", "ratio",
                "max", "pts MB", "peak MB", "peak/pts");
    bool ok = MeasureOne(path, 1000000, rounds);
    if (ok && tenMillion) {
        ok = MeasureOne(path, 10000000, rounds);
    }
    std::printf(
        "(best of the rounds, median in brackets; peak: resident memory of a load above "
        "a process that loads nothing, against %.1fx the points' bytes)\n\n",
        kMemoryTarget);
    std::filesystem::remove_all(dir);
    return ok;
}
