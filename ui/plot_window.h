#pragma once

#include <QMainWindow>
#include <QSize>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/services.h"
#include "ui/plot_figure.h"

class QCustomPlot;
class QCPAxisRect;
class QCPMarginGroup;
class QLabel;
class QAction;

namespace trazel::ui {

class CTrazelView;
class MeasuredOverlay;
struct ShownFit;

// The large plot of the view's curves: the model at the window's full size
// sampled at every device pixel and at every band centre, each band drawn by
// itself in a colour of its own with a legend, a measured spectrum beneath,
// zoom and pan, and pictures out. It follows the table and the form's
// "Representar"; the only thing it changes in the form is its four limits,
// and only when asked to.
class PlotWindow : public QMainWindow {
    Q_OBJECT

  public:
    PlotWindow(CTrazelView& view, MeasuredOverlay& overlay, const platform::Services& services,
               QWidget* parent = nullptr);
    ~PlotWindow() override;

    // Shows the window, in front, drawn from the form's limits the first time.
    void ShowAndRaise();

    // What the window shows now: the form's settings with the zoomed limits.
    FigureView CurrentView() const;
    // Draws everything again for the limits shown (keepZoom) or the form's.
    void Redraw(bool keepZoom = true);
    // Back to the form's limits.
    void ResetToForm();
    // The window's picture at size as it is shown, written to path whole or
    // not at all; the format goes by the ending.
    platform::Status ExportImage(const std::string& path, QSize size) const;
    // The size of the plot in pixels, the default size of an exported picture.
    QSize PlotSize() const;
    // Writes the limits shown into the form's four fields.
    void CopyLimitsToForm();
    // Shows x decreasing to the right, remembered for later runs.
    void SetReversedX(bool reversed);
    void SetAxisTitles(const QString& x, const QString& y);

    // Draws a fit's curve over the plot and its residual (measured minus
    // fit) in a strip under it, sharing its x axis; nullptr takes both away.
    void ShowFit(std::shared_ptr<const ShownFit> fit);
    // The residual strip, while a fit is shown.
    QCPAxisRect* ResidualRect() const { return residualRect_; }

    QCustomPlot* Plot() const { return plot_; }

  signals:
    // "Ajustar al espectro medido..." of the window's menu.
    void fitRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CreateMenus();
    void ConnectPlot();
    // Draws again once control is back in the event loop, once however many
    // zoom and pan steps asked for it.
    void ScheduleRedraw();
    // Samples the curves for the range shown and lays out the figure,
    // without replotting.
    void Resample();
    void OnExportImage();
    void OnCopyImage();
    void OnEditAxisTitles();
    void ShowPointer(QMouseEvent* event);
    void SaveSettings() const;
    // What goes over the figure: the fit shown, or the baseline kept with
    // the measured spectrum after a fit was applied.
    void DrawFit();
    void DrawKeptBaseline();
    void ShowResidualStrip(bool shown);

    CTrazelView& view_;
    MeasuredOverlay& overlay_;
    platform::Services services_;
    QCustomPlot* plot_ = nullptr;
    QLabel* pointer_ = nullptr;
    QAction* reversedAction_ = nullptr;
    QString xTitle_ = QStringLiteral("x");
    QString yTitle_ = QStringLiteral("y");
    bool reversedX_ = false;
    // Whether the limits shown are the user's zoom rather than the form's.
    bool zoomed_ = false;
    bool settingUp_ = false;
    bool redrawPending_ = false;
    // The range changed since the curves were last sampled.
    bool resamplePending_ = false;
    std::shared_ptr<const ShownFit> fit_;
    // The residual of each measured point in the fit's range, by x.
    std::vector<double> residualX_;
    std::vector<double> residualY_;
    QCPAxisRect* residualRect_ = nullptr;
    QCPMarginGroup* margins_ = nullptr;
};

}  // namespace trazel::ui
