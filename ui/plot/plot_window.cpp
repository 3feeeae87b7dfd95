#include "ui/plot/plot_window.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>
#include <utility>

#include "analysis/figure_data.h"
#include "document/trazel_doc.h"
#include "model/spectrum_units.h"
#include "output/screen_graph.h"
#include "platform/number_format.h"
#include "ui/control_ids.h"
#include "ui/form/document_context.h"
#include "ui/form/fit_files.h"
#include "ui/plot/measured_commands.h"
#include "ui/plot/picture_size_dialog.h"

using namespace trazel::platform;
using namespace trazel::figure;

// The texts are translated in the context "PlotWindow", named outright: tr() would
// look them up under the class's name with its namespace, which lupdate,
// reading this file without the headers it includes, does not see.
namespace trazel::ui {

namespace {

const QString kSettingsGroup = QStringLiteral("PlotWindow");

// A limit written for the form with enough digits to tell it from its
// neighbours a ten-thousandth of the range away, and no more.
std::string LimitText(double value, double range) {
    int digits = 6;
    if (value != 0.0 && range > 0.0 && std::isfinite(value) && std::isfinite(range)) {
        const double ratio = std::fabs(value) / (range * 1e-4);
        digits = std::clamp(static_cast<int>(std::ceil(std::log10(ratio))) + 1, 6, 15);
    }
    return FormatG(value, digits);
}

// The "Aceptar" and "Cancelar" buttons under a small dialog's form.
void AddOkCancel(QDialog& dialog, QFormLayout& form) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form.addRow(buttons);
}

}  // namespace

PlotWindow::PlotWindow(DocumentContext& context, MeasuredCommands& measured,
                       const Services& services, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      document_(context.Document()),
      measured_(measured),
      services_(services) {
    setWindowFlag(Qt::Window);
    setWindowTitle(QCoreApplication::translate("PlotWindow", "Gráfico ampliado - Trazel"));
    plot_ = new QCustomPlot(this);
    setCentralWidget(plot_);
    pointer_ = new QLabel(this);
    statusBar()->addWidget(pointer_, 1);

    const QSettings settings;
    xTitle_ = settings.value(kSettingsGroup + QStringLiteral("/xTitle"), xTitle_).toString();
    yTitle_ = settings.value(kSettingsGroup + QStringLiteral("/yTitle"), yTitle_).toString();
    if (!restoreGeometry(
            settings.value(kSettingsGroup + QStringLiteral("/geometry")).toByteArray())) {
        resize(1000, 650);
    }
    CreateMenus();
    ConnectPlot();

    connect(&context_, &DocumentContext::curvesRead, this, [this] { Redraw(true); });
    connect(&context_, &DocumentContext::plotted, this, &PlotWindow::ResetToForm);
    connect(&measured_, &MeasuredCommands::alsPreview, this,
            [this](std::optional<analysis::MeasuredTransform> transform) {
                alsTransform_ = std::move(transform);
                ComputeAlsPreview();
                Redraw(true);
            });
    const auto seen = [this] {
        const analysis::MeasuredData* data = measured_.Current();
        return std::pair(data ? static_cast<const void*>(data->points.get()) : nullptr,
                         data ? data->transform.Change() : input::SpectrumTransform{});
    };
    std::tie(shownPoints_, shownChange_) = seen();
    shownGeneration_ = document_.Generation();
    connect(&context_, &DocumentContext::changed, this, [this, seen] {
        // A fit shown before it is applied was a fit of the document as it
        // was: any change ends it, and applying it draws it once, as the
        // document's own.
        fits_.clear();
        ComputeAlsPreview();
        fitAction_->setEnabled(measured_.Current() != nullptr);
        findAction_->setEnabled(measured_.Current() != nullptr);
        compareAction_->setEnabled(measured_.Current() != nullptr);
        for (QAction* action : {reportAction_, curvesAction_}) {
            action->setEnabled(!analysis::RegionFits(document_.GetAnalysis().regions).empty());
        }
        // Another document opens in the view it was saved in, or whole, and
        // with x the way it keeps it or the way its data are drawn.
        if (document_.Generation() != shownGeneration_) {
            shownGeneration_ = document_.Generation();
            std::tie(shownPoints_, shownChange_) = seen();
            ShowDocumentView();
            return;
        }
        // A spectrum just loaded, or moved to other units, is shown whole,
        // unless the user is looking at a part of his own choosing.
        const auto now = seen();
        if (now != std::pair(shownPoints_, shownChange_)) {
            std::tie(shownPoints_, shownChange_) = now;
            TakeDirectionFromData();
            if (now.first != nullptr && !zoomed_) {
                FitViewToData();
                return;
            }
        }
        Redraw(true);
    });
}

PlotWindow::~PlotWindow() {
    // Quitting the program with the window open closes it without a close event.
    if (isVisible()) {
        SaveSettings();
    }
}

void PlotWindow::CreateMenus() {
    QMenu* menu = menuBar()->addMenu(QCoreApplication::translate("Menu", "&Gráfico"));
    menu->addAction(QCoreApplication::translate("Menu", "Superponer espectro &medido..."), this,
                    [this] { measured_.ChooseAndLoad(); });
    menu->addAction(QCoreApplication::translate("Menu", "&Opciones del espectro medido..."), this,
                    [this] {
                        const FigureView shown = CurrentView();
                        measured_.EditOptions(analysis::TransformToModelMaximum(
                            document_.State(), shown.curve.lineShape, shown.curve.useScaled,
                            shown.curve.xMin, shown.curve.xMax, Columns()));
                    });
    fitAction_ =
        menu->addAction(QCoreApplication::translate("Menu", "A&justar al espectro medido..."), this,
                        &PlotWindow::fitRequested);
    fitAction_->setEnabled(measured_.Current() != nullptr);
    findAction_ = menu->addAction(QCoreApplication::translate("Menu", "&Buscar bandas..."), this,
                                  &PlotWindow::findBandsRequested);
    findAction_->setEnabled(measured_.Current() != nullptr);
    compareAction_ =
        menu->addAction(QCoreApplication::translate("Menu", "Com&parar con el espectro medido..."),
                        this, &PlotWindow::compareRequested);
    compareAction_->setEnabled(measured_.Current() != nullptr);
    reportAction_ = menu->addAction(
        QCoreApplication::translate("PlotWindow", "E&xportar resultado del ajuste..."), this,
        [this] {
            if (const auto fits = analysis::RegionFits(document_.GetAnalysis().regions);
                !fits.empty()) {
                ExportFitReport(document_, fits, services_, this);
            }
        });
    curvesAction_ = menu->addAction(
        QCoreApplication::translate("PlotWindow", "Exportar c&urvas del ajuste..."), this, [this] {
            if (const auto fits = analysis::RegionFits(document_.GetAnalysis().regions);
                !fits.empty()) {
                ExportFitCurves(document_, fits, services_, this);
            }
        });
    for (QAction* action : {reportAction_, curvesAction_}) {
        action->setEnabled(!analysis::RegionFits(document_.GetAnalysis().regions).empty());
    }
    menu->addSeparator();
    menu->addAction(QCoreApplication::translate("PlotWindow", "&Exportar imagen..."),
                    QKeySequence(Qt::CTRL | Qt::Key_E), this, &PlotWindow::OnExportImage);
    menu->addAction(QCoreApplication::translate("PlotWindow", "&Copiar imagen"), QKeySequence::Copy,
                    this, &PlotWindow::OnCopyImage);
    menu->addSeparator();
    menu->addAction(QCoreApplication::translate("PlotWindow", "Límite&s..."), this,
                    &PlotWindow::OnEditLimits);
    menu->addAction(QCoreApplication::translate("PlotWindow", "Copiar &límites al formulario"),
                    this, &PlotWindow::CopyLimitsToForm);
    menu->addAction(QCoreApplication::translate("PlotWindow", "&Vista del formulario"),
                    QKeySequence(Qt::Key_Home), this, &PlotWindow::ResetToForm);
    menu->addAction(QCoreApplication::translate("PlotWindow", "Ajustar la vista a los &datos"),
                    this, &PlotWindow::FitViewToData);
    reversedAction_ =
        menu->addAction(QCoreApplication::translate("PlotWindow", "Eje x i&nvertido"));
    reversedAction_->setCheckable(true);
    reversedAction_->setChecked(reversedX_);
    connect(reversedAction_, &QAction::toggled, this, &PlotWindow::SetReversedX);
    menu->addAction(QCoreApplication::translate("PlotWindow", "&Títulos de los ejes..."), this,
                    &PlotWindow::OnEditAxisTitles);
    menu->addSeparator();
    menu->addAction(QCoreApplication::translate("PlotWindow", "Ce&rrar"),
                    QKeySequence(Qt::CTRL | Qt::Key_W), this, &QWidget::close);
}

void PlotWindow::ConnectPlot() {
    plot_->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    // The wheel narrows the x range alone, around the pointer, so the bands
    // grow wider without leaving the picture; a Ctrl rectangle zooms both.
    plot_->axisRect()->setRangeZoom(Qt::Horizontal);
    plot_->setMouseTracking(true);
    // A wheel notch or a drag changes the range and then replots at once:
    // the curves are sampled anew just before that replot, so the screen
    // never shows the old samples stretched first. A range set from code,
    // with no replot after it, gets one from the scheduled redraw.
    const auto userChangedRange = [this] {
        if (!settingUp_) {
            zoomed_ = true;
            ScheduleRedraw();
        }
    };
    // A drag moves y as well: the limits are then the user's, not the data's.
    connect(plot_->yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this] {
        if (!settingUp_) {
            yAutomatic_ = false;
        }
    });
    plot_->installEventFilter(this);
    connect(plot_, &QCustomPlot::beforeReplot, this, [this] {
        if (resamplePending_ && isVisible()) {
            Resample();
        }
    });
    connect(plot_->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            userChangedRange);
    connect(plot_->yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            userChangedRange);
    // The plot looks at the selection mode after this signal: Ctrl turns the
    // drag into a zoom rectangle, without it the drag pans.
    connect(plot_, &QCustomPlot::mousePress, this, [this](QMouseEvent* event) {
        plot_->setSelectionRectMode((event->modifiers() & Qt::ControlModifier) ? QCP::srmZoom
                                                                               : QCP::srmNone);
    });
    connect(plot_, &QCustomPlot::mouseDoubleClick, this, [this] { ResetToForm(); });
    connect(plot_, &QCustomPlot::mouseMove, this, &PlotWindow::ShowPointer);
}

// QCustomPlot hands a wheel turn to whatever lies under the pointer, and to
// find it measures the distance from the pointer to every curve, segment by
// segment: with a hundred bands drawn that search took as long as drawing
// the new picture. Between the axes a turn only ever zooms, so it is done
// here as the plot does it: around the pointer, by the rect's factor per
// notch of 120 eighths of a degree.
bool PlotWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != plot_ || event->type() != QEvent::Wheel ||
        !plot_->interactions().testFlag(QCP::iRangeZoom)) {
        return QMainWindow::eventFilter(watched, event);
    }
    auto* wheel = static_cast<QWheelEvent*>(event);
    QCPAxisRect* rect = plot_->axisRect();
    const QPointF at = wheel->position();
    if (!rect->rect().contains(at.toPoint())) {
        return QMainWindow::eventFilter(watched, event);
    }
    const double steps = wheel->angleDelta().y() / 120.0;
    if (steps != 0.0 && rect->rangeZoom() != Qt::Orientations()) {
        for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
            if (!rect->rangeZoom().testFlag(orientation)) {
                continue;
            }
            const double factor = std::pow(rect->rangeZoomFactor(orientation), steps);
            for (QCPAxis* axis : rect->rangeZoomAxes(orientation)) {
                axis->scaleRange(
                    factor, axis->pixelToCoord(orientation == Qt::Horizontal ? at.x() : at.y()));
            }
        }
        plot_->replot();
    }
    wheel->accept();
    return true;
}

void PlotWindow::ShowAndRaise() {
    const bool first = !isVisible();
    show();
    raise();
    activateWindow();
    if (first) {
        Redraw(true);
    }
}

FigureView PlotWindow::CurrentView() const {
    FigureView figure;
    figure.curve = context_.fields.curve;
    figure.yFromData = yAutomatic_ && (zoomed_ || dataView_);
    if (zoomed_) {
        figure.curve.xMin = plot_->xAxis->range().lower;
        figure.curve.xMax = plot_->xAxis->range().upper;
        figure.curve.yMin = plot_->yAxis->range().lower;
        figure.curve.yMax = plot_->yAxis->range().upper;
    } else if (dataView_) {
        figure.curve.xMin = dataView_->xMin;
        figure.curve.xMax = dataView_->xMax;
        figure.curve.yMin = dataView_->yMin;
        figure.curve.yMax = dataView_->yMax;
    }
    figure.xTitle = XTitle();
    figure.yTitle = YTitle();
    figure.reversedX = reversedX_;
    if (alsPreview_) {
        figure.estimatedBaseline = alsPreview_->baseline;
    }
    figure.foundBands = marked_;
    figure.comparison = compared_;
    return figure;
}

void PlotWindow::ComputeAlsPreview() {
    alsPreview_.reset();
    const analysis::Analysis& analysis = document_.GetAnalysis();
    if (!alsTransform_ || !analysis.measured) {
        return;
    }
    analysis::MeasuredData measured = *analysis.measured;
    measured.transform = *alsTransform_;
    analysis::Retransform(measured);
    AlsPreview preview;
    const std::span<const double> x = measured.X();
    preview.baseline.x.assign(x.begin(), x.end());
    for (const double z : measured.SubtractedBaseline()) {
        preview.baseline.y.push_back(measured.transform.Y(z));
    }
    // The spectrum as the options show it, before the baseline drawn over
    // it is taken away.
    measured.transform.als.reset();
    analysis::Retransform(measured);
    preview.shown = std::move(measured);
    alsPreview_ = std::move(preview);
}

void PlotWindow::Redraw(bool keepZoom) {
    if (!keepZoom) {
        zoomed_ = false;
        yAutomatic_ = false;
        dataView_.reset();
    }
    if (!isVisible()) {
        return;
    }
    Resample();
    plot_->replot();
}

void PlotWindow::Resample() {
    resamplePending_ = false;
    settingUp_ = true;
    SetUpFigure(*plot_, ShownState(), CurrentView(), Columns());
    settingUp_ = false;
    KeepView();
}

void PlotWindow::ShowFoundBands(const std::vector<analysis::FoundBand>& bands) {
    marked_.clear();
    for (const analysis::FoundBand& band : bands) {
        marked_.push_back(band.position);
    }
    Redraw(true);
}

void PlotWindow::ShowComparison(std::shared_ptr<const analysis::ComparisonRecord> record) {
    compared_ = std::move(record);
    Redraw(true);
}

int PlotWindow::Columns() const {
    return static_cast<int>(std::ceil(plot_->width() * plot_->devicePixelRatioF()));
}

void PlotWindow::ShowFit(std::shared_ptr<const analysis::FitRecord> fit) {
    ShowFits(fit ? std::vector{std::move(fit)}
                 : std::vector<std::shared_ptr<const analysis::FitRecord>>{});
}

void PlotWindow::ShowFits(std::vector<std::shared_ptr<const analysis::FitRecord>> fits) {
    // A preview already ended by the change it led to (a fit applied) has
    // been drawn away with that change.
    if (fits.empty() && fits_.empty()) {
        return;
    }
    fits_ = std::move(fits);
    Redraw(true);
}

analysis::DocumentState PlotWindow::ShownState() const {
    analysis::DocumentState state = document_.State();
    for (const auto& fit : fits_) {
        state = analysis::FitApplied(std::move(state), *fit);
    }
    if (alsPreview_ && state.analysis.measured) {
        state.analysis.measured = alsPreview_->shown;
    }
    return state;
}

QCPAxisRect* PlotWindow::ResidualRect() const {
    return FigureResidualRect(*plot_);
}

void PlotWindow::ResetToForm() {
    // Equal limits in the form would draw a note and no curve: the data
    // whole are what a user asking for the whole view wants to see.
    if (output::IsZeroRange(context_.fields.curve.xMin, context_.fields.curve.xMax) &&
        analysis::MeasuredDataView(document_.GetAnalysis())) {
        FitViewToData();
        return;
    }
    Redraw(false);
}

void PlotWindow::SetLimits(const analysis::ViewLimits& limits, bool yAutomatic) {
    zoomed_ = true;
    yAutomatic_ = yAutomatic;
    dataView_.reset();
    settingUp_ = true;
    plot_->xAxis->setRange(std::min(limits.xMin, limits.xMax), std::max(limits.xMin, limits.xMax));
    plot_->yAxis->setRange(std::min(limits.yMin, limits.yMax), std::max(limits.yMin, limits.yMax));
    settingUp_ = false;
    Redraw(true);
}

void PlotWindow::FitViewToData() {
    const std::optional<analysis::ViewLimits> limits =
        analysis::MeasuredDataView(document_.GetAnalysis());
    if (!limits) {
        Redraw(true);
        return;
    }
    zoomed_ = false;
    dataView_ = limits;
    Redraw(true);
}

void PlotWindow::ScheduleRedraw() {
    resamplePending_ = true;
    if (redrawPending_) {
        return;
    }
    redrawPending_ = true;
    QTimer::singleShot(0, this, [this] {
        redrawPending_ = false;
        // Nothing to do when a replot has already sampled the new range.
        if (resamplePending_) {
            Redraw(true);
        }
    });
}

QSize PlotWindow::PlotSize() const {
    return plot_->size();
}

Status PlotWindow::ExportImage(const std::string& path, const PictureSize& size,
                               bool fillComponents) const {
    FigureView view = CurrentView();
    view.fillComponents = fillComponents;
    return WriteFigure(path, ShownState(), view, size);
}

void PlotWindow::OnExportImage() {
    const auto path = services_.Files().GetSaveFileName(
        this, QCoreApplication::translate("PlotWindow", "Exportar imagen"),
        QStringLiteral("grafico.png"));
    if (!path) {
        return;
    }
    if (!FigureFormatFor(path->toStdString())) {
        services_.AfxMessageBox(
            this,
            QCoreApplication::translate(
                "PlotWindow",
                "No se puede exportar «%1»: el nombre debe acabar en .png, .svg o .pdf.")
                .arg(*path),
            MessageKind::Warning);
        return;
    }
    PictureSizeDialog dialog(this);
    if (services_.DoModal(dialog) != QDialog::Accepted) {
        return;
    }
    dialog.Remember();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Status written = ExportImage(path->toStdString(), dialog.Size(), dialog.FillComponents());
    QApplication::restoreOverrideCursor();
    if (!written.ok()) {
        services_.AfxMessageBox(this, QString::fromStdString(written.message()),
                                MessageKind::Warning);
    }
}

void PlotWindow::OnCopyImage() {
    // As large as the plot on the screen, text and lines as the screen
    // shows them.
    constexpr double kScreenDpi = 96.0;
    const QByteArray png =
        RenderFigure(ShownState(), CurrentView(), PictureSizeInPixels(PlotSize(), kScreenDpi),
                     FigureFormat::Png);
    if (png.isEmpty()) {
        // The clipboard keeps what it held.
        services_.AfxMessageBox(this, QString::fromStdString(PictureNotDrawn()),
                                MessageKind::Warning);
        return;
    }
    QGuiApplication::clipboard()->setImage(QImage::fromData(png, "PNG"));
}

void PlotWindow::CopyLimitsToForm() {
    const QCPRange x = plot_->xAxis->range();
    const QCPRange y = plot_->yAxis->range();
    // The form keeps the direction its limits had.
    const bool xDown = context_.fields.curve.xMin > context_.fields.curve.xMax;
    const bool yDown = context_.fields.curve.yMin > context_.fields.curve.yMax;
    const auto text = [](double value, double range) {
        return QString::fromStdString(LimitText(value, range));
    };
    emit context_.formLimitsOffered(
        {text(xDown ? x.upper : x.lower, x.size()), text(xDown ? x.lower : x.upper, x.size()),
         text(yDown ? y.upper : y.lower, y.size()), text(yDown ? y.lower : y.upper, y.size())});
}

void PlotWindow::SetReversedX(bool reversed) {
    reversedX_ = reversed;
    if (reversedAction_->isChecked() != reversed) {
        reversedAction_->setChecked(reversed);
    }
    SaveSettings();
    Redraw(true);
}

void PlotWindow::TakeDirectionFromData() {
    const analysis::MeasuredData* data = measured_.Current();
    if (data == nullptr) {
        return;
    }
    reversedX_ = model::DrawnWithXDecreasing(data->Header());
    const QSignalBlocker quiet(reversedAction_);
    reversedAction_->setChecked(reversedX_);
}

void PlotWindow::ShowDocumentView() {
    const analysis::Analysis& analysis = document_.GetAnalysis();
    reversedX_ = analysis::XDrawnDecreasing(analysis);
    {
        const QSignalBlocker quiet(reversedAction_);
        reversedAction_->setChecked(reversedX_);
    }
    dataView_.reset();
    zoomed_ = false;
    yAutomatic_ = false;
    if (const std::optional<analysis::PlotView>& view = analysis.plotView) {
        SetLimits({view->xMin, view->xMax, view->yMin, view->yMax}, view->yAutomatic);
        return;
    }
    FitViewToData();
}

void PlotWindow::KeepView() {
    const FigureView shown = CurrentView();
    if (!document_.GetAnalysis().measured ||
        output::IsZeroRange(shown.curve.xMin, shown.curve.xMax)) {
        return;
    }
    const QCPRange x = plot_->xAxis->range();
    const QCPRange y = plot_->yAxis->range();
    document_.KeepPlotView({.xMin = x.lower,
                            .xMax = x.upper,
                            .yMin = y.lower,
                            .yMax = y.upper,
                            .yAutomatic = shown.yFromData,
                            .reversedX = reversedX_});
}

void PlotWindow::SetAxisTitles(const QString& x, const QString& y) {
    xTitle_ = x;
    yTitle_ = y;
    SaveSettings();
    context_.History().Record(QCoreApplication::translate("PlotWindow", "Títulos de los ejes"),
                              [&] {
                                  document_.SetAxisTitles({x.toStdString(), y.toStdString()});
                              });
    Redraw(true);
}

QString PlotWindow::XTitle() const {
    return QString::fromStdString(
        analysis::ShownAxisTitles(document_.GetAnalysis(),
                                  {xTitle_.toStdString(), yTitle_.toStdString()})
            .x);
}

QString PlotWindow::YTitle() const {
    return QString::fromStdString(
        analysis::ShownAxisTitles(document_.GetAnalysis(),
                                  {xTitle_.toStdString(), yTitle_.toStdString()})
            .y);
}

void PlotWindow::OnEditLimits() {
    QDialog dialog(this);
    dialog.setWindowTitle(QCoreApplication::translate("PlotWindow", "Límites del gráfico"));
    auto* form = new QFormLayout(&dialog);
    const QCPRange x = plot_->xAxis->range();
    const QCPRange y = plot_->yAxis->range();
    const auto field = [&](double value, double range) {
        return new QLineEdit(QString::fromStdString(LimitText(value, range)), &dialog);
    };
    QLineEdit* edits[] = {field(x.lower, x.size()), field(x.upper, x.size()),
                          field(y.lower, y.size()), field(y.upper, y.size())};
    const QString names[] = {QCoreApplication::translate("PlotWindow", "&x desde:"),
                             QCoreApplication::translate("PlotWindow", "x &hasta:"),
                             QCoreApplication::translate("PlotWindow", "y &desde:"),
                             QCoreApplication::translate("PlotWindow", "y h&asta:")};
    auto* automatic =
        new QCheckBox(QCoreApplication::translate("PlotWindow", "y a&utomático"), &dialog);
    for (int i = 0; i < 4; ++i) {
        form->addRow(names[i], edits[i]);
        if (i == 1) {
            form->addRow(QString(), automatic);
        }
    }
    const auto enableY = [&](bool on) {
        edits[2]->setEnabled(!on);
        edits[3]->setEnabled(!on);
    };
    connect(automatic, &QCheckBox::toggled, &dialog, enableY);
    automatic->setChecked(yAutomatic_);
    enableY(yAutomatic_);
    AddOkCancel(dialog, *form);
    // What was typed is checked once the dialog closes: a bad value is told
    // and nothing changes.
    if (services_.DoModal(dialog) == QDialog::Accepted) {
        double values[4] = {};
        QString problem;
        for (int i = 0; i < 4 && problem.isEmpty(); ++i) {
            if (i >= 2 && automatic->isChecked()) {
                values[i] = i == 2 ? y.lower : y.upper;
                continue;
            }
            // A decimal comma, as Spanish writes numbers, is read as a point.
            QString text = edits[i]->text().trimmed();
            if (!text.contains(QLatin1Char('.'))) {
                text.replace(QLatin1Char(','), QLatin1Char('.'));
            }
            const std::optional<double> value = ParseDouble(text.toStdString());
            if (text.isEmpty()) {
                problem = QCoreApplication::translate("PlotWindow", "Falta un número en «%1».")
                              .arg(names[i].chopped(1).remove(QLatin1Char('&')));
            } else if (!value) {
                problem = QCoreApplication::translate("PlotWindow", "«%1» no es un número.")
                              .arg(edits[i]->text());
            } else {
                values[i] = *value;
            }
        }
        for (int axis = 0; axis < 2 && problem.isEmpty(); ++axis) {
            const double low = values[2 * axis];
            const double high = values[2 * axis + 1];
            if (low == high) {
                problem = QCoreApplication::translate("PlotWindow",
                                                      "Los límites de %1 deben ser distintos.")
                              .arg(axis == 0 ? QStringLiteral("x") : QStringLiteral("y"));
            } else if (const std::string why = AxisLimitsProblem(low, high); !why.empty()) {
                problem = QString::fromStdString(why);
            }
        }
        if (!problem.isEmpty()) {
            services_.AfxMessageBox(this, problem, MessageKind::Warning);
            return;
        }
        SetLimits({values[0], values[1], values[2], values[3]}, automatic->isChecked());
    }
}

void PlotWindow::OnEditAxisTitles() {
    QDialog dialog(this);
    dialog.setWindowTitle(QCoreApplication::translate("PlotWindow", "Títulos de los ejes"));
    auto* form = new QFormLayout(&dialog);
    auto* x = new QLineEdit(XTitle(), &dialog);
    auto* y = new QLineEdit(YTitle(), &dialog);
    form->addRow(QCoreApplication::translate("PlotWindow", "Eje &x:"), x);
    form->addRow(QCoreApplication::translate("PlotWindow", "Eje &y:"), y);
    AddOkCancel(dialog, *form);
    if (services_.DoModal(dialog) == QDialog::Accepted) {
        SetAxisTitles(x->text(), y->text());
    }
}

void PlotWindow::ShowPointer(QMouseEvent* event) {
    const double x = plot_->xAxis->pixelToCoord(event->position().x());
    const double y = plot_->yAxis->pixelToCoord(event->position().y());
    pointer_->setText(
        QStringLiteral("x = %1    y = %2")
            .arg(QString::fromStdString(FormatG(x)), QString::fromStdString(FormatG(y))));
}

void PlotWindow::SaveSettings() const {
    QSettings settings;
    settings.setValue(kSettingsGroup + QStringLiteral("/geometry"), saveGeometry());
    settings.setValue(kSettingsGroup + QStringLiteral("/xTitle"), xTitle_);
    settings.setValue(kSettingsGroup + QStringLiteral("/yTitle"), yTitle_);
}

void PlotWindow::closeEvent(QCloseEvent* event) {
    SaveSettings();
    QMainWindow::closeEvent(event);
}

void PlotWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ScheduleRedraw();
}

}  // namespace trazel::ui
