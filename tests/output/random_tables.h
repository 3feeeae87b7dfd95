#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "model/peak_table.h"

// Peak tables drawn at random for comparing fast paths with the plain
// functions. Besides ordinary bands they hold, at the given rate, the values a
// damaged or hand-made document can bring: zeros of both signs, negative
// numbers, infinities, not-a-numbers with either sign and other payloads,
// huge and tiny magnitudes.
class RandomTables {
  public:
    explicit RandomTables(std::uint64_t seed) : random_(seed) {}

    double Uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random_);
    }
    int Below(int n) { return static_cast<int>(random_() % static_cast<std::uint64_t>(n)); }

    double Odd() {
        constexpr double kInf = std::numeric_limits<double>::infinity();
        switch (Below(11)) {
            case 0:
                return 0.0;
            case 1:
                return -0.0;
            case 2:
                return kInf;
            case 3:
                return -kInf;
            case 4:
                return std::bit_cast<double>(std::uint64_t{0x7ff8000000000000});
            case 5:
                return std::bit_cast<double>(std::uint64_t{0xfff8000000000000});
            case 6:
                return std::bit_cast<double>(std::uint64_t{0x7ff80000deadbeef});
            case 7:
                return 1e300;
            case 8:
                return -1e-300;
            case 9:
                return 5e-324;
            default:
                return -Uniform(0.0, 10.0);
        }
    }

    // A value in low..high, or at the given rate an odd one.
    double Value(double low, double high, double oddRate) {
        return Uniform(0.0, 1.0) < oddRate ? Odd() : Uniform(low, high);
    }

    // Up to 99 bands over xMin..xMax (and a little beyond), widths from a
    // hundredth to a fifth of the range.
    trazel::model::PeakTable Table(double xMin, double xMax, double oddRate) {
        trazel::model::PeakTable table;
        table.bands.resize(static_cast<std::size_t>(Below(100)));
        const double range = xMax - xMin;
        for (int k = 1; k <= table.PeakCount(); ++k) {
            table.Band(k).position = Value(xMin - 0.1 * range, xMax + 0.1 * range, oddRate);
            table.Band(k).scale = Uniform(0.0, 1.0) < 0.5 ? 1.0 : Value(0.9, 1.1, oddRate);
            table.Band(k).scaledPosition = table.Band(k).position * table.Band(k).scale;
            table.Band(k).width = Value(0.01 * range, 0.2 * range, oddRate);
            table.Band(k).intensity = Value(-1.0, 4.0, oddRate);
        }
        return table;
    }

  private:
    std::mt19937_64 random_;
};
