#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/analysis_file.h"
#include "analysis/document_state.h"
#include "analysis/peak_search.h"
#include "fit/band_fit.h"
#include "model/peak_table.h"
#include "model/table_edits.h"
#include "platform/document.h"

namespace trazel::document {

// What one operation changed, for whoever shows the document.
enum class DocumentChange : unsigned { None = 0, Table = 1, Analysis = 2, Both = 3 };

constexpr DocumentChange operator|(DocumentChange a, DocumentChange b) {
    return static_cast<DocumentChange>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool Touches(DocumentChange change, DocumentChange part) {
    return (static_cast<unsigned>(change) & static_cast<unsigned>(part)) != 0;
}

// The document: one peak table, its analysis of a measured spectrum, and the
// rule that decides when the user is asked to save them. Every change to
// either goes through the operations below, and each tells the listeners once
// what it changed. The table's operations are the list's: rows of the peak
// list, newest peak on top.
//
// The one place where the table changes is also the one place where whatever
// names bands by their index (the held bands, the last fit) follows them, so
// that an operation and its undo can never leave a record pointing at another
// band.
class CTrazelDoc : public platform::CDocument {
  public:
    // A new document: no peaks, no measured spectrum, no fit, the default
    // axis titles.
    bool OnNewDocument() override;
    // Writes or reads the table alone, as the format's first records hold it;
    // a damaged file leaves the peaks as they were.
    void Serialize(platform::CArchive& ar) override;

    const model::PeakTable& Table() const { return table_; }
    const analysis::Analysis& GetAnalysis() const { return analysis_; }
    int IndexFromRow(int row) const { return model::IndexFromRow(table_, row); }
    // The table indices of the list's rows (0 = newest band), in the order given.
    std::vector<int> IndicesFromRows(const std::vector<int>& rows) const;

    // The only rule for the modified flag of the table: set it when the table
    // holds a peak. It never clears the flag.
    void SetModifiedIfNotEmpty();

    // The table's operations. AddPeak does nothing on a full table; AddBands
    // is all or nothing (false, and no change, without room for all).
    void AddPeak(double position, double intensity, double width, double scale);
    bool AddBands(const std::vector<model::Peak>& bands);
    // Empties the table without touching the modified flag.
    void ClearPeaks();
    void DeleteRows(const std::vector<int>& rows);
    void ReplacePeak(int index, double position, double intensity, double width,
                     std::int32_t separate, double scale);
    // Gives one band a shape of its own, or back the document's
    // (BandShape::Document); the share is held within [0, 1].
    void SetBandShape(int index, model::BandShape shape, double share);
    void AssignWidth(double width, const std::vector<int>& rows);
    void AssignScale(double scale, const std::vector<int>& rows);
    void ToggleSeparate(const std::vector<int>& rows);
    // Replaces the whole table, as a file read does.
    void SetTable(const model::PeakTable& table);

    // What opening a file does: its table, and an analysis of its own (none
    // for a file that holds only a table).
    void OpenTable(const model::PeakTable& table);
    // Opens a table with the analysis its file stored beside it.
    void OpenStored(const model::PeakTable& table, analysis::StoredAnalysis stored);
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

    // The table and the analysis together, for an undo step, and put back.
    analysis::DocumentState State() const;
    void Restore(const analysis::DocumentState& state);
    // Grows with every change of the analysis, so that a history can tell
    // whether an operation changed it without comparing it whole.
    std::uint64_t AnalysisChanges() const { return changes_; }

    // The operations on the analysis. A new measured spectrum, or none,
    // takes the last fit and its baseline away: they belong to other points.
    void SetMeasured(analysis::MeasuredData measured);
    void RemoveMeasured();
    // Changes the data the next fit uses and the figure draws; nothing
    // without a measured spectrum.
    void SetMeasuredTransform(const analysis::MeasuredTransform& transform);
    void SetAxisTitles(const analysis::AxisTitles& titles);
    // Keeps the plot window's view for the next save. A view is not an edit:
    // no listener is told, the modified flag stays, and undo does not step
    // through it.
    void KeepPlotView(const analysis::PlotView& view) { analysis_.plotView = view; }
    // Grows when the document is replaced (new or opened), so that a window
    // can tell another document from a change of this one.
    std::uint64_t Generation() const { return generation_; }
    // Writes a fit into the document as one change: the fitted table, the
    // baseline, the record and the settings it was posed with. The modified
    // flag is set when the bands changed, as any table operation sets it.
    void ApplyFit(analysis::FitRecord record);
    // Adds a fit region, kept in x order, or removes one (by its index in
    // that order); the caller has checked that it overlaps no other.
    void AddRegion(analysis::FitRegion region);
    void RemoveRegion(std::size_t index);
    // Writes a comparison into the document as one change: the table as
    // "Aplicar" leaves it (analysis::AppliedComparison) and the record.
    void ApplyComparison(analysis::ComparisonRecord record);
    // Puts bands found in the measured spectrum into the table, after its
    // bands or in their place (replace), as many as there is room for,
    // taking them in the order given (the strongest first) and entering
    // them so that the list, newest on top, shows them in that order. The
    // settings they were looked for with are kept. The number put in.
    int PutFoundBands(const std::vector<analysis::FoundBand>& bands,
                      const analysis::PeakSearchSettings& settings, bool replace);

    // The fit problem the settings pose over this table and the measured
    // spectrum (the data as the transform gives them); an empty problem with
    // no measured spectrum. The one way the window and the command line pose
    // a fit.
    fit::FitProblem PoseFit(const analysis::FitSettings& settings, std::int32_t lineShape,
                            bool useScaled) const;

    // Whoever shows the document is told of every change, with what it
    // touched; owner names it for StopListening.
    using Listener = std::function<void(DocumentChange)>;
    void Listen(const void* owner, Listener listen);
    void StopListening(const void* owner);

  private:
    // The end of every operation: the bands that moved are followed, then
    // the listeners told.
    void TableEdited(const model::Renumbering& renumbered);
    void Changed(DocumentChange change);

    model::PeakTable table_;
    analysis::Analysis analysis_;
    std::string keptSection_;
    bool keptUnread_ = false;
    std::uint64_t changes_ = 0;
    std::uint64_t generation_ = 0;
    struct Listening {
        const void* owner;
        Listener listen;
    };
    std::vector<Listening> listeners_;
};

}  // namespace trazel::document
