#include "ui/plot_window.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>

#include "model/trazel_doc.h"
#include "platform/number_format.h"
#include "ui/control_ids.h"
#include "ui/fit_dialog.h"
#include "ui/measured_overlay.h"
#include "ui/trazel_view.h"

using namespace trazel::platform;

namespace trazel::ui {

namespace {

const QString kSettingsGroup = QStringLiteral("PlotWindow");
constexpr int kMaxPictureSide = 20000;

// The measured spectrum as the figure takes it, or nothing.
std::optional<FigureMeasured> MeasuredFor(const MeasuredOverlay& overlay) {
    const MeasuredData* data = overlay.Current();
    if (data == nullptr || !data->spectrum) {
        return std::nullopt;
    }
    return FigureMeasured{.x = data->spectrum->x,
                          .y = data->spectrum->y,
                          .name = data->legendName,
                          .yFactor = data->yFactor,
                          .scaleToModelMaximum = data->scaleToModelMaximum};
}

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

// The fit in a colour of its own, red, which no band drawn by itself takes;
// the baseline kept after a fit dashed in the same colour.
const QColor kFitColour(213, 0, 0);

QPen FitPen(Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(kFitColour);
    pen.setWidthF(1.0);
    pen.setCosmetic(true);
    pen.setStyle(style);
    return pen;
}

// The curve f sampled at columns points between the limits of plot's x axis.
void AddSampled(QCustomPlot& plot, const QString& name, const QPen& pen, double lo, double hi,
                int columns, const std::function<double(double)>& f) {
    const int n = std::max(2, columns);
    QVector<double> xs(n);
    QVector<double> ys(n);
    for (int i = 0; i < n; ++i) {
        xs[i] = lo + (hi - lo) * i / (n - 1);
        ys[i] = f(xs[i]);
    }
    AddSampledGraph(plot, std::move(xs), std::move(ys), pen, name);
}

}  // namespace

PlotWindow::PlotWindow(CTrazelView& view, MeasuredOverlay& overlay, const Services& services,
                       QWidget* parent)
    : QMainWindow(parent), view_(view), overlay_(overlay), services_(services) {
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Gráfico ampliado - Trazel"));
    plot_ = new QCustomPlot(this);
    setCentralWidget(plot_);
    pointer_ = new QLabel(this);
    statusBar()->addWidget(pointer_, 1);

    const QSettings settings;
    reversedX_ = settings.value(kSettingsGroup + QStringLiteral("/reversedX"), false).toBool();
    xTitle_ = settings.value(kSettingsGroup + QStringLiteral("/xTitle"), xTitle_).toString();
    yTitle_ = settings.value(kSettingsGroup + QStringLiteral("/yTitle"), yTitle_).toString();
    if (!restoreGeometry(
            settings.value(kSettingsGroup + QStringLiteral("/geometry")).toByteArray())) {
        resize(1000, 650);
    }
    CreateMenus();
    ConnectPlot();

    connect(&view_, &CTrazelView::tableChanged, this, [this] { Redraw(true); });
    connect(&view_, &CTrazelView::curvesRead, this, [this] { Redraw(true); });
    connect(&view_, &CTrazelView::plotted, this, &PlotWindow::ResetToForm);
    connect(&overlay_, &MeasuredOverlay::Changed, this, [this] { Redraw(true); });
}

PlotWindow::~PlotWindow() {
    // Quitting the program with the window open closes it without a close event.
    if (isVisible()) {
        SaveSettings();
    }
}

void PlotWindow::CreateMenus() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Gráfico"));
    menu->addAction(QStringLiteral("Superponer espectro &medido..."), this,
                    [this] { overlay_.ChooseAndLoad(); });
    menu->addAction(QStringLiteral("&Opciones del espectro medido..."), this,
                    [this] { overlay_.EditOptions(); });
    QAction* fit = menu->addAction(QStringLiteral("A&justar al espectro medido..."), this,
                                   &PlotWindow::fitRequested);
    const auto followOverlay = [this, fit] { fit->setEnabled(overlay_.Current() != nullptr); };
    connect(&overlay_, &MeasuredOverlay::Changed, fit, followOverlay);
    followOverlay();
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Exportar imagen..."), QKeySequence(Qt::CTRL | Qt::Key_E), this,
                    &PlotWindow::OnExportImage);
    menu->addAction(QStringLiteral("&Copiar imagen"), QKeySequence::Copy, this,
                    &PlotWindow::OnCopyImage);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Copiar &límites al formulario"), this,
                    &PlotWindow::CopyLimitsToForm);
    menu->addAction(QStringLiteral("&Vista del formulario"), QKeySequence(Qt::Key_Home), this,
                    &PlotWindow::ResetToForm);
    reversedAction_ = menu->addAction(QStringLiteral("Eje x i&nvertido"));
    reversedAction_->setCheckable(true);
    reversedAction_->setChecked(reversedX_);
    connect(reversedAction_, &QAction::toggled, this, &PlotWindow::SetReversedX);
    menu->addAction(QStringLiteral("&Títulos de los ejes..."), this, &PlotWindow::OnEditAxisTitles);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Ce&rrar"), QKeySequence(Qt::CTRL | Qt::Key_W), this,
                    &QWidget::close);
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
    figure.curve = view_.fields.curve;
    if (zoomed_) {
        figure.curve.xMin = plot_->xAxis->range().lower;
        figure.curve.xMax = plot_->xAxis->range().upper;
        figure.curve.yMin = plot_->yAxis->range().lower;
        figure.curve.yMax = plot_->yAxis->range().upper;
    }
    figure.xTitle = xTitle_;
    figure.yTitle = yTitle_;
    figure.reversedX = reversedX_;
    return figure;
}

void PlotWindow::Redraw(bool keepZoom) {
    if (!keepZoom) {
        zoomed_ = false;
    }
    if (!isVisible()) {
        return;
    }
    Resample();
    plot_->replot();
}

void PlotWindow::Resample() {
    resamplePending_ = false;
    const auto measured = MeasuredFor(overlay_);
    const int columns = static_cast<int>(std::ceil(plot_->width() * plot_->devicePixelRatioF()));
    settingUp_ = true;
    SetUpFigure(*plot_, view_.GetDocument().Table(), CurrentView(), measured ? &*measured : nullptr,
                columns);
    ShowResidualStrip(fit_ != nullptr);
    if (fit_) {
        DrawFit();
    } else {
        DrawKeptBaseline();
    }
    settingUp_ = false;
}

void PlotWindow::ShowFit(std::shared_ptr<const ShownFit> fit) {
    fit_ = std::move(fit);
    residualX_.clear();
    residualY_.clear();
    if (fit_ && fit_->basis.spectrum) {
        const auto& points = *fit_->basis.spectrum;
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < points.x.size(); ++i) {
            if (points.x[i] >= fit_->basis.xMin && points.x[i] <= fit_->basis.xMax) {
                order.push_back(i);
            }
        }
        std::sort(order.begin(), order.end(),
                  [&points](std::size_t a, std::size_t b) { return points.x[a] < points.x[b]; });
        residualX_.reserve(order.size());
        residualY_.reserve(order.size());
        for (const std::size_t i : order) {
            residualX_.push_back(points.x[i]);
            residualY_.push_back(points.y[i] * fit_->basis.yFactor -
                                 fit::FittedCurveAt(fit_->result, fit_->basis.lineShape,
                                                    fit_->basis.useScaled, points.x[i]));
        }
    }
    Redraw(true);
}

void PlotWindow::ShowResidualStrip(bool shown) {
    if (shown == (residualRect_ != nullptr)) {
        return;
    }
    if (!shown) {
        // Removing the element deletes it with its axes.
        plot_->plotLayout()->remove(residualRect_);
        plot_->plotLayout()->simplify();
        residualRect_ = nullptr;
        delete margins_;
        margins_ = nullptr;
        return;
    }
    residualRect_ = new QCPAxisRect(plot_);
    plot_->plotLayout()->addElement(1, 0, residualRect_);
    plot_->plotLayout()->setRowStretchFactor(0, 3.0);
    plot_->plotLayout()->setRowStretchFactor(1, 1.0);
    // The strip follows the plot's x axis; it takes no drag or zoom itself.
    residualRect_->setRangeDrag(Qt::Orientations());
    residualRect_->setRangeZoom(Qt::Orientations());
    margins_ = new QCPMarginGroup(plot_);
    plot_->axisRect()->setMarginGroup(QCP::msLeft | QCP::msRight, margins_);
    residualRect_->setMarginGroup(QCP::msLeft | QCP::msRight, margins_);
    QCPAxis* y = residualRect_->axis(QCPAxis::atLeft);
    y->setLabel(QStringLiteral("Residuo"));
    y->setNumberFormat(QStringLiteral("g"));
    y->setNumberPrecision(3);
    residualRect_->axis(QCPAxis::atBottom)->setNumberFormat(QStringLiteral("g"));
    residualRect_->axis(QCPAxis::atBottom)->setNumberPrecision(6);
}

void PlotWindow::DrawFit() {
    const QCPRange x = plot_->xAxis->range();
    const int columns = static_cast<int>(std::ceil(plot_->width() * plot_->devicePixelRatioF()));
    // Only over the range fitted: outside it nothing says the fit holds.
    const double lo = std::max(x.lower, fit_->basis.xMin);
    const double hi = std::min(x.upper, fit_->basis.xMax);
    if (lo < hi) {
        const ShownFit& fit = *fit_;
        AddSampled(*plot_, QStringLiteral("Ajuste"), FitPen(), lo, hi, columns, [&fit](double at) {
            return fit::FittedCurveAt(fit.result, fit.basis.lineShape, fit.basis.useScaled, at);
        });
    }
    // The strip's axis, right under it, names x for both.
    plot_->xAxis->setLabel(QString());
    QCPAxis* residualX = residualRect_->axis(QCPAxis::atBottom);
    QCPAxis* residualY = residualRect_->axis(QCPAxis::atLeft);
    residualX->setRange(x);
    residualX->setRangeReversed(reversedX_);
    residualX->setLabel(xTitle_);
    auto* residual = new QCPGraph(residualX, residualY);
    residual->setData(QVector<double>(residualX_.begin(), residualX_.end()),
                      QVector<double>(residualY_.begin(), residualY_.end()), true);
    residual->setPen(FitPen());
    residual->setAntialiased(false);
    residual->removeFromLegend();
    // Symmetric about zero, so that a bias shows as a shift of the noise.
    double largest = 0.0;
    for (const double r : residualY_) {
        if (std::isfinite(r)) {
            largest = std::max(largest, std::fabs(r));
        }
    }
    const double room = largest > 0.0 ? 1.1 * largest : 1.0;
    residualY->setRange(-room, room);
    auto* zero = new QCPItemStraightLine(plot_);
    zero->setClipAxisRect(residualRect_);
    for (QCPItemPosition* end : {zero->point1, zero->point2}) {
        end->setAxes(residualX, residualY);
    }
    zero->point1->setCoords(x.lower, 0.0);
    zero->point2->setCoords(x.upper, 0.0);
    zero->setPen(QPen(Qt::lightGray));
}

void PlotWindow::DrawKeptBaseline() {
    const MeasuredData* data = overlay_.Current();
    if (data == nullptr || !data->baseline) {
        return;
    }
    const QCPRange x = plot_->xAxis->range();
    const FittedLine line = *data->baseline;
    AddSampled(*plot_, QStringLiteral("Línea base del ajuste"), FitPen(Qt::DashLine), x.lower,
               x.upper, 2, [line](double at) { return line.constant + line.slope * at; });
    // The bands stand on the baseline in the measured points; their sum on
    // it is what was fitted to them.
    for (int i = 0; i < plot_->graphCount(); ++i) {
        QCPGraph* sum = plot_->graph(i);
        if (sum->name() != QStringLiteral("Suma")) {
            continue;
        }
        QVector<double> xs;
        QVector<double> ys;
        for (auto point = sum->data()->constBegin(); point != sum->data()->constEnd(); ++point) {
            xs << point->key;
            ys << point->value + line.constant + line.slope * point->key;
        }
        AddSampledGraph(*plot_, std::move(xs), std::move(ys), FitPen(),
                        QStringLiteral("Suma + línea base"));
        break;
    }
}

void PlotWindow::ResetToForm() {
    Redraw(false);
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

Status PlotWindow::ExportImage(const std::string& path, QSize size) const {
    const auto measured = MeasuredFor(overlay_);
    return WriteFigure(path, view_.GetDocument().Table(), CurrentView(),
                       measured ? &*measured : nullptr, size);
}

void PlotWindow::OnExportImage() {
    const auto path = services_.Files().GetSaveFileName(this, QStringLiteral("Exportar imagen"),
                                                        QStringLiteral("grafico.png"));
    if (!path) {
        return;
    }
    if (!FigureFormatFor(path->toStdString())) {
        services_.AfxMessageBox(
            this,
            QStringLiteral("No se puede exportar «%1»: el nombre debe acabar en .png, .svg o .pdf.")
                .arg(*path),
            MessageKind::Warning);
        return;
    }
    // The size in pixels, that of the window's plot unless the user picks another.
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Tamaño de la imagen"));
    auto* form = new QFormLayout(&dialog);
    auto* width = new QSpinBox(&dialog);
    auto* height = new QSpinBox(&dialog);
    for (QSpinBox* box : {width, height}) {
        box->setRange(16, kMaxPictureSide);
        box->setSuffix(QStringLiteral(" px"));
    }
    width->setValue(PlotSize().width());
    height->setValue(PlotSize().height());
    form->addRow(QStringLiteral("&Ancho:"), width);
    form->addRow(QStringLiteral("A&lto:"), height);
    AddOkCancel(dialog, *form);
    if (services_.DoModal(dialog) != IDOK) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Status written = ExportImage(path->toStdString(), QSize(width->value(), height->value()));
    QApplication::restoreOverrideCursor();
    if (!written.ok()) {
        services_.AfxMessageBox(this, QString::fromStdString(written.message()),
                                MessageKind::Warning);
    }
}

void PlotWindow::OnCopyImage() {
    const auto measured = MeasuredFor(overlay_);
    const QByteArray png =
        RenderFigure(view_.GetDocument().Table(), CurrentView(), measured ? &*measured : nullptr,
                     PlotSize(), FigureFormat::Png);
    QGuiApplication::clipboard()->setImage(QImage::fromData(png, "PNG"));
}

void PlotWindow::CopyLimitsToForm() {
    const QCPRange x = plot_->xAxis->range();
    const QCPRange y = plot_->yAxis->range();
    // The form keeps the direction its limits had.
    const bool xDown = view_.fields.curve.xMin > view_.fields.curve.xMax;
    const bool yDown = view_.fields.curve.yMin > view_.fields.curve.yMax;
    const auto put = [this](int id, double value, double range) {
        view_.SetDlgItemText(id, QString::fromStdString(LimitText(value, range)));
    };
    put(IDC_X_MIN, xDown ? x.upper : x.lower, x.size());
    put(IDC_X_MAX, xDown ? x.lower : x.upper, x.size());
    put(IDC_Y_MIN, yDown ? y.upper : y.lower, y.size());
    put(IDC_Y_MAX, yDown ? y.lower : y.upper, y.size());
}

void PlotWindow::SetReversedX(bool reversed) {
    reversedX_ = reversed;
    if (reversedAction_->isChecked() != reversed) {
        reversedAction_->setChecked(reversed);
    }
    SaveSettings();
    Redraw(true);
}

void PlotWindow::SetAxisTitles(const QString& x, const QString& y) {
    xTitle_ = x;
    yTitle_ = y;
    SaveSettings();
    Redraw(true);
}

void PlotWindow::OnEditAxisTitles() {
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Títulos de los ejes"));
    auto* form = new QFormLayout(&dialog);
    auto* x = new QLineEdit(xTitle_, &dialog);
    auto* y = new QLineEdit(yTitle_, &dialog);
    form->addRow(QStringLiteral("Eje &x:"), x);
    form->addRow(QStringLiteral("Eje &y:"), y);
    AddOkCancel(dialog, *form);
    if (services_.DoModal(dialog) == IDOK) {
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
    settings.setValue(kSettingsGroup + QStringLiteral("/reversedX"), reversedX_);
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
