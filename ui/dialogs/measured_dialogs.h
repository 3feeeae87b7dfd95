#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "ui/control_ids.h"
#include "ui/dialogs/template_dialog.h"

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

// How the measured spectrum's data are taken: the y factor, by which the fit
// and the figure both multiply the ordinates read, and which "Escalar al
// máximo del modelo en la vista" sets to modelMaximumFactor (disabled without
// one). "Quitar el espectro" closes the dialog as accepted with
// removeRequested set, whatever the fields hold.
class CMeasuredOptionsDlg : public TemplateDialog {
    Q_OBJECT

  public:
    static constexpr int kYFactorId = IDC_MEASURED_Y_FACTOR;
    static constexpr int kScaleToModelId = IDC_MEASURED_SCALE_TO_MODEL;
    static constexpr int kRemoveId = IDC_MEASURED_REMOVE;

    CMeasuredOptionsDlg(const QString& fileName, const platform::Services& services,
                        QWidget* owner = nullptr);

    double yFactor = 1.0;
    std::optional<double> modelMaximumFactor;
    bool removeRequested = false;

    void OnInitDialog() override;

  protected:
    bool ValidateFields() override;
};

}  // namespace trazel::ui
