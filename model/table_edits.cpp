#include "model/table_edits.h"

#include <algorithm>

namespace trazel::model {

bool AddPeak(PeakTable& table, double position, double intensity, double width, double scale) {
    if (table.count >= kMaxPeakSlots) {
        return false;
    }
    const int i = table.count;
    table.width[i] = width;
    table.position[i] = position;
    table.scale[i] = scale;
    table.scaledPosition[i] = scale * position;
    table.intensity[i] = intensity;
    table.separate[i] = 0;
    ++table.count;
    return true;
}

bool AddBands(PeakTable& table, const std::vector<Peak>& bands) {
    if (bands.size() > static_cast<std::size_t>(kMaxPeakSlots - table.count)) {
        return false;
    }
    for (const Peak& band : bands) {
        const int i = table.count++;
        table.width[i] = band.width;
        table.position[i] = band.position;
        table.scale[i] = band.scale;
        table.scaledPosition[i] = band.scale * band.position;
        table.intensity[i] = band.intensity;
        table.separate[i] = band.separate;
    }
    return true;
}

Renumbering ClearPeaks(PeakTable& table) {
    const int before = table.count;
    table.count = 1;
    return before > 1 ? Renumbering(static_cast<std::size_t>(before), 0) : Renumbering{};
}

Renumbering DeleteRows(PeakTable& table, const std::vector<int>& rows) {
    if (rows.empty()) {
        return {};
    }
    // Rows visited top to bottom name indices from the highest down, so each
    // removal shifts only peaks above it and every index computed from the
    // original count still names the peak it named at the start.
    const int n = table.count;
    int removed = 0;
    Renumbering renumbered(static_cast<std::size_t>(std::max(n, 1)), 1);
    for (const int row : rows) {
        const int i = n - 1 - row;
        if (i < 1 || i >= n || renumbered[static_cast<std::size_t>(i)] == 0) {
            continue;
        }
        renumbered[static_cast<std::size_t>(i)] = 0;
        for (int j = i; j <= n - 2; ++j) {
            table.width[j] = table.width[j + 1];
            table.position[j] = table.position[j + 1];
            table.scale[j] = table.scale[j + 1];
            table.scaledPosition[j] = table.scaledPosition[j + 1];
            table.intensity[j] = table.intensity[j + 1];
            table.separate[j] = table.separate[j + 1];
        }
        ++removed;
    }
    table.count = n - removed;
    if (removed == 0) {
        return {};
    }
    int next = 1;
    for (int k = 1; k < n; ++k) {
        auto& slot = renumbered[static_cast<std::size_t>(k)];
        slot = slot == 0 ? 0 : next++;
    }
    return renumbered;
}

bool ReplacePeak(PeakTable& table, int index, double position, double intensity, double width,
                 std::int32_t separate, double scale) {
    if (index < 1 || index >= table.count) {
        return false;
    }
    table.position[index] = position;
    table.intensity[index] = intensity;
    table.width[index] = width;
    table.separate[index] = separate;
    table.scale[index] = scale;
    table.scaledPosition[index] = table.position[index] * table.scale[index];
    return true;
}

namespace {

// Runs change on the index of every row given, or of every peak when none is.
template <typename Change>
void ForRowsOrAll(const PeakTable& table, const std::vector<int>& rows, Change change) {
    if (rows.empty()) {
        for (int i = 1; i < table.count; ++i) {
            change(i);
        }
        return;
    }
    for (const int row : rows) {
        const int i = IndexFromRow(table, row);
        if (i >= 1 && i < table.count) {
            change(i);
        }
    }
}

}  // namespace

void AssignWidth(PeakTable& table, double width, const std::vector<int>& rows) {
    ForRowsOrAll(table, rows, [&](int i) { table.width[i] = width; });
}

void AssignScale(PeakTable& table, double scale, const std::vector<int>& rows) {
    ForRowsOrAll(table, rows, [&](int i) {
        table.scale[i] = scale;
        table.scaledPosition[i] = table.position[i] * table.scale[i];
    });
}

void ToggleSeparate(PeakTable& table, const std::vector<int>& rows) {
    for (const int row : rows) {
        const int i = IndexFromRow(table, row);
        if (i >= 1 && i < table.count) {
            table.separate[i] = table.separate[i] == 0 ? 1 : 0;
        }
    }
}

}  // namespace trazel::model
