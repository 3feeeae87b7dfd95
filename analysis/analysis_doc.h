#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/analysis_file.h"
#include "analysis/peak_search.h"
#include "fit/band_fit.h"
#include "model/peak_table.h"
#include "model/trazel_doc.h"

namespace trazel::analysis {

// Everything a document shows: its table and its analysis. An undo step
// keeps two of these; the measured points inside are shared, not copied.
struct DocumentState {
    model::PeakTable table;
    Analysis analysis;
};

// state with a fit written in: the fitted table, the baseline, the record and
// the settings it was posed with. What ApplyFit does, and what a window shows
// of a fit not yet applied, so that the two cannot differ.
DocumentState FitApplied(DocumentState state, FitRecord record);

// The document as the window and the command line use it: the peak table of
// model::CTrazelDoc and, beside it, the analysis of a measured spectrum.
//
// It lives here, above model/, because the table's layer cannot know measured
// spectra or fits (model/ sits under input/ and fit/); deriving keeps every
// table operation and the file format where they are, and lets New and Open
// replace the analysis in the same place that replaces the table. Like the
// table, the analysis changes only through the operations below, and each
// of them tells the listeners, so that every view follows without asking.
class CAnalysisDoc : public model::CTrazelDoc {
  public:
    // A new document has no measured spectrum, no fit, and the default
    // axis titles.
    bool OnNewDocument() override;
    // What opening a file does: its table, and an analysis of its own (none
    // for a file that holds only a table).
    void OpenTable(const model::PeakTable& table);
    // Opens a table with the analysis its file stored beside it.
    void OpenStored(const model::PeakTable& table, StoredAnalysis stored);
    // The bytes to save after the table's records: the analysis, or a
    // section that could not be read, kept as it came while there is no
    // analysis of ours.
    std::string SectionToSave() const;
    // Whether saving now would lose an analysis the file held and this
    // version could not read: the document has an analysis of its own that
    // would take its place, or the section was too large to keep. A save asks
    // first, or refuses.
    bool SavingLosesUnreadAnalysis() const;
    // Forgets the section that could not be read, as the user asked.
    void DropUnreadAnalysis();

    const Analysis& GetAnalysis() const { return analysis_; }
    // The table and the analysis together, for an undo step, and put back.
    DocumentState State() const;
    void Restore(const DocumentState& state);
    // Grows with every change of the analysis, so that a history can tell
    // whether an operation changed it without comparing it whole.
    std::uint64_t AnalysisChanges() const { return changes_; }

    // The operations on the analysis. A new measured spectrum, or none,
    // takes the last fit and its baseline away: they belong to other points.
    void SetMeasured(MeasuredData measured);
    void RemoveMeasured();
    // Changes the data the next fit uses and the figure draws; nothing
    // without a measured spectrum.
    void SetMeasuredTransform(const MeasuredTransform& transform);
    void SetAxisTitles(const AxisTitles& titles);
    // Writes a fit into the document as one change: the fitted table, the
    // baseline, the record and the settings it was posed with. The modified
    // flag is set when the bands changed, as any table operation sets it.
    void ApplyFit(FitRecord record);
    // Puts bands found in the measured spectrum into the table, after its
    // bands or in their place (replace), as many as there is room for,
    // taking them in the order given (the strongest first) and entering
    // them so that the list, newest on top, shows them in that order. The
    // settings they were looked for with are kept. The number put in.
    int PutFoundBands(const std::vector<FoundBand>& bands, const PeakSearchSettings& settings,
                      bool replace);

    // The fit problem the settings pose over this table and the measured
    // spectrum (the data as the transform gives them); an empty problem with
    // no measured spectrum. The one way the window and the command line pose
    // a fit.
    fit::FitProblem PoseFit(const FitSettings& settings, std::int32_t lineShape,
                            bool useScaled) const;
    // The table indices of the list's rows (0 = newest band), in the order given.
    std::vector<int> IndicesFromRows(const std::vector<int>& rows) const;

    // Views are told of every change of the analysis, and of New and Open,
    // through listen; owner names them for StopListening.
    void Listen(const void* owner, std::function<void()> listen);
    void StopListening(const void* owner);

  protected:
    void BandsRenumbered(const std::vector<int>& renumbered) override;

  private:
    void Changed();

    Analysis analysis_;
    std::string keptSection_;
    bool keptUnread_ = false;
    std::uint64_t changes_ = 0;
    struct Listener {
        const void* owner;
        std::function<void()> listen;
    };
    std::vector<Listener> listeners_;
};

}  // namespace trazel::analysis
