#include "output/point_index.h"

#include <cmath>

namespace trazel::output {

bool RunsOneWay(std::span<const double> x) {
    const std::size_t n = x.size();
    if (n == 0 || !std::isfinite(x[0]) || !std::isfinite(x[n - 1])) {
        return false;
    }
    const bool rising = x[0] <= x[n - 1];
    for (std::size_t i = 0; i + 1 < n; ++i) {
        // Written so that a NaN fails it too.
        if (!(rising ? x[i] <= x[i + 1] : x[i] >= x[i + 1])) {
            return false;
        }
    }
    return true;
}

PointIndex::PointIndex(std::span<const double> x, std::span<const double> y)
    : x_(x.data()), y_(y.data()), size_(x.size() == y.size() ? x.size() : 0) {
    monotone_ = size_ == x.size() && RunsOneWay(x);
    blocks_.resize(size_ / kBlock);
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        Block& block = blocks_[b];
        const double* values = y.data() + b * kBlock;
        for (std::size_t k = 0; k < kBlock; ++k) {
            block.allFinite = block.allFinite && std::isfinite(values[k]);
            if (values[k] < values[block.lowest]) {
                block.lowest = static_cast<std::uint8_t>(k);
            }
            if (values[k] > values[block.highest]) {
                block.highest = static_cast<std::uint8_t>(k);
            }
        }
    }
}

std::size_t PointIndex::FirstNonFinite(std::span<const double> y, std::size_t from,
                                       std::size_t to) const {
    std::size_t j = from;
    while (j < to) {
        if (j % kBlock == 0 && j + kBlock <= to && blocks_[j / kBlock].allFinite) {
            j += kBlock;
        } else if (!std::isfinite(y[j])) {
            return j;
        } else {
            ++j;
        }
    }
    return to;
}

std::pair<std::size_t, std::size_t> PointIndex::Extremes(std::span<const double> y,
                                                         std::size_t from, std::size_t to) const {
    // Strictly lower or higher only, in the points' order, so that of equal
    // values the first one stays, as in a reading of every point.
    std::size_t low = from;
    std::size_t high = from;
    std::size_t j = from + 1;
    while (j < to) {
        if (j % kBlock == 0 && j + kBlock <= to) {
            const Block& block = blocks_[j / kBlock];
            if (y[j + block.lowest] < y[low]) {
                low = j + block.lowest;
            }
            if (y[j + block.highest] > y[high]) {
                high = j + block.highest;
            }
            j += kBlock;
            continue;
        }
        if (y[j] < y[low]) {
            low = j;
        }
        if (y[j] > y[high]) {
            high = j;
        }
        ++j;
    }
    return {low, high};
}

}  // namespace trazel::output
