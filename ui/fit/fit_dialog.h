#pragma once

#include <QDialog>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <vector>

#include "document/trazel_doc.h"
#include "fit/band_fit.h"
#include "platform/qt/services.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace trazel::ui {

class DocumentContext;

// What a fit dialog starts from, beside its document's table and measured
// spectrum: the settings shown at first (with the range set), the line shape
// and positions the bands are drawn with, and the rows of the peak list
// selected (0 = newest), which vary when there are any.
struct FitStart {
    analysis::FitSettings settings;
    std::int32_t lineShape = model::Gaussian;
    bool useScaled = false;
    std::vector<int> selectedRows;
    // The x range the plot shows (either order), which "Añadir región" makes
    // a fit region of.
    double viewMin = 0.0;
    double viewMax = 0.0;
};

// How a fit dialog changes its document's fit regions, each change a step of
// the document's history; a dialog without them offers no such change.
struct RegionEditing {
    std::function<void(analysis::FitRegion)> add;
    std::function<void(std::size_t)> remove;
};

// The fits a dialog shows before they are applied, in the order they are
// applied.
using ShownFits = std::vector<std::shared_ptr<const analysis::FitRecord>>;

// The fit of the bands to a measured spectrum: the x range, the bands and the
// values that vary, the baseline; the fit runs on a thread of its own, which
// "Detener" stops, while the windows go on painting; the result with its
// errors, which "Copiar" puts on the clipboard as text. "Aplicar" closes it
// accepted with a result; nothing is written anywhere by the dialog itself.
class FitDialog : public QDialog {
    Q_OBJECT

  public:
    FitDialog(const document::CTrazelDoc& document, FitStart start,
              const platform::Services& services, QWidget* owner = nullptr);
    // Stops a fit still running and waits for its thread.
    ~FitDialog() override;

    // The settings the controls describe, or nothing after telling the user
    // what is wrong with them.
    std::optional<analysis::FitSettings> Settings();
    // The problem they pose to the document (document::CTrazelDoc::PoseFit).
    std::optional<fit::FitProblem> Problem();

    // "Ajustar": starts a fit, unless one runs or the controls are refused.
    void StartFit();
    // "Añadir banda en el residuo": fits again from the result shown with a
    // band more where its residual has the largest feature, kept if it lowers
    // the information criterion; "Aplicar" puts the bands into the document
    // as one step.
    void AddBand();
    // "Detener".
    void StopFit();
    bool Running() const { return worker_.valid(); }

    // The last fit that succeeded with the controls as they are, or nothing.
    std::shared_ptr<const analysis::FitRecord> Shown() const { return shown_; }
    // What "Aplicar" applies: the fit shown, or after "Ajustar todas" the fit
    // of every region in x order.
    ShownFits ShownAll() const;

    // The fit regions: a region picked puts its range and settings into the
    // controls (-1 picks none, for a new range); adding one makes the plot's
    // range a region, refused, with the reason, over another region.
    void SetRegionEditing(RegionEditing editing);
    void PickRegion(int row);
    void AddRegion();
    void RemoveRegion();
    // "Ajustar todas": fits each region in turn, with its own settings, each
    // from the bands the one before left.
    void StartFitAll();

    // "Cancelar" and the window's close button stop a running fit first.
    void reject() override;

    // The controls, for the tests and for the keyboard.
    QTreeWidget* regionList = nullptr;
    QPushButton* addRegionButton = nullptr;
    QPushButton* removeRegionButton = nullptr;
    QPushButton* fitAllButton = nullptr;
    QLineEdit* xMinEdit = nullptr;
    QLineEdit* xMaxEdit = nullptr;
    QTreeWidget* bandList = nullptr;
    QCheckBox* positionBox = nullptr;
    QCheckBox* intensityBox = nullptr;
    QCheckBox* widthBox = nullptr;
    QCheckBox* shareBox = nullptr;
    QComboBox* shapeBox = nullptr;
    QComboBox* baselineBox = nullptr;
    QCheckBox* negativeBox = nullptr;
    QLabel* progressLine = nullptr;
    QTreeWidget* resultList = nullptr;
    QLabel* statistics = nullptr;
    // Converged, with values at their bounds, with a structured residual, or not.
    QLabel* verdict = nullptr;
    QPushButton* fitButton = nullptr;
    QPushButton* stopButton = nullptr;
    QPushButton* addBandButton = nullptr;
    QPushButton* copyButton = nullptr;
    // The result shown, to a report file and to a file of its curves.
    QPushButton* reportButton = nullptr;
    QPushButton* curvesButton = nullptr;
    QPushButton* applyButton = nullptr;

  signals:
    // The fits the plot window should draw now; none for none.
    void fitChanged(ShownFits fits);

  private:
    void CreateControls();
    // Starts the fit, from the document's table or from the one given, with
    // up to addBands bands added (fit::FitAddingBands).
    void Start(const model::PeakTable* from, int addBands);
    // Runs the fits posed in running_ one after another on a thread, each
    // from the table the one before ended with.
    void Run(std::vector<fit::FitProblem> problems, int addBands);
    void Finished(std::vector<fit::FitResult> results);
    void FillRegions();
    // Whether the range may be fitted beside the document's other regions;
    // says why not.
    bool RangeAllowed(double xMin, double xMax);
    void ShowResult(const analysis::FitRecord& shown);
    // A change of any control makes the result shown stale.
    void Forget();
    void UpdateButtons();
    void CopyResult() const;

    const document::CTrazelDoc& document_;
    FitStart start_;
    platform::Services services_;
    // How the running fits were posed, kept for their results.
    std::vector<analysis::FitRecord> running_;
    std::future<std::vector<fit::FitResult>> worker_;
    std::atomic<bool> stop_{false};
    std::atomic<int> iteration_{0};
    std::atomic<double> rss_{0.0};
    QTimer* tick_ = nullptr;
    std::shared_ptr<const analysis::FitRecord> shown_;
    // The fits of "Ajustar todas", shown_ among them; empty otherwise.
    ShownFits shownAll_;
    RegionEditing editing_;
    // The region picked (a row of regionList), or none for a new range.
    std::optional<std::size_t> picked_;
};

// The fit of the document's table to its measured spectrum: runs the dialog
// (through services, over owner) from the document's fit settings, over
// xMin..xMax (the range shown, either order) when they keep no range of their
// own, the bands in selectedRows of the list (top to bottom) held, with the
// line shape and positions the document's settings give. On "Aplicar" the fit
// goes into the document (document::CTrazelDoc::ApplyFit) as one step of its
// history, the fitted bands and the baseline together, and every window
// follows; so do the fits of every region after "Ajustar todas", in the
// same step. Adding or removing a region is a step of its own. show is told
// of every fit to draw, and of none when the dialog closes. The fit applied
// (the last region's, of several), or nullptr when none was.
std::shared_ptr<const analysis::FitRecord> RunFitDialog(
    DocumentContext& context, double xMin, double xMax, const std::vector<int>& selectedRows,
    const platform::Services& services, QWidget* owner,
    const std::function<void(ShownFits)>& show = {});

}  // namespace trazel::ui
