#include "analysis/analysis_file.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

#include "analysis/peak_search.h"
#include "analysis/spectrum_comparison.h"
#include "fit/fit_report.h"
#include "model/document_file.h"
#include "model/document_format.h"
#include "platform/archive.h"
#include "platform/translation.h"

using namespace trazel::model;

namespace trazel::analysis {

namespace {

// Bounds far above any real use, so that a damaged length is refused before
// anything is allocated for it.
constexpr std::size_t kMaxText = 64 * 1024;
constexpr std::size_t kMaxPoints = kMaxSectionBytes / 16;
constexpr std::size_t kMaxCoefficients = 16;

bool IsDefault(const FitSettings& s) {
    const FitSettings d;
    return !s.xMin && !s.xMax && s.heldBands.empty() && s.values.position == d.values.position &&
           s.values.intensity == d.values.intensity && s.values.width == d.values.width &&
           s.baseline == d.baseline;
}

// what is marked with TRAZEL_TR_NOOP: the message is translated only when it
// is thrown.
void Check(bool holds, const char* what) {
    if (!holds) {
        throw RecordError(platform::Translate("AnalysisFile", what));
    }
}

double Finite(RecordReader& in) {
    const double value = in.F64();
    Check(std::isfinite(value),
          TRAZEL_TR_NOOP("AnalysisFile", "un valor guardado no es un número finito"));
    return value;
}

// A band of table by its index, as the fit and the settings name bands.
int BandIndex(RecordReader& in, const PeakTable& table) {
    const std::uint32_t index = in.U32();
    Check(index >= 1 && index <= static_cast<std::uint32_t>(table.PeakCount()),
          TRAZEL_TR_NOOP("AnalysisFile", "una banda guardada no está en la tabla"));
    return static_cast<int>(index);
}

std::optional<double> OptionalValue(RecordReader& in) {
    const bool has = in.Bool();
    const double value = in.F64();
    if (!has) {
        return std::nullopt;
    }
    Check(std::isfinite(value),
          TRAZEL_TR_NOOP("AnalysisFile", "un límite guardado no es un número finito"));
    return value;
}

void WriteOptional(RecordWriter& out, const std::optional<double>& value) {
    out.Bool(value.has_value()).F64(value.value_or(0.0));
}

void WriteSettings(RecordWriter& out, const FitSettings& s) {
    WriteOptional(out, s.xMin);
    WriteOptional(out, s.xMax);
    out.U32(static_cast<std::uint32_t>(s.heldBands.size()));
    for (const int index : s.heldBands) {
        out.U32(static_cast<std::uint32_t>(index));
    }
    out.Bool(s.values.position).Bool(s.values.intensity).Bool(s.values.width);
    // Earlier versions know no curve beyond a straight line; record 10 or 12
    // holds the degree.
    out.U32(static_cast<std::uint32_t>(std::min(s.baseline, fit::Baseline::Linear)));
}

bool HasFitOptions(const FitSettings& s) {
    return s.baseline > fit::Baseline::Linear || s.allowNegative;
}

void WriteFitOptions(RecordWriter& out, const FitSettings& s) {
    out.U32(static_cast<std::uint32_t>(s.baseline)).Bool(s.allowNegative);
}

void ReadFitOptions(RecordReader& in, FitSettings& s) {
    const std::uint32_t baseline = in.U32();
    Check(baseline <= static_cast<std::uint32_t>(fit::Baseline::Cubic),
          TRAZEL_TR_NOOP("AnalysisFile", "la línea base guardada es de una clase desconocida"));
    s.baseline = static_cast<fit::Baseline>(baseline);
    s.allowNegative = in.Bool();
}

FitSettings ReadSettings(RecordReader& in, const PeakTable& table) {
    FitSettings s;
    s.xMin = OptionalValue(in);
    s.xMax = OptionalValue(in);
    const std::uint32_t held = in.U32();
    Check(held < static_cast<std::uint32_t>(kMaxPeakSlots),
          TRAZEL_TR_NOOP("AnalysisFile", "hay más bandas fijas que bandas"));
    for (std::uint32_t i = 0; i < held; ++i) {
        // Bands deleted since the settings were made are no longer held.
        const std::uint32_t index = in.U32();
        if (index >= 1 && index <= static_cast<std::uint32_t>(table.PeakCount())) {
            s.heldBands.push_back(static_cast<int>(index));
        }
    }
    s.values.position = in.Bool();
    s.values.intensity = in.Bool();
    s.values.width = in.Bool();
    const std::uint32_t baseline = in.U32();
    Check(baseline <= static_cast<std::uint32_t>(fit::Baseline::Linear),
          TRAZEL_TR_NOOP("AnalysisFile", "la línea base guardada es de una clase desconocida"));
    s.baseline = static_cast<fit::Baseline>(baseline);
    return s;
}

void WriteEstimate(RecordWriter& out, const fit::Estimate& e) {
    out.F64(e.value).F64(e.error).Bool(e.free);
}

fit::Estimate ReadEstimate(RecordReader& in) {
    fit::Estimate e;
    e.value = Finite(in);
    e.error = Finite(in);
    e.free = in.Bool();
    return e;
}

void WriteEnds(RecordWriter& out, const fit::Estimate& e) {
    out.Bool(e.atBound).Bool(e.undetermined);
}

void ReadEnds(RecordReader& in, fit::Estimate& e) {
    e.atBound = in.Bool();
    e.undetermined = in.Bool();
}

std::string LastFitMoreRecord(const FitRecord& f) {
    const fit::FitResult& r = f.result;
    RecordWriter out;
    WriteFitOptions(out, f.settings);
    out.F64(r.baselineCentre).U32(static_cast<std::uint32_t>(r.baseline.size()));
    for (const fit::Estimate& term : r.baseline) {
        WriteEstimate(out, term);
        WriteEnds(out, term);
    }
    out.U32(static_cast<std::uint32_t>(r.bands.size()));
    for (const fit::FittedBand& band : r.bands) {
        for (const fit::Estimate* e : {&band.position, &band.intensity, &band.width, &band.area}) {
            WriteEnds(out, *e);
        }
    }
    out.F64(r.reducedChiSquare).F64(r.structure).F64(r.structureLimit).Bool(r.structured);
    return out.Bytes();
}

void ReadLastFitMore(RecordReader& in, FitRecord& f) {
    fit::FitResult& r = f.result;
    ReadFitOptions(in, f.settings);
    r.baselineCentre = Finite(in);
    const std::uint32_t terms = in.U32();
    Check(terms == static_cast<std::uint32_t>(fit::BaselineTerms(f.settings.baseline)),
          TRAZEL_TR_NOOP("AnalysisFile",
                         "la línea base del ajuste guardado no tiene los términos de su clase"));
    r.baseline.clear();
    for (std::uint32_t j = 0; j < terms; ++j) {
        r.baseline.push_back(ReadEstimate(in));
        ReadEnds(in, r.baseline.back());
    }
    Check(in.U32() == r.bands.size(),
          TRAZEL_TR_NOOP("AnalysisFile", "el ajuste guardado no tiene las bandas de su registro"));
    for (fit::FittedBand& band : r.bands) {
        for (fit::Estimate* e : {&band.position, &band.intensity, &band.width, &band.area}) {
            ReadEnds(in, *e);
        }
    }
    r.reducedChiSquare = Finite(in);
    r.structure = Finite(in);
    r.structureLimit = Finite(in);
    r.structured = in.Bool();
}

std::string ResidualVerdictRecord(const fit::ResidualVerdict& v) {
    return RecordWriter()
        .U32(static_cast<std::uint32_t>(v.kind))
        .F64(v.noise)
        .U32(static_cast<std::uint32_t>(v.noiseSpan))
        .F64(v.ratio)
        .F64(v.ratioLimit)
        .F64(v.featureX)
        .F64(v.featureHeight)
        .F64(v.featureWidth)
        .F64(v.featurePercent)
        .Bytes();
}

fit::ResidualVerdict ReadResidualVerdict(RecordReader& in) {
    fit::ResidualVerdict v;
    const std::uint32_t kind = in.U32();
    v.noise = Finite(in);
    const std::uint32_t span = in.U32();
    v.ratio = Finite(in);
    v.ratioLimit = Finite(in);
    v.featureX = Finite(in);
    v.featureHeight = Finite(in);
    v.featureWidth = Finite(in);
    v.featurePercent = Finite(in);
    Check(span >= 1 && span <= 1000,
          TRAZEL_TR_NOOP("AnalysisFile", "el ruido guardado no tiene un alcance válido"));
    v.noiseSpan = static_cast<int>(span);
    // A kind of a later version is not named here: the fit reads as one
    // whose residual was not judged, in the words of its structure test.
    if (kind <= static_cast<std::uint32_t>(fit::ResidualKind::Last)) {
        v.kind = static_cast<fit::ResidualKind>(kind);
    }
    return v;
}

std::string TableBytes(const PeakTable& table) {
    std::ostringstream out(std::ios::binary);
    platform::CArchive ar(out);
    WritePeakTable(ar, table);
    return std::move(out).str();
}

PeakTable TableFrom(const std::string& bytes) {
    std::istringstream in(bytes, std::ios::binary);
    platform::CArchive ar(in);
    try {
        PeakTable table = ReadPeakTable(ar);
        Check(in.peek() == std::char_traits<char>::eof(),
              TRAZEL_TR_NOOP("AnalysisFile", "la tabla del ajuste sigue tras su final"));
        return table;
    } catch (const platform::CArchiveException&) {
        throw RecordError(TRAZEL_TR("AnalysisFile", "la tabla del ajuste guardado no es válida"));
    }
}

std::string MeasuredRecord(const MeasuredData& m) {
    RecordWriter out;
    out.String(m.sourcePath).String(m.sourceName);
    WriteOptional(out,
                  m.columns.xColumn ? std::optional<double>(*m.columns.xColumn) : std::nullopt);
    WriteOptional(out,
                  m.columns.yColumn ? std::optional<double>(*m.columns.yColumn) : std::nullopt);
    const input::MeasuredSpectrum& points = *m.points;
    out.Bool(points.jcamp).Bool(points.firstOfSeveral);
    out.U32(static_cast<std::uint32_t>(points.xColumn))
        .U32(static_cast<std::uint32_t>(points.yColumn));
    out.Doubles(points.x).Doubles(points.y);
    return out.Bytes();
}

std::optional<int> Column(RecordReader& in) {
    const std::optional<double> column = OptionalValue(in);
    if (!column) {
        return std::nullopt;
    }
    Check(*column >= 0 && *column <= 1e6 && std::floor(*column) == *column,
          TRAZEL_TR_NOOP("AnalysisFile", "una columna guardada no es válida"));
    return static_cast<int>(*column);
}

// A change of x, of y or of sign, which record 7 holds.
bool HasChange(const MeasuredTransform& t) {
    return t.x != input::XChange::None || t.y != input::YChange::None || t.negate ||
           t.laserNm != 0.0;
}

std::string ChangeRecord(const MeasuredTransform& t) {
    return RecordWriter()
        .U32(static_cast<std::uint32_t>(t.x))
        .U32(static_cast<std::uint32_t>(t.y))
        .F64(t.laserNm)
        .Bool(t.negate)
        .Bytes();
}

input::SpectrumTransform ReadChange(RecordReader& in) {
    input::SpectrumTransform change;
    const std::uint32_t x = in.U32();
    const std::uint32_t y = in.U32();
    Check(x <= static_cast<std::uint32_t>(input::XChange::RamanShift),
          TRAZEL_TR_NOOP("AnalysisFile", "el cambio de x guardado es de una clase desconocida"));
    Check(y <= static_cast<std::uint32_t>(input::YChange::AbsorbanceToPercentTransmittance),
          TRAZEL_TR_NOOP("AnalysisFile", "el cambio de y guardado es de una clase desconocida"));
    change.x = static_cast<input::XChange>(x);
    change.y = static_cast<input::YChange>(y);
    change.laserNm = Finite(in);
    change.negate = in.Bool();
    Check(change.laserNm >= 0.0 && (change.x != input::XChange::RamanShift || change.laserNm > 0.0),
          TRAZEL_TR_NOOP("AnalysisFile", "la línea del láser guardada no es positiva"));
    return change;
}

std::string UnitsRecord(const model::SpectrumHeader& h) {
    return RecordWriter()
        .String(h.title)
        .String(h.dataType)
        .String(h.xUnits)
        .String(h.yUnits)
        .U32(static_cast<std::uint32_t>(h.xKind))
        .U32(static_cast<std::uint32_t>(h.yKind))
        .Bytes();
}

model::SpectrumHeader ReadUnits(RecordReader& in) {
    model::SpectrumHeader h;
    h.title = in.String(kMaxText);
    h.dataType = in.String(kMaxText);
    h.xUnits = in.String(kMaxText);
    h.yUnits = in.String(kMaxText);
    const std::uint32_t x = in.U32();
    const std::uint32_t y = in.U32();
    Check(x <= static_cast<std::uint32_t>(model::XUnit::RamanShift) &&
              y <= static_cast<std::uint32_t>(model::YUnit::PercentTransmittance),
          TRAZEL_TR_NOOP("AnalysisFile", "las unidades guardadas son de una clase desconocida"));
    h.xKind = static_cast<model::XUnit>(x);
    h.yKind = static_cast<model::YUnit>(y);
    return h;
}

MeasuredData ReadMeasured(RecordReader& in) {
    MeasuredData m;
    m.sourcePath = in.String(kMaxText);
    m.sourceName = in.String(kMaxText);
    m.columns.xColumn = Column(in);
    m.columns.yColumn = Column(in);
    input::MeasuredSpectrum points;
    points.jcamp = in.Bool();
    points.firstOfSeveral = in.Bool();
    const std::uint32_t xColumn = in.U32();
    const std::uint32_t yColumn = in.U32();
    Check(xColumn <= 1000000 && yColumn <= 1000000,
          TRAZEL_TR_NOOP("AnalysisFile", "una columna guardada no es válida"));
    points.xColumn = static_cast<int>(xColumn);
    points.yColumn = static_cast<int>(yColumn);
    points.x = in.Doubles(kMaxPoints);
    points.y = in.Doubles(kMaxPoints);
    Check(points.x.size() == points.y.size() && points.x.size() >= 2,
          TRAZEL_TR_NOOP("AnalysisFile", "los puntos medidos guardados no forman pares"));
    const auto finite = [](double v) { return std::isfinite(v); };
    Check(std::all_of(points.x.begin(), points.x.end(), finite) &&
              std::all_of(points.y.begin(), points.y.end(), finite),
          TRAZEL_TR_NOOP("AnalysisFile", "un punto medido guardado no es un número finito"));
    // Not const yet: the units of a later record go into it (AnalysisFromSection).
    m.points = std::make_shared<input::MeasuredSpectrum>(std::move(points));
    return m;
}

std::string LastFitRecord(const FitRecord& f) {
    const fit::FitResult& r = f.result;
    RecordWriter out;
    out.String(TableBytes(r.table));
    WriteSettings(out, f.settings);
    out.F64(f.xMin).F64(f.xMax).U32(static_cast<std::uint32_t>(f.lineShape)).Bool(f.useScaled);
    out.U32(static_cast<std::uint32_t>(r.bands.size()));
    for (const fit::FittedBand& band : r.bands) {
        out.U32(static_cast<std::uint32_t>(band.index));
        for (const fit::Estimate* e : {&band.position, &band.intensity, &band.width, &band.area}) {
            WriteEstimate(out, *e);
        }
    }
    WriteEstimate(out, r.baselineConstant);
    WriteEstimate(out, r.baselineSlope);
    out.F64(r.rss).F64(r.rSquared);
    out.U32(static_cast<std::uint32_t>(r.points)).U32(static_cast<std::uint32_t>(r.parameters));
    out.U32(static_cast<std::uint32_t>(r.iterations)).String(fit::StopReasonWords(r));
    return out.Bytes();
}

FitRecord ReadLastFit(RecordReader& in) {
    FitRecord f;
    fit::FitResult& r = f.result;
    r.table = TableFrom(in.String(kMaxText));
    f.settings = ReadSettings(in, r.table);
    f.xMin = Finite(in);
    f.xMax = Finite(in);
    const std::uint32_t shape = in.U32();
    Check(shape == Gaussian || shape == Lorentzian,
          TRAZEL_TR_NOOP("AnalysisFile", "la forma de las bandas guardada no existe"));
    f.lineShape = static_cast<std::int32_t>(shape);
    f.useScaled = in.Bool();
    const std::uint32_t bands = in.U32();
    Check(bands < static_cast<std::uint32_t>(kMaxPeakSlots),
          TRAZEL_TR_NOOP("AnalysisFile", "el ajuste guardado tiene demasiadas bandas"));
    for (std::uint32_t i = 0; i < bands; ++i) {
        fit::FittedBand band;
        band.index = BandIndex(in, r.table);
        band.position = ReadEstimate(in);
        band.intensity = ReadEstimate(in);
        band.width = ReadEstimate(in);
        band.area = ReadEstimate(in);
        r.bands.push_back(band);
    }
    r.baselineConstant = ReadEstimate(in);
    r.baselineSlope = ReadEstimate(in);
    r.rss = Finite(in);
    r.rSquared = Finite(in);
    const std::uint32_t points = in.U32();
    const std::uint32_t parameters = in.U32();
    const std::uint32_t iterations = in.U32();
    Check(points <= kMaxPoints && parameters <= 1000 && iterations <= 1000000000,
          TRAZEL_TR_NOOP("AnalysisFile", "las cuentas del ajuste guardado no son válidas"));
    r.points = static_cast<int>(points);
    r.parameters = static_cast<int>(parameters);
    r.iterations = static_cast<int>(iterations);
    const std::string stopWords = in.String(kMaxText);
    r.stop = fit::StopReasonOf(stopWords);
    if (r.stop == fit::StopReason::Unknown) {
        r.stopWords = stopWords;
    }
    // As an earlier version wrote it: the baseline in powers of x, which is
    // its form about a centre at x = 0. Record 12, when there is one, gives
    // it about the range's centre.
    r.baselineCentre = 0.0;
    if (f.settings.baseline != fit::Baseline::None) {
        r.baseline.push_back(r.baselineConstant);
    }
    if (f.settings.baseline == fit::Baseline::Linear) {
        r.baseline.push_back(r.baselineSlope);
    }
    if (r.points > r.parameters) {
        r.reducedChiSquare = r.rss / static_cast<double>(r.points - r.parameters);
    }
    return f;
}

std::string PeakSearchRecord(const PeakSearchSettings& s) {
    return RecordWriter()
        .Bool(s.window.has_value())
        .U32(static_cast<std::uint32_t>(s.window.value_or(0)))
        .U32(static_cast<std::uint32_t>(s.order))
        .F64(s.minProminence)
        .Bool(s.minDistance.has_value())
        .F64(s.minDistance.value_or(0.0))
        .Bool(s.shoulders)
        .U32(static_cast<std::uint32_t>(s.maxBands))
        .Bytes();
}

PeakSearchSettings ReadPeakSearch(RecordReader& in) {
    PeakSearchSettings s;
    const bool hasWindow = in.Bool();
    const std::uint32_t window = in.U32();
    const std::uint32_t order = in.U32();
    const double prominence = in.F64();
    const bool hasDistance = in.Bool();
    const double distance = in.F64();
    s.shoulders = in.Bool();
    const std::uint32_t maxBands = in.U32();
    // Checked as numbers before any becomes an int, then as settings.
    Check(window <= static_cast<std::uint32_t>(kMaxSmoothWindow) &&
              order <= static_cast<std::uint32_t>(kMaxSmoothOrder) &&
              maxBands <= static_cast<std::uint32_t>(kMaxPeakSlots),
          TRAZEL_TR_NOOP("AnalysisFile", "las opciones de la búsqueda de bandas no son válidas"));
    if (hasWindow) {
        s.window = static_cast<int>(window);
    }
    s.order = static_cast<int>(order);
    s.minProminence = prominence;
    if (hasDistance) {
        s.minDistance = distance;
    }
    s.maxBands = static_cast<int>(maxBands);
    Check(PeakSearchSettingsProblem(s).empty(),
          TRAZEL_TR_NOOP("AnalysisFile", "las opciones de la búsqueda de bandas no son válidas"));
    return s;
}

std::string TagName(std::uint32_t tag) {
    switch (tag) {
        case kTagMeasured:
            return TRAZEL_TR("AnalysisFile", "el espectro medido");
        case kTagTransform:
            return TRAZEL_TR("AnalysisFile", "la transformación del espectro");
        case kTagFitSettings:
            return TRAZEL_TR("AnalysisFile", "las opciones del ajuste");
        case kTagLastFit:
            return TRAZEL_TR("AnalysisFile", "el último ajuste");
        case kTagBaseline:
            return TRAZEL_TR("AnalysisFile", "la línea base");
        case kTagAxisTitles:
            return TRAZEL_TR("AnalysisFile", "los títulos de los ejes");
        case kTagMeasuredChange:
            return TRAZEL_TR("AnalysisFile", "el cambio de x e y del espectro");
        case kTagMeasuredUnits:
            return TRAZEL_TR("AnalysisFile", "las unidades del espectro");
        case kTagPeakSearch:
            return TRAZEL_TR("AnalysisFile", "las opciones de la búsqueda de bandas");
        case kTagFitOptions:
            return TRAZEL_TR("AnalysisFile", "las opciones del ajuste");
        case kTagMeasuredAls:
            return TRAZEL_TR("AnalysisFile", "la línea base del espectro");
        case kTagLastFitMore:
            return TRAZEL_TR("AnalysisFile", "el último ajuste");
        case kTagMeasuredChoice:
            return TRAZEL_TR("AnalysisFile", "el espectro elegido del archivo");
        case kTagBandGuard:
            return TRAZEL_TR("AnalysisFile", "la tabla a la que se refiere el ajuste");
        case kTagFitStop:
            return TRAZEL_TR("AnalysisFile", "la parada del último ajuste");
        case kTagBandShapes:
            return TRAZEL_TR("AnalysisFile", "las formas de las bandas");
        case kTagPlotView:
            return TRAZEL_TR("AnalysisFile", "la vista del gráfico");
        case kTagResidualVerdict:
            return TRAZEL_TR("AnalysisFile", "el veredicto sobre el residuo del último ajuste");
        case kTagFitRegions:
            return TRAZEL_TR("AnalysisFile", "las regiones de ajuste");
        case kTagComparisonSettings:
            return TRAZEL_TR("AnalysisFile", "las opciones de la comparación con el cálculo");
        case kTagComparisonResult:
            return TRAZEL_TR("AnalysisFile", "la comparación con el cálculo");
        default:
            return TRAZEL_TR("AnalysisFile", "un registro");
    }
}

// What records after the measured spectrum's add to it, put in once all are read.
struct MeasuredExtras {
    std::optional<MeasuredTransform> transform;
    std::optional<input::SpectrumTransform> change;
    std::optional<model::SpectrumHeader> units;
    std::optional<input::AlsOptions> als;
    std::optional<int> spectrum;
    // The last fit's records, which make the one region of a document of an
    // earlier version, and record 19's regions with what they were written
    // beside.
    std::optional<FitRecord> lastFit;
    std::uint32_t lastFitCrc = 0;
    std::optional<std::vector<FitRegion>> regions;
    bool regionsHadRecorded = false;
    std::uint32_t regionsRecordedCrc = 0;
};

// Whether a record of the analysis names bands by their index.
bool NamesBands(const Analysis& analysis, const PeakTable& table) {
    const bool regionsName =
        std::any_of(analysis.regions.begin(), analysis.regions.end(),
                    [](const FitRegion& r) { return r.fit || !r.settings.heldBands.empty(); });
    return regionsName || !analysis.fitSettings.heldBands.empty() || model::HasOwnShapes(table);
}

// The region fit the records of the last fit hold, as an earlier version
// reads them: the one last applied (its settings are the next fit's), else
// the first fitted.
const FitRecord* RecordedFit(const Analysis& analysis) {
    const std::vector<const FitRecord*> fits = RegionFits(analysis.regions);
    for (const FitRecord* fit : fits) {
        if (RegionOf(*fit).settings.xMin == analysis.fitSettings.xMin &&
            RegionOf(*fit).settings.xMax == analysis.fitSettings.xMax) {
            return fit;
        }
    }
    return fits.empty() ? nullptr : fits.front();
}

// Whether record 16 has anything to keep: a band of the table, or of the
// last fit's, with a shape of its own.
bool HasShapes(const Analysis& analysis, const PeakTable& table) {
    const FitRecord* fit = RecordedFit(analysis);
    return model::HasOwnShapes(table) || (fit && model::HasOwnShapes(fit->result.table));
}

// The shapes of a fit's table with each fitted share's estimate.
void WriteFitShapes(RecordWriter& out, const fit::FitResult& result) {
    out.U32(static_cast<std::uint32_t>(result.table.PeakCount()));
    for (int k = 1; k <= result.table.PeakCount(); ++k) {
        const model::Peak& band = result.table.Band(k);
        fit::Estimate share;
        for (const fit::FittedBand& fitted : result.bands) {
            share = fitted.index == k ? fitted.share : share;
        }
        out.U32(static_cast<std::uint32_t>(band.shape))
            .F64(band.share)
            .F64(share.error)
            .Bool(share.free)
            .Bool(share.atBound);
    }
}

// The shapes of the table's bands, then those of the last fit's table (none
// without a fit).
std::string ShapesRecord(const Analysis& analysis, const PeakTable& table) {
    RecordWriter out;
    out.U32(static_cast<std::uint32_t>(table.PeakCount()));
    for (const model::Peak& band : table.bands) {
        out.U32(static_cast<std::uint32_t>(band.shape)).F64(band.share);
    }
    if (const FitRecord* fit = RecordedFit(analysis)) {
        WriteFitShapes(out, fit->result);
    } else {
        out.U32(0);
    }
    return out.Bytes();
}

std::pair<model::BandShape, double> ReadShape(RecordReader& in) {
    const std::uint32_t shape = in.U32();
    Check(shape <= static_cast<std::uint32_t>(model::BandShape::Last),
          TRAZEL_TR_NOOP("AnalysisFile", "la forma de una banda no es ninguna conocida"));
    const double share = Finite(in);
    Check(share >= 0.0 && share <= 1.0,
          TRAZEL_TR_NOOP("AnalysisFile", "la fracción lorentziana no está entre 0 y 1"));
    return {static_cast<model::BandShape>(shape), share};
}

// Reads what WriteFitShapes wrote into a fit of the table it was written
// for (none: no bands).
void ReadFitShapes(RecordReader& in, fit::FitResult* result) {
    const std::uint32_t fitted = in.U32();
    Check(fitted == (result ? static_cast<std::uint32_t>(result->table.PeakCount()) : 0u),
          TRAZEL_TR_NOOP("AnalysisFile", "no tiene tantas bandas como el último ajuste"));
    for (int k = 1; k <= static_cast<int>(fitted); ++k) {
        const auto [shape, share] = ReadShape(in);
        result->table.Band(k).shape = shape;
        result->table.Band(k).share = share;
        fit::Estimate estimate{share, Finite(in), false};
        estimate.free = in.Bool();
        estimate.atBound = in.Bool();
        for (fit::FittedBand& band : result->bands) {
            if (band.index == k) {
                band.share = estimate;
            }
        }
    }
}

std::vector<std::pair<model::BandShape, double>> ReadShapes(RecordReader& in,
                                                            const PeakTable& table,
                                                            std::optional<FitRecord>& lastFit) {
    Check(in.U32() == static_cast<std::uint32_t>(table.PeakCount()),
          TRAZEL_TR_NOOP("AnalysisFile", "no tiene tantas bandas como la tabla"));
    std::vector<std::pair<model::BandShape, double>> shapes;
    for (int k = 1; k <= table.PeakCount(); ++k) {
        shapes.push_back(ReadShape(in));
    }
    ReadFitShapes(in, lastFit ? &lastFit->result : nullptr);
    return shapes;
}

// A bound far above any fit's records, so that a damaged length is refused
// before anything is allocated for it.
constexpr std::size_t kMaxFitBytes = 4 * 1024 * 1024;

// Whether the regions say more than the records of the last fit: more than
// one, one not fitted, or settings of its own.
bool RegionsNeedRecord(const Analysis& analysis) {
    const auto& regions = analysis.regions;
    return !(regions.empty() ||
             (regions.size() == 1 && regions.front().fit &&
              RegionOf(*regions.front().fit).settings == regions.front().settings));
}

std::string RegionsRecord(const Analysis& analysis) {
    RecordWriter out;
    const FitRecord* recorded = RecordedFit(analysis);
    out.Bool(recorded != nullptr)
        .U32(recorded ? model::Crc32(LastFitRecord(*recorded)) : 0U)
        .U32(static_cast<std::uint32_t>(analysis.regions.size()));
    for (const FitRegion& region : analysis.regions) {
        WriteSettings(out, region.settings);
        WriteFitOptions(out, region.settings);
        out.Bool(region.fit.has_value());
        if (!region.fit) {
            continue;
        }
        const FitRecord& fit = *region.fit;
        out.String(LastFitRecord(fit)).String(LastFitMoreRecord(fit));
        out.U32(static_cast<std::uint32_t>(fit.result.stop)).Bool(fit.result.residual.Judged());
        if (fit.result.residual.Judged()) {
            out.String(ResidualVerdictRecord(fit.result.residual));
        }
        WriteFitShapes(out, fit.result);
    }
    return out.Bytes();
}

// The regions of record 19, checked: each range finite and not empty, none
// overlapping the one before it.
std::vector<FitRegion> ReadRegions(RecordReader& in, const PeakTable& table, bool& hasRecorded,
                                   std::uint32_t& recordedCrc) {
    hasRecorded = in.Bool();
    recordedCrc = in.U32();
    const std::uint32_t count = in.U32();
    Check(count <= 1000, TRAZEL_TR_NOOP("AnalysisFile", "tiene demasiadas regiones"));
    std::vector<FitRegion> regions;
    for (std::uint32_t r = 0; r < count; ++r) {
        FitRegion region;
        region.settings = ReadSettings(in, table);
        ReadFitOptions(in, region.settings);
        Check(region.settings.xMin && region.settings.xMax && region.XMin() < region.XMax() &&
                  (regions.empty() || regions.back().XMax() <= region.XMin()),
              TRAZEL_TR_NOOP("AnalysisFile",
                             "una región no tiene un intervalo válido o se solapa con otra"));
        if (in.Bool()) {
            // The readers see into these, which must outlive them.
            const std::string fitText = in.String(kMaxFitBytes);
            RecordReader fitBytes(fitText);
            FitRecord fit = ReadLastFit(fitBytes);
            Check(fitBytes.AtEnd(), TRAZEL_TR_NOOP("AnalysisFile", "sigue tras su final"));
            const std::string moreText = in.String(kMaxFitBytes);
            RecordReader more(moreText);
            ReadLastFitMore(more, fit);
            Check(more.AtEnd(), TRAZEL_TR_NOOP("AnalysisFile", "sigue tras su final"));
            const std::uint32_t stop = in.U32();
            if (stop > 0 && stop <= static_cast<std::uint32_t>(fit::StopReason::Last)) {
                fit.result.stop = static_cast<fit::StopReason>(stop);
                fit.result.stopWords.clear();
            }
            if (in.Bool()) {
                const std::string verdictText = in.String(kMaxText);
                RecordReader verdict(verdictText);
                fit.result.residual = ReadResidualVerdict(verdict);
                Check(verdict.AtEnd(), TRAZEL_TR_NOOP("AnalysisFile", "sigue tras su final"));
            }
            ReadFitShapes(in, &fit.result);
            region.fit = std::move(fit);
        }
        regions.push_back(std::move(region));
    }
    return regions;
}

std::string GuardRecord(const PeakTable& table) {
    return RecordWriter()
        .U32(static_cast<std::uint32_t>(table.PeakCount()))
        .U32(model::Crc32(model::PeakTableBytes(table)))
        .Bytes();
}

// Whether the section's records naming bands were written for another table
// than this one. A section without a guard was written before guards were,
// by a version that kept its records in step with the table.
bool WrittenForAnotherTable(const DocumentSection& section, const PeakTable& table) {
    for (const SectionRecord& record : section.records) {
        if (record.tag == kTagBandGuard) {
            return record.bytes != GuardRecord(table);
        }
    }
    return false;
}

// The comparison's records (24 and 25).
bool OfComparison(std::uint32_t tag) {
    return tag == kTagComparisonSettings || tag == kTagComparisonResult;
}

constexpr std::size_t kMaxAssignmentRows = 2 * static_cast<std::size_t>(model::kMaxPeaks);

std::string ComparisonSettingsRecord(const ComparisonRecord& c) {
    const ComparisonSettings& s = c.settings;
    return RecordWriter()
        .U32(static_cast<std::uint32_t>(c.lineShape))
        .Bool(s.xMin.has_value())
        .F64(s.xMin.value_or(0.0))
        .Bool(s.xMax.has_value())
        .F64(s.xMax.value_or(0.0))
        .U32((s.shift ? 1U : 0U) | (s.width ? 2U : 0U) | (s.share ? 4U : 0U))
        .U32(static_cast<std::uint32_t>(s.baseline))
        .Bytes();
}

void ReadComparisonSettings(RecordReader& in, ComparisonRecord& c) {
    const std::uint32_t shape = in.U32();
    Check(shape <= model::Lorentzian,
          TRAZEL_TR_NOOP("AnalysisFile", "la forma de línea no es ninguna conocida"));
    c.lineShape = static_cast<std::int32_t>(shape);
    c.settings.xMin = OptionalValue(in);
    c.settings.xMax = OptionalValue(in);
    const std::uint32_t flags = in.U32();
    Check(flags < 8U, TRAZEL_TR_NOOP("AnalysisFile", "tiene opciones desconocidas"));
    c.settings.shift = (flags & 1U) != 0;
    c.settings.width = (flags & 2U) != 0;
    c.settings.share = (flags & 4U) != 0;
    const std::uint32_t baseline = in.U32();
    Check(baseline <= static_cast<std::uint32_t>(fit::Baseline::Cubic),
          TRAZEL_TR_NOOP("AnalysisFile", "la línea base no es ninguna conocida"));
    c.settings.baseline = static_cast<fit::Baseline>(baseline);
}

std::string ComparisonResultRecord(const ComparisonRecord& c) {
    const fit::ComparisonResult& r = c.result;
    RecordWriter out;
    out.F64(c.xMin).F64(c.xMax).F64(c.tolerance);
    out.U32(static_cast<std::uint32_t>(c.bands.size()));
    for (const fit::ComputedBand& band : c.bands) {
        out.F64(band.position).F64(band.intensity).U32(static_cast<std::uint32_t>(band.shape));
    }
    for (const fit::Estimate* e : {&r.scale, &r.shift, &r.width, &r.factor, &r.share}) {
        WriteEstimate(out, *e);
    }
    out.U32(static_cast<std::uint32_t>(r.baseline.size()));
    for (const fit::Estimate& e : r.baseline) {
        WriteEstimate(out, e);
    }
    out.F64(r.baselineCentre).F64(r.searchedScale).F64(r.rSquared).F64(r.pearson).F64(r.cosine);
    out.F64(r.rss)
        .U32(static_cast<std::uint32_t>(r.points))
        .U32(static_cast<std::uint32_t>(r.parameters))
        .U32(static_cast<std::uint32_t>(r.iterations))
        .U32(static_cast<std::uint32_t>(r.agreement));
    out.U32(static_cast<std::uint32_t>(c.rows.size()));
    for (const AssignmentRow& row : c.rows) {
        out.U32(static_cast<std::uint32_t>(row.band))
            .F64(row.computed)
            .F64(row.scaled)
            .F64(row.intensity)
            .Bool(row.matched)
            .F64(row.measured)
            .F64(row.measuredIntensity)
            .F64(row.deviation)
            .F64(row.percent)
            .F64(row.bandScale);
    }
    return out.Bytes();
}

void ReadComparisonResult(RecordReader& in, ComparisonRecord& c) {
    fit::ComparisonResult& r = c.result;
    c.xMin = Finite(in);
    c.xMax = Finite(in);
    c.tolerance = Finite(in);
    const std::uint32_t count = in.U32();
    Check(count >= 1 && count <= static_cast<std::uint32_t>(model::kMaxPeaks),
          TRAZEL_TR_NOOP("AnalysisFile", "guarda un número de bandas imposible"));
    c.bands.clear();
    for (std::uint32_t i = 0; i < count; ++i) {
        fit::ComputedBand band;
        band.position = Finite(in);
        band.intensity = Finite(in);
        const std::uint32_t shape = in.U32();
        Check(shape >= static_cast<std::uint32_t>(model::BandShape::Gaussian) &&
                  shape <= static_cast<std::uint32_t>(model::BandShape::Last),
              TRAZEL_TR_NOOP("AnalysisFile", "la forma de línea no es ninguna conocida"));
        band.shape = static_cast<model::BandShape>(shape);
        c.bands.push_back(band);
    }
    for (fit::Estimate* e : {&r.scale, &r.shift, &r.width, &r.factor, &r.share}) {
        *e = ReadEstimate(in);
    }
    Check(r.width.value > 0.0 && r.share.value >= 0.0 && r.share.value <= 1.0,
          TRAZEL_TR_NOOP("AnalysisFile", "guarda una anchura o una fracción imposible"));
    const std::uint32_t terms = in.U32();
    Check(terms <= static_cast<std::uint32_t>(fit::BaselineTerms(fit::Baseline::Cubic)),
          TRAZEL_TR_NOOP("AnalysisFile", "la línea base no es ninguna conocida"));
    r.baseline.clear();
    for (std::uint32_t t = 0; t < terms; ++t) {
        r.baseline.push_back(ReadEstimate(in));
    }
    r.baselineCentre = Finite(in);
    r.searchedScale = Finite(in);
    r.rSquared = Finite(in);
    r.pearson = Finite(in);
    r.cosine = Finite(in);
    r.rss = Finite(in);
    r.points = static_cast<int>(in.U32() & 0x7fffffffU);
    r.parameters = static_cast<int>(in.U32() & 0x7fffffffU);
    r.iterations = static_cast<int>(in.U32() & 0x7fffffffU);
    const std::uint32_t agreement = in.U32();
    Check(agreement <= static_cast<std::uint32_t>(fit::Agreement::None),
          TRAZEL_TR_NOOP("AnalysisFile", "tiene opciones desconocidas"));
    r.agreement = static_cast<fit::Agreement>(agreement);
    const std::uint32_t rows = in.U32();
    Check(rows <= kMaxAssignmentRows,
          TRAZEL_TR_NOOP("AnalysisFile", "guarda un número de bandas imposible"));
    c.rows.clear();
    for (std::uint32_t i = 0; i < rows; ++i) {
        AssignmentRow row;
        row.band = static_cast<int>(in.U32());
        Check(row.band >= 0 && row.band <= static_cast<int>(count),
              TRAZEL_TR_NOOP("AnalysisFile", "una banda guardada no está en la tabla"));
        row.computed = Finite(in);
        row.scaled = Finite(in);
        row.intensity = Finite(in);
        row.matched = in.Bool();
        row.measured = Finite(in);
        row.measuredIntensity = Finite(in);
        row.deviation = Finite(in);
        row.percent = Finite(in);
        row.bandScale = Finite(in);
        c.rows.push_back(row);
    }
}

// Reads one known record into analysis; false for a tag this version does
// not know.
bool ReadRecord(const SectionRecord& record, const PeakTable& table, Analysis& analysis,
                MeasuredExtras& extras, StoredAnalysis& stored) {
    RecordReader in(record.bytes);
    switch (record.tag) {
        case kTagMeasured:
            analysis.measured = ReadMeasured(in);
            break;
        case kTagTransform:
            extras.transform = MeasuredTransform{.yFactor = Finite(in)};
            break;
        case kTagMeasuredChange:
            extras.change = ReadChange(in);
            break;
        case kTagMeasuredUnits:
            extras.units = ReadUnits(in);
            break;
        case kTagFitSettings: {
            // Record 10 may have come first in a file written out of order.
            const FitSettings options = analysis.fitSettings;
            analysis.fitSettings = ReadSettings(in, table);
            if (HasFitOptions(options)) {
                analysis.fitSettings.baseline = options.baseline;
                analysis.fitSettings.allowNegative = options.allowNegative;
            }
            break;
        }
        case kTagFitOptions:
            ReadFitOptions(in, analysis.fitSettings);
            break;
        case kTagMeasuredAls: {
            input::AlsOptions als;
            als.lambda = Finite(in);
            als.p = Finite(in);
            Check(!input::AlsProblem(als), TRAZEL_TR_NOOP("AnalysisFile", "λ o p no son válidos"));
            extras.als = als;
            break;
        }
        case kTagMeasuredChoice: {
            const std::uint32_t spectrum = in.U32();
            Check(spectrum <= 1000000,
                  TRAZEL_TR_NOOP("AnalysisFile", "el número del espectro elegido no es válido"));
            extras.spectrum = static_cast<int>(spectrum);
            break;
        }
        case kTagBandGuard:
            // Checked against the table before any record is read.
            in.U32();
            in.U32();
            break;
        case kTagLastFitMore:
            Check(extras.lastFit.has_value(),
                  TRAZEL_TR_NOOP("AnalysisFile", "no hay ajuste al que añadirlo"));
            ReadLastFitMore(in, *extras.lastFit);
            break;
        case kTagFitStop: {
            Check(extras.lastFit.has_value(),
                  TRAZEL_TR_NOOP("AnalysisFile", "no hay ajuste al que añadirlo"));
            // A reason of a later version is left to the words of record 4.
            const std::uint32_t stop = in.U32();
            if (stop > 0 && stop <= static_cast<std::uint32_t>(fit::StopReason::Last)) {
                extras.lastFit->result.stop = static_cast<fit::StopReason>(stop);
                extras.lastFit->result.stopWords.clear();
            }
            break;
        }
        case kTagResidualVerdict:
            Check(extras.lastFit.has_value(),
                  TRAZEL_TR_NOOP("AnalysisFile", "no hay ajuste al que añadirlo"));
            extras.lastFit->result.residual = ReadResidualVerdict(in);
            break;
        case kTagFitRegions:
            extras.regions =
                ReadRegions(in, table, extras.regionsHadRecorded, extras.regionsRecordedCrc);
            break;
        case kTagPeakSearch:
            analysis.peakSearch = ReadPeakSearch(in);
            break;
        case kTagBandShapes:
            stored.shapes = ReadShapes(in, table, extras.lastFit);
            break;
        case kTagComparisonSettings:
            ReadComparisonSettings(in, analysis.comparison.has_value()
                                           ? *analysis.comparison
                                           : analysis.comparison.emplace());
            break;
        case kTagComparisonResult:
            ReadComparisonResult(in, analysis.comparison.has_value()
                                         ? *analysis.comparison
                                         : analysis.comparison.emplace());
            break;
        case kTagPlotView: {
            PlotView view;
            view.xMin = Finite(in);
            view.xMax = Finite(in);
            view.yMin = Finite(in);
            view.yMax = Finite(in);
            const std::uint32_t flags = in.U32();
            Check(flags <= 3 && view.xMin != view.xMax && view.yMin != view.yMax,
                  TRAZEL_TR_NOOP("AnalysisFile", "los límites de la vista no son válidos"));
            view.yAutomatic = (flags & 1U) != 0;
            view.reversedX = (flags & 2U) != 0;
            analysis.plotView = view;
            break;
        }
        case kTagLastFit:
            extras.lastFit = ReadLastFit(in);
            extras.lastFitCrc = model::Crc32(record.bytes);
            break;
        case kTagBaseline: {
            // The last fit's baseline in powers of x, for earlier versions:
            // the fit itself gives it.
            const std::vector<double> baseline = in.Doubles(kMaxCoefficients);
            Check(std::all_of(baseline.begin(), baseline.end(),
                              [](double c) { return std::isfinite(c); }),
                  TRAZEL_TR_NOOP("AnalysisFile", "la línea base guardada no es un número finito"));
            break;
        }
        case kTagAxisTitles: {
            AxisTitles titles;
            titles.x = in.String(kMaxText);
            titles.y = in.String(kMaxText);
            analysis.axisTitles = titles;
            break;
        }
        default:
            return false;
    }
    Check(in.AtEnd(), TRAZEL_TR_NOOP("AnalysisFile", "sigue tras su final"));
    return true;
}

}  // namespace

model::DocumentSection AnalysisSection(const Analysis& analysis, const PeakTable& table) {
    DocumentSection section;
    if (analysis.measured) {
        section.records.push_back({kTagMeasured, MeasuredRecord(*analysis.measured)});
        section.records.push_back(
            {kTagTransform, RecordWriter().F64(analysis.measured->transform.yFactor).Bytes()});
    }
    if (!IsDefault(analysis.fitSettings)) {
        RecordWriter out;
        WriteSettings(out, analysis.fitSettings);
        section.records.push_back({kTagFitSettings, out.Bytes()});
    }
    const FitRecord* recorded = RecordedFit(analysis);
    if (recorded) {
        section.records.push_back({kTagLastFit, LastFitRecord(*recorded)});
        if (const auto baseline = BaselineOf(recorded->result, recorded->settings.baseline)) {
            section.records.push_back(
                {kTagBaseline, RecordWriter().Doubles(baseline->coefficients).Bytes()});
        }
    }
    if (analysis.axisTitles) {
        section.records.push_back(
            {kTagAxisTitles,
             RecordWriter().String(analysis.axisTitles->x).String(analysis.axisTitles->y).Bytes()});
    }
    if (analysis.measured) {
        const MeasuredData& m = *analysis.measured;
        if (HasChange(m.transform)) {
            section.records.push_back({kTagMeasuredChange, ChangeRecord(m.transform)});
        }
        if (m.points->header != model::SpectrumHeader{}) {
            section.records.push_back({kTagMeasuredUnits, UnitsRecord(m.points->header)});
        }
    }
    if (analysis.peakSearch) {
        section.records.push_back({kTagPeakSearch, PeakSearchRecord(*analysis.peakSearch)});
    }
    if (HasFitOptions(analysis.fitSettings)) {
        RecordWriter out;
        WriteFitOptions(out, analysis.fitSettings);
        section.records.push_back({kTagFitOptions, out.Bytes()});
    }
    if (analysis.measured && analysis.measured->transform.als) {
        const input::AlsOptions& als = *analysis.measured->transform.als;
        section.records.push_back(
            {kTagMeasuredAls, RecordWriter().F64(als.lambda).F64(als.p).Bytes()});
    }
    if (recorded) {
        section.records.push_back({kTagLastFitMore, LastFitMoreRecord(*recorded)});
    }
    if (analysis.measured && analysis.measured->columns.spectrum) {
        section.records.push_back(
            {kTagMeasuredChoice,
             RecordWriter()
                 .U32(static_cast<std::uint32_t>(*analysis.measured->columns.spectrum))
                 .Bytes()});
    }
    if (NamesBands(analysis, table)) {
        section.records.push_back({kTagBandGuard, GuardRecord(table)});
    }
    if (recorded && recorded->result.stop != fit::StopReason::Unknown) {
        section.records.push_back(
            {kTagFitStop,
             RecordWriter().U32(static_cast<std::uint32_t>(recorded->result.stop)).Bytes()});
    }
    if (HasShapes(analysis, table)) {
        section.records.push_back({kTagBandShapes, ShapesRecord(analysis, table)});
    }
    if (recorded && recorded->result.residual.Judged()) {
        section.records.push_back(
            {kTagResidualVerdict, ResidualVerdictRecord(recorded->result.residual)});
    }
    if (analysis.plotView) {
        const PlotView& view = *analysis.plotView;
        section.records.push_back(
            {kTagPlotView, RecordWriter()
                               .F64(view.xMin)
                               .F64(view.xMax)
                               .F64(view.yMin)
                               .F64(view.yMax)
                               .U32((view.yAutomatic ? 1U : 0U) | (view.reversedX ? 2U : 0U))
                               .Bytes()});
    }
    if (RegionsNeedRecord(analysis)) {
        section.records.push_back({kTagFitRegions, RegionsRecord(analysis)});
    }
    if (analysis.comparison) {
        section.records.push_back(
            {kTagComparisonSettings, ComparisonSettingsRecord(*analysis.comparison)});
        section.records.push_back(
            {kTagComparisonResult, ComparisonResultRecord(*analysis.comparison)});
    }
    section.records.insert(section.records.end(), analysis.keptRecords.begin(),
                           analysis.keptRecords.end());
    return section;
}

StoredAnalysis AnalysisFromSection(const SectionRead& read, const PeakTable& table) {
    StoredAnalysis stored;
    switch (read.kind) {
        case SectionRead::Kind::None:
            return stored;
        case SectionRead::Kind::Newer:
            stored.keptSection = read.keptBytes;
            stored.unread = true;
            stored.notice =
                TRAZEL_TR("AnalysisFile",
                          "El documento guarda un análisis de una versión de Trazel más "
                          "reciente, que esta no sabe leer: se abre solo la tabla, y el "
                          "análisis se conserva tal cual al guardar mientras no cree uno "
                          "nuevo.");
            return stored;
        case SectionRead::Kind::Damaged:
            stored.keptSection = read.keptBytes;
            stored.unread = true;
            stored.notice = platform::Fill(TRAZEL_TR("AnalysisFile",
                                                     "No se pudo leer el análisis guardado en el "
                                                     "documento: %1 Se abre solo la tabla; el "
                                                     "análisis se guarda tal cual estaba mientras "
                                                     "no se cree uno nuevo."),
                                           {read.problem});
            return stored;
        case SectionRead::Kind::Read:
            break;
    }
    // A section of this version that cannot be used is kept as it came:
    // its layout is the only one such a section has, so the records write
    // back the bytes they came in.
    const auto unread = [&](std::uint32_t tag, const std::string& why) {
        StoredAnalysis kept;
        kept.keptSection = SectionBytes(read.section);
        kept.unread = true;
        kept.notice = platform::Fill(TRAZEL_TR("AnalysisFile",
                                               "No se pudo leer el análisis guardado en el "
                                               "documento: %1 no es válido: %2. Se abre solo la "
                                               "tabla; el análisis se guarda tal cual estaba "
                                               "mientras no se cree uno nuevo."),
                                     {TagName(tag), why});
        return kept;
    };
    Analysis analysis;
    MeasuredExtras extras;
    std::set<std::uint32_t> seen;
    const bool stale = WrittenForAnotherTable(read.section, table);
    bool shapesLeftOut = false;
    for (const SectionRecord& record : read.section.records) {
        try {
            // A record of ours twice is no later version's addition: which
            // one holds the truth cannot be told, and keeping the last would
            // drop the other on the next save.
            Check((record.tag > kTagFitRegions && !OfComparison(record.tag)) ||
                      seen.insert(record.tag).second,
                  TRAZEL_TR_NOOP("AnalysisFile", "aparece dos veces"));
            if (stale && (record.tag == kTagLastFit || record.tag == kTagLastFitMore ||
                          record.tag == kTagFitStop || record.tag == kTagBandShapes ||
                          record.tag == kTagResidualVerdict || record.tag == kTagFitRegions)) {
                shapesLeftOut = shapesLeftOut || record.tag == kTagBandShapes;
                continue;
            }
            if (!ReadRecord(record, table, analysis, extras, stored)) {
                analysis.keptRecords.push_back(record);
            }
        } catch (const RecordError& e) {
            return unread(record.tag, e.what());
        }
    }
    if (analysis.measured) {
        MeasuredData& m = *analysis.measured;
        if (extras.transform) {
            m.transform.yFactor = extras.transform->yFactor;
        }
        if (extras.change) {
            const double factor = m.transform.yFactor;
            m.transform = MeasuredTransformOf(*extras.change);
            m.transform.yFactor = factor;
        }
        m.transform.als = extras.als;
        m.columns.spectrum = extras.spectrum;
        if (extras.units) {
            // Made by ReadMeasured as a mutable object, and shared with
            // nobody yet.
            std::const_pointer_cast<input::MeasuredSpectrum>(m.points)->header = *extras.units;
        }
        Retransform(m);
        // As loading the spectrum with that change refuses it: a figure or
        // a fit has nothing to work on.
        if (m.X().size() < 2) {
            return unread(extras.change ? kTagMeasuredChange : kTagMeasuredAls,
                          TRAZEL_TR("AnalysisFile", "deja menos de dos puntos del espectro"));
        }
    }
    if (extras.regions && extras.regionsHadRecorded == extras.lastFit.has_value() &&
        extras.regionsRecordedCrc == (extras.lastFit ? extras.lastFitCrc : 0U)) {
        analysis.regions = std::move(*extras.regions);
    } else {
        if (extras.regions) {
            stored.notice = TRAZEL_TR("AnalysisFile",
                                      "Otra versión de Trazel cambió el último ajuste del "
                                      "documento: se abre ese ajuste como su única región de "
                                      "ajuste, sin las regiones guardadas antes.");
        }
        if (extras.lastFit) {
            analysis.regions.push_back(RegionOf(std::move(*extras.lastFit)));
        }
    }
    // A comparison is of the bands it holds: one without them, or whose
    // bands the table no longer has, says nothing of this table.
    if (analysis.comparison &&
        (analysis.comparison->bands.empty() || !ComparisonFitsTable(*analysis.comparison, table))) {
        analysis.comparison.reset();
    }
    if (stale) {
        // The range and the options still hold; which bands were held and
        // what the fit gave them can no longer be told.
        analysis.fitSettings.heldBands.clear();
        stored.notice = TRAZEL_TR("AnalysisFile",
                                  "La tabla del documento se cambió con otra versión de Trazel "
                                  "después del último ajuste: se abre sin ese ajuste ni las "
                                  "bandas fijadas, que ya no nombrarían las mismas bandas.");
        if (shapesLeftOut) {
            stored.notice += " " + TRAZEL_TR("AnalysisFile",
                                             "Sus bandas siguen la forma del documento: las "
                                             "formas propias guardadas eran de la tabla anterior.");
        }
    }
    stored.analysis = std::move(analysis);
    return stored;
}

void PutShapes(PeakTable& table, const StoredAnalysis& stored) {
    if (stored.shapes.size() != table.bands.size()) {
        return;
    }
    for (std::size_t i = 0; i < stored.shapes.size(); ++i) {
        table.bands[i].shape = stored.shapes[i].first;
        table.bands[i].share = stored.shapes[i].second;
    }
}

std::string SectionBytesFor(const Analysis& analysis, const PeakTable& table,
                            const std::string& keptSection) {
    const DocumentSection section = AnalysisSection(analysis, table);
    if (section.records.empty()) {
        return keptSection;
    }
    return SectionBytes(section);
}

}  // namespace trazel::analysis
