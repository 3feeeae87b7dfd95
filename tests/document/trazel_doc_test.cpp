#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "document/trazel_doc.h"
#include "tests/support/fitted_analysis.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::document;
using namespace trazel;

namespace {

// A fresh document with peaks at positions 100, 200, ... in entry order; peak
// k has intensity k, width 10 k and scale 1.
CTrazelDoc DocWithPeaks(int n) {
    CTrazelDoc doc;
    doc.OnNewDocument();
    for (int k = 1; k <= n; ++k) {
        doc.AddPeak(100.0 * k, k, 10.0 * k, 1.0);
    }
    doc.SetModifiedFlag(false);
    return doc;
}

TEST(PeakTable, NewDocumentIsEmptyAndUnmodified) {
    CTrazelDoc doc = DocWithPeaks(3);
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.Table().PeakCount(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "Sin título");
}

TEST(PeakTable, AddPeakStoresValuesAndMarksModified) {
    CTrazelDoc doc;
    doc.OnNewDocument();
    doc.AddPeak(500.0, 2.0, 10.0, 3.0);
    const PeakTable& t = doc.Table();
    ASSERT_EQ(t.PeakCount(), 1);
    EXPECT_EQ(t.Band(1).position, 500.0);
    EXPECT_EQ(t.Band(1).intensity, 2.0);
    EXPECT_EQ(t.Band(1).width, 10.0);
    EXPECT_EQ(t.Band(1).scale, 3.0);
    EXPECT_EQ(t.Band(1).scaledPosition, 1500.0);
    EXPECT_EQ(t.Band(1).separate, 0);
    EXPECT_TRUE(doc.IsModified());
}

TEST(PeakTable, FullTableRefusesTheHundredthPeakSilently) {
    CTrazelDoc doc = DocWithPeaks(98);
    doc.AddPeak(1.0, 1.0, 1.0, 1.0);
    EXPECT_EQ(doc.Table().PeakCount(), 99);
    doc.SetModifiedFlag(false);
    const PeakTable before = doc.Table();
    doc.AddPeak(2.0, 2.0, 2.0, 2.0);
    EXPECT_EQ(doc.Table().PeakCount(), 99);
    EXPECT_TRUE(SameBands(doc.Table(), before));
    EXPECT_FALSE(doc.IsModified());
}

TEST(PeakTable, RowsShowNewestFirst) {
    CTrazelDoc doc = DocWithPeaks(3);
    EXPECT_EQ(doc.IndexFromRow(0), 3);
    EXPECT_EQ(doc.IndexFromRow(2), 1);
    doc.AddPeak(400.0, 4.0, 40.0, 1.0);
    EXPECT_EQ(doc.Table().Band(doc.IndexFromRow(0)).position, 400.0);
    EXPECT_EQ(doc.Table().Band(doc.IndexFromRow(1)).position, 300.0);
}

TEST(PeakTable, EmptyTableLeavesModifiedFlagAloneEverywhere) {
    CTrazelDoc doc;
    doc.OnNewDocument();
    doc.ClearPeaks();
    doc.AssignWidth(5.0, {});
    doc.AssignScale(2.0, {});
    doc.ToggleSeparate({});
    doc.DeleteRows({});
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Table().PeakCount(), 0);
}

TEST(PeakTable, ClearPeaksKeepsModifiedFlag) {
    CTrazelDoc doc = DocWithPeaks(2);
    doc.ClearPeaks();
    EXPECT_EQ(doc.Table().PeakCount(), 0);
    EXPECT_FALSE(doc.IsModified());
    CTrazelDoc modified = DocWithPeaks(2);
    modified.SetModifiedFlag(true);
    modified.ClearPeaks();
    EXPECT_TRUE(modified.IsModified());
}

TEST(PeakTable, DeleteRowsRemovesExactlyTheSelectedPeaks) {
    CTrazelDoc doc = DocWithPeaks(4);
    doc.ToggleSeparate({2});    // index 2
    doc.AssignScale(3.0, {3});  // index 1
    doc.ToggleSeparate({1});    // index 3
    // Rows 0 and 2 show indices 4 and 2.
    doc.DeleteRows({0, 2});
    const PeakTable& t = doc.Table();
    ASSERT_EQ(t.PeakCount(), 2);
    EXPECT_EQ(t.Band(1).position, 100.0);
    EXPECT_EQ(t.Band(1).scale, 3.0);
    EXPECT_EQ(t.Band(1).scaledPosition, 300.0);
    EXPECT_EQ(t.Band(1).separate, 0);
    EXPECT_EQ(t.Band(2).position, 300.0);
    EXPECT_EQ(t.Band(2).width, 30.0);
    EXPECT_EQ(t.Band(2).intensity, 3.0);
    EXPECT_EQ(t.Band(2).separate, 1);
    EXPECT_TRUE(doc.IsModified());
}

TEST(PeakTable, AssignWidthAndScaleAffectSelectionOrEverything) {
    CTrazelDoc doc = DocWithPeaks(3);
    doc.AssignWidth(7.0, {});
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(doc.Table().Band(i).width, 7.0);
    }
    doc.AssignWidth(9.0, {0, 2});
    EXPECT_EQ(doc.Table().Band(3).width, 9.0);
    EXPECT_EQ(doc.Table().Band(2).width, 7.0);
    EXPECT_EQ(doc.Table().Band(1).width, 9.0);
    EXPECT_EQ(doc.Table().Band(3).scaledPosition, 300.0);

    doc.AssignScale(2.0, {1});
    EXPECT_EQ(doc.Table().Band(2).scaledPosition, 400.0);
    EXPECT_EQ(doc.Table().Band(3).scale, 1.0);
    doc.AssignScale(0.5, {});
    EXPECT_EQ(doc.Table().Band(1).scaledPosition, 50.0);
    EXPECT_EQ(doc.Table().Band(3).scaledPosition, 150.0);
    EXPECT_TRUE(doc.IsModified());
}

TEST(PeakTable, ToggleTwiceRestoresFlags) {
    CTrazelDoc doc = DocWithPeaks(3);
    doc.ToggleSeparate({0, 1});
    EXPECT_EQ(doc.Table().Band(3).separate, 1);
    EXPECT_EQ(doc.Table().Band(2).separate, 1);
    EXPECT_EQ(doc.Table().Band(1).separate, 0);
    doc.ToggleSeparate({0, 1});
    EXPECT_EQ(doc.Table().Band(3).separate, 0);
    EXPECT_EQ(doc.Table().Band(2).separate, 0);
    EXPECT_TRUE(doc.IsModified());
}

TEST(PeakTable, ReplacePeakRecomputesScaledPositionAndMarksModified) {
    CTrazelDoc doc = DocWithPeaks(2);
    doc.ReplacePeak(1, 250.0, 4.0, 8.0, 1, 4.0);
    const PeakTable& t = doc.Table();
    EXPECT_EQ(t.Band(1).position, 250.0);
    EXPECT_EQ(t.Band(1).intensity, 4.0);
    EXPECT_EQ(t.Band(1).width, 8.0);
    EXPECT_EQ(t.Band(1).separate, 1);
    EXPECT_EQ(t.Band(1).scaledPosition, 1000.0);
    EXPECT_EQ(t.Band(2).scaledPosition, 200.0);
    EXPECT_TRUE(doc.IsModified());
}

// The fitted analysis over its two bands: band 2 held, a last fit.
CTrazelDoc FittedDocument() {
    analysis::StoredAnalysis stored;
    stored.analysis = analysis::FittedAnalysis();
    CTrazelDoc doc;
    doc.OpenStored(analysis::kFittedGuess, std::move(stored));
    return doc;
}

struct ChangeCase {
    const char* name;
    std::function<void(CTrazelDoc&)> operation;
    DocumentChange told;  // None: nobody is told
    int bands;            // after it
    bool modified;        // after it, from an unmodified document
};

class Notification : public testing::TestWithParam<ChangeCase> {};

// Each operation tells its listeners once what it changed, and nothing when
// it changed nothing; a change of the table that moves the bands a record
// names changes the analysis too. The table's rule for the modified flag
// holds beside it: a table with peaks counts as modified after any of its
// operations, even one that changed nothing; emptying it, or the analysis
// alone, leaves the flag to the history.
TEST_P(Notification, TellsOnceWhatTheOperationChanged) {
    CTrazelDoc doc = FittedDocument();
    const PeakTable before = doc.Table();
    std::vector<DocumentChange> told;
    doc.Listen(&told, [&told](DocumentChange change) { told.push_back(change); });
    GetParam().operation(doc);
    const bool none = GetParam().told == DocumentChange::None;
    EXPECT_EQ(told,
              none ? std::vector<DocumentChange>{} : std::vector<DocumentChange>{GetParam().told});
    EXPECT_EQ(doc.Table().PeakCount(), GetParam().bands);
    EXPECT_EQ(doc.IsModified(), GetParam().modified);
    if (none) {
        EXPECT_TRUE(SameBands(doc.Table(), before));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Document, Notification,
    testing::Values(
        ChangeCase{"addPeak", [](CTrazelDoc& d) { d.AddPeak(50, 1, 2, 1); }, DocumentChange::Table,
                   3, true},
        ChangeCase{"widthOfAll", [](CTrazelDoc& d) { d.AssignWidth(3, {}); }, DocumentChange::Table,
                   2, true},
        ChangeCase{"deleteTheUnheld", [](CTrazelDoc& d) { d.DeleteRows({1}); },
                   DocumentChange::Both, 1, true},
        ChangeCase{"deleteNothing", [](CTrazelDoc& d) { d.DeleteRows({}); }, DocumentChange::None,
                   2, true},
        ChangeCase{"toggleNothing", [](CTrazelDoc& d) { d.ToggleSeparate({}); },
                   DocumentChange::None, 2, true},
        ChangeCase{"replaceOutside", [](CTrazelDoc& d) { d.ReplacePeak(7, 1, 1, 1, 0, 1); },
                   DocumentChange::None, 2, false},
        ChangeCase{"deleteAll",
                   [](CTrazelDoc& d) {
                       d.DeleteRows({0, 1});
                   },
                   DocumentChange::Both, 0, true},
        ChangeCase{"clear", [](CTrazelDoc& d) { d.ClearPeaks(); }, DocumentChange::Both, 0, false},
        ChangeCase{"titles",
                   [](CTrazelDoc& d) {
                       d.SetAxisTitles({"a", "b"});
                   },
                   DocumentChange::Analysis, 2, false},
        ChangeCase{"sameTitles",
                   [](CTrazelDoc& d) { d.SetAxisTitles(*d.GetAnalysis().axisTitles); },
                   DocumentChange::None, 2, false},
        ChangeCase{"removeSpectrum", [](CTrazelDoc& d) { d.RemoveMeasured(); },
                   DocumentChange::Analysis, 2, false},
        ChangeCase{"applyFit",
                   [](CTrazelDoc& d) { d.ApplyFit(*SoleFit(analysis::FittedAnalysis())); },
                   DocumentChange::Both, 2, true},
        ChangeCase{"foundBandsInPlace",
                   [](CTrazelDoc& d) { d.PutFoundBands({{.position = 20}}, {}, true); },
                   DocumentChange::Both, 1, true},
        ChangeCase{"restore", [](CTrazelDoc& d) { d.Restore({}); }, DocumentChange::Both, 0, false},
        ChangeCase{"new", [](CTrazelDoc& d) { d.OnNewDocument(); }, DocumentChange::Both, 0,
                   false}),
    [](const testing::TestParamInfo<ChangeCase>& info) { return info.param.name; });

}  // namespace
