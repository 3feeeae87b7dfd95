#include "fit/band_matching.h"

#include <cmath>
#include <cstddef>
#include <limits>

namespace trazel::fit {

namespace {

// The least-cost perfect assignment of a square cost matrix (row-major,
// size n), by shortest augmenting paths with potentials: the column of each
// row.
std::vector<int> Assign(const std::vector<double>& cost, int n) {
    const double inf = std::numeric_limits<double>::infinity();
    // 1-based, column 0 being the row being placed.
    std::vector<double> u(static_cast<std::size_t>(n) + 1, 0.0);
    std::vector<double> v(static_cast<std::size_t>(n) + 1, 0.0);
    std::vector<int> rowOf(static_cast<std::size_t>(n) + 1, 0);
    std::vector<int> way(static_cast<std::size_t>(n) + 1, 0);
    const auto at = [&](int i, int j) {
        return cost[static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(n) +
                    static_cast<std::size_t>(j - 1)];
    };
    for (int i = 1; i <= n; ++i) {
        rowOf[0] = i;
        int j0 = 0;
        std::vector<double> least(static_cast<std::size_t>(n) + 1, inf);
        std::vector<char> used(static_cast<std::size_t>(n) + 1, 0);
        do {
            used[static_cast<std::size_t>(j0)] = 1;
            const int i0 = rowOf[static_cast<std::size_t>(j0)];
            double delta = inf;
            int j1 = 0;
            for (int j = 1; j <= n; ++j) {
                const auto sj = static_cast<std::size_t>(j);
                if (used[sj] != 0) {
                    continue;
                }
                const double reduced = at(i0, j) - u[static_cast<std::size_t>(i0)] - v[sj];
                if (reduced < least[sj]) {
                    least[sj] = reduced;
                    way[sj] = j0;
                }
                if (least[sj] < delta) {
                    delta = least[sj];
                    j1 = j;
                }
            }
            for (int j = 0; j <= n; ++j) {
                const auto sj = static_cast<std::size_t>(j);
                if (used[sj] != 0) {
                    u[static_cast<std::size_t>(rowOf[sj])] += delta;
                    v[sj] -= delta;
                } else {
                    least[sj] -= delta;
                }
            }
            j0 = j1;
        } while (rowOf[static_cast<std::size_t>(j0)] != 0);
        do {
            const int j1 = way[static_cast<std::size_t>(j0)];
            rowOf[static_cast<std::size_t>(j0)] = rowOf[static_cast<std::size_t>(j1)];
            j0 = j1;
        } while (j0 != 0);
    }
    std::vector<int> columnOf(static_cast<std::size_t>(n), -1);
    for (int j = 1; j <= n; ++j) {
        columnOf[static_cast<std::size_t>(rowOf[static_cast<std::size_t>(j)] - 1)] = j - 1;
    }
    return columnOf;
}

}  // namespace

double MatchingCost(std::span<const double> computed, std::span<const double> measured,
                    const std::vector<int>& measuredOf, double tolerance) {
    const double alone = 0.5 * tolerance * tolerance;
    double cost = 0.0;
    std::size_t paired = 0;
    for (std::size_t i = 0; i < computed.size(); ++i) {
        if (measuredOf[i] < 0) {
            cost += alone;
            continue;
        }
        const double d = computed[i] - measured[static_cast<std::size_t>(measuredOf[i])];
        cost += d * d;
        ++paired;
    }
    return cost + alone * static_cast<double>(measured.size() - paired);
}

BandMatching MatchBands(std::span<const double> computed, std::span<const double> measured,
                        double tolerance) {
    const int n = static_cast<int>(computed.size());
    const int m = static_cast<int>(measured.size());
    const int size = n + m;
    const double alone = 0.5 * tolerance * tolerance;
    // Far above any matching that keeps to the allowed cells, which cost at
    // most alone each, so that the assignment never takes a forbidden one.
    const double forbidden = 4.0 * alone * (size + 1) + 1.0;
    // Rows: the computed bands, then a "left alone" slot per measured band.
    // Columns: the measured bands, then a "left alone" slot per computed band.
    std::vector<double> cost(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0.0);
    const auto cell = [&](int i, int j) -> double& {
        return cost[static_cast<std::size_t>(i) * static_cast<std::size_t>(size) +
                    static_cast<std::size_t>(j)];
    };
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < m; ++j) {
            const double d =
                computed[static_cast<std::size_t>(i)] - measured[static_cast<std::size_t>(j)];
            cell(i, j) = std::abs(d) <= tolerance ? d * d : forbidden;
        }
        for (int j = 0; j < n; ++j) {
            cell(i, m + j) = j == i ? alone : forbidden;
        }
    }
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < m; ++j) {
            cell(n + i, j) = j == i ? alone : forbidden;
        }
        // A slot left alone meets a slot left alone at no cost.
    }
    BandMatching matching;
    matching.measuredOf.assign(static_cast<std::size_t>(n), -1);
    matching.computedOf.assign(static_cast<std::size_t>(m), -1);
    const std::vector<int> columnOf = size > 0 ? Assign(cost, size) : std::vector<int>{};
    for (int i = 0; i < n; ++i) {
        const int j = columnOf[static_cast<std::size_t>(i)];
        if (j < m) {
            matching.measuredOf[static_cast<std::size_t>(i)] = j;
            matching.computedOf[static_cast<std::size_t>(j)] = i;
        }
    }
    matching.cost = MatchingCost(computed, measured, matching.measuredOf, tolerance);
    return matching;
}

}  // namespace trazel::fit
