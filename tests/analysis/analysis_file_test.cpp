#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/analysis_file.h"
#include "fit/fit_report.h"
#include "tests/support/fitted_analysis.h"

using namespace trazel::analysis;
using namespace trazel::model;
using namespace trazel;

namespace {

const PeakTable kGuess = kFittedGuess;

Analysis Fitted() {
    return FittedAnalysis();
}

// Fitted() with two regions more beside its one over 0..100: one fitted
// over 100..150 with its own baseline, one over 150..200 not fitted yet.
void AddRegions(Analysis& a) {
    FitRecord second = *SoleFit(a);
    second.xMin = 100;
    second.xMax = 150;
    second.settings.baseline = fit::Baseline::None;
    second.result.baseline.clear();
    second.result.rSquared = 0.5;
    a.regions.push_back(RegionOf(second));
    FitRegion third;
    third.settings.xMin = 150;
    third.settings.xMax = 200;
    third.settings.heldBands = {1};
    a.regions.push_back(third);
}

}  // namespace

// Written and read back, the analysis gives the very same bytes again, the
// unknown record included; an analysis of nothing writes nothing.
TEST(AnalysisFile, RoundTripsBitForBit) {
    const Analysis analysis = Fitted();
    const std::string bytes = SectionBytes(AnalysisSection(analysis, kGuess));
    const StoredAnalysis stored = AnalysisFromSection(ReadSection(bytes), kGuess);
    ASSERT_EQ(stored.notice, "");
    EXPECT_EQ(SectionBytes(AnalysisSection(stored.analysis, kGuess)), bytes);
    EXPECT_EQ(stored.analysis.measured->transform, analysis.measured->transform);
    EXPECT_EQ(stored.analysis.measured->Header().yKind, YUnit::Transmittance);
    EXPECT_EQ(stored.analysis.measured->points->header, analysis.measured->points->header);
    // Without a change of x or y the document is written as before there was one.
    Analysis unchanged = analysis;
    unchanged.measured->transform = {.yFactor = 0.5};
    for (const SectionRecord& record : AnalysisSection(unchanged, kGuess).records) {
        EXPECT_NE(record.tag, kTagMeasuredChange);
    }
    EXPECT_EQ(SoleFit(stored.analysis)->result.iterations, SoleFit(analysis)->result.iterations);
    EXPECT_EQ(stored.analysis.peakSearch, analysis.peakSearch);
    EXPECT_EQ(SectionBytesFor(Analysis{}, kGuess, ""), "");
}

struct DamageCase {
    const char* name;
    std::function<void(Analysis&)> damage;
    const char* notice;
};

class DamagedAnalysis : public testing::TestWithParam<DamageCase> {};

// A record that makes no sense costs the whole analysis, never the table,
// and the notice says which record and why; the section is kept to be
// written back as it came.
TEST_P(DamagedAnalysis, IsLeftUnreadWithItsReason) {
    Analysis analysis = Fitted();
    GetParam().damage(analysis);
    const std::string bytes = SectionBytes(AnalysisSection(analysis, kGuess));
    const StoredAnalysis stored = AnalysisFromSection(ReadSection(bytes), kGuess);
    EXPECT_NE(stored.notice.find(GetParam().notice), std::string::npos) << stored.notice;
    EXPECT_FALSE(stored.analysis.measured);
    EXPECT_FALSE(SoleFit(stored.analysis));
    EXPECT_TRUE(stored.unread);
    EXPECT_EQ(SectionBytesFor(stored.analysis, kGuess, stored.keptSection), bytes);
}

namespace {

// A record of the analysis written a second time, as a later record.
std::function<void(Analysis&)> Twice(std::uint32_t tag) {
    return [tag](Analysis& a) {
        for (const SectionRecord& record : AnalysisSection(a, kGuess).records) {
            if (record.tag == tag) {
                a.keptRecords.push_back(record);
            }
        }
    };
}

}  // namespace

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
                   [](Analysis& a) { SoleFit(a)->result.bands[0].index = 9; },
                   "no está en la tabla"},
        DamageCase{"raman_shift_without_laser",
                   [](Analysis& a) {
                       a.measured->transform = {.x = input::XChange::RamanShift, .laserNm = 0};
                   },
                   "láser"},
        DamageCase{"unknown_y_change",
                   [](Analysis& a) { a.measured->transform.y = static_cast<input::YChange>(9); },
                   "clase desconocida"},
        DamageCase{"unknown_line_shape", [](Analysis& a) { SoleFit(a)->lineShape = 7; },
                   "forma de las bandas"},
        DamageCase{"share_beyond_one",
                   [](Analysis& a) {
                       SoleFit(a)->result.table.Band(1).shape = BandShape::PseudoVoigt;
                       SoleFit(a)->result.table.Band(1).share = 1.5;
                   },
                   "no está entre 0 y 1"},
        DamageCase{
            "unknown_band_shape",
            [](Analysis& a) { SoleFit(a)->result.table.Band(2).shape = static_cast<BandShape>(9); },
            "no es ninguna conocida"},
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
        DamageCase{"absorbance_of_zero_transmittance",
                   [](Analysis& a) {
                       auto points = *a.measured->points;
                       std::fill(points.y.begin(), points.y.end(), 0.0);
                       a.measured->points = std::make_shared<const input::MeasuredSpectrum>(points);
                       a.measured->transform = {.y = input::YChange::TransmittanceToAbsorbance};
                   },
                   "deja menos de dos puntos"},
        DamageCase{"nanometres_not_positive",
                   [](Analysis& a) {
                       auto points = *a.measured->points;
                       for (double& x : points.x) {
                           x = -x;
                       }
                       a.measured->points = std::make_shared<const input::MeasuredSpectrum>(points);
                       a.measured->transform = {.x = input::XChange::NanometreToWavenumber};
                   },
                   "deja menos de dos puntos"},
        DamageCase{"raman_laser_subnormal",
                   [](Analysis& a) {
                       a.measured->transform = {.x = input::XChange::RamanShift, .laserNm = 1e-320};
                   },
                   "deja menos de dos puntos"},
        DamageCase{"measured_twice", Twice(kTagMeasured),
                   "el espectro medido no es válido: aparece dos veces"},
        DamageCase{"fit_twice", Twice(kTagLastFit),
                   "el último ajuste no es válido: aparece dos veces"},
        DamageCase{"transform_twice", Twice(kTagTransform),
                   "la transformación del espectro no es válido: aparece dos veces"},
        DamageCase{"axis_titles_twice", Twice(kTagAxisTitles),
                   "los títulos de los ejes no es válido: aparece dos veces"},
        DamageCase{"change_twice", Twice(kTagMeasuredChange), "aparece dos veces"},
        DamageCase{"view_of_equal_limits",
                   [](Analysis& a) { a.plotView = PlotView{.xMin = 5, .xMax = 5, .yMax = 1}; },
                   "la vista del gráfico no es válido: los límites de la vista no son válidos"},
        DamageCase{"regions_overlapping",
                   [](Analysis& a) {
                       AddRegions(a);
                       a.regions[2].settings.xMin = 120;
                   },
                   "las regiones de ajuste no es válido: una región no tiene un intervalo válido "
                   "o se solapa con otra"},
        DamageCase{"regions_twice",
                   [](Analysis& a) {
                       AddRegions(a);
                       Twice(kTagFitRegions)(a);
                   },
                   "aparece dos veces"},
        DamageCase{"verdict_twice", Twice(kTagResidualVerdict),
                   "el veredicto sobre el residuo del último ajuste no es válido: aparece dos "
                   "veces"}),
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
    const std::string bytes = SectionBytes(AnalysisSection(analysis, kGuess));
    const StoredAnalysis stored = AnalysisFromSection(ReadSection(bytes), kGuess);
    ASSERT_EQ(stored.notice, "");
    EXPECT_EQ(SectionBytes(AnalysisSection(stored.analysis, kGuess)), bytes);
    DocumentSection older = AnalysisSection(analysis, kGuess);
    std::erase_if(older.records, [](const SectionRecord& r) { return r.tag >= kTagFitOptions; });
    const StoredAnalysis old = AnalysisFromSection(ReadSection(SectionBytes(older)), kGuess);
    ASSERT_EQ(old.notice, "");
    EXPECT_TRUE(GetParam().olderReads(old.analysis));
}

INSTANTIATE_TEST_SUITE_P(
    AnalysisFile, NewOptions,
    testing::Values(
        NewOptionCase{"parabolaAndNegatives",
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
        NewOptionCase{"plotView",
                      [](Analysis& a) { a.plotView = PlotView{1400, 1650, -0.1, 1.5, true, true}; },
                      [](const Analysis& a) { return !a.plotView; }},
        // The verdict on the residual, with its values; an earlier version
        // reads a fit whose residual was not judged.
        NewOptionCase{"residualVerdict",
                      [](Analysis& a) {
                          SoleFit(a)->result.residual = {.kind = fit::ResidualKind::MissingBand,
                                                         .noise = 0.004,
                                                         .noiseSpan = 3,
                                                         .ratio = 2.5,
                                                         .ratioLimit = 1.3,
                                                         .featureX = 1506,
                                                         .featureHeight = 0.03,
                                                         .featureWidth = 8,
                                                         .featurePercent = 23};
                      },
                      [](const Analysis& a) { return !SoleFit(a)->result.residual.Judged(); }},
        // Three regions, one not fitted: an earlier version reads the one
        // fit its records hold.
        NewOptionCase{"regions", AddRegions,
                      [](const Analysis& a) {
                          return a.regions.size() == 1 && a.regions[0].XMax() == 100.0;
                      }},
        NewOptionCase{"spectrumChosen", [](Analysis& a) { a.measured->columns.spectrum = 2; },
                      [](const Analysis& a) { return !a.measured->columns.spectrum; }},
        // The centred baseline and the verdict: an earlier version reads the
        // constant and slope in powers of x that give the same straight line.
        NewOptionCase{"fitAboutItsCentre", [](Analysis&) {},
                      [](const Analysis& a) {
                          const fit::FitResult& r = SoleFit(a)->result;
                          return r.baselineCentre == 0.0 && r.baseline.size() == 1 &&
                                 std::fabs(fit::BaselineAt(r, 50.0) -
                                           SoleFit(Fitted())->result.baseline[0].value) < 1e-12;
                      }}),
    [](const testing::TestParamInfo<NewOptionCase>& info) { return info.param.name; });

struct OldStopCase {
    const char* name;
    const char* words;
    fit::StopReason stop;
};

class OldStopWords : public testing::TestWithParam<OldStopCase> {};

// A document of an earlier version holds only the words of the fit's stop:
// the words this version wrote read as their reason, any others are kept;
// both are written back as they came, the known ones with their number.
TEST_P(OldStopWords, ReadAsTheirReasonAndWrittenBackTheSame) {
    Analysis old = Fitted();
    SoleFit(old)->result.stop = fit::StopReason::Unknown;
    SoleFit(old)->result.stopWords = GetParam().words;
    const StoredAnalysis stored =
        AnalysisFromSection(ReadSection(SectionBytes(AnalysisSection(old, kGuess))), kGuess);
    ASSERT_EQ(stored.notice, "");
    EXPECT_EQ(SoleFit(stored.analysis)->result.stop, GetParam().stop);
    EXPECT_EQ(fit::StopReasonWords(SoleFit(stored.analysis)->result), GetParam().words);
    const auto records = AnalysisSection(stored.analysis, kGuess).records;
    EXPECT_EQ(std::count_if(records.begin(), records.end(),
                            [](const SectionRecord& r) { return r.tag == kTagFitStop; }),
              GetParam().stop == fit::StopReason::Unknown ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    AnalysisFile, OldStopWords,
    testing::Values(
        OldStopCase{"atMinimum", "ningún paso reduce la suma de cuadrados: ya estaba en el mínimo",
                    fit::StopReason::AlreadyAtMinimum},
        OldStopCase{"valuesSettled", "los valores ya no cambian (paso relativo menor que 1e-10)",
                    fit::StopReason::ValuesSettled},
        OldStopCase{"flatGradient", "el gradiente es prácticamente nulo",
                    fit::StopReason::FlatGradient},
        OldStopCase{"sumSettled", "la suma de cuadrados ya no baja", fit::StopReason::SumSettled},
        OldStopCase{"wordsOfAnotherVersion", "se acabó la paciencia", fit::StopReason::Unknown}),
    [](const testing::TestParamInfo<OldStopCase>& info) { return info.param.name; });

// A section of a later version, or one damaged on disk, opens the table
// alone and says so; both are written back as they came.
TEST(AnalysisFile, NewerOrDamagedSectionsOpenTheTableAlone) {
    std::string bytes = SectionBytes(AnalysisSection(Fitted(), kGuess));
    bytes[4] = 2;
    const StoredAnalysis newer = AnalysisFromSection(ReadSection(bytes), kGuess);
    EXPECT_NE(newer.notice.find("más reciente"), std::string::npos);
    EXPECT_EQ(SectionBytesFor(newer.analysis, kGuess, newer.keptSection), bytes);
    bytes[4] = 1;
    bytes.back() ^= 1;
    const StoredAnalysis damaged = AnalysisFromSection(ReadSection(bytes), kGuess);
    EXPECT_NE(damaged.notice.find("suma de comprobación"), std::string::npos) << damaged.notice;
    EXPECT_EQ(SectionBytesFor(damaged.analysis, kGuess, damaged.keptSection), bytes);
}

// A fit an earlier version made over the document's regions is its one
// region on reading: the regions saved beside the fit it replaced are left
// out, with a note, and it is never read as a region it is not.
TEST(AnalysisFile, RegionsGoWhenAnEarlierVersionChangedTheFit) {
    Analysis analysis = Fitted();
    AddRegions(analysis);
    Analysis earlier = Fitted();
    SoleFit(earlier)->result.rSquared = 0.25;
    DocumentSection section = AnalysisSection(analysis, kGuess);
    for (SectionRecord& record : section.records) {
        for (const SectionRecord& changed : AnalysisSection(earlier, kGuess).records) {
            if (record.tag == kTagLastFit && changed.tag == kTagLastFit) {
                record.bytes = changed.bytes;
            }
        }
    }
    const StoredAnalysis stored = AnalysisFromSection(ReadSection(SectionBytes(section)), kGuess);
    EXPECT_NE(stored.notice.find("como su única región de ajuste"), std::string::npos)
        << stored.notice;
    ASSERT_EQ(stored.analysis.regions.size(), 1u);
    EXPECT_EQ(SoleFit(stored.analysis)->result.rSquared, 0.25);
}

struct GuardCase {
    const char* name;
    // The table the section is read with, after it was written for kGuess.
    PeakTable table;
    bool withGuard;
    bool fitKept;
};

class BandGuard : public testing::TestWithParam<GuardCase> {};

// A section written for one table and read with another, as after a version
// that kept the records unread changed the table, drops what names bands by
// their index and says so; the rest of the analysis stays. A section written
// before guards were is read as it always was.
TEST_P(BandGuard, DropsTheRecordsNamingBandsOfAnotherTable) {
    DocumentSection section = AnalysisSection(Fitted(), kGuess);
    if (!GetParam().withGuard) {
        std::erase_if(section.records,
                      [](const SectionRecord& r) { return r.tag == kTagBandGuard; });
    }
    const StoredAnalysis stored =
        AnalysisFromSection(ReadSection(SectionBytes(section)), GetParam().table);
    EXPECT_FALSE(stored.unread);
    EXPECT_EQ((SoleFit(stored.analysis) != nullptr), GetParam().fitKept);
    EXPECT_EQ(stored.analysis.fitSettings.heldBands.empty(), !GetParam().fitKept);
    EXPECT_EQ(stored.notice.find("otra versión") != std::string::npos, !GetParam().fitKept)
        << stored.notice;
    EXPECT_TRUE(stored.analysis.measured && stored.analysis.axisTitles);
    // The baseline is the fit's, and goes with it.
    EXPECT_EQ(BaselineAt(stored.analysis, 50).has_value(), GetParam().fitKept);
    EXPECT_EQ(stored.analysis.fitSettings.xMin, Fitted().fitSettings.xMin);
}

INSTANTIATE_TEST_SUITE_P(
    AnalysisFile, BandGuard,
    testing::Values(
        GuardCase{"sameTable", kGuess, true, true},
        GuardCase{"bandAdded", TableOf({{31, 0.9, 9}, {41, 0.55, 9}, {60, 1, 2}}), true, false},
        GuardCase{"valueChanged", TableOf({{31, 0.9, 9}, {41, 0.56, 9}}), true, false},
        GuardCase{"flagChanged", TableOf({{31, 0.9, 9, 1, true}, {41, 0.55, 9}}), true, false},
        GuardCase{"writtenBeforeGuards", TableOf({{31, 0.9, 9}, {41, 0.55, 9}, {60, 1, 2}}), false,
                  true}),
    [](const testing::TestParamInfo<GuardCase>& info) { return info.param.name; });

// The shapes of the bands of the table and of the last fit come back as they
// were written, and go with a table changed elsewhere, where they would name
// other bands.
TEST(AnalysisFile, ShapesRoundTripAndFollowTheGuard) {
    PeakTable shaped = kGuess;
    shaped.Band(2).shape = BandShape::PseudoVoigt;
    shaped.Band(2).share = 0.3;
    Analysis analysis = Fitted();
    SoleFit(analysis)->result.table.Band(1).shape = BandShape::Voigt;
    SoleFit(analysis)->result.table.Band(1).share = 0.25;
    SoleFit(analysis)->result.bands[0].share = {0.25, 0.01, true};
    const std::string bytes = SectionBytes(AnalysisSection(analysis, shaped));
    const StoredAnalysis stored = AnalysisFromSection(ReadSection(bytes), kGuess);
    ASSERT_EQ(stored.notice, "");
    PeakTable read = kGuess;
    PutShapes(read, stored);
    EXPECT_TRUE(SameBands(read, shaped));
    EXPECT_TRUE(SameBands(SoleFit(stored.analysis)->result.table, SoleFit(analysis)->result.table));
    EXPECT_EQ(SoleFit(stored.analysis)->result.bands[0].share.error, 0.01);
    EXPECT_EQ(SectionBytes(AnalysisSection(stored.analysis, read)), bytes);

    const StoredAnalysis stale =
        AnalysisFromSection(ReadSection(bytes), TableOf({{31, 0.9, 9}, {41, 0.56, 9}}));
    EXPECT_TRUE(stale.shapes.empty());
    EXPECT_NE(stale.notice.find("forma del documento"), std::string::npos) << stale.notice;
    // Without shapes anywhere there is no record of them.
    for (const SectionRecord& record : AnalysisSection(Fitted(), kGuess).records) {
        EXPECT_NE(record.tag, kTagBandShapes);
    }
}
