#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "fit/column_products.h"

using namespace trazel::fit;

namespace {

// JᵀJ of the Jacobian of 20 and 60 Lorentzian bands on 100,000 points (3
// columns a band, every one over every point): what the fit computes once an
// iteration, and its floor. Three ways: the fit's own, a block of 2048 points
// at a time through ColumnProducts; the product of each pair of columns by
// itself, one ColumnDot a pair (as the fit did before); and dsyrk of the
// BLAS the loader finds as libblas.so.3 (Debian's reference BLAS unless an
// optimised one is chosen by update-alternatives), or the library named by
// TRAZEL_BENCH_BLAS, e.g. OpenBLAS. The counter gives the multiply-adds
// of the upper triangle, 2 flops each, per second.
constexpr std::size_t kPoints = 100000;
constexpr std::size_t kBlock = 2048;

std::vector<double> Jacobian(std::size_t columns) {
    std::vector<double> j(columns * kPoints);
    for (std::size_t c = 0; c < columns; ++c) {
        const double centre =
            1000.0 * static_cast<double>(c / 3 * 3) / static_cast<double>(columns);
        for (std::size_t i = 0; i < kPoints; ++i) {
            const double u = 0.01 * static_cast<double>(i) - centre;
            j[c * kPoints + i] = 25.0 / (u * u + 25.0) * static_cast<double>(c % 3 + 1);
        }
    }
    return j;
}

using Dsyrk = void (*)(int order, int uplo, int trans, int n, int k, double alpha, const double* a,
                       int lda, double beta, double* c, int ldc);

Dsyrk LoadDsyrk() {
    const char* name = std::getenv("TRAZEL_BENCH_BLAS");
    void* library = dlopen(name != nullptr ? name : "libblas.so.3", RTLD_NOW | RTLD_LOCAL);
    return library != nullptr ? reinterpret_cast<Dsyrk>(dlsym(library, "cblas_dsyrk")) : nullptr;
}

void NormalMatrix(benchmark::State& state) {
    const auto columns = static_cast<std::size_t>(state.range(0));
    const std::vector<double> j = Jacobian(columns);
    std::vector<double> jtj(columns * columns);
    std::vector<double> products(columns * columns);
    std::vector<double> lanes;
    std::vector<const double*> block(columns);
    const Dsyrk dsyrk = state.range(1) == 2 ? LoadDsyrk() : nullptr;
    if (state.range(1) == 2 && dsyrk == nullptr) {
        state.SkipWithError("no cblas_dsyrk in the BLAS");
        return;
    }
    for (auto _ : state) {
        std::fill(jtj.begin(), jtj.end(), 0.0);
        if (state.range(1) == 2) {
            // Row-major, upper, JᵀJ of the points x columns matrix stored by column.
            constexpr int kRowMajor = 101;
            constexpr int kUpper = 121;
            constexpr int kNoTrans = 111;
            dsyrk(kRowMajor, kUpper, kNoTrans, static_cast<int>(columns), static_cast<int>(kPoints),
                  1.0, j.data(), static_cast<int>(kPoints), 0.0, jtj.data(),
                  static_cast<int>(columns));
        }
        for (std::size_t start = 0; start < kPoints && state.range(1) != 2; start += kBlock) {
            const std::size_t n = std::min(kBlock, kPoints - start);
            for (std::size_t c = 0; c < columns; ++c) {
                block[c] = j.data() + c * kPoints + start;
            }
            if (state.range(1) == 0) {
                ColumnProducts(block, n, products, lanes);
            }
            for (std::size_t a = 0; a < columns; ++a) {
                for (std::size_t b = a; b < columns; ++b) {
                    jtj[a * columns + b] += state.range(1) == 0 ? products[a * columns + b]
                                                                : ColumnDot(block[a], block[b], n);
                }
            }
        }
        benchmark::DoNotOptimize(jtj.data());
    }
    const double flops =
        static_cast<double>(columns * (columns + 1)) * static_cast<double>(kPoints);
    state.counters["GFlop/s"] = benchmark::Counter(
        flops * static_cast<double>(state.iterations()) * 1e-9, benchmark::Counter::kIsRate);
}
// 60 and 180 columns: 20 and 60 bands; 0 ColumnProducts, 1 ColumnDot a pair, 2 dsyrk.
BENCHMARK(NormalMatrix)
    ->ArgsProduct({{60, 180}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);

}  // namespace
