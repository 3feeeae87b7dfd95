#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analysis/analysis_file.h"
#include "tests/support/fitted_analysis.h"

using namespace trazel::analysis;
using namespace trazel::model;
using namespace trazel;

namespace {

const PeakTable kGuess = kFittedGuess;

Analysis Fitted() {
    return FittedAnalysis();
}

SectionRead Reread(const Analysis& analysis) {
    return ReadSection(SectionBytes(AnalysisSection(analysis)));
}

}  // namespace

// Written and read back, the analysis gives the very same bytes again, the
// unknown record included; an analysis of nothing writes nothing.
TEST(AnalysisFile, RoundTripsBitForBit) {
    const Analysis analysis = Fitted();
    const std::string bytes = SectionBytes(AnalysisSection(analysis));
    const StoredAnalysis stored = AnalysisFromSection(ReadSection(bytes), kGuess);
    ASSERT_EQ(stored.notice, "");
    EXPECT_EQ(SectionBytes(AnalysisSection(stored.analysis)), bytes);
    EXPECT_EQ(stored.analysis.measured->transform, analysis.measured->transform);
    EXPECT_EQ(stored.analysis.measured->Header().yKind, YUnit::Transmittance);
    EXPECT_EQ(stored.analysis.measured->points->header, analysis.measured->points->header);
    // Without a change of x or y the document is written as before there was one.
    Analysis unchanged = analysis;
    unchanged.measured->transform = {.yFactor = 0.5};
    for (const SectionRecord& record : AnalysisSection(unchanged).records) {
        EXPECT_NE(record.tag, kTagMeasuredChange);
    }
    EXPECT_EQ(stored.analysis.lastFit->result.iterations, analysis.lastFit->result.iterations);
    EXPECT_EQ(stored.analysis.peakSearch, analysis.peakSearch);
    EXPECT_EQ(SectionBytesFor(Analysis{}, ""), "");
}

struct DamageCase {
    const char* name;
    std::function<void(Analysis&)> damage;
    const char* notice;
};

class DamagedAnalysis : public testing::TestWithParam<DamageCase> {};

// A record that makes no sense costs the whole analysis, never the table,
// and the notice says which record and why.
TEST_P(DamagedAnalysis, IsLeftUnreadWithItsReason) {
    Analysis analysis = Fitted();
    GetParam().damage(analysis);
    const StoredAnalysis stored = AnalysisFromSection(Reread(analysis), kGuess);
    EXPECT_NE(stored.notice.find(GetParam().notice), std::string::npos) << stored.notice;
    EXPECT_FALSE(stored.analysis.measured);
    EXPECT_FALSE(stored.analysis.lastFit);
}

INSTANTIATE_TEST_SUITE_P(
    AnalysisFile, DamagedAnalysis,
    testing::Values(
        DamageCase{"point_not_finite",
                   [](Analysis& a) {
                       auto points = *a.measured->points;
                       points.y[3] = std::numeric_limits<double>::quiet_NaN();
                       a.measured->points = std::make_shared<const input::MeasuredSpectrum>(points);
                   },
                   "no es un número finito"},
        DamageCase{"unpaired_points",
                   [](Analysis& a) {
                       auto points = *a.measured->points;
                       points.y.pop_back();
                       a.measured->points = std::make_shared<const input::MeasuredSpectrum>(points);
                   },
                   "no forman pares"},
        DamageCase{"fitted_band_outside_its_table",
                   [](Analysis& a) { a.lastFit->result.bands[0].index = 9; },
                   "no está en la tabla"},
        DamageCase{"raman_shift_without_laser",
                   [](Analysis& a) {
                       a.measured->transform = {.x = input::XChange::RamanShift, .laserNm = 0};
                   },
                   "láser"},
        DamageCase{"unknown_y_change",
                   [](Analysis& a) { a.measured->transform.y = static_cast<input::YChange>(9); },
                   "clase desconocida"},
        DamageCase{"unknown_line_shape", [](Analysis& a) { a.lastFit->lineShape = 7; },
                   "forma de las bandas"},
        DamageCase{"even_smoothing_window", [](Analysis& a) { a.peakSearch->window = 20; },
                   "búsqueda de bandas"},
        DamageCase{"als_p_beyond_one",
                   [](Analysis& a) {
                       a.measured->transform.als = input::AlsOptions{1e5, 1.5};
                   },
                   "λ o p no son válidos"},
        DamageCase{"unknown_baseline_degree",
                   [](Analysis& a) { a.fitSettings.baseline = static_cast<fit::Baseline>(9); },
                   "clase desconocida"},
        DamageCase{"known_record_twice",
                   [](Analysis& a) { a.keptRecords.push_back(AnalysisSection(a).records.front()); },
                   "aparece dos veces"}),
    [](const testing::TestParamInfo<DamageCase>& info) { return info.param.name; });

struct NewOptionCase {
    const char* name;
    std::function<void(Analysis&)> set;
    // What a version that knows none of records 10 to 12 reads.
    std::function<bool(const Analysis&)> olderReads;
};

class NewOptions : public testing::TestWithParam<NewOptionCase> {};

// Baselines of degree 2 and 3, negative intensities, the subtracted baseline
// and a fit's verdict come back as they went; a version that keeps records
// 10 to 12 unread opens the rest as it always did.
TEST_P(NewOptions, ComeBackAndLeaveOlderRecordsReadable) {
    Analysis analysis = Fitted();
    GetParam().set(analysis);
    const std::string bytes = SectionBytes(AnalysisSection(analysis));
    const StoredAnalysis stored = AnalysisFromSection(ReadSection(bytes), kGuess);
    ASSERT_EQ(stored.notice, "");
    EXPECT_EQ(SectionBytes(AnalysisSection(stored.analysis)), bytes);
    DocumentSection older = AnalysisSection(analysis);
    std::erase_if(older.records, [](const SectionRecord& r) { return r.tag >= kTagFitOptions; });
    const StoredAnalysis old = AnalysisFromSection(ReadSection(SectionBytes(older)), kGuess);
    ASSERT_EQ(old.notice, "");
    EXPECT_TRUE(GetParam().olderReads(old.analysis));
}

INSTANTIATE_TEST_SUITE_P(
    AnalysisFile, NewOptions,
    testing::Values(NewOptionCase{"parabolaAndNegatives",
                                  [](Analysis& a) {
                                      a.fitSettings.baseline = fit::Baseline::Quadratic;
                                      a.fitSettings.allowNegative = true;
                                  },
                                  [](const Analysis& a) {
                                      return a.fitSettings.baseline == fit::Baseline::Linear &&
                                             !a.fitSettings.allowNegative;
                                  }},
                    NewOptionCase{"alsSubtracted",
                                  [](Analysis& a) {
                                      a.measured->transform.als = input::AlsOptions{1e4, 0.05};
                                  },
                                  [](const Analysis& a) { return !a.measured->transform.als; }},
                    // The centred baseline and the verdict: an earlier version reads the
                    // constant and slope in powers of x that give the same straight line.
                    NewOptionCase{"fitAboutItsCentre", [](Analysis&) {},
                                  [](const Analysis& a) {
                                      const fit::FitResult& r = a.lastFit->result;
                                      return r.baselineCentre == 0.0 && r.baseline.size() == 1 &&
                                             std::fabs(fit::BaselineAt(r, 50.0) -
                                                       Fitted().lastFit->result.baseline[0].value) <
                                                 1e-12;
                                  }}),
    [](const testing::TestParamInfo<NewOptionCase>& info) { return info.param.name; });

// A section of a later version, or one damaged on disk, opens the table
// alone and says so; the later one is written back as it came.
TEST(AnalysisFile, NewerOrDamagedSectionsOpenTheTableAlone) {
    std::string bytes = SectionBytes(AnalysisSection(Fitted()));
    bytes[4] = 2;
    const StoredAnalysis newer = AnalysisFromSection(ReadSection(bytes), kGuess);
    EXPECT_NE(newer.notice.find("más reciente"), std::string::npos);
    EXPECT_EQ(SectionBytesFor(newer.analysis, newer.newerSection), bytes);
    bytes[4] = 1;
    bytes.back() ^= 1;
    const StoredAnalysis damaged = AnalysisFromSection(ReadSection(bytes), kGuess);
    EXPECT_NE(damaged.notice.find("suma de comprobación"), std::string::npos) << damaged.notice;
    EXPECT_EQ(SectionBytesFor(damaged.analysis, damaged.newerSection), "");
}
