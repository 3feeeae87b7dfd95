#pragma once

#include "analysis/analysis.h"
#include "model/peak_table.h"

namespace trazel::analysis {

// Everything a document shows: its table and its analysis. An undo step
// keeps two of these; the measured points inside are shared, not copied.
struct DocumentState {
    model::PeakTable table;
    Analysis analysis;
};

// state with a fit written in: the fitted table, the baseline, the record and
// the settings it was posed with. What applying a fit does, and what a window
// shows of a fit not yet applied, so that the two cannot differ.
DocumentState FitApplied(DocumentState state, FitRecord record);

}  // namespace trazel::analysis
