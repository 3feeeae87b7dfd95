#pragma once

#include <string>
#include <utility>
#include <vector>

#include "analysis/analysis.h"
#include "model/document_section.h"
#include "model/peak_table.h"

namespace trazel::analysis {

// The tags of the analysis's records in the section after a document's
// records. A record's layout never changes: what a later version adds goes
// into a record of a new tag, which this version keeps and writes back.
enum AnalysisTag : std::uint32_t {
    kTagMeasured = 1,
    kTagTransform = 2,
    kTagFitSettings = 3,
    kTagLastFit = 4,
    kTagBaseline = 5,
    kTagAxisTitles = 6,
    // The change of x and y before the factor; absent when there is none, so
    // that a document without one reads as it did before the change existed.
    kTagMeasuredChange = 7,
    // The title and units the measured spectrum's file declared.
    kTagMeasuredUnits = 8,
    // The options the bands put in from the measured spectrum were found with.
    kTagPeakSearch = 9,
    // The fit settings that record 3 cannot hold: a baseline of degree 2 or
    // 3 (record 3 then says a straight line, the nearest an earlier version
    // knows) and negative intensities allowed. Absent when neither is chosen.
    kTagFitOptions = 10,
    // The baseline by asymmetric least squares subtracted from the measured
    // spectrum: λ and p. Absent without one.
    kTagMeasuredAls = 11,
    // What record 4 cannot hold of the last fit: the same options as record
    // 10, the baseline about the centre of the range with its centre (record
    // 4 keeps its constant and slope in powers of x), the values that ended
    // at a bound or undetermined, the reduced χ² and the structure test.
    kTagLastFitMore = 12,
    // Which spectrum of a file of several the measured one is (from 0), as
    // chosen when it was loaded; absent when none was.
    kTagMeasuredChoice = 13,
    // The table that the records naming bands by their index (3, 4 and 12)
    // were written for: its band count and the CRC-32 of its records. A
    // version that knows no such record writes it back unchanged, so a table
    // changed there no longer matches, and those records are not trusted.
    kTagBandGuard = 14,
    // Why the last fit's iterations ended, as its number (fit::StopReason);
    // record 4 keeps the words, which documents of earlier versions hold
    // alone and which are mapped to the number when read.
    kTagFitStop = 15,
    // The shape and Lorentzian share of every band, in table order, when
    // some band has a shape of its own; guarded by record 14, so that a
    // table changed by a version without shapes draws its bands with the
    // document's switch again.
    kTagBandShapes = 16,
    // What the last fit's residual holds against the noise of the data
    // (fit::ResidualVerdict): its kind as a number, the noise and the span
    // it is correlated over, the residual's RMS over it and its limit, and
    // the largest feature's position, height, width and percentage. Absent
    // for a fit whose residual was not judged.
    kTagResidualVerdict = 17,
    // The plot window's view (PlotView): four limits, then whether y spans
    // the curves (bit 0) and whether x decreases to the right (bit 1).
    kTagPlotView = 18,
    // The fit regions, each with its settings and last fit. Absent while the
    // records of the last fit (3, 4, 12, 15, 16, 17) say all there is: one
    // region, fitted. Written with the CRC-32 of the record 4 it went with,
    // so that a fit changed by a version that knows no regions is told from
    // these, which are then left out.
    kTagFitRegions = 19,
    // How the band list was last compared with the measured spectrum
    // (ComparisonSettings): the line shape, the limits as the optional
    // values of record 3, whether the shift, the width and the share were
    // fitted (bits 0, 1, 2) and the baseline.
    kTagComparisonSettings = 24,
    // What that comparison gave: the range and the tolerance, the computed
    // bands (the calculation's wavenumber, height and shape), the values
    // with their errors, the statistics and the assignment's rows. Left out
    // when its bands are no longer the table's.
    kTagComparisonResult = 25,
};

// The analysis of a document with this table as the section's records, in
// tag order, followed by the records of other tags it was read with. An
// analysis that holds nothing gives no records, and the document keeps its
// table-only bytes.
model::DocumentSection AnalysisSection(const Analysis& analysis, const model::PeakTable& table);

// What a document's file brought beside its table.
struct StoredAnalysis {
    Analysis analysis;
    // A section that could not be read, a later version's or a damaged one,
    // to be written back as it was while this document has no analysis of
    // its own.
    std::string keptSection;
    // There was a section and it could not be read: writing the document
    // with an analysis of its own, or without keptSection (empty for a
    // damaged section too large to keep), loses it.
    bool unread = false;
    // Why the section could not be read (the analysis is then empty), or that
    // it was written by a later version; empty when all is well.
    std::string notice;
    // The shape and share of each band of the table, from record 16; empty
    // when every band follows the document or the record was left out.
    std::vector<std::pair<model::BandShape, double>> shapes;
};

// The table with the shapes a document stored for it put in (nothing
// happens without them).
void PutShapes(model::PeakTable& table, const StoredAnalysis& stored);

// Reads the analysis of a section found after the records of table. Every
// value is checked (points finite and paired, band indices within the table,
// known line shapes and baselines) before it is used; a record that fails
// makes the whole analysis unread, never half read. Records naming bands that
// were written for another table (their guard does not match) are left out,
// with a notice.
StoredAnalysis AnalysisFromSection(const model::SectionRead& read, const model::PeakTable& table);

// The bytes to write after the records: the analysis's section, or the kept
// section when the analysis holds nothing.
std::string SectionBytesFor(const Analysis& analysis, const model::PeakTable& table,
                            const std::string& keptSection);

}  // namespace trazel::analysis
