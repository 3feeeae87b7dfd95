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
};

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

    // "Cancelar" and the window's close button stop a running fit first.
    void reject() override;

    // The controls, for the tests and for the keyboard.
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
    // The fit the plot window should draw now; nullptr for none.
    void fitChanged(std::shared_ptr<const analysis::FitRecord> fit);

  private:
    void CreateControls();
    // Starts the fit, from the document's table or from the one given, with
    // up to addBands bands added (fit::FitAddingBands).
    void Start(const model::PeakTable* from, int addBands);
    void Finished(fit::FitResult result);
    void ShowResult(const analysis::FitRecord& shown);
    // A change of any control makes the result shown stale.
    void Forget();
    void UpdateButtons();
    void CopyResult() const;

    const document::CTrazelDoc& document_;
    FitStart start_;
    platform::Services services_;
    // How the running fit was posed, kept for its result.
    std::optional<analysis::FitRecord> running_;
    std::future<fit::FitResult> worker_;
    std::atomic<bool> stop_{false};
    std::atomic<int> iteration_{0};
    std::atomic<double> rss_{0.0};
    QTimer* tick_ = nullptr;
    std::shared_ptr<const analysis::FitRecord> shown_;
};

// The fit of the document's table to its measured spectrum: runs the dialog
// (through services, over owner) from the document's fit settings, over
// xMin..xMax (the range shown, either order) when they keep no range of their
// own, the bands in selectedRows of the list (top to bottom) held, with the
// line shape and positions the document's settings give. On "Aplicar" the fit
// goes into the document (document::CTrazelDoc::ApplyFit) as one step of its
// history, the fitted bands and the baseline together, and every window
// follows. show is told of every fit to draw, and of none when the dialog
// closes. The fit applied, or nullptr when none was.
std::shared_ptr<const analysis::FitRecord> RunFitDialog(
    DocumentContext& context, double xMin, double xMax, const std::vector<int>& selectedRows,
    const platform::Services& services, QWidget* owner,
    const std::function<void(std::shared_ptr<const analysis::FitRecord>)>& show = {});

}  // namespace trazel::ui
