#include "document/trazel_doc.h"

#include <algorithm>
#include <cmath>

#include "analysis/spectrum_comparison.h"
#include "model/document_format.h"
#include "platform/archive.h"

using namespace trazel::analysis;
using namespace trazel::model;

namespace trazel::document {

bool CTrazelDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) {
        return false;
    }
    table_.bands.clear();
    analysis_ = Analysis{};
    DropUnreadAnalysis();
    ++changes_;
    ++generation_;
    Changed(DocumentChange::Both);
    return true;
}

void CTrazelDoc::Serialize(platform::CArchive& ar) {
    if (ar.IsStoring()) {
        WritePeakTable(ar, table_);
    } else {
        // Read into a table of its own and take it only when the whole read
        // succeeded, so a damaged file leaves the current peaks as they were.
        SetTable(ReadPeakTable(ar));
    }
}

std::vector<int> CTrazelDoc::IndicesFromRows(const std::vector<int>& rows) const {
    std::vector<int> indices;
    indices.reserve(rows.size());
    for (const int row : rows) {
        indices.push_back(IndexFromRow(row));
    }
    return indices;
}

void CTrazelDoc::SetModifiedIfNotEmpty() {
    if (table_.PeakCount() > 0) {
        SetModifiedFlag(true);
    }
}

void CTrazelDoc::AddPeak(double position, double intensity, double width, double scale) {
    if (model::AddPeak(table_, position, intensity, width, scale)) {
        SetModifiedIfNotEmpty();
        TableEdited({});
    }
}

bool CTrazelDoc::AddBands(const std::vector<Peak>& bands) {
    if (!model::AddBands(table_, bands)) {
        return false;
    }
    SetModifiedIfNotEmpty();
    if (!bands.empty()) {
        TableEdited({});
    }
    return true;
}

void CTrazelDoc::ClearPeaks() {
    const Renumbering renumbered = model::ClearPeaks(table_);
    if (!renumbered.empty()) {
        TableEdited(renumbered);
    }
}

void CTrazelDoc::DeleteRows(const std::vector<int>& rows) {
    // A non-empty table counts as modified even when nothing is selected.
    SetModifiedIfNotEmpty();
    const Renumbering renumbered = model::DeleteRows(table_, rows);
    if (!renumbered.empty()) {
        TableEdited(renumbered);
    }
}

void CTrazelDoc::ReplacePeak(int index, double position, double intensity, double width,
                             std::int32_t separate, double scale) {
    if (model::ReplacePeak(table_, index, position, intensity, width, separate, scale)) {
        SetModifiedIfNotEmpty();
        TableEdited({});
    }
}

void CTrazelDoc::SetBandShape(int index, model::BandShape shape, double share) {
    if (index < 1 || index > table_.PeakCount()) {
        return;
    }
    const model::Peak before = table_.Band(index);
    model::SetBandShape(table_, index, shape, share);
    if (before.shape != table_.Band(index).shape || before.share != table_.Band(index).share) {
        SetModifiedIfNotEmpty();
        TableEdited({});
    }
}

void CTrazelDoc::AssignWidth(double width, const std::vector<int>& rows) {
    model::AssignWidth(table_, width, rows);
    SetModifiedIfNotEmpty();
    TableEdited({});
}

void CTrazelDoc::AssignScale(double scale, const std::vector<int>& rows) {
    model::AssignScale(table_, scale, rows);
    SetModifiedIfNotEmpty();
    TableEdited({});
}

void CTrazelDoc::ToggleSeparate(const std::vector<int>& rows) {
    model::ToggleSeparate(table_, rows);
    SetModifiedIfNotEmpty();
    if (!rows.empty()) {
        TableEdited({});
    }
}

void CTrazelDoc::SetTable(const PeakTable& table) {
    table_ = table;
    Changed(DocumentChange::Table);
}

void CTrazelDoc::TableEdited(const Renumbering& renumbered) {
    DocumentChange change = DocumentChange::Table;
    if (!renumbered.empty() && RenumberBands(analysis_, renumbered)) {
        ++changes_;
        change = DocumentChange::Both;
    }
    Changed(change);
}

void CTrazelDoc::OpenTable(const PeakTable& table) {
    OpenStored(table, StoredAnalysis{});
}

void CTrazelDoc::OpenStored(const PeakTable& table, StoredAnalysis stored) {
    table_ = table;
    PutShapes(table_, stored);
    analysis_ = std::move(stored.analysis);
    if (analysis_.measured) {
        Retransform(*analysis_.measured);
    }
    keptSection_ = std::move(stored.keptSection);
    keptUnread_ = stored.unread;
    ++changes_;
    ++generation_;
    Changed(DocumentChange::Both);
}

std::string CTrazelDoc::SectionToSave() const {
    return SectionBytesFor(analysis_, table_, keptSection_);
}

bool CTrazelDoc::SavingLosesUnreadAnalysis() const {
    // Asked only with a section kept, which few documents have: writing the
    // analysis out is the one sure test of whether it holds anything.
    return keptUnread_ &&
           (keptSection_.empty() || !AnalysisSection(analysis_, table_).records.empty());
}

void CTrazelDoc::DropUnreadAnalysis() {
    keptSection_.clear();
    keptUnread_ = false;
}

DocumentState CTrazelDoc::State() const {
    return DocumentState{table_, analysis_};
}

void CTrazelDoc::Restore(const DocumentState& state) {
    table_ = state.table;
    analysis_ = state.analysis;
    ++changes_;
    Changed(DocumentChange::Both);
}

void CTrazelDoc::SetMeasured(MeasuredData measured) {
    analysis_.measured = std::move(measured);
    Retransform(*analysis_.measured);
    DropFits(analysis_);
    ++changes_;
    Changed(DocumentChange::Analysis);
}

void CTrazelDoc::RemoveMeasured() {
    if (!analysis_.measured) {
        return;
    }
    analysis_.measured.reset();
    DropFits(analysis_);
    ++changes_;
    Changed(DocumentChange::Analysis);
}

void CTrazelDoc::SetMeasuredTransform(const MeasuredTransform& transform) {
    if (!analysis_.measured || analysis_.measured->transform == transform) {
        return;
    }
    // Only a new change of x or y moves points; a new factor shares them.
    const bool moved = analysis_.measured->transform.Change() != transform.Change();
    analysis_.measured->transform = transform;
    if (moved) {
        Retransform(*analysis_.measured);
    }
    ++changes_;
    Changed(DocumentChange::Analysis);
}

void CTrazelDoc::SetAxisTitles(const AxisTitles& titles) {
    if (analysis_.axisTitles == titles) {
        return;
    }
    analysis_.axisTitles = titles;
    ++changes_;
    Changed(DocumentChange::Analysis);
}

void CTrazelDoc::AddRegion(FitRegion region) {
    auto& regions = analysis_.regions;
    const auto after = std::find_if(regions.begin(), regions.end(), [&](const FitRegion& other) {
        return other.XMin() > region.XMin();
    });
    regions.insert(after, std::move(region));
    ++changes_;
    Changed(DocumentChange::Analysis);
}

void CTrazelDoc::RemoveRegion(std::size_t index) {
    if (index >= analysis_.regions.size()) {
        return;
    }
    analysis_.regions.erase(analysis_.regions.begin() + static_cast<std::ptrdiff_t>(index));
    ++changes_;
    Changed(DocumentChange::Analysis);
}

void CTrazelDoc::ApplyFit(FitRecord record) {
    DocumentState next = FitApplied(State(), std::move(record));
    DocumentChange change = DocumentChange::Analysis;
    if (!SameBands(table_, next.table)) {
        table_ = next.table;
        SetModifiedFlag(true);
        change = DocumentChange::Both;
    }
    analysis_ = std::move(next.analysis);
    ++changes_;
    Changed(change);
}

void CTrazelDoc::ApplyComparison(analysis::ComparisonRecord record) {
    const PeakTable applied = analysis::AppliedComparison(table_, record);
    DocumentChange change = DocumentChange::Analysis;
    if (!SameBands(table_, applied)) {
        table_ = applied;
        SetModifiedFlag(true);
        change = DocumentChange::Both;
    }
    analysis_.comparison = std::move(record);
    ++changes_;
    Changed(change);
}

int CTrazelDoc::PutFoundBands(const std::vector<FoundBand>& bands,
                              const PeakSearchSettings& settings, bool replace) {
    const auto room = static_cast<std::size_t>(kMaxPeaks - (replace ? 0 : table_.PeakCount()));
    const std::size_t taken = std::min(room, bands.size());
    std::vector<Peak> peaks;
    for (std::size_t i = taken; i-- > 0;) {
        const FoundBand& band = bands[i];
        peaks.push_back(Peak{.position = band.position,
                             .scale = 1.0,
                             .scaledPosition = band.position,
                             .intensity = band.intensity,
                             .width = band.width});
    }
    // One change, told once: the bands replaced are followed as "Borrar
    // todo" follows them.
    Renumbering renumbered;
    if (replace) {
        renumbered = model::ClearPeaks(table_);
        SetModifiedFlag(true);
    }
    model::AddBands(table_, peaks);
    SetModifiedIfNotEmpty();
    if (!renumbered.empty()) {
        RenumberBands(analysis_, renumbered);
    }
    analysis_.peakSearch = settings;
    ++changes_;
    Changed(DocumentChange::Both);
    return static_cast<int>(taken);
}

namespace {

// The shape chosen for a fit, given to every band that takes part in it. A
// band that had no share of its own starts halfway, where neither part
// dominates; one that had keeps it as the start.
void GiveShape(fit::FitProblem& problem, std::optional<model::BandShape> shape) {
    if (!shape) {
        return;
    }
    for (int k = 1; k <= problem.table.PeakCount(); ++k) {
        model::Peak& band = problem.table.Band(k);
        if (!problem.freedom[static_cast<std::size_t>(k)].Any() || band.shape == *shape) {
            continue;
        }
        const bool hadShare = model::IsMixed(band.shape);
        band.shape = *shape;
        band.share = model::IsMixed(*shape) ? (hadShare ? band.share : 0.5) : 0.0;
    }
}

}  // namespace

fit::FitProblem CTrazelDoc::PoseFit(const FitSettings& settings, std::int32_t lineShape,
                                    bool useScaled) const {
    fit::FitProblem problem;
    problem.table = table_;
    problem.lineShape = lineShape;
    problem.useScaled = useScaled;
    problem.baseline = settings.baseline;
    problem.allowNegative = settings.allowNegative;
    problem.maxIterations = settings.maxIterations.value_or(problem.maxIterations);
    for (int k = 1; k <= table_.PeakCount(); ++k) {
        const bool held = std::find(settings.heldBands.begin(), settings.heldBands.end(), k) !=
                          settings.heldBands.end();
        problem.freedom[static_cast<std::size_t>(k)] =
            held ? fit::Freedom{false, false, false, false} : settings.values;
    }
    if (!analysis_.measured) {
        GiveShape(problem, settings.shape);
        return problem;
    }
    const MeasuredData& measured = *analysis_.measured;
    PointsToFit(measured, problem.x, problem.y);
    problem.yFactor = measured.transform.yFactor;
    std::tie(problem.xMin, problem.xMax) = FitRangeFor(settings, measured.X());
    // A band centred outside the range has no data of its own there: it is
    // held, and its tail still counts in the model over the range. So is one
    // on the end this range shares with another region, which takes part in
    // that one's fit.
    const std::vector<std::size_t> refitted =
        RegionsOverlapping(analysis_.regions, problem.xMin, problem.xMax);
    for (int k = 1; k <= table_.PeakCount(); ++k) {
        const auto region = RegionOfBand(analysis_.regions, table_, k, useScaled);
        const bool elsewhere =
            region && std::find(refitted.begin(), refitted.end(), *region) == refitted.end();
        if (elsewhere || !CentredIn(table_, k, useScaled, problem.xMin, problem.xMax)) {
            problem.freedom[static_cast<std::size_t>(k)] = fit::Freedom{false, false, false, false};
        }
    }
    GiveShape(problem, settings.shape);
    return problem;
}

void CTrazelDoc::Listen(const void* owner, Listener listen) {
    listeners_.push_back({owner, std::move(listen)});
}

void CTrazelDoc::StopListening(const void* owner) {
    std::erase_if(listeners_, [owner](const Listening& l) { return l.owner == owner; });
}

void CTrazelDoc::Changed(DocumentChange change) {
    // A listener may stop listening while it is told; tell a copy.
    const auto listeners = listeners_;
    for (const Listening& listener : listeners) {
        listener.listen(change);
    }
}

}  // namespace trazel::document
