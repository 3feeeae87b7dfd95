#pragma once

#include <cstdint>

#include "ui/control_ids.h"
#include "ui/dialogs/template_dialog.h"

namespace trazel::ui {

// The decimal sign of the export and the number of x steps of export and print.
class COutputFormatDlg : public TemplateDialog {
    Q_OBJECT

  public:
    static constexpr int kDecimalPointId = IDC_DECIMAL_POINT;
    static constexpr int kDecimalCommaId = IDC_DECIMAL_COMMA;
    static constexpr int kResolutionId = IDC_RESOLUTION;

    explicit COutputFormatDlg(const platform::Services& services, QWidget* owner = nullptr);

    // 1 for a decimal comma, 0 for a decimal point.
    std::int32_t decimalComma = -1;
    std::int32_t resolution = 0;

  protected:
    // Export and print need at least one step between the x limits.
    bool ValidateFields() override;
};

// Shows the view's output settings and copies them back when the user accepts.
// Returns whether the user accepted.
bool RunOutputFormat(bool& decimalComma, std::int32_t& resolution, QWidget* owner,
                     const platform::Services& services);

}  // namespace trazel::ui
