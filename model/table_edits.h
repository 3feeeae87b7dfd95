#pragma once

#include <cstdint>
#include <vector>

#include "model/peak_table.h"

namespace trazel::model {

// The changes a user makes to a peak table, one function each. Rows are rows
// of the peak list, which shows the newest peak on top; the selection-driven
// operations take the selected rows in ascending order. The document runs
// them and keeps its own rules (the modified flag, what names bands) around
// them, so that they stay plain operations on values.

// The number (from 1) of the band a row of the list shows.
inline int IndexFromRow(const PeakTable& table, int row) {
    return table.PeakCount() - row;
}

// Where each band went when bands were removed: renumbered[k] is the number
// band k has now, 0 for one gone (k from 1 to the count before; [0] unused).
// Empty when no band moved.
using Renumbering = std::vector<int>;

// False, and no change, on a full table.
bool AddPeak(PeakTable& table, double position, double intensity, double width, double scale);
// Adds the bands in the order given, each as AddPeak adds a typed one but
// with its own scale and separate flag. All or nothing: false, and no change,
// when the table has no room for all of them.
bool AddBands(PeakTable& table, const std::vector<Peak>& bands);
Renumbering ClearPeaks(PeakTable& table);
Renumbering DeleteRows(PeakTable& table, const std::vector<int>& rows);
// False, and no change, for an index outside the table.
bool ReplacePeak(PeakTable& table, int index, double position, double intensity, double width,
                 std::int32_t separate, double scale);
// Gives the band at index its shape and share (held within [0, 1]); false,
// and no change, for an index outside the table.
bool SetBandShape(PeakTable& table, int index, BandShape shape, double share);
// With no row selected these two change every peak.
void AssignWidth(PeakTable& table, double width, const std::vector<int>& rows);
void AssignScale(PeakTable& table, double scale, const std::vector<int>& rows);
// With no row selected no flag changes.
void ToggleSeparate(PeakTable& table, const std::vector<int>& rows);

}  // namespace trazel::model
