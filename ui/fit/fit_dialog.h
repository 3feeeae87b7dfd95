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

#include "fit/band_fit.h"
#include "input/measured_spectrum.h"
#include "model/peak_table.h"
#include "platform/qt/services.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace trazel::ui {

class CTrazelView;
struct MeasuredData;

// The points a fit is made to, over xMin..xMax, and the line shape and
// positions its bands are drawn with.
struct FitBasis {
    std::int32_t lineShape = model::Gaussian;
    bool useScaled = false;
    std::shared_ptr<const input::MeasuredSpectrum> spectrum;
    double yFactor = 1.0;
    double xMin = 0.0;
    double xMax = 0.0;
};

// What a fit starts from: the window's table, line shape and measured
// spectrum as they are when the dialog opens.
struct FitSetup {
    model::PeakTable table;
    FitBasis basis;
    // The rows of the peak list selected (0 = newest); none leaves every
    // band free.
    std::vector<int> selectedRows;
};

// A fit as the plot window draws it: the fitted curve over the points it
// was fitted to, and the residual under it.
struct ShownFit {
    fit::FitResult result;
    fit::Baseline baseline = fit::Baseline::None;
    FitBasis basis;
};

// The fit of the bands to a measured spectrum: the x range, the bands and the
// values that vary, the baseline; the fit runs on a thread of its own, which
// "Detener" stops, while the windows go on painting; the result with its
// errors, which "Copiar" puts on the clipboard as text. "Aplicar" closes it
// accepted with a result; nothing is written anywhere by the dialog itself.
class FitDialog : public QDialog {
    Q_OBJECT

  public:
    FitDialog(FitSetup setup, const platform::Services& services, QWidget* owner = nullptr);
    // Stops a fit still running and waits for its thread.
    ~FitDialog() override;

    // The problem the controls describe, or nothing after telling the user
    // what is wrong with them.
    std::optional<fit::FitProblem> Problem();

    // "Ajustar": starts a fit, unless one runs or the controls are refused.
    void StartFit();
    // "Detener".
    void StopFit();
    bool Running() const { return worker_.valid(); }

    // The last fit that succeeded with the controls as they are, or nothing.
    std::shared_ptr<const ShownFit> Shown() const { return shown_; }

    // "Cancelar" and the window's close button stop a running fit first.
    void reject() override;

    // The controls, for the tests and for the keyboard.
    QLineEdit* xMinEdit = nullptr;
    QLineEdit* xMaxEdit = nullptr;
    QTreeWidget* bandList = nullptr;
    QCheckBox* positionBox = nullptr;
    QCheckBox* intensityBox = nullptr;
    QCheckBox* widthBox = nullptr;
    QComboBox* baselineBox = nullptr;
    QLabel* progressLine = nullptr;
    QTreeWidget* resultList = nullptr;
    QLabel* statistics = nullptr;
    QPushButton* fitButton = nullptr;
    QPushButton* stopButton = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* applyButton = nullptr;

  signals:
    // The fit the plot window should draw now; nullptr for none.
    void fitChanged(std::shared_ptr<const ShownFit> fit);

  private:
    void CreateControls();
    void Finished(fit::FitResult result);
    void ShowResult(const ShownFit& shown);
    // A change of any control makes the result shown stale.
    void Forget();
    void UpdateButtons();
    void CopyResult() const;

    FitSetup setup_;
    platform::Services services_;
    // The problem the running fit was given, kept for its result.
    std::optional<fit::FitProblem> running_;
    std::future<fit::FitResult> worker_;
    std::atomic<bool> stop_{false};
    std::atomic<int> iteration_{0};
    std::atomic<double> rss_{0.0};
    QTimer* tick_ = nullptr;
    std::shared_ptr<const ShownFit> shown_;
};

// The fit of the view's table to a measured spectrum over xMin..xMax: runs
// the dialog (through services, over owner), the bands selected in the list
// free; on "Aplicar" the fitted values go into the table as one step of its
// history and the list follows. show is told of every fit to draw, and of
// none when the dialog closes. The fit applied, or nullptr when the dialog
// was cancelled.
std::shared_ptr<const ShownFit> RunFitDialog(
    CTrazelView& view, const MeasuredData& measured, double xMin, double xMax,
    const platform::Services& services, QWidget* owner,
    const std::function<void(std::shared_ptr<const ShownFit>)>& show = {});

}  // namespace trazel::ui
