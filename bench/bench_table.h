#pragma once

#include <vector>

#include "model/peak_table.h"
#include "model/table_edits.h"

// A full document: 99 peaks spread over 0..1000, widths from 5 to 50 and
// intensities from 0.5 to 3, in an order that puts narrow and wide, weak and
// strong bands side by side. With separate set, every peak is flagged for a
// curve of its own.
inline trazel::model::PeakTable FullTable(bool separate = false) {
    trazel::model::PeakTable table;
    for (int i = 0; i < 99; ++i) {
        trazel::model::AddPeak(table, 5.0 + 10.0 * i, 0.5 + 2.5 * ((i * 37) % 99) / 98.0,
                               5.0 + 45.0 * ((i * 41) % 99) / 98.0, 1.0);
    }
    if (separate) {
        std::vector<int> rows;
        for (int row = 0; row < table.PeakCount(); ++row) {
            rows.push_back(row);
        }
        trazel::model::ToggleSeparate(table, rows);
    }
    return table;
}
