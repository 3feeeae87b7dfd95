#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "input/band_list.h"

#include "ui/control_ids.h"
#include "ui/dialogs/template_dialog.h"

class QLabel;
class QTreeWidget;

namespace trazel::ui {

// What the dialog lets the user choose for the bands of a list: the width and
// scale of a band the file gives none, and whether its intensities are areas;
// for the output of a quantum-chemistry program, what its modes give and
// which of them are taken.
struct BandImportChoice {
    using Kind = input::BandListOptions::Kind;
    double width = 0.0;
    double scale = 1.0;
    bool areas = false;
    Kind kind = Kind::Infrared;
    double laserNm = 532.0;
    double temperature = 298.15;
    std::optional<std::pair<double, double>> range = std::nullopt;
};

// A band list as it would be imported with one choice.
struct BandPreview {
    bool ok = false;
    // The columns found and the number of bands, or why nothing can be
    // imported.
    QString summary;
    QStringList headings;
    // The first bands, as the peak list would show them.
    std::vector<QStringList> rows;
    // The file is the output of a quantum-chemistry program.
    bool computed = false;
};

using BandPreviewSource = std::function<BandPreview(const BandImportChoice& choice)>;

// Shows what a band list holds before anything changes, and reads it again
// as the width, the scale, the areas switch or, for the output of a
// quantum-chemistry program, the kind of spectrum and the range change.
class CImportBandsDlg : public TemplateDialog {
    Q_OBJECT

  public:
    static constexpr int kWidthId = IDC_IMPORT_WIDTH;
    static constexpr int kScaleId = IDC_IMPORT_SCALE;
    static constexpr int kAreasId = IDC_IMPORT_AREAS;
    static constexpr int kSummaryId = IDC_IMPORT_SUMMARY;
    static constexpr int kPreviewId = IDC_IMPORT_PREVIEW;
    static constexpr int kInfraredId = IDC_IMPORT_INFRARED;  // then activity, intensity
    static constexpr int kLaserId = IDC_IMPORT_LASER;
    static constexpr int kTemperatureId = IDC_IMPORT_TEMPERATURE;
    static constexpr int kRangeId = IDC_IMPORT_RANGE;
    static constexpr int kRangeFromId = IDC_IMPORT_RANGE_FROM;
    static constexpr int kRangeToId = IDC_IMPORT_RANGE_TO;

    CImportBandsDlg(const QString& fileName, BandPreviewSource source,
                    const platform::Services& services, QWidget* owner = nullptr);

    void OnInitDialog() override;

    QLabel* Summary() const;
    QTreeWidget* Preview() const;

    // Not "width", which would hide QWidget::width().
    double bandWidth = 0.0;
    double scale = 1.0;
    std::int32_t areas = 0;
    std::int32_t kind = 0;  // BandImportChoice::Kind
    double laserNm = 532.0;
    double temperature = 298.15;
    std::int32_t inRange = 0;
    double rangeFrom = 0.0;
    double rangeTo = 4000.0;

    BandImportChoice Choice() const;

  protected:
    bool ValidateFields() override;

  private:
    // Reads the list again with what the fields show now; a field that does
    // not hold a usable number is named in the summary, not in a message.
    void ShowPreview();
    void Show(const BandPreview& preview);
    // Enables what applies to the file and the kind of spectrum chosen.
    void EnableComputed();
    // The field of choice that cannot be taken and why, or 0.
    std::pair<int, QString> Fault(const BandImportChoice& choice) const;

    BandPreviewSource source_;
    bool computed_ = false;
};

// Asks for the width, scale and areas (and for a quantum-chemistry output,
// what it gives and which modes) to import a band list with, starting from
// choice; true, with choice changed, when the user accepted.
bool RunImportBands(const QString& fileName, const BandPreviewSource& source,
                    BandImportChoice& choice, QWidget* owner, const platform::Services& services);

}  // namespace trazel::ui
