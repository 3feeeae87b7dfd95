#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "input/measured_spectrum.h"
#include "input/measured_transform.h"
#include "ui/control_ids.h"
#include "ui/dialogs/template_dialog.h"

class QTreeWidget;

namespace trazel::ui {

// Shows the first lines of a measured file and asks which columns hold x and
// y, numbered from 1 as a user counts them.
class CMeasuredColumnsDlg : public TemplateDialog {
    Q_OBJECT

  public:
    static constexpr int kXColumnId = IDC_MEASURED_X_COLUMN;
    static constexpr int kYColumnId = IDC_MEASURED_Y_COLUMN;

    // columns is the number of fields of the file's first line of numbers.
    CMeasuredColumnsDlg(const QString& fileName, const QStringList& firstLines, int columns,
                        const platform::Services& services, QWidget* owner = nullptr);

    std::int32_t xColumn = 1;
    std::int32_t yColumn = 2;

  protected:
    bool ValidateFields() override;

  private:
    int columns_;
};

// Lists the spectra of a file that holds several (number and name, kind,
// points, x range, units) and asks which one to overlay; double-clicking
// one chooses it.
class CMeasuredSpectrumChoiceDlg : public TemplateDialog {
    Q_OBJECT

  public:
    static constexpr int kListId = IDC_MEASURED_SPECTRA;

    CMeasuredSpectrumChoiceDlg(const QString& fileName,
                               const std::vector<input::SpectrumSummary>& spectra,
                               const platform::Services& services, QWidget* owner = nullptr);

    QTreeWidget* List() const;
    void OnInitDialog() override;

    // The spectrum chosen, from 0: the one selected when the dialog opens and
    // once it is accepted.
    std::int32_t chosen = 0;

  protected:
    bool ValidateFields() override;
};

// How the measured spectrum's data are taken: the change of x (with the
// laser line of a Raman shift), the change of y, the change of sign, the
// y factor and the subtraction of a baseline by asymmetric least squares, in
// that fixed order, which the dialog shows with how many of
// points the changes leave out. "Escalar al máximo del modelo en la vista"
// sets the factor to modelMaximumFactor (disabled without one). "Quitar el
// espectro" closes the dialog as accepted with removeRequested set, whatever
// the fields hold.
class CMeasuredOptionsDlg : public TemplateDialog {
    Q_OBJECT

  public:
    static constexpr int kYFactorId = IDC_MEASURED_Y_FACTOR;
    static constexpr int kScaleToModelId = IDC_MEASURED_SCALE_TO_MODEL;
    static constexpr int kRemoveId = IDC_MEASURED_REMOVE;
    // The radio button of a change: kXNoneId + input::XChange, kYNoneId + input::YChange.
    static constexpr int kXNoneId = IDC_MEASURED_X_NONE;
    static constexpr int kLaserId = IDC_MEASURED_LASER;
    static constexpr int kYNoneId = IDC_MEASURED_Y_NONE;
    static constexpr int kNegateId = IDC_MEASURED_NEGATE;
    static constexpr int kNoteId = IDC_MEASURED_TRANSFORM_NOTE;
    static constexpr int kAlsId = IDC_MEASURED_ALS;
    static constexpr int kAlsLambdaId = IDC_MEASURED_ALS_LAMBDA;
    static constexpr int kAlsPId = IDC_MEASURED_ALS_P;

    // points are those read, for counting what each change leaves out; they
    // must outlive the dialog.
    CMeasuredOptionsDlg(const QString& fileName, const input::MeasuredSpectrum& points,
                        const platform::Services& services, QWidget* owner = nullptr);

    // The transform shown, and chosen once accepted (factor included).
    input::SpectrumTransform Transform() const;
    void SetTransform(const input::SpectrumTransform& transform);

    std::int32_t xChange = 0;
    std::int32_t yChange = 0;
    // The laser line as typed: it matters only for a Raman shift.
    QString laser;
    bool negate = false;
    double yFactor = 1.0;
    // The baseline by asymmetric least squares, subtracted last when als is
    // set; λ and p as typed.
    bool als = false;
    QString alsLambda = QStringLiteral("1e5");
    QString alsP = QStringLiteral("0.01");
    std::optional<double> modelMaximumFactor;
    bool removeRequested = false;

    void OnInitDialog() override;

  signals:
    // The transform the controls show now, while it subtracts a baseline
    // that can be worked out, so that the plot can draw that baseline; none
    // otherwise.
    void alsPreview(std::optional<input::SpectrumTransform> transform);

  protected:
    bool ValidateFields() override;

  private:
    // The order of the changes and what the choice leaves out, as the
    // controls show them now.
    void ShowNote();
    // The transform the controls show now, factor and baseline included.
    input::SpectrumTransform Shown() const;

    const input::MeasuredSpectrum& points_;
};

}  // namespace trazel::ui
