#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace trazel::model {

inline constexpr int kMaxPeakSlots = 100;

// The bands of one document as parallel arrays. Index 0 is never used, so the
// peaks sit at 1 .. count-1 in the order they were entered and the table holds
// at most 99 of them. Slots at count and above may hold stale values and are
// never read. scaledPosition is kept equal to position * scale by every
// operation that writes either.
struct PeakTable {
    std::array<std::int32_t, kMaxPeakSlots> separate{};
    std::int32_t count = 1;
    std::array<double, kMaxPeakSlots> width{};
    std::array<double, kMaxPeakSlots> position{};
    std::array<double, kMaxPeakSlots> scaledPosition{};
    std::array<double, kMaxPeakSlots> intensity{};
    std::array<double, kMaxPeakSlots> scale{};

    int PeakCount() const { return count - 1; }
    bool IsFull() const { return count >= kMaxPeakSlots; }
};

// The six values of one index, as a unit for callers that move a whole peak.
struct Peak {
    double position = 0.0;
    double scale = 1.0;
    double scaledPosition = 0.0;
    double intensity = 0.0;
    double width = 0.0;
    std::int32_t separate = 0;
};

inline Peak PeakAt(const PeakTable& table, int index) {
    return Peak{table.position[index],  table.scale[index], table.scaledPosition[index],
                table.intensity[index], table.width[index], table.separate[index]};
}

// Whether two tables hold the same peaks, value for value. The bits are
// compared, not the numbers, so that a change from 0 to -0 counts and a NaN
// read from an old file equals itself; the stale slots above count are left
// out.
inline bool SameBands(const PeakTable& a, const PeakTable& b) {
    if (a.count != b.count) {
        return false;
    }
    const auto same = [](const auto& x, const auto& y, int n) {
        return n <= 0 ||
               std::memcmp(x.data(), y.data(), sizeof(x[0]) * static_cast<std::size_t>(n)) == 0;
    };
    const int n = std::max(a.count, 0);
    return same(a.separate, b.separate, n) && same(a.width, b.width, n) &&
           same(a.position, b.position, n) && same(a.scaledPosition, b.scaledPosition, n) &&
           same(a.intensity, b.intensity, n) && same(a.scale, b.scale, n);
}

}  // namespace trazel::model
