#pragma once

#include <QMainWindow>
#include <QSize>
#include <memory>
#include <optional>
#include <string>

#include "analysis/figure_data.h"
#include "analysis/peak_search.h"
#include "document/trazel_doc.h"
#include "figure/figure.h"
#include "figure/picture_file.h"
#include "platform/qt/services.h"

class QCustomPlot;
class QCPAxisRect;
class QLabel;
class QAction;

namespace trazel::analysis {
struct FitRecord;
}  // namespace trazel::analysis

namespace trazel::ui {

class DocumentContext;
class MeasuredCommands;

// The large plot of the view's document: the model at the window's full size
// sampled at every device pixel and at every band centre, each band drawn by
// itself in a colour of its own with a legend, the measured spectrum beneath
// as the fit uses it, the last fit with its residual, zoom and pan, and
// pictures out, all drawn by SetUpFigure from the document. It follows the
// table, the analysis and the form's "Representar"; the only thing it changes
// in the form is its four limits, and only when asked to.
class PlotWindow : public QMainWindow {
    Q_OBJECT

  public:
    PlotWindow(DocumentContext& context, MeasuredCommands& measured,
               const platform::Services& services, QWidget* parent = nullptr);
    ~PlotWindow() override;

    // Shows the window, in front, drawn from the form's limits the first time.
    void ShowAndRaise();

    // What the window shows now: the form's settings with the zoomed limits.
    figure::FigureView CurrentView() const;
    // Draws everything again for the limits shown (keepZoom) or the form's.
    void Redraw(bool keepZoom = true);
    // Back to the form's limits.
    void ResetToForm();
    // Shows all of the measured data (analysis::MeasuredDataView), until
    // the user zooms or "Representar" is pressed; nothing without data.
    void FitViewToData();
    // The window's picture in the print style at size, written to path
    // whole or not at all; the format goes by the ending.
    platform::Status ExportImage(const std::string& path, const figure::PictureSize& size,
                                 bool fillComponents = false) const;
    // The size of the plot in pixels, that of a copied picture.
    QSize PlotSize() const;
    // Shows x and y between these limits, as a zoom does; with yAutomatic,
    // y spans the curves drawn, at every redraw, until the user drags.
    void SetLimits(const analysis::ViewLimits& limits, bool yAutomatic);
    // Writes the limits shown into the form's four fields.
    void CopyLimitsToForm();
    // Shows x decreasing to the right, kept with the document's view.
    void SetReversedX(bool reversed);
    // The document's axis titles, one step of its history; the next new
    // document starts with them too.
    void SetAxisTitles(const QString& x, const QString& y);

    // Draws the document as it would be with fit applied, while a fit dialog
    // shows that fit; nullptr draws the document as it is.
    void ShowFit(std::shared_ptr<const analysis::FitRecord> fit);
    // The same for the fits of several regions, applied in turn; none draws
    // the document as it is.
    void ShowFits(std::vector<std::shared_ptr<const analysis::FitRecord>> fits);
    // Marks the positions of bands found, while the search shows them; none
    // takes the marks away.
    void ShowFoundBands(const std::vector<analysis::FoundBand>& bands);
    // Draws a comparison with the calculation while its dialog shows it;
    // nullptr draws the document's own, if any.
    void ShowComparison(std::shared_ptr<const analysis::ComparisonRecord> record);
    // The positions marked now.
    const std::vector<double>& MarkedBands() const { return marked_; }
    // What the window draws now: the document, or the fit shown over it.
    analysis::DocumentState ShownState() const;
    // The residual strip, while a fit is drawn.
    QCPAxisRect* ResidualRect() const;

    QCustomPlot* Plot() const { return plot_; }

  signals:
    // "Ajustar al espectro medido..." of the window's menu.
    void fitRequested();
    // "Buscar bandas..." of the window's menu.
    void findBandsRequested();
    // "Comparar con el espectro medido..." of the window's menu.
    void compareRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateMenus();
    void ConnectPlot();
    // Draws again once control is back in the event loop, once however many
    // zoom and pan steps asked for it.
    void ScheduleRedraw();
    // The plot's width in device pixels, a sample for each.
    int Columns() const;
    // Samples the curves for the range shown and lays out the figure,
    // without replotting.
    void Resample();
    void ComputeAlsPreview();
    void OnExportImage();
    void OnCopyImage();
    void OnEditAxisTitles();
    // "Límites...": x and y typed, or y from the data.
    void OnEditLimits();
    // x decreasing for a spectrum just loaded, or moved to other units, that
    // is drawn so by convention (infrared spectra in wavenumbers), increasing
    // for any other; drawn at the next redraw.
    void TakeDirectionFromData();
    // The view the document keeps, else its data whole, and its direction
    // of x: what an opened or new document shows first.
    void ShowDocumentView();
    // Gives the document the view shown, for its next save, while it has a
    // measured spectrum.
    void KeepView();
    void ShowPointer(QMouseEvent* event);
    void SaveSettings() const;
    // The titles of the document, or those last used for one without.
    QString XTitle() const;
    QString YTitle() const;

    DocumentContext& context_;
    document::CTrazelDoc& document_;
    MeasuredCommands& measured_;
    platform::Services services_;
    QCustomPlot* plot_ = nullptr;
    QLabel* pointer_ = nullptr;
    QAction* reversedAction_ = nullptr;
    QAction* fitAction_ = nullptr;
    QString xTitle_ = QStringLiteral("x");
    QString yTitle_ = QStringLiteral("y");
    bool reversedX_ = false;
    // The document shown (CTrazelDoc::Generation), to tell another one.
    std::uint64_t shownGeneration_ = 0;
    // Whether the limits shown are the user's zoom rather than the form's.
    bool zoomed_ = false;
    // Whether y spans the curves drawn rather than limits of its own.
    bool yAutomatic_ = false;
    // The measured data's limits, shown instead of the form's since a
    // spectrum was loaded or the view fitted to it; none after "Representar".
    std::optional<analysis::ViewLimits> dataView_;
    // The points of the spectrum last seen and the changes made to them
    // (without the factor, which only scales), to tell new data from a
    // change of anything else.
    const void* shownPoints_ = nullptr;
    input::SpectrumTransform shownChange_;
    bool settingUp_ = false;
    bool redrawPending_ = false;
    // The range changed since the curves were last sampled.
    bool resamplePending_ = false;
    std::vector<std::shared_ptr<const analysis::FitRecord>> fits_;
    std::vector<double> marked_;
    QAction* findAction_ = nullptr;
    QAction* compareAction_ = nullptr;
    std::shared_ptr<const analysis::ComparisonRecord> compared_;
    // The report and the curves of the fit the document holds.
    QAction* reportAction_ = nullptr;
    QAction* curvesAction_ = nullptr;
    // The transform the measured options show while they subtract a
    // baseline: the spectrum is drawn without it, and the baseline over it.
    std::optional<analysis::MeasuredTransform> alsTransform_;
    // What that transform draws, computed once per change of it or of the
    // document rather than on every redraw: the spectrum without the
    // baseline and the baseline.
    struct AlsPreview {
        analysis::MeasuredData shown;
        analysis::Curve baseline;
    };
    std::optional<AlsPreview> alsPreview_;
};

}  // namespace trazel::ui
