#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

#include "ui/control_ids.h"
#include "ui/dialogs/template_dialog.h"

class QLabel;
class QTreeWidget;

namespace trazel::ui {

// What the dialog lets the user choose for the bands of a list: the width and
// scale of a band the file gives none, and whether its intensities are areas.
struct BandImportChoice {
    double width = 0.0;
    double scale = 1.0;
    bool areas = false;
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
};

using BandPreviewSource = std::function<BandPreview(const BandImportChoice& choice)>;

// Shows what a band list holds before anything changes, and reads it again
// as the width, the scale or the areas switch change.
class CImportBandsDlg : public TemplateDialog {
    Q_OBJECT

  public:
    static constexpr int kWidthId = IDC_IMPORT_WIDTH;
    static constexpr int kScaleId = IDC_IMPORT_SCALE;
    static constexpr int kAreasId = IDC_IMPORT_AREAS;
    static constexpr int kSummaryId = IDC_IMPORT_SUMMARY;
    static constexpr int kPreviewId = IDC_IMPORT_PREVIEW;

    CImportBandsDlg(const QString& fileName, BandPreviewSource source,
                    const platform::Services& services, QWidget* owner = nullptr);

    void OnInitDialog() override;

    QLabel* Summary() const;
    QTreeWidget* Preview() const;

    // Not "width", which would hide QWidget::width().
    double bandWidth = 0.0;
    double scale = 1.0;
    std::int32_t areas = 0;

  protected:
    bool ValidateFields() override;

  private:
    // Reads the list again with what the fields show now; a field that does
    // not hold a usable number is named in the summary, not in a message.
    void ShowPreview();
    void Show(const BandPreview& preview);

    BandPreviewSource source_;
};

// Asks for the width, scale and areas to import a band list with, starting
// from choice; true, with choice changed, when the user accepted.
bool RunImportBands(const QString& fileName, const BandPreviewSource& source,
                    BandImportChoice& choice, QWidget* owner, const platform::Services& services);

}  // namespace trazel::ui
