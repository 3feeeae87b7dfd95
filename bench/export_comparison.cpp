#include "bench/export_comparison.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "bench/bench_table.h"
#include "bench/straightforward_export.h"
#include "model/line_shapes.h"
#include "output/data_export.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace {

constexpr int kResolution = 999999;  // a million lines over 0..1000
constexpr double kMemoryLimitMb = 60.0;

struct Target {
    std::int32_t shape;
    const char* name;
    double ratio;
};
constexpr Target kTargets[] = {{Gaussian, "Gaussian", 0.35}, {Lorentzian, "Lorentzian", 0.25}};

// With the decimal point, so that the plain loop has no commas to put in,
// which would only slow it down.
ExportSettings MillionLines(std::int32_t shape) {
    ExportSettings settings;
    settings.curve.xMin = 0.0;
    settings.curve.xMax = 1000.0;
    settings.curve.lineShape = shape;
    settings.resolution = kResolution;
    settings.decimalComma = false;
    return settings;
}

double Seconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The peak resident memory of a child process that runs one export, in MB.
// The child starts as a copy of this process, so what this process holds
// counts too: run before anything big is held.
double ExportPeakMemoryMb(const std::string& path, const PeakTable& table, int resolution) {
    const pid_t child = ::fork();
    if (child == 0) {
        ExportSettings settings = MillionLines(Gaussian);
        settings.resolution = resolution;
        ::_exit(ExportToFile(path, table, settings).ok() ? 0 : 1);
    }
    if (child < 0) {
        return -1.0;
    }
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1.0;
    }
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace

bool CompareExports(int rounds) {
    // The plain loop formats with printf, which follows the C library's locale.
    std::setlocale(LC_ALL, "C");
    const PeakTable table = FullTable();
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("trazel-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string plainPath = (dir / "plain.txt").string();
    const std::string fastPath = (dir / "trazel.txt").string();

    const double shortMb = ExportPeakMemoryMb(fastPath, table, 999);
    const double longMb = ExportPeakMemoryMb(fastPath, table, kResolution);
    std::printf(
        "Peak memory of an export: 1,000 lines %.1f MB, 1,000,000 lines %.1f MB "
        "(limit %.0f MB)%s\n\n",
        shortMb, longMb, kMemoryLimitMb,
        longMb >= 0.0 && longMb < kMemoryLimitMb ? "" : "  OVER THE LIMIT");

    std::printf("Export of 1,000,000 lines of 99 peaks, %d rounds side by side\n", rounds);
    std::printf("%-11s %18s %18s %8s %8s\n", "shape", "straightforward s", "trazel s", "ratio",
                "target");
    bool identical = true;
    for (const Target& target : kTargets) {
        const ExportSettings settings = MillionLines(target.shape);
        std::vector<double> plain;
        std::vector<double> fast;
        for (int round = 0; round < rounds; ++round) {
            const auto runPlain = [&] {
                plain.push_back(
                    Seconds([&] { StraightforwardExport(plainPath, table, settings); }));
            };
            const auto runFast = [&] {
                fast.push_back(Seconds([&] {
                    [[maybe_unused]] const Status s = ExportToFile(fastPath, table, settings);
                }));
            };
            // Each goes first in turn, so that neither always meets a warm or
            // a cold machine.
            if (round % 2 == 0) {
                runPlain();
                runFast();
            } else {
                runFast();
                runPlain();
            }
            const std::string expected = Contents(plainPath);
            if (expected.size() < 1000000 || Contents(fastPath) != expected) {
                identical = false;
                std::printf("%s: the files differ (%s, %s)\n", target.name, plainPath.c_str(),
                            fastPath.c_str());
            }
        }
        const double bestPlain = *std::min_element(plain.begin(), plain.end());
        const double bestFast = *std::min_element(fast.begin(), fast.end());
        const double ratio = bestFast / bestPlain;
        std::printf("%-11s %10.3f (%.3f) %10.3f (%.3f) %8.3f %8.2f%s\n", target.name, bestPlain,
                    Median(plain), bestFast, Median(fast), ratio, target.ratio,
                    ratio <= target.ratio ? "" : "  OVER THE TARGET");
    }
    std::printf("(best of the rounds, median in brackets; ratio of the bests)\n");
    std::printf("Files identical byte for byte: %s\n\n", identical ? "yes" : "NO");
    if (identical) {
        std::filesystem::remove_all(dir);
    }
    return identical;
}
