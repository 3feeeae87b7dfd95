#include "ui/dialogs/peak_edit_dlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

#include "document/trazel_doc.h"
#include "model/line_shapes.h"
#include "platform/qt/message_box.h"
#include "platform/qt/modal_dialogs.h"

using namespace trazel::platform;
using namespace trazel::model;

namespace trazel::ui {

namespace {

using K = ControlKind;

// Template 133.
const ControlTemplate kControls[] = {
    {0, K::Label, QT_TRANSLATE_NOOP("PeakEditDialog", "&Máximo"), 7, 7, 63, 9},
    {CPeakEditDlg::kPositionId, K::Edit, "", 7, 16, 63, 14},
    {0, K::Label, QT_TRANSLATE_NOOP("PeakEditDialog", "&Intensidad"), 75, 7, 63, 9},
    {CPeakEditDlg::kIntensityId, K::Edit, "", 75, 16, 63, 14},
    {0, K::Label, QT_TRANSLATE_NOOP("PeakEditDialog", "&Anchura"), 144, 7, 63, 9},
    {CPeakEditDlg::kWidthId, K::Edit, "", 144, 16, 63, 14},
    {IDC_EDIT_SCALE_LABEL, K::Label, QT_TRANSLATE_NOOP("PeakEditDialog", "&Escala"), 212, 7, 22, 8},
    {CPeakEditDlg::kScaleId, K::Edit, "", 212, 16, 63, 14},
    {CPeakEditDlg::kSeparateId, K::Check,
     QT_TRANSLATE_NOOP("PeakEditDialog", "&Representar la curva por separado"), 7, 34, 125, 10},
    {IDOK, K::DefaultButton, QT_TRANSLATE_NOOP("PeakEditDialog", "Aceptar"), 134, 153, 50, 14},
    {IDCANCEL, K::Button, QT_TRANSLATE_NOOP("PeakEditDialog", "Cancelar"), 196, 153, 50, 14},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "PeakEditDialog",
         "Introduzca los nuevos valores y pulse aceptar para que el cambio tenga efecto "),
     7, 47, 251, 8},
    {CPeakEditDlg::kManualId, K::Radio,
     QT_TRANSLATE_NOOP("PeakEditDialog", "Introducción manual de todos los datos"), 19, 69, 139,
     10},
    {CPeakEditDlg::kIntensityFromWidthId, K::Radio,
     QT_TRANSLATE_NOOP(
         "PeakEditDialog",
         "Obtención de la intensidad a partir de la anchura dada y manteniendo el área"),
     19, 79, 258, 10},
    {CPeakEditDlg::kWidthFromIntensityId, K::Radio,
     QT_TRANSLATE_NOOP(
         "PeakEditDialog",
         "Obtención de la anchura a partir de la intensidad dada y manteniendo el área"),
     19, 89, 258, 10},
    {0, K::Group, QT_TRANSLATE_NOOP("PeakEditDialog", "Cálculo de datos"), 7, 57, 351, 47},
    {CPeakEditDlg::kCalculateId, K::Button, QT_TRANSLATE_NOOP("PeakEditDialog", "Calcular"), 292,
     81, 50, 14},
    {CPeakEditDlg::kShapeDocumentId, K::Radio,
     QT_TRANSLATE_NOOP("PeakEditDialog", "Como el &documento"), 19, 118, 84, 10},
    {CPeakEditDlg::kShapeGaussianId, K::Radio, QT_TRANSLATE_NOOP("PeakEditDialog", "&Gaussiana"),
     106, 118, 54, 10},
    {CPeakEditDlg::kShapeLorentzianId, K::Radio,
     QT_TRANSLATE_NOOP("PeakEditDialog", "&Lorentziana"), 162, 118, 60, 10},
    {CPeakEditDlg::kShapePseudoVoigtId, K::Radio,
     QT_TRANSLATE_NOOP("PeakEditDialog", "&Pseudo-Voigt"), 224, 118, 66, 10},
    {CPeakEditDlg::kShapeVoigtId, K::Radio, QT_TRANSLATE_NOOP("PeakEditDialog", "&Voigt"), 292, 118,
     44, 10},
    {0, K::Label, QT_TRANSLATE_NOOP("PeakEditDialog", "&Fracción lorentziana (0 a 1)"), 19, 132,
     100, 9},
    {CPeakEditDlg::kShareId, K::Edit, "", 120, 130, 63, 14},
    {0, K::Group, QT_TRANSLATE_NOOP("PeakEditDialog", "Forma de la banda"), 7, 107, 351, 42},
};

const DialogTemplate kTemplate{QT_TRANSLATE_NOOP("PeakEditDialog", "Edición de datos"),
                               365,
                               174,
                               kControls,
                               true,
                               "PeakEditDialog"};

constexpr char kZeroWidthMessage[] =
    QT_TRANSLATE_NOOP("PeakEditDialog",
                      "Con anchura cero no se puede obtener la intensidad manteniendo el área. "
                      "La intensidad no ha cambiado.");
constexpr char kZeroIntensityMessage[] =
    QT_TRANSLATE_NOOP("PeakEditDialog",
                      "Con intensidad cero no se puede obtener la anchura manteniendo el área. "
                      "La anchura no ha cambiado.");
constexpr char kAreaNotFiniteMessage[] =
    QT_TRANSLATE_NOOP("PeakEditDialog",
                      "El área de este pico no es un número finito, así que no se puede mantener. "
                      "Ningún valor ha cambiado.");
constexpr char kIntensityTooLargeMessage[] = QT_TRANSLATE_NOOP(
    "PeakEditDialog",
    "La intensidad que mantendría el área es demasiado grande. La intensidad no ha cambiado.");
constexpr char kWidthTooLargeMessage[] = QT_TRANSLATE_NOOP(
    "PeakEditDialog",
    "La anchura que mantendría el área es demasiado grande. La anchura no ha cambiado.");
constexpr char kShareOutOfRangeMessage[] =
    QT_TRANSLATE_NOOP("PeakEditDialog", "La fracción lorentziana debe estar entre 0 y 1.");

QString Tr(const char* text) {
    return QCoreApplication::translate("PeakEditDialog", text);
}

// A read-only edit looks like one: grey as the dialog, not white.
void SetReadOnly(QLineEdit* edit, bool readOnly, const QColor& editableBase) {
    edit->setReadOnly(readOnly);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base,
                     readOnly ? edit->palette().color(QPalette::Window) : editableBase);
    edit->setPalette(palette);
}

}  // namespace

CPeakEditDlg::CPeakEditDlg(const Services& services, QWidget* owner)
    : TemplateDialog(kTemplate, services, owner) {
    exchange_.Control(widthEdit, Edit(kWidthId));
    exchange_.Control(intensityEdit, Edit(kIntensityId));
    exchange_.Text(Edit(kIntensityId), intensity);
    exchange_.Text(Edit(kWidthId), peakWidth);
    exchange_.Text(Edit(kPositionId), position);
    exchange_.Check(qobject_cast<QCheckBox*>(GetDlgItem(kSeparateId)), separate);
    exchange_.Radio({Radio(kManualId), Radio(kIntensityFromWidthId), Radio(kWidthFromIntensityId)},
                    mode);
    exchange_.Text(Edit(kScaleId), scale);
    exchange_.Radio({Radio(kShapeDocumentId), Radio(kShapeGaussianId), Radio(kShapeLorentzianId),
                     Radio(kShapePseudoVoigtId), Radio(kShapeVoigtId)},
                    shape);
    exchange_.Text(Edit(kShareId), share);

    // toggled rather than clicked, so that the edits follow the checked button
    // however it came to be checked, data exchange included.
    for (const int id : {kManualId, kIntensityFromWidthId, kWidthFromIntensityId}) {
        connect(Radio(id), &QRadioButton::toggled, this, &CPeakEditDlg::ApplyAreaMode);
    }
    connect(Button(kCalculateId), &QAbstractButton::clicked, this, &CPeakEditDlg::OnCalculate);
}

void CPeakEditDlg::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    // A band that follows the document keeps the area this dialog always
    // took, the Gaussian's; one of its own shape takes that shape's.
    area = BandArea(static_cast<BandShape>(shape), share, intensity, peakWidth);
}

bool CPeakEditDlg::ValidateFields() {
    if (!(share >= 0.0 && share <= 1.0)) {
        RefuseField(Edit(kShareId), Tr(kShareOutOfRangeMessage));
        return false;
    }
    return true;
}

void CPeakEditDlg::ApplyAreaMode() {
    const QColor editableBase = palette().color(QPalette::Base);
    SetReadOnly(intensityEdit, Radio(kIntensityFromWidthId)->isChecked(), editableBase);
    SetReadOnly(widthEdit, Radio(kWidthFromIntensityId)->isChecked(), editableBase);
}

void CPeakEditDlg::OnCalculate() {
    // A text that is not a number has been reported and holds the focus. The
    // fields after it were not read, so going on would write their old values
    // over what the user typed.
    if (!UpdateData(true)) {
        return;
    }
    // A zero divisor would put "inf" or "nan" in a field, which the field
    // could not read back; the field keeps its value and the user is told why.
    const auto recompute = [this](double& field, double result, double divisor,
                                  QLineEdit* divisorEdit, const char* zeroMessage,
                                  const char* tooLargeMessage) {
        if (!std::isfinite(area)) {
            services_.AfxMessageBox(Tr(kAreaNotFiniteMessage));
            return false;
        }
        if (divisor == 0.0) {
            RefuseField(divisorEdit, Tr(zeroMessage));
            return false;
        }
        if (!std::isfinite(result)) {
            services_.AfxMessageBox(Tr(tooLargeMessage));
            return false;
        }
        field = result;
        return true;
    };
    bool computed = true;
    if (mode == IntensityFromWidth) {
        computed = recompute(
            intensity, IntensityForBandArea(static_cast<BandShape>(shape), share, area, peakWidth),
            peakWidth, widthEdit, kZeroWidthMessage, kIntensityTooLargeMessage);
    } else if (mode == WidthFromIntensity) {
        computed = recompute(
            peakWidth, WidthForBandArea(static_cast<BandShape>(shape), share, area, intensity),
            intensity, intensityEdit, kZeroIntensityMessage, kWidthTooLargeMessage);
    }
    if (computed) {
        UpdateData(false);
    }
}

bool EditPeak(document::CTrazelDoc& document, int row, QWidget* owner, const Services& services) {
    const PeakTable& table = document.Table();
    const int index = document.IndexFromRow(row);
    if (index < 1 || index > table.PeakCount()) {
        return false;
    }
    CPeakEditDlg dialog(services, owner);
    dialog.position = table.Band(index).position;
    dialog.intensity = table.Band(index).intensity;
    dialog.peakWidth = table.Band(index).width;
    dialog.separate = table.Band(index).separate;
    dialog.scale = table.Band(index).scale;
    dialog.shape = static_cast<std::int32_t>(table.Band(index).shape);
    dialog.share = table.Band(index).share;
    dialog.mode = CPeakEditDlg::Manual;
    if (RunModal(dialog) != IDOK) {
        return false;
    }
    document.ReplacePeak(index, dialog.position, dialog.intensity, dialog.peakWidth,
                         dialog.separate, dialog.scale);
    document.SetBandShape(index, static_cast<BandShape>(std::max(0, dialog.shape)), dialog.share);
    return true;
}

bool EditSelection(document::CTrazelDoc& document, const std::vector<int>& selectedRows,
                   QWidget* owner, const Services& services) {
    // Replacing a peak leaves the count alone, so every row still names the
    // peak it named when the command began.
    for (const int row : selectedRows) {
        EditPeak(document, row, owner, services);
    }
    return !selectedRows.empty();
}

}  // namespace trazel::ui
