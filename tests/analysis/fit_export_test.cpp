#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "analysis/analysis_file.h"
#include "analysis/figure_data.h"
#include "analysis/fit_export.h"
#include "document/trazel_doc.h"
#include "platform/number_format.h"
#include "tests/support/fitted_analysis.h"

using namespace trazel::analysis;
using namespace trazel;
using trazel::model::ReadSection;
using trazel::model::SectionBytes;

namespace {

using Table = std::vector<std::vector<std::string>>;

// The lines of a CSV text up to the first blank one, split at commas.
Table FirstTable(const std::string& csv) {
    Table table;
    std::istringstream in(csv);
    for (std::string line; std::getline(in, line) && !line.empty();) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');) {
            cells.push_back(cell);
        }
        table.push_back(cells);
    }
    return table;
}

double Number(const std::string& text) {
    return platform::ParseDouble(text).value_or(NAN);
}

struct CurvesCase {
    const char* name;
    fit::Baseline baseline;
    std::optional<double> step;
};

class CurvesTest : public testing::TestWithParam<CurvesCase> {};

// On every row the fit is the baseline plus the bands, and the residual the
// data as fitted minus the fit; the rows are the measured points of the
// range, or the grid of the step.
TEST_P(CurvesTest, AddUpOnEveryRow) {
    const Analysis analysis = FittedAnalysis(GetParam().baseline);
    const FitRecord& fit = *SoleFit(analysis);
    std::ostringstream text;
    platform::StreamSink sink(text);
    ASSERT_TRUE(WriteFitCurves(sink, *analysis.measured, fit, GetParam().step));
    const Table table = FirstTable(text.str());
    const std::vector<std::string>& names = table.front();
    // By name, whatever units follow it.
    const auto column = [&names](const std::string& name) {
        return std::find_if(names.begin(), names.end(),
                            [&name](const std::string& n) { return n.starts_with(name); }) -
               names.begin();
    };
    const auto bands = std::count_if(names.begin(), names.end(),
                                     [](const std::string& n) { return n.starts_with("banda_"); });
    EXPECT_EQ(bands, 2);
    const Curve data = FittedData(*analysis.measured, fit);
    const std::size_t rows =
        GetParam().step ? static_cast<std::size_t>((fit.xMax - fit.xMin) / *GetParam().step) + 1
                        : data.x.size();
    ASSERT_EQ(table.size(), rows + 1);
    for (std::size_t r = 1; r < table.size(); ++r) {
        const auto cell = [&](std::ptrdiff_t c) { return Number(table[r].at(std::size_t(c))); };
        double sum = cell(column("linea_base"));
        for (std::ptrdiff_t c = column("ajuste") + 1; c < column("ajuste") + 1 + bands; ++c) {
            sum += cell(c);
        }
        const double curve = cell(column("ajuste"));
        EXPECT_NEAR(curve, sum, 1e-12 * std::max(1.0, std::fabs(curve))) << "row " << r;
        if (!GetParam().step) {
            EXPECT_EQ(cell(0), data.x[r - 1]);
            EXPECT_EQ(cell(column("medido")), data.y[r - 1]);
            EXPECT_NEAR(cell(column("residuo")), data.y[r - 1] - curve, 1e-12);
        } else {
            EXPECT_EQ(column("medido"), std::ssize(names));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Baselines, CurvesTest,
                         testing::Values(CurvesCase{"none", fit::Baseline::None, std::nullopt},
                                         CurvesCase{"constant", fit::Baseline::Constant,
                                                    std::nullopt},
                                         CurvesCase{"cubicOnAGrid", fit::Baseline::Cubic, 0.37},
                                         CurvesCase{"lineCoarseGrid", fit::Baseline::Linear, 10.0}),
                         [](const auto& info) { return std::string(info.param.name); });

// The report of the fit the document stores, read back from its file, is
// the report of the fit the dialog showed; the CSV holds its values to the
// last bit and the shares add up to the whole.
TEST(FitReport, OfTheStoredFitIsThatOfTheFitShown) {
    const ReportOrigin origin{"ajuste.trz", "2025-03-14", "9.9"};
    for (const fit::Baseline baseline : {fit::Baseline::None, fit::Baseline::Quadratic}) {
        const Analysis shown = FittedAnalysis(baseline);
        const StoredAnalysis stored = AnalysisFromSection(
            ReadSection(SectionBytes(AnalysisSection(shown, kFittedGuess))), kFittedGuess);
        ASSERT_EQ(stored.notice, "");
        const Analysis& read = stored.analysis;
        EXPECT_EQ(FitReportText(*read.measured, *SoleFit(read), origin),
                  FitReportText(*shown.measured, *SoleFit(shown), origin));
        const std::string csv = FitReportCsv(*read.measured, *SoleFit(read), origin);
        EXPECT_EQ(csv, FitReportCsv(*shown.measured, *SoleFit(shown), origin));
        const Table bands = FirstTable(csv);
        const auto& fitted = SoleFit(shown)->result.bands;
        ASSERT_EQ(bands.size(), fitted.size() + 1);
        double shares = 0.0;
        for (std::size_t row = 1; row < bands.size(); ++row) {
            const fit::FittedBand& band = fitted[fitted.size() - row];
            EXPECT_EQ(Number(bands[row][1]), band.position.value);
            EXPECT_EQ(Number(bands[row][10]), band.area.value);
            shares += Number(bands[row].back());
        }
        EXPECT_NEAR(shares, 100.0, 1e-9);
    }
}

// A band put where the spectrum has none ends the fit with a height that
// the noise cannot tell from zero: it is the one "Aplicar" offers to leave
// out.
TEST(FitReport, TellsTheBandsLeftWithoutSignal) {
    const SyntheticSpectrum made =
        MakeSpectrum(TableOf({{30, 1, 8}, {42, 0.5, 10}}), {.xMin = 0, .xMax = 100}, 0.005, 3);
    for (const auto& [extra, dead] :
         {std::pair{0.0, std::vector<int>{}}, std::pair{70.0, std::vector<int>{3}}}) {
        document::CTrazelDoc document;
        document.OnNewDocument();
        model::PeakTable table = kFittedGuess;
        if (extra != 0.0) {
            AppendBand(table, {.position = extra, .intensity = 0.3, .width = 9});
        }
        document.OpenTable(table);
        document.SetMeasured(MeasuredFrom({.x = made.x, .y = made.y}, "/datos/medido.txt"));
        FitSettings settings;
        settings.xMin = 10;
        settings.xMax = 90;
        const fit::FitResult result =
            fit::FitBands(document.PoseFit(settings, model::Gaussian, false));
        ASSERT_TRUE(result.Ok()) << FailureText(result);
        EXPECT_EQ(
            BandsWithoutSignal({.settings = settings, .xMin = 10, .xMax = 90, .result = result}),
            dead)
            << extra;
    }
}

// A band centred outside the range fitted is held (its tail still in the
// model), and the report neither lists it nor counts it in the shares: the
// same fit gives the same report whatever else the table holds.
TEST(FitReport, LeavesOutTheBandsCentredOutsideTheRange) {
    const SyntheticSpectrum made =
        MakeSpectrum(TableOf({{30, 1, 8}, {42, 0.5, 10}}), {.xMin = 0, .xMax = 100}, 0.005, 3);
    const ReportOrigin origin{"ajuste.trz", "2025-03-14", "9.9"};
    std::string alone;
    for (const double outside : {0.0, 400.0, -150.0}) {
        document::CTrazelDoc document;
        document.OnNewDocument();
        model::PeakTable table = kFittedGuess;
        if (outside != 0.0) {
            table = TableOf({{outside, 2, 30}, {31, 0.9, 9}, {41, 0.55, 9}});
        }
        document.OpenTable(table);
        document.SetMeasured(MeasuredFrom({.x = made.x, .y = made.y}, "/datos/medido.txt"));
        FitSettings settings;
        settings.xMin = 10;
        settings.xMax = 90;
        const fit::FitProblem problem = document.PoseFit(settings, model::Gaussian, false);
        for (int k = 1; k <= table.PeakCount(); ++k) {
            EXPECT_EQ(problem.freedom[static_cast<std::size_t>(k)].Any(),
                      table.Band(k).position != outside)
                << k;
        }
        const fit::FitResult result = fit::FitBands(problem);
        ASSERT_TRUE(result.Ok()) << FailureText(result);
        document.ApplyFit({.settings = settings, .xMin = 10, .xMax = 90, .result = result});
        const FitRecord& fit = *SoleFit(document.GetAnalysis());
        const Table bands = FirstTable(FitReportCsv(*document.GetAnalysis().measured, fit, origin));
        ASSERT_EQ(bands.size(), 3u) << outside;
        double shares = 0.0;
        for (std::size_t row = 1; row < bands.size(); ++row) {
            shares += Number(bands[row].back());
        }
        EXPECT_NEAR(shares, 100.0, 1e-9);
        const std::string text = FitReportText(*document.GetAnalysis().measured, fit, origin);
        EXPECT_NE(text.find("de 2 de 2 bandas"), std::string::npos) << text;
        if (outside == 400.0) {
            // Its tail is a few millionths over the range: the same fit.
            EXPECT_EQ(text, alone);
        }
        if (outside == 0.0) {
            alone = text;
        }
    }
}

// Two regions, each with its band: the report tells each region's facts
// and the shares of its area and of both, the CSV leads every row with the
// region, the curves give a table per region, and the figure breaks its
// lines between the regions.
TEST(FitReport, OfTwoRegionsTellsEachAndTheirShares) {
    Analysis analysis = FittedAnalysis(fit::Baseline::Constant);
    FitRecord low = *SoleFit(analysis);
    low.xMax = 36;
    FitRecord high = *SoleFit(analysis);
    high.xMin = 36;
    analysis.regions = {RegionOf(low), RegionOf(high)};
    const std::vector<const FitRecord*> fits = RegionFits(analysis.regions);
    const std::string text = FitReportText(*analysis.measured, fits, {"doc.trz", "hoy", "1"});
    for (const char* part :
         {"Regiones de ajuste  ", "Región 1 ", "Región 2 ", "Área (% total)", "  Veredicto  "}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << '\n' << text;
    }
    const Table csv = FirstTable(FitReportCsv(*analysis.measured, fits, {}));
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(csv[0].front(), "region");
    EXPECT_EQ(csv[0].back(), "area_pct_total");
    EXPECT_EQ(csv[1].front() + csv[2].front(), "12");
    // Each band is the whole of its region, and a share of both.
    EXPECT_EQ(Number(csv[1][csv[1].size() - 2]), 100.0);
    EXPECT_NEAR(Number(csv[1].back()) + Number(csv[2].back()), 100.0, 1e-9);
    std::ostringstream curves;
    platform::StreamSink sink(curves);
    ASSERT_TRUE(WriteFitCurves(sink, *analysis.measured, fits));
    EXPECT_NE(curves.str().find("\n\nx,"), std::string::npos);
    const FigureData figure =
        ComputeFigure({kFittedGuess, analysis}, model::Gaussian, false, 0, 100, 200);
    for (const Curve* curve : {&figure.fit, &figure.residual, &figure.baseline}) {
        EXPECT_EQ(
            std::count_if(curve->y.begin(), curve->y.end(), [](double y) { return std::isnan(y); }),
            1);
    }
}

// A band of a shape of its own adds the shape's column to the text report,
// with a mixed one's share and its error; the report without one is the
// same bytes with six columns.
TEST(FitReport, NamesTheShapeWhereABandHasItsOwn) {
    const ReportOrigin origin{"ajuste.trz", "2025-03-14", "9.9"};
    Analysis analysis = FittedAnalysis(fit::Baseline::None);
    fit::FitResult& result = SoleFit(analysis)->result;
    const auto table = [&] {
        const std::string text = FitReportText(*analysis.measured, *SoleFit(analysis), origin);
        const std::size_t from = text.find("\nBanda");
        return text.substr(from + 1, text.find("\n\n", from) - from);
    };
    const auto lines = [](const std::string& text) {
        std::vector<std::string> all;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            all.push_back(line);
        }
        return all;
    };
    const std::vector<std::string> plain = lines(table());
    result.table.Band(1).shape = model::BandShape::PseudoVoigt;
    result.bands[0].share = {.value = 0.25, .error = 0.0125, .free = true};
    const std::vector<std::string> shaped = lines(table());
    // Newest first: band 2 follows the document, band 1 is the pseudo-Voigt.
    const std::string ends[] = {"Forma", "doc", "pv 0.250 ± 0.013"};
    ASSERT_EQ(shaped.size(), std::size(ends));
    ASSERT_EQ(plain.size(), std::size(ends));
    for (std::size_t i = 0; i < std::size(ends); ++i) {
        EXPECT_TRUE(shaped[i].starts_with(plain[i]) && shaped[i].ends_with("   " + ends[i]))
            << shaped[i];
    }
}

// A fitted baseline holds over the range it was fitted on: drawn there,
// within the view, and not across the rest of the spectrum.
TEST(FigureBaseline, IsDrawnOverTheRangeFitted) {
    Analysis analysis = FittedAnalysis(fit::Baseline::Linear);
    SoleFit(analysis)->xMin = 10;
    SoleFit(analysis)->xMax = 70;
    const DocumentState state{kFittedGuess, analysis};
    struct View {
        double lo, hi, from, to;
    };
    for (const View& v : {View{-50, 200, 10, 70}, View{20, 60, 20, 60}, View{0, 40, 10, 40}}) {
        const FigureData figure = ComputeFigure(state, model::Gaussian, false, v.lo, v.hi, 400);
        ASSERT_FALSE(figure.baseline.x.empty()) << v.lo;
        EXPECT_EQ(figure.baseline.x.front(), v.from) << v.lo;
        EXPECT_EQ(figure.baseline.x.back(), v.to) << v.lo;
    }
    EXPECT_TRUE(ComputeFigure(state, model::Gaussian, false, 80, 100, 400).baseline.x.empty());
}

}  // namespace
