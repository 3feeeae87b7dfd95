#include "analysis/spectrum_comparison.h"

#include "analysis/analysis_file.h"
#include "analysis/fit_export.h"
#include "model/document_section.h"
#include "output/printed_report.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/computed_spectrum.h"

namespace trazel::analysis {
namespace {

struct ComparisonCase {
    const char* name;
    ComputedTruth truth;
    bool shift = false;
    // Whether the measurement holds exactly the model, so that the values
    // must come back within three standard errors.
    bool withinErrors = true;
    fit::Agreement agreement = fit::Agreement::Good;
};

const ComparisonCase kCases[] = {
    {"escala_0_965", {}},
    {"desplazamiento", {.scale = 0.95, .shift = 20.0}, true},
    {"bandas_que_faltan_y_sobran",
     {.missingEvery = 10, .extra = 2},
     false,
     false,
     fit::Agreement::Partial},
    {"escala_lejos_del_inicio", {.scale = 0.88, .width = 15.0}},
    {"espectro_sin_relacion", {.unrelated = true}, false, false, fit::Agreement::None},
};

class ComparisonTable : public testing::TestWithParam<ComparisonCase> {};

TEST_P(ComparisonTable, RecoversTheValuesAndAssignsEveryBand) {
    const ComparisonCase& c = GetParam();
    const ComputedTruth& truth = c.truth;
    const model::PeakTable computed = ComputedList(7);
    const model::PeakTable measuredTable = MeasuredTable(computed, truth, 7);
    const Analysis analysis = MeasuredAnalysis(measuredTable, truth.noise, 11);
    ComparisonSettings settings;
    settings.shift = c.shift;
    const ComparisonRecord record =
        CompareWithMeasured(analysis, computed, model::Gaussian, settings);
    const fit::ComparisonResult& r = record.result;
    ASSERT_TRUE(r.Ok()) << r.failure;
    EXPECT_EQ(r.agreement, c.agreement) << fit::AgreementText(r);
    if (truth.unrelated) {
        EXPECT_LT(std::abs(r.pearson), 0.5);
        return;
    }
    const double least = c.agreement == fit::Agreement::Good ? 0.9 : 0.7;
    EXPECT_GT(r.pearson, least);
    EXPECT_GT(r.cosine, least);
    const auto near = [&](const fit::Estimate& e, double otherwise) {
        return c.withinErrors ? 3.0 * e.error : otherwise;
    };
    EXPECT_NEAR(r.scale.value, truth.scale, near(r.scale, 2e-3));
    EXPECT_NEAR(r.width.value, truth.width, near(r.width, 1.5));
    EXPECT_NEAR(r.factor.value, truth.factor, near(r.factor, 2e-3));
    if (c.shift) {
        EXPECT_NEAR(r.shift.value, truth.shift, near(r.shift, 0));
    }
    if (c.withinErrors) {
        // Errors that say something: not zero, and not a tenth of the value.
        EXPECT_GT(r.scale.error, 0.0);
        EXPECT_LT(r.scale.error, 1e-3);
    }

    // Each computed band on the measured band it made, or alone when the
    // measurement leaves it out; the extra measured bands alone.
    int extra = 0;
    for (const AssignmentRow& row : record.rows) {
        if (row.band == 0) {
            ++extra;
            continue;
        }
        const int i = row.band - 1;
        const bool missing =
            truth.missingEvery > 0 && i % truth.missingEvery == truth.missingEvery - 1;
        EXPECT_EQ(row.matched, !missing) << "banda " << row.band;
        if (row.matched) {
            const double expected =
                truth.scale * computed.bands[static_cast<std::size_t>(i)].position + truth.shift;
            EXPECT_NEAR(row.measured, expected, 1.0) << "banda " << row.band;
            EXPECT_NEAR(row.deviation, row.measured - row.scaled, 1e-9);
            EXPECT_NEAR(row.bandScale, truth.scale, 2e-3);
        }
    }
    EXPECT_EQ(extra, truth.extra);
}

INSTANTIATE_TEST_SUITE_P(Synthetic, ComparisonTable, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// "Aplicar" without a shift keeps the calculation's wavenumbers and writes
// the factor into the scales; with one, the positions move and the scales
// are 1. Either way the table still belongs to its record.
TEST(ComparisonApply, WritesScaleOrPositions) {
    const model::PeakTable computed = ComputedList(7, 6);
    ComparisonRecord record;
    record.bands = fit::ComputedBandsOf(computed, model::Gaussian);
    record.result.scale.value = 0.96;
    record.result.width.value = 11.0;
    record.result.factor.value = 0.02;
    for (const bool shifted : {false, true}) {
        record.result.shift = {.value = shifted ? 15.0 : 0.0, .free = shifted};
        const model::PeakTable applied = AppliedComparison(computed, record);
        for (std::size_t i = 0; i < computed.bands.size(); ++i) {
            const model::Peak& band = applied.bands[i];
            EXPECT_DOUBLE_EQ(band.scaledPosition,
                             0.96 * computed.bands[i].position + (shifted ? 15.0 : 0.0));
            EXPECT_EQ(band.scale, shifted ? 1.0 : 0.96);
            EXPECT_EQ(band.width, 11.0);
            EXPECT_DOUBLE_EQ(band.intensity, 0.02 * computed.bands[i].intensity);
        }
        EXPECT_TRUE(ComparisonFitsTable(record, applied));
    }
    model::PeakTable other = computed;
    other.bands[2].position += 1.0;
    EXPECT_FALSE(ComparisonFitsTable(record, other));
}

// The comparison is written with the document and read back bit for bit,
// with the table as applied; a table whose bands are no longer the
// calculation's reads without it, and a record of ours twice is damage.
TEST(ComparisonFile, RoundTripsAndFollowsTheTable) {
    const model::PeakTable computed = ComputedList(7);
    Analysis analysis = MeasuredAnalysis(MeasuredTable(computed, {.extra = 1}, 7), 0.004, 11);
    ComparisonSettings settings;
    settings.xMin = 450.0;
    settings.shift = true;
    settings.baseline = fit::Baseline::Linear;
    analysis.comparison = CompareWithMeasured(analysis, computed, model::Gaussian, settings);
    ASSERT_TRUE(analysis.comparison->result.Ok()) << analysis.comparison->result.failure;
    const model::PeakTable applied = AppliedComparison(computed, *analysis.comparison);
    const std::string bytes = model::SectionBytes(AnalysisSection(analysis, applied));
    const StoredAnalysis stored = AnalysisFromSection(model::ReadSection(bytes), applied);
    ASSERT_EQ(stored.notice, "");
    ASSERT_TRUE(stored.analysis.comparison.has_value());
    EXPECT_EQ(stored.analysis.comparison->settings, analysis.comparison->settings);
    EXPECT_EQ(stored.analysis.comparison->rows, analysis.comparison->rows);
    EXPECT_EQ(model::SectionBytes(AnalysisSection(stored.analysis, applied)), bytes);

    model::PeakTable edited = applied;
    edited.bands[3].position += 5.0;
    EXPECT_FALSE(AnalysisFromSection(model::ReadSection(bytes), edited).analysis.comparison);

    model::DocumentSection twice = AnalysisSection(analysis, applied);
    twice.records.push_back(twice.records.back());
    EXPECT_TRUE(
        AnalysisFromSection(model::ReadSection(model::SectionBytes(twice)), applied).unread);
}

// The printed fit page tells the comparison after the fit, a row per band
// of the assignment, on a page of its own when a fit's report comes first.
TEST(ComparisonFile, IsPrintedAfterTheFit) {
    const model::PeakTable computed = ComputedList(7);
    Analysis analysis = MeasuredAnalysis(MeasuredTable(computed, {}, 7), 0.004, 11);
    analysis.comparison = CompareWithMeasured(analysis, computed, model::Gaussian, {});
    ASSERT_TRUE(analysis.comparison->result.Ok()) << analysis.comparison->result.failure;
    std::vector<output::ReportSheet> sheets = PrintedSheets(analysis, {});
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].rows.size(), analysis.comparison->rows.size());
    const std::size_t alone = output::FitPagesOf(sheets).size();
    sheets.insert(sheets.begin(), sheets[0]);
    const auto pages = output::FitPagesOf(sheets);
    ASSERT_GT(pages.size(), alone);
    EXPECT_EQ(pages[alone].front().text, sheets[1].heading);
    analysis.measured.reset();
    EXPECT_TRUE(PrintedSheets(analysis, {}).empty());
}

}  // namespace
}  // namespace trazel::analysis
