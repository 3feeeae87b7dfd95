#include "fit/column_products.h"

#include <algorithm>
#include <cstring>

namespace trazel::fit {

namespace {

// Four doubles side by side: one lane for each of ColumnDot's running sums.
// The compiler's vector type does each lane's arithmetic as the scalar code
// would, whatever instructions the processor has (two SSE registers or one
// AVX one), and the build never fuses a multiply with an add, so every
// version of the code below gives the same bits.
using Lanes = double __attribute__((vector_size(32)));

// Columns of a tile: each value loaded feeds this many products. Three rows
// by four columns keep twelve sums, three rows and the column being read in
// the sixteen AVX registers.
constexpr int kRows = 3;
constexpr int kColumns = 4;
// Points taken at a time: the columns over them (2 KB each) stay in the
// second-level cache while every pair of them is multiplied, also for the
// few hundred columns of 60 bands with a baseline.
constexpr std::size_t kChunk = 256;

// Through a reference: a vector returned by value would change the calling
// convention between the versions.
[[gnu::always_inline]] inline void Load(Lanes& v, const double* values) {
    std::memcpy(&v, values, sizeof v);
}

// Adds the products of R columns by C columns over quads sets of four
// points from first to their running sums: sums[(r * m + c) * 4 + lane]
// for left[r] and right[c], which start from 0 when first is 0.
template <int R, int C>
[[gnu::always_inline]] inline void Tile(const double* const* left, const double* const* right,
                                        std::size_t first, std::size_t quads, double* sums,
                                        std::size_t m) {
    Lanes s[R][C];
#pragma GCC unroll 4
    for (int r = 0; r < R; ++r) {
#pragma GCC unroll 4
        for (int c = 0; c < C; ++c) {
            s[r][c] = Lanes{};
            if (first != 0) {
                Load(s[r][c],
                     sums + (static_cast<std::size_t>(r) * m + static_cast<std::size_t>(c)) * 4);
            }
        }
    }
    for (std::size_t q = 0; q < quads; ++q) {
        const std::size_t k = first + 4 * q;
        Lanes l[R];
#pragma GCC unroll 4
        for (int r = 0; r < R; ++r) {
            Load(l[r], left[r] + k);
        }
#pragma GCC unroll 4
        for (int c = 0; c < C; ++c) {
            Lanes x;
            Load(x, right[c] + k);
#pragma GCC unroll 4
            for (int r = 0; r < R; ++r) {
                s[r][c] += l[r] * x;
            }
        }
    }
#pragma GCC unroll 4
    for (int r = 0; r < R; ++r) {
#pragma GCC unroll 4
        for (int c = 0; c < C; ++c) {
            std::memcpy(sums + (static_cast<std::size_t>(r) * m + static_cast<std::size_t>(c)) * 4,
                        &s[r][c], sizeof s[r][c]);
        }
    }
}

// A row of tiles: R columns from row against every column from row on.
template <int R>
[[gnu::always_inline]] inline void TileRow(const double* const* columns, std::size_t m,
                                           std::size_t row, std::size_t first, std::size_t quads,
                                           double* sums) {
    std::size_t column = row;
    double* rowSums = sums + row * m * 4;
    for (; column + kColumns <= m; column += kColumns) {
        Tile<R, kColumns>(columns + row, columns + column, first, quads, rowSums + column * 4, m);
    }
    switch (m - column) {
        case 3:
            Tile<R, 3>(columns + row, columns + column, first, quads, rowSums + column * 4, m);
            break;
        case 2:
            Tile<R, 2>(columns + row, columns + column, first, quads, rowSums + column * 4, m);
            break;
        case 1:
            Tile<R, 1>(columns + row, columns + column, first, quads, rowSums + column * 4, m);
            break;
        default:
            break;
    }
}

}  // namespace

double ColumnDot(const double* a, const double* b, std::size_t n) {
    double sums[4] = {0.0, 0.0, 0.0, 0.0};
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        for (std::size_t j = 0; j < 4; ++j) {
            sums[j] += a[i + j] * b[i + j];
        }
    }
    for (; i < n; ++i) {
        sums[0] += a[i] * b[i];
    }
    return (sums[0] + sums[1]) + (sums[2] + sums[3]);
}

// In versions for AVX2 and AVX-512 where the processor has them (see
// band_model.cpp): the same arithmetic in wider registers.
#if defined(__x86_64__) && !defined(__SANITIZE_THREAD__) && !defined(TRAZEL_NO_VECTOR_VERSIONS)
[[gnu::target_clones("avx512f", "avx2", "default")]]
#endif
void ColumnProducts(std::span<const double* const> columns, std::size_t n,
                    std::span<double> products, std::vector<double>& lanes) {
    const std::size_t m = columns.size();
    // Every sum a tile reads was written by the same tile over the chunk
    // before, or starts from 0; those of fewer than four points start here.
    lanes.resize(m * m * 4);
    if (n < 4) {
        std::fill(lanes.begin(), lanes.end(), 0.0);
    }
    const double* const* c = columns.data();
    const std::size_t quads = n / 4;
    for (std::size_t chunk = 0; chunk < quads; chunk += kChunk / 4) {
        const std::size_t count = std::min(kChunk / 4, quads - chunk);
        std::size_t row = 0;
        for (; row + kRows <= m; row += kRows) {
            TileRow<kRows>(c, m, row, 4 * chunk, count, lanes.data());
        }
        if (m - row == 2) {
            TileRow<2>(c, m, row, 4 * chunk, count, lanes.data());
        } else if (m - row == 1) {
            TileRow<1>(c, m, row, 4 * chunk, count, lanes.data());
        }
    }
    for (std::size_t a = 0; a < m; ++a) {
        for (std::size_t b = a; b < m; ++b) {
            double* s = lanes.data() + (a * m + b) * 4;
            for (std::size_t i = 4 * quads; i < n; ++i) {
                s[0] += c[a][i] * c[b][i];
            }
            products[a * m + b] = (s[0] + s[1]) + (s[2] + s[3]);
        }
    }
}

}  // namespace trazel::fit
