#include <QSize>
#include <QString>
#include <optional>
#include <ostream>

#include "cli/cli.h"
#include "cli/cli_support.h"
#include "cli/document_commands.h"
#include "cli/gui_session.h"
#include "cli/measured_options.h"
#include "cli/output_commands.h"
#include "cli/output_options.h"
#include "input/measured_spectrum.h"
#include "ui/plot_figure.h"

using namespace trazel::platform;
using namespace trazel::model;

namespace trazel::cli {

namespace {

const OptionSpec kFigureOptions{
    .valued = {"--xmin", "--xmax", "--ymin", "--ymax", "--measured", "--size", "--xtitle",
               "--ytitle", "-o", "--y", "--x", "--laser"},
    .switches = {"--lorentzian", "--scaled", "--reversed"}};

constexpr QSize kDefaultSize(1200, 800);
constexpr int kMinSide = 16;
constexpr int kMaxSide = 20000;

struct FigureRequest {
    std::string docPath;
    ui::FigureView view;
    std::optional<std::string> measuredPath;
    input::SpectrumTransform transform;
    // The titles typed, which the units of the measured spectrum do not replace.
    bool xTitleGiven = false;
    bool yTitleGiven = false;
    QSize size = kDefaultSize;
    std::string outPath;
};

// "WxH" in pixels, each side within what a picture can sensibly have.
QSize ParseSize(const std::string& text) {
    const auto x = text.find_first_of("xX");
    const auto side = [&](const std::string& part) {
        const int value = ParseIntArg(part, "--size");
        if (value < kMinSide || value > kMaxSide) {
            throw UsageError("--size debe dar cada lado entre " + std::to_string(kMinSide) + " y " +
                             std::to_string(kMaxSide) + " píxeles, no «" + text + "»");
        }
        return value;
    };
    if (x == std::string::npos) {
        throw UsageError("--size se escribe ANCHOxALTO en píxeles (1200x800), no «" + text + "»");
    }
    return QSize(side(text.substr(0, x)), side(text.substr(x + 1)));
}

FigureRequest ParseFigureRequest(const std::vector<std::string>& args) {
    const ParsedOptions options(args, kFigureOptions);
    FigureRequest request;
    request.docPath = options.OnlyPositional("el documento");
    output::CurveSettings& curve = request.view.curve;
    curve.xMin = options.RequiredNumber("--xmin");
    curve.xMax = options.RequiredNumber("--xmax");
    if (options.Has("--ymin") != options.Has("--ymax")) {
        throw UsageError(
            "--ymin y --ymax van juntas; sin ellas los límites de y salen de las curvas");
    }
    request.view.yFromData = !options.Has("--ymin");
    if (!request.view.yFromData) {
        curve.yMin = options.RequiredNumber("--ymin");
        curve.yMax = options.RequiredNumber("--ymax");
    }
    curve.lineShape = options.Has("--lorentzian") ? Lorentzian : Gaussian;
    curve.useScaled = options.Has("--scaled");
    request.view.reversedX = options.Has("--reversed");
    if (const auto title = options.Value("--xtitle")) {
        request.view.xTitle = QString::fromStdString(*title);
    }
    if (const auto title = options.Value("--ytitle")) {
        request.view.yTitle = QString::fromStdString(*title);
    }
    request.xTitleGiven = options.Has("--xtitle");
    request.yTitleGiven = options.Has("--ytitle");
    request.measuredPath = options.Value("--measured");
    request.transform = TransformFrom(options);
    if (!request.measuredPath && !request.transform.IsIdentity()) {
        throw UsageError("--y y --x transforman el espectro de --measured, que falta");
    }
    if (const auto size = options.Value("--size")) {
        request.size = ParseSize(*size);
    }
    const auto out = options.Value("-o");
    if (!out || out->empty()) {
        throw UsageError("falta -o con el archivo de salida");
    }
    request.outPath = OutputTarget(*out);
    // Losing an input is the worse mistake, and is named first.
    std::vector<CommandInput> inputs{{InputKind::Document, request.docPath}};
    if (request.measuredPath) {
        inputs.push_back({InputKind::MeasuredSpectrum, *request.measuredPath});
    }
    CheckOutputIsNoInput(request.outPath, inputs);
    if (!ui::FigureFormatFor(request.outPath)) {
        throw UsageError("el archivo de -o debe terminar en .png, .svg o .pdf, no «" + *out + "»");
    }
    return request;
}

}  // namespace

int RunFigure(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    const FigureRequest request = ParseFigureRequest(args);
    const PeakTable table = LoadDocumentOrThrow(request.docPath);
    std::optional<input::TransformedSpectrum> spectrum;
    ui::FigureView view = request.view;
    if (request.measuredPath) {
        spectrum = ReadTransformedSpectrum(*request.measuredPath, request.transform, "figure", err);
        // The units the file declares name the axes the user left unnamed.
        const std::string xTitle = XAxisTitle(spectrum->header);
        const std::string yTitle = YAxisTitle(spectrum->header);
        if (!request.xTitleGiven && !xTitle.empty()) {
            view.xTitle = QString::fromStdString(xTitle);
        }
        if (!request.yTitleGiven && !yTitle.empty()) {
            view.yTitle = QString::fromStdString(yTitle);
        }
    }

    GuiSession gui(GuiSession::Kind::Widgets);
    if (!GuiSession::HasWidgets()) {
        throw FileError("no se puede dibujar la figura: falta la aplicación de ventanas de Qt.");
    }
    std::optional<ui::FigureMeasured> measured;
    if (spectrum) {
        measured = ui::FigureMeasured{.x = spectrum->x,
                                      .y = spectrum->y,
                                      .name = ui::MeasuredLegendName(*request.measuredPath)};
    }
    if (const Status failed = ui::WriteFigure(request.outPath, table, view,
                                              measured ? &*measured : nullptr, request.size);
        !failed.ok()) {
        throw FileError(failed.message());
    }
    return kExitOk;
}

}  // namespace trazel::cli
