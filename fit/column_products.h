#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace trazel::fit {

// The sum of a[i] * b[i] over n points in four running sums, the first
// holding the points 0, 4, 8, ..., the second 1, 5, 9, ... (the last n mod 4
// points go to the first, after the rest), added as (s0 + s1) + (s2 + s3).
// Any machine that rounds doubles as IEEE 754 says gets the same bits.
double ColumnDot(const double* a, const double* b, std::size_t n);

// The products of every pair of columns, each of n values: for a <= b,
// products[a * m + b] = ColumnDot(columns[a], columns[b], n), to the bit,
// where m is the number of columns (the lower triangle is left as it was).
// lanes is room for the running sums, resized as needed. The columns are
// taken a few at a time against a few others, over a few hundred points at a
// time, so that each value loaded feeds several products and what is loaded
// stays in the cache.
void ColumnProducts(std::span<const double* const> columns, std::size_t n,
                    std::span<double> products, std::vector<double>& lanes);

}  // namespace trazel::fit
