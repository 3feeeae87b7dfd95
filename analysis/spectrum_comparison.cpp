#include "analysis/spectrum_comparison.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "analysis/peak_search.h"
#include "fit/band_matching.h"
#include "fit/fit_report.h"
#include "platform/number_format.h"
#include "platform/translation.h"

using trazel::platform::FormatG;
using trazel::platform::ShortestText;

namespace trazel::analysis {

namespace {

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Ten digits, as the fit's table prints them.
std::string Number(double value) {
    return FormatG(value, 10);
}

std::string ErrorOf(const fit::Estimate& estimate) {
    return estimate.free ? Number(estimate.error) : std::string("fija");
}

const char* BaselineWord(fit::Baseline baseline) {
    switch (baseline) {
        case fit::Baseline::None:
            return "none";
        case fit::Baseline::Constant:
            return "constant";
        case fit::Baseline::Linear:
            return "linear";
        case fit::Baseline::Quadratic:
            return "quadratic";
        case fit::Baseline::Cubic:
            return "cubic";
    }
    return "none";
}

// The rows of values shared by the tables and the CSV report: name, value,
// error (empty where none applies).
struct ValueRow {
    std::string name;
    double value = 0.0;
    std::optional<fit::Estimate> estimate;
};

std::vector<ValueRow> ValueRows(const ComparisonRecord& record) {
    const fit::ComparisonResult& r = record.result;
    std::vector<ValueRow> rows = {{"escala", r.scale.value, r.scale},
                                  {"desplazamiento", r.shift.value, r.shift},
                                  {"anchura", r.width.value, r.width},
                                  {"factor", r.factor.value, r.factor}};
    if (r.share.free || r.share.value != 0.0) {
        rows.push_back({"fraccion_lorentziana", r.share.value, r.share});
    }
    for (std::size_t t = 0; t < r.baseline.size(); ++t) {
        rows.push_back({"c" + std::to_string(t), r.baseline[t].value, r.baseline[t]});
    }
    return rows;
}

std::vector<ValueRow> StatisticRows(const ComparisonRecord& record) {
    const fit::ComparisonResult& r = record.result;
    return {{"xmin", record.xMin, {}},
            {"xmax", record.xMax, {}},
            {"escala_buscada", r.searchedScale, {}},
            {"R2", r.rSquared, {}},
            {"r_pearson", r.pearson, {}},
            {"coseno", r.cosine, {}},
            {"puntos", static_cast<double>(r.points), {}},
            {"parametros", static_cast<double>(r.parameters), {}},
            {"tolerancia", record.tolerance, {}}};
}

const char* AgreementWord(fit::Agreement agreement) {
    switch (agreement) {
        case fit::Agreement::Good:
            return "bueno";
        case fit::Agreement::Partial:
            return "parcial";
        case fit::Agreement::None:
            break;
    }
    return "ninguno";
}

}  // namespace

std::vector<AssignmentRow> AssignBands(const std::vector<fit::ComputedBand>& bands,
                                       const fit::ComparisonResult& result,
                                       const std::vector<FoundBand>& measured, double tolerance) {
    std::vector<double> scaled;
    for (const fit::ComputedBand& band : bands) {
        scaled.push_back(result.scale.value * band.position + result.shift.value);
    }
    std::vector<double> found;
    for (const FoundBand& band : measured) {
        found.push_back(band.position);
    }
    // A band far weaker than the strongest shows in no measurement: it is
    // listed without a partner rather than given one that a visible band
    // should have.
    double strongest = 0.0;
    for (const fit::ComputedBand& band : bands) {
        strongest = std::max(strongest, std::abs(band.intensity));
    }
    std::vector<double> visible;
    std::vector<std::size_t> visibleBand;
    for (std::size_t i = 0; i < bands.size(); ++i) {
        if (std::abs(bands[i].intensity) >= kAssignableShare * strongest) {
            visible.push_back(scaled[i]);
            visibleBand.push_back(i);
        }
    }
    const fit::BandMatching visibleMatching = fit::MatchBands(visible, found, tolerance);
    fit::BandMatching matching;
    matching.measuredOf.assign(bands.size(), -1);
    matching.computedOf.assign(found.size(), -1);
    for (std::size_t v = 0; v < visible.size(); ++v) {
        if (const int j = visibleMatching.measuredOf[v]; j >= 0) {
            matching.measuredOf[visibleBand[v]] = j;
            matching.computedOf[static_cast<std::size_t>(j)] = static_cast<int>(visibleBand[v]);
        }
    }
    std::vector<AssignmentRow> rows;
    for (std::size_t i = 0; i < bands.size(); ++i) {
        AssignmentRow row;
        row.band = static_cast<int>(i) + 1;
        row.computed = bands[i].position;
        row.scaled = scaled[i];
        row.intensity = bands[i].intensity;
        if (const int j = matching.measuredOf[i]; j >= 0) {
            const FoundBand& m = measured[static_cast<std::size_t>(j)];
            row.matched = true;
            row.measured = m.position;
            row.measuredIntensity = m.intensity;
            row.deviation = m.position - scaled[i];
            row.percent = m.position != 0.0 ? 100.0 * row.deviation / m.position : 0.0;
            row.bandScale = bands[i].position != 0.0
                                ? (m.position - result.shift.value) / bands[i].position
                                : 0.0;
        }
        rows.push_back(row);
    }
    for (std::size_t j = 0; j < measured.size(); ++j) {
        if (matching.computedOf[j] < 0) {
            AssignmentRow row;
            row.matched = true;
            row.measured = measured[j].position;
            row.measuredIntensity = measured[j].intensity;
            rows.push_back(row);
        }
    }
    return rows;
}

ComparisonRecord CompareWithMeasured(const Analysis& analysis, const model::PeakTable& table,
                                     std::int32_t lineShape, const ComparisonSettings& settings) {
    ComparisonRecord record;
    record.settings = settings;
    record.lineShape = lineShape;
    record.bands = fit::ComputedBandsOf(table, lineShape);
    if (!analysis.measured) {
        record.result.failure =
            TRAZEL_TR("Comparison", "el documento no tiene un espectro medido con el que comparar");
        return record;
    }
    const MeasuredData& measured = *analysis.measured;
    FitSettings range;
    range.xMin = settings.xMin;
    range.xMax = settings.xMax;
    const auto [lo, hi] = FitRangeFor(range, measured.X());
    record.xMin = std::min(lo, hi);
    record.xMax = std::max(lo, hi);
    const PeakSearchResult found = FindBands(analysis, record.xMin, record.xMax,
                                             analysis.peakSearch.value_or(PeakSearchSettings{}));
    std::vector<double> widths;
    for (const FoundBand& band : found.bands) {
        if (!band.shoulder && band.width > 0.0) {
            widths.push_back(band.width);
        }
    }

    fit::ComparisonProblem problem;
    problem.bands = record.bands;
    PointsToFit(measured, problem.x, problem.y);
    problem.xMin = record.xMin;
    problem.xMax = record.xMax;
    problem.fitShift = settings.shift;
    problem.fitWidth = settings.width;
    problem.fitShare = settings.share;
    problem.baseline = settings.baseline;
    problem.startWidth = Median(widths);
    for (const model::Peak& band : table.bands) {
        if (model::IsMixed(band.shape)) {
            problem.startShare = band.share;
            break;
        }
    }
    record.result = fit::CompareSpectra(problem);
    if (record.result.Ok()) {
        record.tolerance = kAssignmentWidths * record.result.width.value;
        record.rows = AssignBands(record.bands, record.result, found.bands, record.tolerance);
    }
    return record;
}

model::PeakTable AppliedComparison(const model::PeakTable& table, const ComparisonRecord& record) {
    model::PeakTable applied = table;
    const fit::ComparisonResult& r = record.result;
    const bool shifted = r.shift.free;
    for (std::size_t i = 0; i < applied.bands.size() && i < record.bands.size(); ++i) {
        model::Peak& band = applied.bands[i];
        const fit::ComputedBand& computed = record.bands[i];
        if (shifted) {
            band.position = r.scale.value * computed.position + r.shift.value;
            band.scale = 1.0;
        } else {
            band.position = computed.position;
            band.scale = r.scale.value;
        }
        band.scaledPosition = band.position * band.scale;
        band.width = r.width.value;
        band.intensity = r.factor.value * computed.intensity;
        if (model::IsMixed(band.shape)) {
            band.share = r.share.value;
        }
    }
    return applied;
}

bool ComparisonFitsTable(const ComparisonRecord& record, const model::PeakTable& table) {
    if (record.bands.size() != table.bands.size()) {
        return false;
    }
    const fit::ComparisonResult& r = record.result;
    for (std::size_t i = 0; i < table.bands.size(); ++i) {
        const double nu = record.bands[i].position;
        const double position = table.bands[i].position;
        if (position != nu && position != r.scale.value * nu + r.shift.value) {
            return false;
        }
    }
    return true;
}

std::string ComparisonResultText(const ComparisonRecord& record) {
    std::ostringstream out;
    out << "magnitud\tvalor\terror\n";
    for (const ValueRow& row : ValueRows(record)) {
        out << row.name << '\t' << Number(row.value) << '\t' << ErrorOf(*row.estimate) << '\n';
    }
    for (const ValueRow& row : StatisticRows(record)) {
        out << row.name << '\t' << Number(row.value) << "\t-\n";
    }
    out << "acuerdo\t" << AgreementWord(record.result.agreement) << "\t-\n";
    return out.str();
}

std::string AssignmentText(const ComparisonRecord& record) {
    std::ostringstream out;
    out << "banda\tcalculada\tescalada\tintensidad\tmedida\tintensidad_medida\tdesviacion\t"
           "desviacion_%\tescala_banda\n";
    for (const AssignmentRow& row : record.rows) {
        if (row.band > 0) {
            out << row.band << '\t' << Number(row.computed) << '\t' << Number(row.scaled) << '\t'
                << Number(row.intensity);
        } else {
            out << "-\t-\t-\t-";
        }
        if (row.matched) {
            out << '\t' << Number(row.measured) << '\t' << Number(row.measuredIntensity);
        } else {
            out << "\t-\t-";
        }
        if (row.matched && row.band > 0) {
            out << '\t' << Number(row.deviation) << '\t' << Number(row.percent) << '\t'
                << Number(row.bandScale) << '\n';
        } else {
            out << "\t-\t-\t-\n";
        }
    }
    return out.str();
}

std::string ComparisonReportText(const ComparisonRecord& record) {
    const fit::ComparisonResult& r = record.result;
    std::ostringstream out;
    const auto line = [&](const std::string& label, const std::string& value) {
        out << label << ": " << value << '\n';
    };
    const auto estimate = [](const fit::Estimate& e) {
        const fit::RoundedPair pair = fit::ReadableEstimate(e);
        return e.HasError() ? pair.value + " ± " + pair.error
                            : pair.value + " (" + pair.error + ")";
    };
    out << TRAZEL_TR("Comparison", "Comparación del cálculo con el espectro medido") << "\n\n";
    line(TRAZEL_TR("Comparison", "Intervalo"), Number(record.xMin) + " – " + Number(record.xMax));
    line(TRAZEL_TR("Comparison", "Factor de escala a"), estimate(r.scale));
    line(TRAZEL_TR("Comparison", "Desplazamiento b"), estimate(r.shift));
    line(TRAZEL_TR("Comparison", "Anchura w"), estimate(r.width));
    line(TRAZEL_TR("Comparison", "Factor de intensidad k"), estimate(r.factor));
    if (r.share.free || r.share.value != 0.0) {
        line(TRAZEL_TR("Comparison", "Fracción lorentziana"), estimate(r.share));
    }
    for (std::size_t t = 0; t < r.baseline.size(); ++t) {
        line(TRAZEL_TR("Comparison", "Línea base c") + std::to_string(t), estimate(r.baseline[t]));
    }
    line("R²", FormatG(r.rSquared, 4));
    line(TRAZEL_TR("Comparison", "r de Pearson"), FormatG(r.pearson, 4));
    line(TRAZEL_TR("Comparison", "Solapamiento (coseno)"), FormatG(r.cosine, 4));
    out << fit::AgreementText(r) << "\n\n";
    int matched = 0;
    int computedAlone = 0;
    int measuredAlone = 0;
    for (const AssignmentRow& row : record.rows) {
        if (row.band > 0 && row.matched) {
            ++matched;
        } else if (row.band > 0) {
            ++computedAlone;
        } else {
            ++measuredAlone;
        }
    }
    out << platform::Fill(TRAZEL_TR("Comparison",
                                    "Asignación (tolerancia %1): %2 parejas, %3 bandas calculadas "
                                    "y %4 medidas sin pareja.\n"),
                          {FormatG(record.tolerance, 4), std::to_string(matched),
                           std::to_string(computedAlone), std::to_string(measuredAlone)});
    out << AssignmentText(record);
    return out.str();
}

output::ReportSheet ComparisonReportSheet(const ComparisonRecord& record) {
    const fit::ComparisonResult& r = record.result;
    output::ReportSheet sheet;
    sheet.heading = TRAZEL_TR("Comparison", "Comparación del cálculo con el espectro medido");
    const auto estimate = [](const fit::Estimate& e) {
        const fit::RoundedPair pair = fit::ReadableEstimate(e);
        return e.HasError() ? pair.value + " ± " + pair.error
                            : pair.value + " (" + pair.error + ")";
    };
    auto& facts = sheet.facts;
    // A printed sheet shows no heading: its first line says what it is.
    facts.emplace_back(sheet.heading, "");
    facts.emplace_back(TRAZEL_TR("Comparison", "Intervalo"),
                       Number(record.xMin) + " – " + Number(record.xMax));
    facts.emplace_back(TRAZEL_TR("Comparison", "Factor de escala a"), estimate(r.scale));
    facts.emplace_back(TRAZEL_TR("Comparison", "Desplazamiento b"), estimate(r.shift));
    facts.emplace_back(TRAZEL_TR("Comparison", "Anchura w"), estimate(r.width));
    facts.emplace_back(TRAZEL_TR("Comparison", "Factor de intensidad k"), estimate(r.factor));
    if (r.share.free || r.share.value != 0.0) {
        facts.emplace_back(TRAZEL_TR("Comparison", "Fracción lorentziana"), estimate(r.share));
    }
    facts.emplace_back("R²", FormatG(r.rSquared, 4));
    facts.emplace_back(TRAZEL_TR("Comparison", "r de Pearson"), FormatG(r.pearson, 4));
    facts.emplace_back(TRAZEL_TR("Comparison", "Solapamiento (coseno)"), FormatG(r.cosine, 4));
    facts.emplace_back(TRAZEL_TR("FitExport", "Veredicto"), fit::AgreementText(r));
    sheet.columns = {
        TRAZEL_TR("FitExport", "Banda"),       TRAZEL_TR("Comparison", "Calculada"),
        TRAZEL_TR("Comparison", "Escalada"),   TRAZEL_TR("Comparison", "Medida"),
        TRAZEL_TR("Comparison", "Desviación"), TRAZEL_TR("Comparison", "Desviación (%)")};
    for (const AssignmentRow& row : record.rows) {
        const bool computed = row.band > 0;
        const bool paired = computed && row.matched;
        const auto cell = [](bool present, double value, int digits) {
            return present ? FormatG(value, digits) : std::string("—");
        };
        sheet.rows.push_back({computed ? std::to_string(row.band) : std::string("—"),
                              cell(computed, row.computed, 7), cell(computed, row.scaled, 7),
                              cell(row.matched || !computed, row.measured, 7),
                              cell(paired, row.deviation, 3), cell(paired, row.percent, 3)});
    }
    return sheet;
}

std::string ComparisonReportCsv(const ComparisonRecord& record) {
    std::ostringstream out;
    out << "magnitud,valor,error\n";
    for (const ValueRow& row : ValueRows(record)) {
        out << row.name << ',' << ShortestText(row.value) << ','
            << (row.estimate->free ? ShortestText(row.estimate->error) : std::string()) << '\n';
    }
    for (const ValueRow& row : StatisticRows(record)) {
        out << row.name << ',' << ShortestText(row.value) << ",\n";
    }
    out << "acuerdo," << AgreementWord(record.result.agreement) << ",\n";
    out << "linea_base," << BaselineWord(record.settings.baseline) << ",\n";
    return out.str();
}

std::string AssignmentCsv(const ComparisonRecord& record) {
    std::ostringstream out;
    out << "banda,calculada,escalada,intensidad,medida,intensidad_medida,desviacion,"
           "desviacion_pct,escala_banda\n";
    const auto cell = [](bool present, double value) {
        return present ? ShortestText(value) : std::string();
    };
    for (const AssignmentRow& row : record.rows) {
        const bool computed = row.band > 0;
        const bool paired = computed && row.matched;
        out << (computed ? std::to_string(row.band) : std::string()) << ','
            << cell(computed, row.computed) << ',' << cell(computed, row.scaled) << ','
            << cell(computed, row.intensity) << ',' << cell(row.matched, row.measured) << ','
            << cell(row.matched, row.measuredIntensity) << ',' << cell(paired, row.deviation) << ','
            << cell(paired, row.percent) << ',' << cell(paired, row.bandScale) << '\n';
    }
    return out.str();
}

}  // namespace trazel::analysis
