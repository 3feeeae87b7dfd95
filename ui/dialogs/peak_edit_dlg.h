#pragma once

#include <cstdint>
#include <vector>

#include "ui/control_ids.h"
#include "ui/dialogs/template_dialog.h"

class QLineEdit;

namespace trazel::document {
class CTrazelDoc;
}  // namespace trazel::document

namespace trazel::ui {

// Edits one peak, and can trade its intensity against its width so that the
// band keeps the area it had when the dialog opened.
class CPeakEditDlg : public TemplateDialog {
    Q_OBJECT

  public:
    // Which of intensity and width "Calcular" recomputes from the other: the
    // index of the checked radio button.
    enum AreaMode : std::int32_t { Manual = 0, IntensityFromWidth = 1, WidthFromIntensity = 2 };

    static constexpr int kWidthId = IDC_WIDTH;
    static constexpr int kManualId = IDC_MODE_MANUAL;
    static constexpr int kIntensityFromWidthId = IDC_MODE_INTENSITY_FROM_WIDTH;
    static constexpr int kIntensityId = IDC_EDIT_INTENSITY;
    static constexpr int kPositionId = IDC_EDIT_POSITION;
    static constexpr int kSeparateId = IDC_EDIT_SEPARATE;
    static constexpr int kWidthFromIntensityId = IDC_MODE_WIDTH_FROM_INTENSITY;
    static constexpr int kCalculateId = IDC_CALCULATE;
    static constexpr int kScaleId = IDC_EDIT_SCALE;
    static constexpr int kShapeDocumentId = IDC_SHAPE_DOCUMENT;
    static constexpr int kShapeGaussianId = IDC_SHAPE_GAUSSIAN;
    static constexpr int kShapeLorentzianId = IDC_SHAPE_LORENTZIAN;
    static constexpr int kShapePseudoVoigtId = IDC_SHAPE_PSEUDO_VOIGT;
    static constexpr int kShapeVoigtId = IDC_SHAPE_VOIGT;
    static constexpr int kShareId = IDC_EDIT_SHARE;

    explicit CPeakEditDlg(const platform::Services& services, QWidget* owner = nullptr);

    // Takes the area of the peak as it was loaded.
    void OnInitDialog() override;

    // "Calcular".
    void OnCalculate();

    double area = 0.0;
    QLineEdit* widthEdit = nullptr;
    QLineEdit* intensityEdit = nullptr;
    double intensity = 0.0;
    // Not "width", which would hide QWidget::width().
    double peakWidth = 0.0;
    double position = 0.0;
    std::int32_t separate = 0;
    std::int32_t mode = -1;
    double scale = 0.0;
    // The index of the checked shape, in model::BandShape's order, and the
    // Lorentzian share of a mixed one.
    std::int32_t shape = 0;
    double share = 0.0;

  protected:
    // The share lies between 0 and 1.
    bool ValidateFields() override;

  private:
    // The checked mode decides which of the two fields is computed and so
    // cannot be typed into.
    void ApplyAreaMode();
};

// Opens the dialog for the peak shown in one row of the list and replaces the
// peak when the user accepts. Returns whether the peak was replaced.
bool EditPeak(document::CTrazelDoc& document, int row, QWidget* owner,
              const platform::Services& services);

// One dialog for each selected row, top to bottom; cancelling one goes on
// with the next. Returns whether any row was selected, that is whether the
// list has to be rebuilt.
bool EditSelection(document::CTrazelDoc& document, const std::vector<int>& selectedRows,
                   QWidget* owner, const platform::Services& services);

}  // namespace trazel::ui
