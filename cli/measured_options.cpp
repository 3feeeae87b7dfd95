#include "cli/measured_options.h"

#include <ostream>

#include "document/trazel_doc.h"
#include "platform/file_errors.h"
#include "platform/number_format.h"
#include "platform/translation.h"

using namespace trazel::input;
using namespace trazel::platform;

namespace trazel::cli {

namespace {

AlsOptions AlsFrom(const std::string& text) {
    const std::size_t comma = text.find(',');
    const auto lambda = ParseDouble(text.substr(0, comma));
    const auto p = comma == std::string::npos ? std::nullopt : ParseDouble(text.substr(comma + 1));
    if (!lambda || !p) {
        throw UsageError(Fill(TRAZEL_TR("MeasuredOptions",
                                        "--subtract-als espera LAMBDA,P, dos números separados "
                                        "por una coma (por ejemplo 1e5,0.01), no «%1»"),
                              {text}));
    }
    const AlsOptions options{*lambda, *p};
    if (const auto problem = AlsProblem(options)) {
        throw UsageError(Fill(TRAZEL_TR("MeasuredOptions", "--subtract-als: %1"), {*problem}));
    }
    return options;
}

// A reader's refusal: of a choice, the user's to mend; of the file, its own.
[[noreturn]] void ThrowReadFailure(const std::string& message, ReadFailure failure) {
    if (failure == ReadFailure::NoSuchSpectrum) {
        throw UsageError(Fill(TRAZEL_TR("MeasuredOptions", "--spectrum: %1"), {message}));
    }
    throw FileError(message);
}

void ThrowBaselineFault(const TransformedSpectrum& spectrum) {
    switch (spectrum.baselineFault) {
        case TransformedSpectrum::BaselineFault::None:
            return;
        case TransformedSpectrum::BaselineFault::LambdaOutOfRange:
            throw UsageError(Fill(TRAZEL_TR("MeasuredOptions", "--subtract-als: %1"),
                                  {spectrum.baselineProblem}));
        case TransformedSpectrum::BaselineFault::NotFinite:
            throw NoResultError(
                Fill(TRAZEL_TR("MeasuredOptions", "No hay resultado: %1. No se ha escrito nada."),
                     {spectrum.baselineProblem}));
    }
}

}  // namespace

MeasuredOptions SpectrumChoice(const std::string& path, const std::optional<std::string>& choice) {
    MeasuredOptions options;
    if (!choice) {
        return options;
    }
    const bool number =
        !choice->empty() && choice->find_first_not_of("0123456789") == std::string::npos;
    if (number) {
        const int chosen = ParseIntArg(*choice, kSpectrumOption);
        if (chosen < 1) {
            throw UsageError(TRAZEL_TR("MeasuredOptions",
                                       "--spectrum cuenta desde 1 (o da el nombre del espectro)"));
        }
        options.spectrum = chosen - 1;
        return options;
    }
    const auto list = ListMeasuredSpectra(path);
    if (!list.Ok()) {
        ThrowReadFailure(list.Message(), list.Failure());
    }
    const auto named = SpectrumNamed(path, list.Value(), *choice);
    if (!named.Ok()) {
        ThrowReadFailure(named.Message(), named.Failure());
    }
    options.spectrum = named.Value();
    return options;
}

MeasuredOptions ChosenSpectrum(const MeasuredSpectrum& points,
                               const std::optional<std::string>& choice) {
    MeasuredOptions options;
    if (choice) {
        options.spectrum = points.spectrum;
    }
    return options;
}

XLimits XLimitsFrom(const ParsedOptions& options) {
    XLimits limits;
    if (options.Has("--xmin")) {
        limits.min = options.RequiredNumber("--xmin");
    }
    if (options.Has("--xmax")) {
        limits.max = options.RequiredNumber("--xmax");
    }
    // Infrared users read a range from high to low: either order names the
    // same points.
    if (limits.min && limits.max) {
        if (*limits.min == *limits.max) {
            throw UsageError(TRAZEL_TR("Cli", "--xmin y --xmax deben ser distintos"));
        }
        if (*limits.min > *limits.max) {
            std::swap(*limits.min, *limits.max);
        }
    }
    return limits;
}

SpectrumTransform TransformFrom(const ParsedOptions& options) {
    SpectrumTransform transform;
    if (const auto y = options.Value("--y")) {
        if (*y == "none") {
            // Said on purpose: the data are used as they are, without a note.
        } else if (*y == "negate") {
            transform.negate = true;
        } else if (const auto change = YChangeNamed(*y)) {
            transform.y = *change;
        } else {
            throw UsageError(
                Fill(TRAZEL_TR("MeasuredOptions",
                               "--y espera transmittance-to-absorbance, "
                               "percent-transmittance-to-absorbance, absorbance-to-transmittance, "
                               "absorbance-to-percent-transmittance, negate o none, no «%1»"),
                     {*y}));
        }
    }
    if (const auto x = options.Value("--x")) {
        const auto change = XChangeNamed(*x);
        if (!change) {
            throw UsageError(Fill(TRAZEL_TR("MeasuredOptions",
                                            "--x espera nanometre-to-wavenumber, "
                                            "wavenumber-to-nanometre, micrometre-to-wavenumber o "
                                            "raman-shift, no «%1»"),
                                  {*x}));
        }
        transform.x = *change;
    }
    const bool raman = transform.x == XChange::RamanShift;
    if (raman && !options.Has("--laser")) {
        throw UsageError(
            TRAZEL_TR("MeasuredOptions",
                      "--x raman-shift necesita --laser con la longitud de onda del láser en nm"));
    }
    if (!raman && options.Has("--laser")) {
        throw UsageError(TRAZEL_TR("MeasuredOptions", "--laser solo sirve con --x raman-shift"));
    }
    if (raman) {
        transform.laserNm = options.RequiredNumber("--laser");
        if (!(transform.laserNm > 0.0)) {
            throw UsageError(
                Fill(TRAZEL_TR("MeasuredOptions",
                               "--laser debe ser una longitud de onda en nm mayor que 0, no «%1»"),
                     {*options.Value("--laser")}));
        }
    }
    if (const auto als = options.Value("--subtract-als")) {
        transform.als = AlsFrom(*als);
    }
    return transform;
}

std::string TransformOptionsText(const SpectrumTransform& transform) {
    std::string text;
    const auto add = [&text](const std::string& words) {
        text += (text.empty() ? "" : " ") + words;
    };
    if (transform.x != XChange::None) {
        add("--x " + std::string(XChangeName(transform.x)));
        if (transform.x == XChange::RamanShift) {
            add("--laser " + ShortestText(transform.laserNm));
        }
    }
    if (transform.y != YChange::None) {
        add("--y " + std::string(YChangeName(transform.y)));
    }
    if (transform.negate) {
        add("--y negate");
    }
    if (transform.als) {
        add("--subtract-als " + ShortestText(transform.als->lambda) + "," +
            ShortestText(transform.als->p));
    }
    return text;
}

void NoteTransmittance(bool yGiven, const SpectrumTransform& transform,
                       const model::SpectrumHeader& header, std::span<const double> y,
                       const std::string& command, std::ostream& err) {
    if (yGiven || transform.y != YChange::None) {
        return;
    }
    const auto proposed = ProposedYChange(header, y);
    if (!proposed) {
        return;
    }
    err << "trazel-cli " << command << ": "
        << Fill(TRAZEL_TR("MeasuredOptions",
                          "los datos declaran %1, que no se suma como las bandas; --y %2 los "
                          "convierte en absorbancia (--y none los deja como están y calla "
                          "este aviso).\n"),
                {*proposed == YChange::PercentTransmittanceToAbsorbance
                     ? TRAZEL_TR("MeasuredOptions", "transmitancia en porcentaje")
                     : TRAZEL_TR("MeasuredOptions", "transmitancia"),
                 std::string(YChangeName(*proposed))});
}

namespace {

// The spectrum chosen in path as read, its notes and the others it holds
// said on err.
MeasuredSpectrum ReadChosenSpectrum(const std::string& path,
                                    const std::optional<std::string>& choice,
                                    const std::string& command, std::ostream& err) {
    auto read = ReadMeasuredSpectrum(path, SpectrumChoice(path, choice));
    if (!read.Ok()) {
        ThrowReadFailure(read.Message(), read.Failure());
    }
    const MeasuredSpectrum& spectrum = read.Value();
    if (!choice && spectrum.spectra > 1) {
        err << "trazel-cli " << command << ": "
            << Fill(TRAZEL_TR("MeasuredOptions",
                              "%1 tiene %2 espectros; se toma el primero. --spectrum N o "
                              "--spectrum NOMBRE elige otro; trazel-cli spectrum %3 --list los "
                              "muestra.\n"),
                    {QuoteFileName(path), std::to_string(spectrum.spectra), path});
    }
    for (const std::string& note : spectrum.notes) {
        err << "trazel-cli " << command << ": " << note << '\n';
    }
    return std::move(read.Value());
}

// Refuses a transform that leaves fewer than two of the points read, or a
// λ of no use for those it leaves, and says how many it leaves out and why.
// The baseline is not part of it: what is left out does not depend on it.
void CheckPointsLeft(const std::string& path, const SpectrumTransform& transform, std::size_t read,
                     const PointsLeftOut& left, const std::string& command, std::ostream& err) {
    const std::size_t kept = read - left.Total();
    if (kept < 2) {
        throw FileError(Fill(TRAZEL_TR("MeasuredOptions",
                                       "No se pudo usar %1: con %2 quedan %3 de sus %4 puntos, y "
                                       "hacen falta al menos dos (la transformación no está "
                                       "definida en los demás)."),
                             {QuoteFileName(path), DescribeTransform(transform),
                              std::to_string(kept), std::to_string(read)}));
    }
    if (left.Total() > 0) {
        const bool logarithm = transform.y == YChange::TransmittanceToAbsorbance ||
                               transform.y == YChange::PercentTransmittanceToAbsorbance;
        std::string why;
        if (left.xUndefined > 0) {
            why = Fill(TRAZEL_TR("MeasuredOptions", "%1 con x ≤ 0"),
                       {std::to_string(left.xUndefined)});
        }
        if (left.yUndefined > 0) {
            const std::string y = std::to_string(left.yUndefined);
            const std::string those =
                logarithm ? Fill(TRAZEL_TR("MeasuredOptions", "%1 con transmitancia ≤ 0"), {y})
                          : Fill(TRAZEL_TR("MeasuredOptions",
                                           "%1 cuya y transformada no cabe en un número"),
                                 {y});
            why = why.empty() ? those : Fill(TRAZEL_TR("MeasuredOptions", "%1 y %2"), {why, those});
        }
        err << "trazel-cli " << command << ": "
            << Fill(TRAZEL_TR("MeasuredOptions",
                              "se dejan fuera %1 de los %2 puntos de %3, donde la transformación "
                              "no está definida: %4.\n"),
                    {std::to_string(left.Total()), std::to_string(read), QuoteFileName(path), why});
    }
    if (transform.als) {
        if (const auto problem = AlsRangeProblem(*transform.als, kept)) {
            throw UsageError(Fill(TRAZEL_TR("MeasuredOptions", "--subtract-als: %1"), {*problem}));
        }
    }
}

SpectrumTransform WithoutBaseline(SpectrumTransform transform) {
    transform.als.reset();
    return transform;
}

}  // namespace

TransformedSpectrum ReadTransformedSpectrum(const std::string& path,
                                            const std::optional<std::string>& choice,
                                            const SpectrumTransform& transform,
                                            const std::string& command, std::ostream& err) {
    MeasuredSpectrum spectrum = ReadChosenSpectrum(path, choice, command, err);
    const std::size_t read = spectrum.x.size();
    const SpectrumTransform applied = WithoutBaseline(transform);
    TransformedSpectrum out;
    if (applied.IsIdentity()) {
        // Nothing to change: the points read are the data, not a copy of
        // them (a million points are 16 MB).
        out.header = TransformedHeader(spectrum.header, applied);
        out.x = std::move(spectrum.x);
        out.y = std::move(spectrum.y);
    } else {
        out = ApplyTransform(spectrum.x, spectrum.y, spectrum.header, applied);
    }
    out.origin = std::move(spectrum.origin);
    out.owner = std::move(spectrum.owner);
    CheckPointsLeft(path, transform, read, {out.xUndefined, out.yUndefined}, command, err);
    if (transform.als) {
        SubtractAls(out, *transform.als);
        ThrowBaselineFault(out);
    }
    return out;
}

MeasuredSpectrum ReadSpectrumToKeep(const std::string& path,
                                    const std::optional<std::string>& choice,
                                    const SpectrumTransform& transform, const std::string& command,
                                    std::ostream& err) {
    MeasuredSpectrum spectrum = ReadChosenSpectrum(path, choice, command, err);
    // Counted, not made: the document makes the data itself from the points
    // it keeps, and a second copy here would only be thrown away.
    CheckPointsLeft(path, transform, spectrum.x.size(),
                    LeftOutBy(spectrum.x, spectrum.y, WithoutBaseline(transform)), command, err);
    return spectrum;
}

void CheckSubtractedBaseline(const analysis::Analysis& analysis) {
    if (analysis.measured && analysis.measured->changed) {
        ThrowBaselineFault(*analysis.measured->changed);
    }
}

void UseStoredSpectrum(document::CTrazelDoc& document, const std::string& docPath,
                       const ParsedOptions& options, const input::SpectrumTransform* change,
                       const std::string& command, std::ostream& err) {
    const auto& stored = document.GetAnalysis().measured;
    if (!stored) {
        throw UsageError(Fill(TRAZEL_TR("MeasuredOptions",
                                        "falta --measured con el espectro medido: %1 no guarda "
                                        "ninguno"),
                              {QuoteFileName(docPath)}));
    }
    analysis::MeasuredTransform transform = stored->transform;
    if (change) {
        const double factor = transform.yFactor;
        transform = analysis::MeasuredTransformOf(*change);
        transform.yFactor = factor;
    }
    if (options.Has("--yfactor")) {
        transform.yFactor = options.RequiredNumber("--yfactor");
    }
    document.SetMeasuredTransform(transform);
    const analysis::MeasuredData& measured = *document.GetAnalysis().measured;
    if (measured.X().size() < 2) {
        throw FileError(
            Fill(TRAZEL_TR("MeasuredOptions",
                           "No se pudo usar el espectro medido de %1: con %2 quedan "
                           "%3 de sus %4 puntos, y hacen falta al menos dos."),
                 {QuoteFileName(docPath), input::DescribeTransform(transform.Whole()),
                  std::to_string(measured.X().size()), std::to_string(measured.points->x.size())}));
    }
    NoteTransmittance(options.Has("--y"), transform.Change(), measured.points->header,
                      measured.points->y, command, err);
}

}  // namespace trazel::cli
