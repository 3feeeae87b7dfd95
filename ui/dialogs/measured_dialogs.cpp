#include "ui/dialogs/measured_dialogs.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "platform/qt/modal_dialogs.h"

using namespace trazel::platform;

namespace trazel::ui {

namespace {

using K = ControlKind;
using C = CMeasuredColumnsDlg;
using O = CMeasuredOptionsDlg;

const ControlTemplate kColumnControls[] = {
    {IDC_MEASURED_FILE, K::Label, "", 7, 7, 266, 9},
    {IDC_MEASURED_LINES, K::Label, "", 9, 19, 262, 74},
    {0, K::Frame, "", 7, 18, 266, 77},
    {IDC_MEASURED_COLUMN_COUNT, K::Label, "", 7, 100, 266, 9},
    {0, K::Label, "Columna de &x:", 7, 117, 55, 9},
    {C::kXColumnId, K::Edit, "", 64, 115, 30, 14},
    {0, K::Label, "Columna de &y:", 110, 117, 55, 9},
    {C::kYColumnId, K::Edit, "", 167, 115, 30, 14},
    {IDOK, K::DefaultButton, "Aceptar", 167, 137, 50, 14},
    {IDCANCEL, K::Button, "Cancelar", 223, 137, 50, 14},
};

const DialogTemplate kColumnTemplate{"Columnas del espectro medido", 280, 158, kColumnControls};

const ControlTemplate kOptionControls[] = {
    {IDC_MEASURED_FILE, K::Label, "", 7, 7, 186, 9},
    {0, K::Label, "&Factor de y:", 7, 24, 50, 9},
    {O::kYFactorId, K::Edit, "", 60, 22, 60, 14},
    {O::kScaleToModelId, K::Button, "&Escalar al máximo del modelo en la vista", 7, 40, 186, 14},
    {0, K::Label,
     "El ajuste y el gráfico usan las ordenadas leídas multiplicadas por este factor; "
     "el archivo no cambia.",
     7, 57, 186, 17},
    {O::kRemoveId, K::Button, "&Quitar el espectro", 7, 82, 70, 14},
    {IDOK, K::DefaultButton, "Aceptar", 87, 82, 50, 14},
    {IDCANCEL, K::Button, "Cancelar", 143, 82, 50, 14},
};

const DialogTemplate kOptionTemplate{"Espectro medido", 200, 103, kOptionControls};

const QString kYFactorMessage = QStringLiteral(
    "El factor de y multiplica las ordenadas del espectro medido para el ajuste y el "
    "gráfico: introduzca un número distinto de cero.");

void SetFileLabel(TemplateDialog& dialog, const QString& fileName) {
    auto* label = qobject_cast<QLabel*>(dialog.GetDlgItem(IDC_MEASURED_FILE));
    label->setTextFormat(Qt::PlainText);
    label->setText(QStringLiteral("Archivo: %1").arg(fileName));
}

}  // namespace

CMeasuredColumnsDlg::CMeasuredColumnsDlg(const QString& fileName, const QStringList& firstLines,
                                         int columns, const Services& services, QWidget* owner)
    : TemplateDialog(kColumnTemplate, services, owner), columns_(columns) {
    SetFileLabel(*this, fileName);
    // The lines as the file has them, in a fixed font so that columns line
    // up; what does not fit is cut off rather than wrapped.
    auto* lines = qobject_cast<QLabel*>(GetDlgItem(IDC_MEASURED_LINES));
    lines->setWordWrap(false);
    lines->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QString shown = firstLines.join(QLatin1Char('\n'));
    shown.replace(QLatin1Char('\t'), QStringLiteral("    "));
    lines->setText(shown);
    qobject_cast<QLabel*>(GetDlgItem(IDC_MEASURED_COLUMN_COUNT))
        ->setText(QStringLiteral("La primera línea de números tiene %1 columnas.").arg(columns));
    exchange_.Text(Edit(kXColumnId), xColumn);
    exchange_.Text(Edit(kYColumnId), yColumn);
}

bool CMeasuredColumnsDlg::ValidateFields() {
    for (const auto& [field, id] :
         {std::pair{xColumn, kXColumnId}, std::pair{yColumn, kYColumnId}}) {
        if (field < 1 || field > columns_) {
            RefuseField(
                Edit(id),
                QStringLiteral("Introduzca un número de columna entre 1 y %1.").arg(columns_));
            return false;
        }
    }
    if (xColumn == yColumn) {
        RefuseField(Edit(kYColumnId), QStringLiteral("x e y han de leerse de columnas distintas."));
        return false;
    }
    return true;
}

CMeasuredOptionsDlg::CMeasuredOptionsDlg(const QString& fileName, const Services& services,
                                         QWidget* owner)
    : TemplateDialog(kOptionTemplate, services, owner) {
    SetFileLabel(*this, fileName);
    exchange_.Text(Edit(kYFactorId), yFactor);
    // The factor that brings the spectrum's maximum in view to the model's,
    // written into the field, where the user sees it before accepting it.
    connect(Button(kScaleToModelId), &QAbstractButton::clicked, this, [this] {
        if (modelMaximumFactor) {
            yFactor = *modelMaximumFactor;
            UpdateData(false);
        }
    });
    // Removing needs no valid factor: what is typed there no longer matters.
    connect(Button(kRemoveId), &QAbstractButton::clicked, this, [this] {
        removeRequested = true;
        QDialog::accept();
    });
}

void CMeasuredOptionsDlg::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    Button(kScaleToModelId)->setEnabled(modelMaximumFactor.has_value());
}

bool CMeasuredOptionsDlg::ValidateFields() {
    if (std::isfinite(yFactor) && yFactor != 0.0) {
        return true;
    }
    RefuseField(Edit(kYFactorId), kYFactorMessage);
    return false;
}

}  // namespace trazel::ui
