#include "model/table_edits.h"

#include <algorithm>

namespace trazel::model {

namespace {

Peak Typed(double position, double intensity, double width, double scale) {
    return Peak{.position = position,
                .scale = scale,
                .scaledPosition = scale * position,
                .intensity = intensity,
                .width = width,
                .separate = 0};
}

}  // namespace

bool AddPeak(PeakTable& table, double position, double intensity, double width, double scale) {
    if (table.IsFull()) {
        return false;
    }
    table.bands.push_back(Typed(position, intensity, width, scale));
    return true;
}

bool AddBands(PeakTable& table, const std::vector<Peak>& bands) {
    if (bands.size() > static_cast<std::size_t>(kMaxPeaks - table.PeakCount())) {
        return false;
    }
    for (const Peak& band : bands) {
        Peak added = band;
        added.scaledPosition = band.scale * band.position;
        table.bands.push_back(added);
    }
    return true;
}

Renumbering ClearPeaks(PeakTable& table) {
    const int before = table.PeakCount();
    table.bands.clear();
    return before > 0 ? Renumbering(static_cast<std::size_t>(before) + 1, 0) : Renumbering{};
}

Renumbering DeleteRows(PeakTable& table, const std::vector<int>& rows) {
    if (rows.empty()) {
        return {};
    }
    const int n = table.PeakCount();
    Renumbering renumbered(static_cast<std::size_t>(n) + 1, 1);
    int removed = 0;
    for (const int row : rows) {
        const int number = IndexFromRow(table, row);
        if (number < 1 || number > n || renumbered[static_cast<std::size_t>(number)] == 0) {
            continue;
        }
        renumbered[static_cast<std::size_t>(number)] = 0;
        ++removed;
    }
    if (removed == 0) {
        return {};
    }
    std::vector<Peak> kept;
    kept.reserve(static_cast<std::size_t>(n - removed));
    int next = 1;
    for (int k = 1; k <= n; ++k) {
        auto& slot = renumbered[static_cast<std::size_t>(k)];
        if (slot != 0) {
            kept.push_back(table.Band(k));
            slot = next++;
        }
    }
    table.bands = std::move(kept);
    return renumbered;
}

bool ReplacePeak(PeakTable& table, int index, double position, double intensity, double width,
                 std::int32_t separate, double scale) {
    if (index < 1 || index > table.PeakCount()) {
        return false;
    }
    Peak& band = table.Band(index);
    // The band keeps its shape: the values are what is replaced.
    const BandShape shape = band.shape;
    const double share = band.share;
    band = Typed(position, intensity, width, scale);
    band.separate = separate;
    band.shape = shape;
    band.share = share;
    return true;
}

bool SetBandShape(PeakTable& table, int index, BandShape shape, double share) {
    if (index < 1 || index > table.PeakCount()) {
        return false;
    }
    Peak& band = table.Band(index);
    band.shape = shape;
    band.share = IsMixed(shape) ? std::clamp(share, 0.0, 1.0) : 0.0;
    return true;
}

namespace {

// Runs change on the band of every row given, or of every band when none is.
template <typename Change>
void ForRowsOrAll(PeakTable& table, const std::vector<int>& rows, Change change) {
    if (rows.empty()) {
        for (Peak& band : table.bands) {
            change(band);
        }
        return;
    }
    for (const int row : rows) {
        const int number = IndexFromRow(table, row);
        if (number >= 1 && number <= table.PeakCount()) {
            change(table.Band(number));
        }
    }
}

}  // namespace

void AssignWidth(PeakTable& table, double width, const std::vector<int>& rows) {
    ForRowsOrAll(table, rows, [width](Peak& band) { band.width = width; });
}

void AssignScale(PeakTable& table, double scale, const std::vector<int>& rows) {
    ForRowsOrAll(table, rows, [scale](Peak& band) {
        band.scale = scale;
        band.scaledPosition = band.position * band.scale;
    });
}

void ToggleSeparate(PeakTable& table, const std::vector<int>& rows) {
    for (const int row : rows) {
        const int number = IndexFromRow(table, row);
        if (number >= 1 && number <= table.PeakCount()) {
            Peak& band = table.Band(number);
            band.separate = band.separate == 0 ? 1 : 0;
        }
    }
}

}  // namespace trazel::model
