#include "ui/dialogs/output_format_dlg.h"

#include <QCoreApplication>
#include <QRadioButton>

#include "platform/qt/modal_dialogs.h"

using namespace trazel::platform;

namespace trazel::ui {

namespace {

using K = ControlKind;

// Template 131.
const ControlTemplate kControls[] = {
    {IDOK, K::DefaultButton, QT_TRANSLATE_NOOP("OutputFormatDialog", "Aceptar"), 128, 7, 50, 14},
    {IDCANCEL, K::Button, QT_TRANSLATE_NOOP("OutputFormatDialog", "Cancelar"), 128, 24, 50, 14},
    {0, K::Group, QT_TRANSLATE_NOOP("OutputFormatDialog", "&Signo decimal"), 7, 7, 119, 59},
    {COutputFormatDlg::kDecimalPointId, K::Radio,
     QT_TRANSLATE_NOOP("OutputFormatDialog", "Usar &punto decimal"), 17, 20, 77, 10},
    {COutputFormatDlg::kDecimalCommaId, K::Radio,
     QT_TRANSLATE_NOOP("OutputFormatDialog", "Usar &coma decimal"), 17, 33, 76, 10},
    {0, K::Label,
     QT_TRANSLATE_NOOP("OutputFormatDialog",
                       "Algunos programas utilizan la coma para designar los valores decimales"),
     11, 46, 114, 17},
    {0, K::Group, QT_TRANSLATE_NOOP("OutputFormatDialog", "Resolución"), 7, 71, 140, 40},
    {0, K::Label,
     QT_TRANSLATE_NOOP("OutputFormatDialog", "&Resolución: puntos entre los límites de x."), 11, 82,
     130, 8},
    {COutputFormatDlg::kResolutionId, K::Edit, "", 53, 92, 40, 14},
};

const DialogTemplate kTemplate{
    QT_TRANSLATE_NOOP("OutputFormatDialog", "Formato de salida de datos"),
    185,
    127,
    kControls,
    true,
    "OutputFormatDialog"};

constexpr char kResolutionBelowOneMessage[] =
    QT_TRANSLATE_NOOP("OutputFormatDialog",
                      "La resolución es el número de puntos entre los límites de x: "
                      "introduzca un número entero mayor que cero.");

}  // namespace

COutputFormatDlg::COutputFormatDlg(const Services& services, QWidget* owner)
    : TemplateDialog(kTemplate, services, owner) {
    exchange_.Radio({Radio(kDecimalPointId), Radio(kDecimalCommaId)}, decimalComma);
    exchange_.Text(Edit(kResolutionId), resolution);
}

bool COutputFormatDlg::ValidateFields() {
    if (resolution >= 1) {
        return true;
    }
    RefuseField(Edit(kResolutionId),
                QCoreApplication::translate("OutputFormatDialog", kResolutionBelowOneMessage));
    return false;
}

bool RunOutputFormat(bool& decimalComma, std::int32_t& resolution, QWidget* owner,
                     const Services& services) {
    COutputFormatDlg dialog(services, owner);
    dialog.decimalComma = decimalComma ? 1 : 0;
    dialog.resolution = resolution;
    if (RunModal(dialog) != IDOK) {
        return false;
    }
    // The point's button is the only other one, and one of the two is
    // always checked.
    decimalComma = dialog.decimalComma == 1;
    resolution = dialog.resolution;
    return true;
}

}  // namespace trazel::ui
