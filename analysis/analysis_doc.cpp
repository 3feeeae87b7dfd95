#include "analysis/analysis_doc.h"

#include <algorithm>

using namespace trazel::model;

namespace trazel::analysis {

bool CAnalysisDoc::OnNewDocument() {
    if (!CTrazelDoc::OnNewDocument()) {
        return false;
    }
    analysis_ = Analysis{};
    DropUnreadAnalysis();
    Changed();
    return true;
}

void CAnalysisDoc::OpenTable(const PeakTable& table) {
    OpenStored(table, StoredAnalysis{});
}

void CAnalysisDoc::OpenStored(const PeakTable& table, StoredAnalysis stored) {
    SetTable(table);
    analysis_ = std::move(stored.analysis);
    if (analysis_.measured) {
        Retransform(*analysis_.measured);
    }
    keptSection_ = std::move(stored.keptSection);
    keptUnread_ = stored.unread;
    Changed();
}

std::string CAnalysisDoc::SectionToSave() const {
    return SectionBytesFor(analysis_, keptSection_);
}

bool CAnalysisDoc::SavingLosesUnreadAnalysis() const {
    // Asked only with a section kept, which few documents have: writing the
    // analysis out is the one sure test of whether it holds anything.
    return keptUnread_ && (keptSection_.empty() || !AnalysisSection(analysis_).records.empty());
}

void CAnalysisDoc::DropUnreadAnalysis() {
    keptSection_.clear();
    keptUnread_ = false;
}

DocumentState CAnalysisDoc::State() const {
    return DocumentState{Table(), analysis_};
}

void CAnalysisDoc::Restore(const DocumentState& state) {
    SetTable(state.table);
    analysis_ = state.analysis;
    Changed();
}

void CAnalysisDoc::SetMeasured(MeasuredData measured) {
    analysis_.measured = std::move(measured);
    Retransform(*analysis_.measured);
    analysis_.lastFit.reset();
    analysis_.baseline.reset();
    Changed();
}

void CAnalysisDoc::RemoveMeasured() {
    if (!analysis_.measured) {
        return;
    }
    analysis_.measured.reset();
    analysis_.lastFit.reset();
    analysis_.baseline.reset();
    Changed();
}

void CAnalysisDoc::SetMeasuredTransform(const MeasuredTransform& transform) {
    if (!analysis_.measured || analysis_.measured->transform == transform) {
        return;
    }
    // Only a new change of x or y moves points; a new factor shares them.
    const bool moved = analysis_.measured->transform.Change() != transform.Change();
    analysis_.measured->transform = transform;
    if (moved) {
        Retransform(*analysis_.measured);
    }
    Changed();
}

void CAnalysisDoc::SetAxisTitles(const AxisTitles& titles) {
    if (analysis_.axisTitles == titles) {
        return;
    }
    analysis_.axisTitles = titles;
    Changed();
}

DocumentState FitApplied(DocumentState state, FitRecord record) {
    state.table = record.result.table;
    state.analysis.fitSettings = record.settings;
    state.analysis.baseline = BaselineOf(record.result, record.settings.baseline);
    state.analysis.lastFit = std::move(record);
    return state;
}

void CAnalysisDoc::ApplyFit(FitRecord record) {
    DocumentState next = FitApplied(State(), std::move(record));
    if (!SameBands(Table(), next.table)) {
        SetTable(next.table);
        SetModifiedFlag(true);
    }
    analysis_ = std::move(next.analysis);
    Changed();
}

int CAnalysisDoc::PutFoundBands(const std::vector<FoundBand>& bands,
                                const PeakSearchSettings& settings, bool replace) {
    PeakTable table = Table();
    if (replace) {
        table.count = 1;
    }
    const auto room = static_cast<std::size_t>(kMaxPeakSlots - table.count);
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
    if (replace) {
        ClearPeaks();
        SetModifiedFlag(true);
    }
    AddBands(peaks);
    analysis_.peakSearch = settings;
    Changed();
    return static_cast<int>(taken);
}

void CAnalysisDoc::BandsRenumbered(const std::vector<int>& renumbered) {
    if (RenumberBands(analysis_, renumbered)) {
        Changed();
    }
}

fit::FitProblem CAnalysisDoc::PoseFit(const FitSettings& settings, std::int32_t lineShape,
                                      bool useScaled) const {
    fit::FitProblem problem;
    problem.table = Table();
    problem.lineShape = lineShape;
    problem.useScaled = useScaled;
    problem.baseline = settings.baseline;
    problem.allowNegative = settings.allowNegative;
    problem.maxIterations = settings.maxIterations.value_or(problem.maxIterations);
    for (int k = 1; k < Table().count; ++k) {
        const bool held = std::find(settings.heldBands.begin(), settings.heldBands.end(), k) !=
                          settings.heldBands.end();
        problem.freedom[static_cast<std::size_t>(k)] =
            held ? fit::Freedom{false, false, false} : settings.values;
    }
    if (!analysis_.measured) {
        return problem;
    }
    const MeasuredData& measured = *analysis_.measured;
    problem.x.assign(measured.X().begin(), measured.X().end());
    problem.y.assign(measured.Y().begin(), measured.Y().end());
    problem.yFactor = measured.transform.yFactor;
    std::tie(problem.xMin, problem.xMax) = FitRangeFor(settings, measured.X());
    // A band centred outside the range has no data of its own there: it is
    // held, and its tail still counts in the model over the range.
    for (int k = 1; k < Table().count; ++k) {
        if (!CentredIn(Table(), k, useScaled, problem.xMin, problem.xMax)) {
            problem.freedom[static_cast<std::size_t>(k)] = fit::Freedom{false, false, false};
        }
    }
    return problem;
}

std::vector<int> CAnalysisDoc::IndicesFromRows(const std::vector<int>& rows) const {
    std::vector<int> indices;
    indices.reserve(rows.size());
    for (const int row : rows) {
        indices.push_back(IndexFromRow(row));
    }
    return indices;
}

void CAnalysisDoc::Listen(const void* owner, std::function<void()> listen) {
    listeners_.push_back({owner, std::move(listen)});
}

void CAnalysisDoc::StopListening(const void* owner) {
    std::erase_if(listeners_, [owner](const Listener& l) { return l.owner == owner; });
}

void CAnalysisDoc::Changed() {
    ++changes_;
    // A listener may stop listening while it is told; tell a copy.
    const auto listeners = listeners_;
    for (const Listener& listener : listeners) {
        listener.listen();
    }
}

}  // namespace trazel::analysis
