#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace trazel::output {

// Whether x never turns back and is finite at both ends, so finite everywhere.
bool RunsOneWay(std::span<const double> x);

// What ReducePerColumn learns of a spectrum by reading every point, learnt
// once when the spectrum is read or changed rather than at every wheel notch:
// whether x runs one way, and, for each block of points, where its first
// lowest and first highest y lie and whether every y in it is finite. With
// it, a column that spans thousands of points is reduced from the blocks'
// summaries and a few points at its ends, to exactly the same points.
class PointIndex {
  public:
    PointIndex(std::span<const double> x, std::span<const double> y);

    // Made from these very points (the same storage), so that it can stand
    // for them.
    bool Describes(std::span<const double> x, std::span<const double> y) const {
        return x.data() == x_ && y.data() == y_ && x.size() == size_ && y.size() == size_;
    }
    // x never turns back and is finite at both ends, so finite everywhere.
    bool Monotone() const { return monotone_; }
    // The first index in [from, to) whose y is not finite; to when none.
    std::size_t FirstNonFinite(std::span<const double> y, std::size_t from, std::size_t to) const;
    // The first lowest and first highest y of [from, to), all finite.
    std::pair<std::size_t, std::size_t> Extremes(std::span<const double> y, std::size_t from,
                                                 std::size_t to) const;

  private:
    static constexpr std::size_t kBlock = 64;
    struct Block {
        std::uint8_t lowest = 0;  // offsets in the block
        std::uint8_t highest = 0;
        bool allFinite = true;
    };
    const double* x_;
    const double* y_;
    std::size_t size_;
    bool monotone_ = false;
    std::vector<Block> blocks_;
};

}  // namespace trazel::output
