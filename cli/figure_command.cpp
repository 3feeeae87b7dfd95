#include <QSize>
#include <QString>
#include <algorithm>
#include <optional>
#include <ostream>
#include <tuple>

#include "cli/cli.h"
#include "cli/cli_support.h"
#include "cli/document_commands.h"
#include "cli/gui_session.h"
#include "cli/measured_options.h"
#include "cli/output_commands.h"
#include "cli/output_options.h"
#include "document/trazel_doc.h"
#include "figure/figure.h"
#include "figure/picture_file.h"
#include "input/measured_spectrum.h"
#include "platform/translation.h"

using namespace trazel::platform;
using namespace trazel::model;

namespace trazel::cli {

namespace {

const OptionSpec kFigureOptions{
    .valued = {"--xmin",
               "--xmax",
               "--ymin",
               "--ymax",
               "--measured",
               "--yfactor",
               "--size",
               "--width-cm",
               "--height-cm",
               "--width-in",
               "--height-in",
               "--dpi",
               "--xtitle",
               "--ytitle",
               "-o",
               "--y",
               "--x",
               "--laser",
               "--subtract-als",
               kSpectrumOption,
               "--region-number"},
    .switches = {"--lorentzian", "--scaled", "--reversed", "--increasing", "--fill"}};

struct FigureRequest {
    std::string docPath;
    figure::FigureView view;
    std::optional<std::string> measuredPath;
    // --spectrum: which of the spectra of a file of several.
    std::optional<std::string> spectrum;
    analysis::MeasuredTransform transform;
    // The changes of x and y made to the measured points as they are read.
    input::SpectrumTransform change;
    // --y was given, if only as "none".
    bool yGiven = false;
    // Not given: the stored view's, else the stored fit's range, else the
    // measured spectrum's.
    std::optional<std::pair<double, double>> xRange;
    bool yGivenLimits = false;
    // --reversed or --increasing; without either, the document's direction.
    std::optional<bool> reversedX;
    bool titlesGiven[2] = {false, false};
    // --region-number: the one fit region drawn (from 1), else all of them.
    std::optional<int> region;
    figure::PictureSize size = figure::DefaultPictureSize();
    std::string outPath;
};

// "WxH" in pixels.
QSize ParseSize(const std::string& text) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) {
        throw UsageError(
            Fill(TRAZEL_TR("FigureCommand",
                           "--size se escribe ANCHOxALTO en píxeles (1200x800), no «%1»"),
                 {text}));
    }
    const QSize size(ParseIntArg(text.substr(0, x), "--size"),
                     ParseIntArg(text.substr(x + 1), "--size"));
    const auto within = [](int side) {
        return side >= figure::kMinPictureSide && side <= figure::kMaxPictureSide;
    };
    if (!within(size.width()) || !within(size.height())) {
        throw UsageError(Fill(TRAZEL_TR("FigureCommand",
                                        "--size: la imagen debe tener de %1 a %2 píxeles por "
                                        "lado, no «%3»"),
                              {std::to_string(figure::kMinPictureSide),
                               std::to_string(figure::kMaxPictureSide), text}));
    }
    return size;
}

// The picture's size from --size (pixels) or a width and height on paper in
// centimetres or inches, with --dpi; the default column width where only
// the height or nothing is given, three quarters as high as wide where only
// the width is.
figure::PictureSize ParsePictureSize(const ParsedOptions& options) {
    const bool cm = options.Has("--width-cm") || options.Has("--height-cm");
    const bool in = options.Has("--width-in") || options.Has("--height-in");
    if (int(cm) + int(in) + int(options.Has("--size")) > 1) {
        throw UsageError(TRAZEL_TR("FigureCommand",
                                   "el tamaño se da de una sola manera: --size en píxeles, o "
                                   "--width-cm y --height-cm, o --width-in y --height-in"));
    }
    std::optional<double> dpi;
    if (options.Has("--dpi")) {
        dpi = options.RequiredNumber("--dpi");
    }
    figure::PictureSize size = figure::DefaultPictureSize();
    if (const auto pixels = options.Value("--size")) {
        size = figure::PictureSizeInPixels(ParseSize(*pixels), dpi);
    } else {
        const double perInch = in ? 1.0 : figure::kCentimetresPerInch;
        const char* wide = in ? "--width-in" : "--width-cm";
        const char* high = in ? "--height-in" : "--height-cm";
        const auto length = [&](const char* name, double standard) {
            if (!options.Has(name)) {
                return standard;
            }
            const double value = options.RequiredNumber(name);
            if (!(value > 0.0)) {
                throw UsageError(
                    Fill(TRAZEL_TR("FigureCommand", "%1 debe ser mayor que 0"), {name}));
            }
            return value / perInch;
        };
        const double w = length(wide, size.inches.width());
        const double h = length(high, options.Has(wide) ? 0.75 * w : size.inches.height());
        size.inches = QSizeF(w, h);
        if (dpi) {
            size.dpi = *dpi;
        }
    }
    if (const std::string problem = figure::PictureSizeProblem(size); !problem.empty()) {
        throw UsageError(
            Fill(TRAZEL_TR("FigureCommand", "no se puede dibujar la figura a ese tamaño: %1"),
                 {problem}));
    }
    return size;
}

FigureRequest ParseFigureRequest(const std::vector<std::string>& args) {
    const ParsedOptions options(args, kFigureOptions);
    FigureRequest request;
    request.docPath = options.OnlyPositional(TRAZEL_TR("Cli", "el documento"));
    output::CurveSettings& curve = request.view.curve;
    if (options.Has("--xmin") != options.Has("--xmax")) {
        throw UsageError(TRAZEL_TR("FigureCommand",
                                   "--xmin y --xmax van juntas; sin ellas los límites de x son los "
                                   "del ajuste guardado o los del espectro medido"));
    }
    if (options.Has("--xmin")) {
        request.xRange = {options.RequiredNumber("--xmin"), options.RequiredNumber("--xmax")};
    }
    if (options.Has("--ymin") != options.Has("--ymax")) {
        throw UsageError(TRAZEL_TR(
            "FigureCommand",
            "--ymin y --ymax van juntas; sin ellas los límites de y salen de las curvas"));
    }
    request.view.yFromData = !options.Has("--ymin");
    request.yGivenLimits = options.Has("--ymin");
    if (!request.view.yFromData) {
        curve.yMin = options.RequiredNumber("--ymin");
        curve.yMax = options.RequiredNumber("--ymax");
    }
    curve.lineShape = options.Has("--lorentzian") ? Lorentzian : Gaussian;
    curve.useScaled = options.Has("--scaled");
    if (options.Has("--reversed") && options.Has("--increasing")) {
        throw UsageError(TRAZEL_TR("FigureCommand", "--reversed y --increasing se excluyen"));
    }
    if (options.Has("--reversed") || options.Has("--increasing")) {
        request.reversedX = options.Has("--reversed");
    }
    if (const auto title = options.Value("--xtitle")) {
        request.view.xTitle = QString::fromStdString(*title);
        request.titlesGiven[0] = true;
    }
    if (const auto title = options.Value("--ytitle")) {
        request.view.yTitle = QString::fromStdString(*title);
        request.titlesGiven[1] = true;
    }
    request.measuredPath = options.Value("--measured");
    request.change = TransformFrom(options);
    request.yGiven = options.Has("--y");
    request.spectrum = options.Value(kSpectrumOption);
    if (!request.measuredPath && request.spectrum) {
        throw UsageError(TRAZEL_TR("FigureCommand",
                                   "--spectrum elige un espectro del archivo de --measured, que "
                                   "falta"));
    }
    if (!request.measuredPath && !request.change.IsIdentity()) {
        throw UsageError(TRAZEL_TR("FigureCommand",
                                   "--y y --x transforman el espectro de --measured, que falta"));
    }
    if (options.Has("--yfactor")) {
        if (!request.measuredPath) {
            throw UsageError(TRAZEL_TR(
                "FigureCommand", "--yfactor multiplica el espectro de --measured, que falta"));
        }
        request.transform.yFactor = options.RequiredNumber("--yfactor");
        if (request.transform.yFactor == 0.0) {
            throw UsageError(TRAZEL_TR("Cli", "--yfactor debe ser distinto de 0"));
        }
    }
    if (const auto region = options.Value("--region-number")) {
        request.region = ParseIntArg(*region, "--region-number");
    }
    request.size = ParsePictureSize(options);
    request.view.fillComponents = options.Has("--fill");
    const auto out = options.Value("-o");
    if (!out || out->empty()) {
        throw UsageError(TRAZEL_TR("Cli", "falta -o con el archivo de salida"));
    }
    request.outPath = OutputTarget(*out);
    // Losing an input is the worse mistake, and is named first.
    std::vector<CommandInput> inputs{{InputKind::Document, request.docPath}};
    if (request.measuredPath) {
        inputs.push_back({InputKind::MeasuredSpectrum, *request.measuredPath});
    }
    CheckOutputIsNoInput(request.outPath, inputs);
    if (!figure::FigureFormatFor(request.outPath)) {
        throw UsageError(
            Fill(TRAZEL_TR("FigureCommand",
                           "el archivo de -o debe terminar en .png, .svg o .pdf, no «%1»"),
                 {*out}));
    }
    return request;
}

// The x limits a figure takes when none are given: from the lowest fit
// region stored with the document to the highest, else those of its measured
// spectrum.
std::pair<double, double> StoredXRange(const analysis::Analysis& a) {
    if (const auto fits = analysis::RegionFits(a.regions); !fits.empty()) {
        return {fits.front()->xMin, fits.back()->xMax};
    }
    // A stored spectrum holds two points at the least once read; a set
    // without points has no limits to take.
    if (a.measured && !a.measured->X().empty()) {
        const auto x = a.measured->X();
        const auto [lo, hi] = std::minmax_element(x.begin(), x.end());
        return {*lo, *hi};
    }
    throw UsageError(TRAZEL_TR(
        "FigureCommand",
        "faltan --xmin y --xmax: el documento no guarda ningún espectro medido del que tomarlos"));
}

}  // namespace

int RunFigure(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    FigureRequest request = ParseFigureRequest(args);
    // The document as the window holds it, with what it stored beside its
    // table, so that the same function draws it.
    document::CTrazelDoc document;
    OpenDocumentOrThrow(request.docPath, document, err);
    // Another spectrum replaces the stored one for this picture, and the
    // stored fit, made on that one, is not drawn.
    if (request.measuredPath) {
        input::MeasuredSpectrum points = ReadSpectrumToKeep(*request.measuredPath, request.spectrum,
                                                            request.change, "figure", err);
        NoteTransmittance(request.yGiven, request.change, points.header, points.y, "figure", err);
        const input::MeasuredOptions chosen = ChosenSpectrum(points, request.spectrum);
        document.SetMeasured(
            analysis::MeasuredFrom(std::move(points), *request.measuredPath, chosen));
        analysis::MeasuredTransform transform = analysis::MeasuredTransformOf(request.change);
        transform.yFactor = request.transform.yFactor;
        document.SetMeasuredTransform(transform);
    } else if (const auto& stored = document.GetAnalysis().measured) {
        NoteTransmittance(false, stored->transform.Change(), stored->points->header,
                          stored->points->y, "figure", err);
    }
    CheckSubtractedBaseline(document.GetAnalysis());
    analysis::DocumentState state = document.State();
    if (request.region) {
        // One region alone, over its own range unless limits are given.
        std::vector<analysis::FitRegion>& regions = state.analysis.regions;
        if (*request.region < 1 || static_cast<std::size_t>(*request.region) > regions.size()) {
            throw UsageError(Fill(
                TRAZEL_TR("FigureCommand", "--region-number: el documento tiene %1 y no la %2"),
                {Counted(regions.size(), "FigureCommand",
                         TRAZEL_TR_NOOP("FigureCommand", "%1 región de ajuste"),
                         TRAZEL_TR_NOOP("FigureCommand", "%1 regiones de ajuste")),
                 std::to_string(*request.region)}));
        }
        const analysis::FitRegion chosen = regions[static_cast<std::size_t>(*request.region - 1)];
        regions = {chosen};
        if (!request.xRange) {
            request.xRange = {chosen.XMin(), chosen.XMax()};
        }
    }
    // The view the user left the document in, for what the options leave
    // unsaid.
    const std::optional<analysis::PlotView>& kept = document.GetAnalysis().plotView;
    if (kept && !request.xRange && !request.measuredPath) {
        request.xRange = {kept->xMin, kept->xMax};
        if (!request.yGivenLimits && !kept->yAutomatic) {
            request.view.yFromData = false;
            request.view.curve.yMin = kept->yMin;
            request.view.curve.yMax = kept->yMax;
        }
    }
    // A spectrum given for this picture goes the way its own kind is drawn.
    const analysis::Analysis& shown = document.GetAnalysis();
    request.view.reversedX = request.reversedX.value_or(
        request.measuredPath ? model::DrawnWithXDecreasing(shown.measured->Header())
                             : analysis::XDrawnDecreasing(shown));
    const auto [xMin, xMax] = request.xRange ? *request.xRange : StoredXRange(state.analysis);
    request.view.curve.xMin = xMin;
    request.view.curve.xMax = xMax;
    // Limits the axes cannot draw, given or taken from the data, are named
    // rather than drawn as empty axes.
    for (const auto& [low, high, given] :
         {std::tuple{xMin, xMax, true},
          std::tuple{request.view.curve.yMin, request.view.curve.yMax, !request.view.yFromData}}) {
        if (const std::string problem = figure::AxisLimitsProblem(low, high);
            given && !problem.empty()) {
            throw UsageError(
                Fill(TRAZEL_TR("FigureCommand", "no se puede dibujar la figura: %1"), {problem}));
        }
    }
    // Titles typed for the document, else the units of its data as
    // transformed, name the axes the options leave unnamed.
    {
        const analysis::AxisTitles titles = analysis::ShownAxisTitles(
            document.GetAnalysis(),
            {request.view.xTitle.toStdString(), request.view.yTitle.toStdString()});
        if (!request.titlesGiven[0]) {
            request.view.xTitle = QString::fromStdString(titles.x);
        }
        if (!request.titlesGiven[1]) {
            request.view.yTitle = QString::fromStdString(titles.y);
        }
    }

    GuiSession gui(GuiSession::Kind::Widgets);
    if (!GuiSession::HasWidgets()) {
        throw FileError(
            TRAZEL_TR("FigureCommand",
                      "no se puede dibujar la figura: falta la aplicación de ventanas de Qt."));
    }
    if (const Status failed =
            figure::WriteFigure(request.outPath, state, request.view, request.size);
        !failed.ok()) {
        throw FileError(failed.message());
    }
    return kExitOk;
}

}  // namespace trazel::cli
