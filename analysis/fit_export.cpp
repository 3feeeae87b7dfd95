#include "analysis/fit_export.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <set>

#include "analysis/figure_data.h"
#include "analysis/spectrum_comparison.h"
#include "fit/fit_report.h"
#include "model/spectrum_units.h"
#include "platform/atomic_file.h"
#include "platform/number_format.h"
#include "platform/output_file.h"
#include "platform/translation.h"

using namespace trazel::model;
using namespace trazel::platform;
using trazel::fit::Estimate;
using trazel::fit::FittedBand;

namespace trazel::analysis {

namespace {

// The bands the report tells of, newest first as the peak list and the
// dialog show them: those centred in the range fitted. A band centred outside
// it was held, its tail only a part of the model there, and its area says
// nothing of the range.
std::vector<const FittedBand*> NewestFirst(const FitRecord& fit) {
    std::vector<const FittedBand*> bands;
    for (auto band = fit.result.bands.rbegin(); band != fit.result.bands.rend(); ++band) {
        if (CentredInFit(fit, band->index)) {
            bands.push_back(&*band);
        }
    }
    return bands;
}

double TotalArea(const FitRecord& fit) {
    double total = 0.0;
    for (const FittedBand* band : NewestFirst(fit)) {
        total += band->area.value;
    }
    return total;
}

std::string Cell(const Estimate& estimate) {
    const fit::RoundedPair text = fit::ReadableEstimate(estimate);
    if (estimate.HasError()) {
        return text.value + " ± " + text.error;
    }
    return text.value + " (" + text.error + ")";
}

std::string WithUnit(const std::string& name, const std::string& unit) {
    return unit.empty() ? name : name + " (" + unit + ")";
}

std::string ShapeName(const FitRecord& fit) {
    std::string text = fit.lineShape == Lorentzian ? TRAZEL_TR("FitExport", "lorentziana")
                                                   : TRAZEL_TR("FitExport", "gaussiana");
    if (fit.useScaled) {
        text = Fill(TRAZEL_TR("FitExport", "%1, centrada en posición × escala"), {text});
    }
    return text;
}

std::string FreeValues(const FitRecord& fit) {
    std::vector<std::string> kinds;
    if (fit.settings.values.position) {
        kinds.push_back(TRAZEL_TR("FitExport", "posición"));
    }
    if (fit.settings.values.intensity) {
        kinds.push_back(TRAZEL_TR("FitExport", "intensidad"));
    }
    if (fit.settings.values.width) {
        kinds.push_back(TRAZEL_TR("FitExport", "anchura"));
    }
    std::string text;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        text = i == 0                  ? kinds[i]
               : i + 1 == kinds.size() ? Fill(TRAZEL_TR("FitExport", "%1 y %2"), {text, kinds[i]})
                                       : text + ", " + kinds[i];
    }
    int free = 0;
    const auto bands = NewestFirst(fit);
    for (const FittedBand* band : bands) {
        free += band->position.free || band->intensity.free || band->width.free ? 1 : 0;
    }
    if (text.empty() || free == 0) {
        text = TRAZEL_TR("FitExport", "ninguno de las bandas");
    } else {
        text = Fill(TRAZEL_TR("FitExport", "%1 de %2 de %3"),
                    {text, std::to_string(free),
                     Counted(bands.size(), "FitExport", TRAZEL_TR_NOOP("FitExport", "%1 banda"),
                             TRAZEL_TR_NOOP("FitExport", "%1 bandas"))});
    }
    if (!fit.result.baseline.empty()) {
        text = Fill(TRAZEL_TR("FitExport", "%1; la línea base"), {text});
    }
    return text;
}

std::string BoundsHit(const FitRecord& fit) {
    std::string text;
    const auto bands = NewestFirst(fit);
    for (std::size_t row = 0; row < bands.size(); ++row) {
        const std::pair<const Estimate*, const char*> values[] = {
            {&bands[row]->position, TRAZEL_TR_NOOP("FitExport", "posición")},
            {&bands[row]->intensity, TRAZEL_TR_NOOP("FitExport", "intensidad")},
            {&bands[row]->width, TRAZEL_TR_NOOP("FitExport", "anchura")},
            {&bands[row]->share, TRAZEL_TR_NOOP("FitExport", "fracción lorentziana")}};
        for (const auto& [estimate, name] : values) {
            if (estimate->atBound) {
                text += (text.empty() ? "" : "; ") +
                        Fill(TRAZEL_TR("FitExport", "%1 de la banda %2 (%3)"),
                             {Translate("FitExport", name), std::to_string(row + 1),
                              ShortestText(estimate->value)});
            }
        }
    }
    return text.empty() ? TRAZEL_TR("FitExport", "ninguno") : text;
}

// The units of the data in ASCII for CSV column names, or nothing when the
// file named none this program knows: a unit as read could hold commas or
// any character.
std::string AsciiXUnit(const SpectrumHeader& header) {
    switch (header.xKind) {
        case XUnit::Wavenumber:
        case XUnit::RamanShift:
            return "cm-1";
        case XUnit::Nanometre:
            return "nm";
        case XUnit::Micrometre:
            return "um";
        case XUnit::Unknown:
            break;
    }
    return {};
}

std::string AsciiYUnit(const SpectrumHeader& header) {
    switch (header.yKind) {
        case YUnit::Absorbance:
            return "A";
        case YUnit::Transmittance:
            return "T";
        case YUnit::PercentTransmittance:
            return "%T";
        case YUnit::Unknown:
            break;
    }
    return {};
}

std::string AreaUnit(const std::string& x, const std::string& y) {
    return x.empty() || y.empty() ? std::string() : y + "*" + x;
}

// A CSV field, quoted when it holds a comma, a quote or a line end.
std::string CsvText(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + '"';
}

const char* State(const Estimate& estimate) {
    if (!estimate.free) {
        return "fija";
    }
    if (estimate.atBound) {
        return "en_limite";
    }
    return estimate.undetermined ? "sin_determinar" : "libre";
}

std::string AsciiBaselineName(fit::Baseline baseline) {
    constexpr const char* kNames[] = {"ninguna", "constante", "recta", "parabola", "cubica"};
    return kNames[static_cast<int>(baseline)];
}

std::string ErrorNumber(const Estimate& estimate) {
    return estimate.HasError() ? ShortestText(estimate.error) : std::string();
}

}  // namespace

output::ReportSheet FitReportSheet(const MeasuredData& measured, const FitRecord& fit,
                                   const ReportOrigin& origin) {
    const fit::FitResult& result = fit.result;
    const std::string xUnit = XUnitSymbol(measured.Header());
    const std::string spaceUnit = xUnit.empty() ? "" : " " + xUnit;
    output::ReportSheet sheet;
    sheet.heading = TRAZEL_TR("FitExport", "Informe del ajuste");
    auto& facts = sheet.facts;
    facts.emplace_back(TRAZEL_TR("FitExport", "Documento"), origin.document);
    facts.emplace_back(TRAZEL_TR("FitExport", "Espectro medido"), measured.sourceName);
    std::string points = std::to_string(measured.X().size());
    if (measured.LeftOut() > 0) {
        points = Fill(TRAZEL_TR("FitExport", "%1 (%2 dejados fuera por la transformación)"),
                      {points, std::to_string(measured.LeftOut())});
    }
    facts.emplace_back(TRAZEL_TR("FitExport", "Puntos del espectro"), points);
    facts.emplace_back(TRAZEL_TR("FitExport", "Transformación"),
                       input::DescribeTransform(measured.transform.Whole()));
    facts.emplace_back(
        TRAZEL_TR("FitExport", "Intervalo de x"),
        Fill(TRAZEL_TR("FitExport", "%1 a %2"), {FormatG(fit.xMin, 10), FormatG(fit.xMax, 10)}) +
            spaceUnit);
    facts.emplace_back(TRAZEL_TR("FitExport", "Forma de línea"), ShapeName(fit));
    if (result.baseline.empty()) {
        facts.emplace_back(TRAZEL_TR("FitExport", "Línea base"), TRAZEL_TR("FitExport", "ninguna"));
    } else {
        std::string form = "c0";
        for (std::size_t j = 1; j < result.baseline.size(); ++j) {
            form +=
                " + c" + std::to_string(j) + " (x − xc)" + (j > 1 ? "^" + std::to_string(j) : "");
        }
        facts.emplace_back(TRAZEL_TR("FitExport", "Línea base"),
                           fit::BaselineName(fit.settings.baseline) + ", " + form +
                               ", xc = " + FormatG(result.baselineCentre, 10) + spaceUnit);
        for (std::size_t j = 0; j < result.baseline.size(); ++j) {
            facts.emplace_back("  c" + std::to_string(j), Cell(result.baseline[j]));
        }
    }
    facts.emplace_back(TRAZEL_TR("FitExport", "Valores que varían"), FreeValues(fit));
    facts.emplace_back(TRAZEL_TR("FitExport", "Valores en el límite"), BoundsHit(fit));
    facts.emplace_back(TRAZEL_TR("FitExport", "Veredicto"), fit::VerdictText(result));
    facts.emplace_back(TRAZEL_TR("FitExport", "Iteraciones"), std::to_string(result.iterations));
    facts.emplace_back(TRAZEL_TR("FitExport", "Puntos ajustados"), std::to_string(result.points));
    facts.emplace_back(TRAZEL_TR("FitExport", "Valores libres"), std::to_string(result.parameters));
    facts.emplace_back(TRAZEL_TR("FitExport", "Suma de cuadrados (RSS)"), FormatG(result.rss, 6));
    facts.emplace_back(TRAZEL_TR("FitExport", "χ² reducido"), FormatG(result.reducedChiSquare, 6));
    facts.emplace_back("R²", FormatG(result.rSquared, 6));
    facts.emplace_back(TRAZEL_TR("FitExport", "Estructura del residuo"),
                       result.structureLimit > 0.0
                           ? Fill(TRAZEL_TR("FitExport", "%1 (umbral %2)"),
                                  {FormatG(result.structure, 3), FormatG(result.structureLimit, 3)})
                           : TRAZEL_TR("FitExport", "sin evaluar (muy pocos puntos)"));
    if (const fit::ResidualVerdict& residual = result.residual; residual.Judged()) {
        facts.emplace_back(TRAZEL_TR("FitExport", "Ruido de los datos"), fit::NoiseText(residual));
        facts.emplace_back(TRAZEL_TR("FitExport", "RMS del residuo / ruido"),
                           Fill(TRAZEL_TR("FitExport", "%1 (el ruido llega a %2)"),
                                {FormatG(residual.ratio, 3), FormatG(residual.ratioLimit, 3)}));
        // Beside a residual of noise the largest feature is noise too.
        if (residual.Fires() && residual.featureHeight != 0.0) {
            facts.emplace_back(
                TRAZEL_TR("FitExport", "Mayor rasgo del residuo"),
                Fill(TRAZEL_TR("FitExport", "x = %1, %2 % de la banda más alta"),
                     {FormatG(residual.featureX, 6), FormatG(residual.featurePercent, 3)}));
        }
    }
    facts.emplace_back(
        TRAZEL_TR("FitExport", "Criterio de información (BIC)"),
        FormatG(fit::InformationCriterion(result.rss, result.points, result.parameters), 6));

    const std::string unitNote = xUnit.empty() ? "" : " (" + xUnit + ")";
    sheet.columns = {
        TRAZEL_TR("FitExport", "Banda"),      TRAZEL_TR("FitExport", "Posición") + unitNote,
        TRAZEL_TR("FitExport", "Intensidad"), TRAZEL_TR("FitExport", "Anchura") + unitNote,
        TRAZEL_TR("FitExport", "Área"),       TRAZEL_TR("FitExport", "Área (%)")};
    // The shape is a column only for a fit with bands of a shape of their
    // own, so that every other report keeps its bytes: g, l, pv or v with
    // the fitted share, doc for a band that follows the document.
    const bool shapes = HasOwnShapes(result.table);
    if (shapes) {
        sheet.columns.push_back(TRAZEL_TR("FitExport", "Forma"));
    }
    const double total = TotalArea(fit);
    const auto bands = NewestFirst(fit);
    for (std::size_t row = 0; row < bands.size(); ++row) {
        const FittedBand& band = *bands[row];
        char share[32] = "—";
        if (total != 0.0 && std::isfinite(total)) {
            std::snprintf(share, sizeof share, "%.1f", 100.0 * band.area.value / total);
        }
        sheet.rows.push_back({std::to_string(row + 1), Cell(band.position), Cell(band.intensity),
                              Cell(band.width), Cell(band.area), share});
        if (shapes) {
            const BandShape shape = result.table.Band(band.index).shape;
            sheet.rows.back().push_back(IsMixed(shape)
                                            ? std::string(ShapeCode(shape)) + ' ' + Cell(band.share)
                                            : std::string(ShapeCode(shape)));
        }
    }
    sheet.closing = {{TRAZEL_TR("FitExport", "Fecha"), origin.date},
                     {TRAZEL_TR("FitExport", "Programa"),
                      Fill(TRAZEL_TR("FitExport", "Trazel %1"), {origin.version})}};
    return sheet;
}

output::ReportSheet FitReportSheet(const MeasuredData& measured,
                                   const std::vector<const FitRecord*>& fits,
                                   const ReportOrigin& origin) {
    if (fits.size() == 1) {
        return FitReportSheet(measured, *fits.front(), origin);
    }
    // The facts of the document once, then each region's, indented under
    // its name; one table of every region's bands, each with its share of
    // its region's area and of the whole.
    constexpr std::size_t kDocumentFacts = 4;
    double total = 0.0;
    for (const FitRecord* fit : fits) {
        total += TotalArea(*fit);
    }
    output::ReportSheet sheet;
    for (std::size_t r = 0; r < fits.size(); ++r) {
        output::ReportSheet part = FitReportSheet(measured, *fits[r], origin);
        if (r == 0) {
            sheet.heading = part.heading;
            sheet.facts.assign(part.facts.begin(), part.facts.begin() + kDocumentFacts);
            sheet.facts.emplace_back(TRAZEL_TR("FitExport", "Regiones de ajuste"),
                                     std::to_string(fits.size()));
            sheet.columns = part.columns;
            sheet.columns.back() = TRAZEL_TR("FitExport", "Área (% región)");
            sheet.columns.insert(sheet.columns.begin(), TRAZEL_TR("FitExport", "Región"));
            sheet.columns.push_back(TRAZEL_TR("FitExport", "Área (% total)"));
            sheet.closing = part.closing;
        }
        const std::string name = Fill(TRAZEL_TR("FitExport", "Región %1"), {std::to_string(r + 1)});
        sheet.facts.emplace_back(name, part.facts[kDocumentFacts].second);
        for (std::size_t f = kDocumentFacts + 1; f < part.facts.size(); ++f) {
            sheet.facts.emplace_back("  " + part.facts[f].first, part.facts[f].second);
        }
        const auto bands = NewestFirst(*fits[r]);
        for (std::size_t row = 0; row < part.rows.size(); ++row) {
            std::vector<std::string> cells = part.rows[row];
            cells.insert(cells.begin(), std::to_string(r + 1));
            char share[32] = "—";
            if (total != 0.0 && std::isfinite(total)) {
                std::snprintf(share, sizeof share, "%.1f", 100.0 * bands[row]->area.value / total);
            }
            cells.emplace_back(share);
            sheet.rows.push_back(std::move(cells));
        }
    }
    return sheet;
}

std::vector<output::ReportSheet> PrintedSheets(const Analysis& analysis,
                                               const ReportOrigin& origin) {
    std::vector<output::ReportSheet> sheets;
    if (!analysis.measured) {
        return sheets;
    }
    if (const auto fits = RegionFits(analysis.regions); !fits.empty()) {
        sheets.push_back(FitReportSheet(*analysis.measured, fits, origin));
    }
    if (analysis.comparison && analysis.comparison->result.Ok()) {
        sheets.push_back(ComparisonReportSheet(*analysis.comparison));
    }
    return sheets;
}

std::string FitReportText(const MeasuredData& measured, const FitRecord& fit,
                          const ReportOrigin& origin) {
    return output::ReportSheetText(FitReportSheet(measured, fit, origin));
}

std::string FitReportText(const MeasuredData& measured, const std::vector<const FitRecord*>& fits,
                          const ReportOrigin& origin) {
    return output::ReportSheetText(FitReportSheet(measured, fits, origin));
}

namespace {

// The two tables of a fit's CSV report: its bands' rows under their names,
// and its "magnitud,valor" rows. With several regions each row is led by the
// region's number and a band's row ends with its share of every region's
// area (total), under names of their own.
struct CsvTables {
    std::string bandNames;
    std::string bands;
    std::string stats;
};

CsvTables FitCsvTables(const MeasuredData& measured, const FitRecord& fit,
                       const ReportOrigin& origin, bool shapes, const std::string& region = {},
                       double total = 0.0) {
    const fit::FitResult& result = fit.result;
    const std::string lead = region.empty() ? std::string() : region + ',';
    const std::string x = AsciiXUnit(measured.Header());
    const std::string y = AsciiYUnit(measured.Header());
    const std::pair<const char*, std::string> values[] = {
        {"posicion", x}, {"intensidad", y}, {"anchura", x}, {"area", AreaUnit(x, y)}};
    CsvTables tables;
    std::string csv = region.empty() ? "banda" : "region,banda";
    for (const auto& [name, unit] : values) {
        csv += ',' + WithUnit(name, unit) + ',' + WithUnit(std::string("error_") + name, unit) +
               ",estado_" + name;
    }
    csv += ",area_pct";
    csv += shapes ? ",forma,eta,error_eta,estado_eta" : "";
    csv += region.empty() ? "\n" : ",area_pct_total\n";
    tables.bandNames = std::move(csv);
    csv.clear();
    const double areas = TotalArea(fit);
    const auto bands = NewestFirst(fit);
    for (std::size_t row = 0; row < bands.size(); ++row) {
        const FittedBand& band = *bands[row];
        csv += lead + std::to_string(row + 1);
        for (const Estimate* e : {&band.position, &band.intensity, &band.width, &band.area}) {
            csv += ',' + ShortestText(e->value) + ',' + ErrorNumber(*e) + ',' + State(*e);
        }
        csv += ',' + (areas != 0.0 ? ShortestText(100.0 * band.area.value / areas) : "");
        if (shapes) {
            csv += std::string(",") + ShapeCode(result.table.Band(band.index).shape) + ',' +
                   ShortestText(band.share.value) + ',' + ErrorNumber(band.share) + ',' +
                   State(band.share);
        }
        if (!region.empty()) {
            csv += ',' + (total != 0.0 ? ShortestText(100.0 * band.area.value / total) : "");
        }
        csv += '\n';
    }
    tables.bands = std::move(csv);

    std::vector<std::pair<std::string, std::string>> stats = {
        {"documento", CsvText(origin.document)},
        {"espectro", CsvText(measured.sourceName)},
        {"puntos_espectro", std::to_string(measured.X().size())},
        {"forma", fit.lineShape == Lorentzian ? "lorentziana" : "gaussiana"},
        {"posiciones_escaladas", fit.useScaled ? "1" : "0"},
        {WithUnit("x_min", x), ShortestText(fit.xMin)},
        {WithUnit("x_max", x), ShortestText(fit.xMax)},
        {"linea_base", AsciiBaselineName(fit.settings.baseline)}};
    if (!result.baseline.empty()) {
        stats.emplace_back(WithUnit("xc", x), ShortestText(result.baselineCentre));
        for (std::size_t j = 0; j < result.baseline.size(); ++j) {
            const std::string c = "c" + std::to_string(j);
            stats.emplace_back(c, ShortestText(result.baseline[j].value));
            stats.emplace_back("error_" + c, ErrorNumber(result.baseline[j]));
        }
    }
    int atBounds = 0;
    for (const FittedBand& band : result.bands) {
        for (const Estimate* e : {&band.position, &band.intensity, &band.width, &band.share}) {
            atBounds += e->atBound ? 1 : 0;
        }
    }
    const std::pair<std::string, std::string> more[] = {
        {"puntos_ajustados", std::to_string(result.points)},
        {"valores_libres", std::to_string(result.parameters)},
        {"iteraciones", std::to_string(result.iterations)},
        {"rss", ShortestText(result.rss)},
        {"chi2_reducido", ShortestText(result.reducedChiSquare)},
        {"r2", ShortestText(result.rSquared)},
        {"estructura_residuo", result.structureLimit > 0.0 ? ShortestText(result.structure) : ""},
        {"umbral_estructura",
         result.structureLimit > 0.0 ? ShortestText(result.structureLimit) : ""},
        {"residuo_con_estructura", result.structured ? "1" : "0"},
        {"ruido", result.residual.Judged() ? ShortestText(result.residual.noise) : ""},
        {"residuo_sobre_ruido",
         result.residual.Judged() ? ShortestText(result.residual.ratio) : ""},
        {"umbral_residuo_sobre_ruido",
         result.residual.Judged() ? ShortestText(result.residual.ratioLimit) : ""},
        {WithUnit("rasgo_residuo_x", x),
         result.residual.featureHeight != 0.0 ? ShortestText(result.residual.featureX) : ""},
        {"rasgo_residuo_pct",
         result.residual.featureHeight != 0.0 ? ShortestText(result.residual.featurePercent) : ""},
        {"residuo", CsvText(fit::ResidualKindWords(result.residual.kind))},
        {"bic",
         ShortestText(fit::InformationCriterion(result.rss, result.points, result.parameters))},
        {"veredicto", CsvText(fit::SpanishVerdict(result))},
        {"valores_en_limite", std::to_string(atBounds)},
        {"fecha", CsvText(origin.date)},
        {"version", CsvText(origin.version)}};
    stats.insert(stats.end(), std::begin(more), std::end(more));
    for (const auto& [name, value] : stats) {
        tables.stats += lead + name + ',' + value + '\n';
    }
    return tables;
}

}  // namespace

std::string FitReportCsv(const MeasuredData& measured, const FitRecord& fit,
                         const ReportOrigin& origin) {
    // The shape and the share are columns only for a fit with bands of a
    // shape of their own, so that every other report keeps its bytes.
    const CsvTables tables = FitCsvTables(measured, fit, origin, HasOwnShapes(fit.result.table));
    return tables.bandNames + tables.bands + "\nmagnitud,valor\n" + tables.stats;
}

std::string FitReportCsv(const MeasuredData& measured, const std::vector<const FitRecord*>& fits,
                         const ReportOrigin& origin) {
    if (fits.size() == 1) {
        return FitReportCsv(measured, *fits.front(), origin);
    }
    bool shapes = false;
    double total = 0.0;
    for (const FitRecord* fit : fits) {
        shapes = shapes || HasOwnShapes(fit->result.table);
        total += TotalArea(*fit);
    }
    std::string bands;
    std::string stats;
    std::string names;
    for (std::size_t r = 0; r < fits.size(); ++r) {
        CsvTables tables =
            FitCsvTables(measured, *fits[r], origin, shapes, std::to_string(r + 1), total);
        names = std::move(tables.bandNames);
        bands += tables.bands;
        stats += tables.stats;
    }
    return names + bands + "\nregion,magnitud,valor\n" + stats;
}

std::optional<ReportFormat> ReportFormatFor(const std::string& path) {
    const auto endsWith = [&path](const std::string& ending) {
        if (path.size() < ending.size()) {
            return false;
        }
        for (std::size_t i = 0; i < ending.size(); ++i) {
            const char c = path[path.size() - ending.size() + i];
            if (std::tolower(static_cast<unsigned char>(c)) != ending[i]) {
                return false;
            }
        }
        return true;
    };
    if (endsWith(".txt")) {
        return ReportFormat::Text;
    }
    if (endsWith(".csv")) {
        return ReportFormat::Csv;
    }
    return std::nullopt;
}

std::optional<std::string> CurveStepProblem(const FitRecord& fit, double step) {
    if (!(step > 0.0) || !std::isfinite(step)) {
        return TRAZEL_TR("FitExport", "el paso debe ser un número mayor que 0");
    }
    if ((fit.xMax - fit.xMin) / step + 1.0 > kMaxCurveRows) {
        return TRAZEL_TR("FitExport",
                         "con ese paso el intervalo del ajuste daría más de 10000000 filas");
    }
    return std::nullopt;
}

bool WriteFitCurves(platform::ByteSink& out, const MeasuredData& measured, const FitRecord& fit,
                    std::optional<double> step) {
    const fit::FitResult& result = fit.result;
    const std::string y = AsciiYUnit(measured.Header());
    const auto bands = NewestFirst(fit);
    const bool atPoints = !step;
    std::string line = WithUnit("x", AsciiXUnit(measured.Header()));
    if (atPoints) {
        line += ',' + WithUnit("medido", y);
    }
    line += ',' + WithUnit("linea_base", y) + ',' + WithUnit("ajuste", y);
    // Named by position; two bands rounded to the same text are told apart.
    std::set<std::string> names;
    for (const FittedBand* band : bands) {
        std::string name = "banda_" + fit::ReadableEstimate(band->position).value;
        for (int n = 2; !names.insert(name).second; ++n) {
            name = "banda_" + fit::ReadableEstimate(band->position).value + "_" + std::to_string(n);
        }
        line += ',' + WithUnit(name, y);
    }
    if (atPoints) {
        line += ',' + WithUnit("residuo", y);
    }
    if (!out.Write(line + '\n')) {
        return false;
    }

    const auto row = [&](double x, const double* data) {
        const double baseline = fit::BaselineAt(result, x);
        const double curve = fit::FittedCurveAt(result, fit.lineShape, fit.useScaled, x);
        line = ShortestText(x);
        if (data != nullptr) {
            line += ',' + ShortestText(*data);
        }
        line += ',' + ShortestText(baseline) + ',' + ShortestText(curve);
        for (const FittedBand* band : bands) {
            line += ',' + ShortestText(
                              PeakTerm(result.table, band->index, fit.lineShape, fit.useScaled, x));
        }
        if (data != nullptr) {
            line += ',' + ShortestText(*data - curve);
        }
        line += '\n';
        return out.Write(line);
    };
    if (atPoints) {
        const Curve data = FittedData(measured, fit);
        for (std::size_t i = 0; i < data.x.size(); ++i) {
            if (!row(data.x[i], &data.y[i])) {
                return false;
            }
        }
        return true;
    }
    // Each x from the start, not by adding steps, so that no error builds up.
    const auto rows =
        static_cast<long long>(std::floor((fit.xMax - fit.xMin) / *step * (1 + 1e-12))) + 1;
    for (long long i = 0; i < rows; ++i) {
        if (!row(fit.xMin + static_cast<double>(i) * *step, nullptr)) {
            return false;
        }
    }
    return true;
}

bool WriteFitCurves(platform::ByteSink& out, const MeasuredData& measured,
                    const std::vector<const FitRecord*>& fits, std::optional<double> step) {
    for (std::size_t r = 0; r < fits.size(); ++r) {
        if ((r > 0 && !out.Write("\n")) || !WriteFitCurves(out, measured, *fits[r], step)) {
            return false;
        }
    }
    return true;
}

Status WriteFitReport(const std::string& path, const MeasuredData& measured,
                      const std::vector<const FitRecord*>& fits, const ReportOrigin& origin) {
    return WriteFileAtomically(path, ReportFormatFor(path) == ReportFormat::Text
                                         ? FitReportText(measured, fits, origin)
                                         : FitReportCsv(measured, fits, origin));
}

Status WriteFitCurvesFile(const std::string& path, const MeasuredData& measured,
                          const std::vector<const FitRecord*>& fits, std::optional<double> step) {
    for (const FitRecord* fit : fits) {
        if (const auto problem = step ? CurveStepProblem(*fit, *step) : std::nullopt) {
            return FileFailure(FileOperation::Write, path, *problem);
        }
    }
    // A spectrum of a million points makes a file of hundreds of megabytes:
    // it goes out line by line rather than whole from memory.
    return ReplaceFileWith(path, [&](const WriteTarget& target) {
        OutputFile file;
        if (const Status opened = file.Open(target); !opened.ok()) {
            return opened;
        }
        WriteFitCurves(file, measured, fits, step);
        return file.Close();
    });
}

}  // namespace trazel::analysis
