#include "ui/dialogs/measured_dialogs.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>

#include "platform/number_format.h"
#include "platform/qt/modal_dialogs.h"
#include "ui/dialogs/read_only_list.h"

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
    {0, K::Label, QT_TRANSLATE_NOOP("MeasuredColumnsDialog", "Columna de &x:"), 7, 117, 55, 9},
    {C::kXColumnId, K::Edit, "", 64, 115, 30, 14},
    {0, K::Label, QT_TRANSLATE_NOOP("MeasuredColumnsDialog", "Columna de &y:"), 110, 117, 55, 9},
    {C::kYColumnId, K::Edit, "", 167, 115, 30, 14},
    {IDOK, K::DefaultButton, QT_TRANSLATE_NOOP("MeasuredColumnsDialog", "Aceptar"), 167, 137, 50,
     14},
    {IDCANCEL, K::Button, QT_TRANSLATE_NOOP("MeasuredColumnsDialog", "Cancelar"), 223, 137, 50, 14},
};

const DialogTemplate kColumnTemplate{
    QT_TRANSLATE_NOOP("MeasuredColumnsDialog", "Columnas del espectro medido"),
    280,
    158,
    kColumnControls,
    true,
    "MeasuredColumnsDialog"};

const ControlTemplate kOptionControls[] = {
    {IDC_MEASURED_FILE, K::Label, "", 7, 7, 296, 9},
    {0, K::Group, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Cambio de &x"), 7, 20, 145, 92},
    {O::kXNoneId + 0, K::Radio, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Ninguno"), 13, 31, 135,
     10},
    {O::kXNoneId + 1, K::Radio, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Nanómetros a cm⁻¹"), 13,
     42, 135, 10},
    {O::kXNoneId + 2, K::Radio, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "cm⁻¹ a nanómetros"), 13,
     53, 135, 10},
    {O::kXNoneId + 3, K::Radio, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Micrómetros a cm⁻¹"),
     13, 64, 135, 10},
    {O::kXNoneId + 4, K::Radio,
     QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Nanómetros a desplazamiento Raman"), 13, 75, 135,
     10},
    {0, K::Label, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "&Láser (nm):"), 23, 93, 45, 9},
    {O::kLaserId, K::Edit, "", 70, 91, 50, 14},
    {0, K::Group, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Cambio de &y"), 158, 20, 145, 92},
    {O::kYNoneId + 0, K::Radio, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Ninguno"), 164, 31, 135,
     10},
    {O::kYNoneId + 1, K::Radio,
     QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Transmitancia (0 a 1) a absorbancia"), 164, 42,
     135, 10},
    {O::kYNoneId + 2, K::Radio,
     QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Transmitancia (%) a absorbancia"), 164, 53, 135,
     10},
    {O::kYNoneId + 3, K::Radio,
     QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Absorbancia a transmitancia (0 a 1)"), 164, 64,
     135, 10},
    {O::kYNoneId + 4, K::Radio,
     QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Absorbancia a transmitancia (%)"), 164, 75, 135,
     10},
    {O::kNegateId, K::Check, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Cambiar el &signo de y"),
     164, 93, 135, 10},
    {0, K::Label, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "&Factor de y:"), 7, 120, 50, 9},
    {O::kYFactorId, K::Edit, "", 60, 118, 60, 14},
    {O::kScaleToModelId, K::Button,
     QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "&Escalar al máximo del modelo en la vista"), 127,
     118, 176, 14},
    {O::kAlsId, K::Check,
     QT_TRANSLATE_NOOP("MeasuredOptionsDialog",
                       "Restar la línea &base por mínimos cuadrados asimétricos"),
     7, 138, 296, 10},
    {0, K::Label, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "&λ:"), 17, 153, 10, 9},
    {O::kAlsLambdaId, K::Edit, "", 30, 151, 60, 14},
    {0, K::Label, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "&p:"), 100, 153, 10, 9},
    {O::kAlsPId, K::Edit, "", 113, 151, 50, 14},
    {O::kNoteId, K::Label, "", 7, 170, 296, 36},
    {O::kRemoveId, K::Button, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "&Quitar el espectro"), 7,
     211, 70, 14},
    {IDOK, K::DefaultButton, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Aceptar"), 197, 211, 50,
     14},
    {IDCANCEL, K::Button, QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Cancelar"), 253, 211, 50, 14},
};

const DialogTemplate kOptionTemplate{QT_TRANSLATE_NOOP("MeasuredOptionsDialog", "Espectro medido"),
                                     310,
                                     232,
                                     kOptionControls,
                                     true,
                                     "MeasuredOptionsDialog"};

const ControlTemplate kChoiceControls[] = {
    {IDC_MEASURED_FILE, K::Label, "", 7, 7, 346, 9},
    {IDC_MEASURED_SPECTRA_SUMMARY, K::Label, "", 7, 18, 346, 9},
    {CMeasuredSpectrumChoiceDlg::kListId, K::List, "", 7, 30, 346, 110},
    {IDOK, K::DefaultButton, QT_TRANSLATE_NOOP("MeasuredSpectrumChoiceDialog", "Aceptar"), 247, 147,
     50, 14},
    {IDCANCEL, K::Button, QT_TRANSLATE_NOOP("MeasuredSpectrumChoiceDialog", "Cancelar"), 303, 147,
     50, 14},
};

const DialogTemplate kChoiceTemplate{
    QT_TRANSLATE_NOOP("MeasuredSpectrumChoiceDialog", "Espectros del archivo"),
    360,
    168,
    kChoiceControls,
    true,
    "MeasuredSpectrumChoiceDialog"};

QWidget* CreateSpectrumList(const ControlTemplate&, QWidget* parent) {
    return NewReadOnlyList(parent, QAbstractItemView::SingleSelection);
}

// A number of the list: enough digits to tell neighbouring spectra apart, no
// more.
QString ListNumber(double value) {
    return QString::fromStdString(FormatG(value, 7));
}

constexpr char kYFactorMessage[] = QT_TRANSLATE_NOOP(
    "MeasuredOptionsDialog",
    "El factor de y multiplica las ordenadas del espectro medido para el ajuste y el "
    "gráfico: introduzca un número distinto de cero.");

void SetFileLabel(TemplateDialog& dialog, const QString& fileName) {
    auto* label = qobject_cast<QLabel*>(dialog.GetDlgItem(IDC_MEASURED_FILE));
    label->setTextFormat(Qt::PlainText);
    // Both dialogs name the file alike.
    label->setText(QCoreApplication::translate("MeasuredSpectrum", "Archivo: %1").arg(fileName));
}

}  // namespace

CMeasuredSpectrumChoiceDlg::CMeasuredSpectrumChoiceDlg(
    const QString& fileName, const std::vector<input::SpectrumSummary>& spectra,
    const Services& services, QWidget* owner)
    : TemplateDialog(kChoiceTemplate, services, owner, {{ControlKind::List, CreateSpectrumList}}) {
    SetFileLabel(*this, fileName);
    const auto translated = [](const char* text) {
        return QCoreApplication::translate("MeasuredSpectrumChoiceDialog", text);
    };
    qobject_cast<QLabel*>(GetDlgItem(IDC_MEASURED_SPECTRA_SUMMARY))
        ->setText(
            translated(QT_TRANSLATE_NOOP("MeasuredSpectrumChoiceDialog",
                                         "El archivo guarda %1 espectros: elija cuál superponer."))
                .arg(spectra.size()));
    QTreeWidget* list = List();
    list->setHeaderLabels(
        {translated(QT_TRANSLATE_NOOP("MeasuredSpectrumChoiceDialog", "Nº")),
         translated(QT_TRANSLATE_NOOP("MeasuredSpectrumChoiceDialog", "Nombre")),
         translated(QT_TRANSLATE_NOOP("MeasuredSpectrumChoiceDialog", "Clase")),
         translated(QT_TRANSLATE_NOOP("MeasuredSpectrumChoiceDialog", "Puntos")),
         translated(QT_TRANSLATE_NOOP("MeasuredSpectrumChoiceDialog", "x desde")),
         translated(QT_TRANSLATE_NOOP("MeasuredSpectrumChoiceDialog", "x hasta")),
         translated(QT_TRANSLATE_NOOP("MeasuredSpectrumChoiceDialog", "Unidades de x")),
         translated(QT_TRANSLATE_NOOP("MeasuredSpectrumChoiceDialog", "Unidades de y"))});
    int n = 0;
    for (const input::SpectrumSummary& s : spectra) {
        list->addTopLevelItem(new QTreeWidgetItem(QStringList{
            QString::number(++n), QString::fromStdString(s.name), QString::fromStdString(s.kind),
            QString::number(s.points), ListNumber(s.xFirst), ListNumber(s.xLast),
            QString::fromStdString(s.xUnits), QString::fromStdString(s.yUnits)}));
    }
    for (int c = 0; c < list->columnCount(); ++c) {
        list->resizeColumnToContents(c);
    }
    connect(list, &QTreeWidget::itemDoubleClicked, this, &CMeasuredSpectrumChoiceDlg::accept);
}

QTreeWidget* CMeasuredSpectrumChoiceDlg::List() const {
    return qobject_cast<QTreeWidget*>(GetDlgItem(kListId));
}

void CMeasuredSpectrumChoiceDlg::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    QTreeWidget* list = List();
    if (QTreeWidgetItem* item = list->topLevelItem(chosen)) {
        list->setCurrentItem(item);
    }
    list->setFocus();
}

bool CMeasuredSpectrumChoiceDlg::ValidateFields() {
    QTreeWidget* list = List();
    const int row = list->currentItem() ? list->indexOfTopLevelItem(list->currentItem()) : -1;
    if (row < 0) {
        services_.AfxMessageBox(QCoreApplication::translate("MeasuredSpectrumChoiceDialog",
                                                            "Elija uno de los espectros."),
                                MessageKind::Information);
        return false;
    }
    chosen = row;
    return true;
}

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
        ->setText(QCoreApplication::translate("MeasuredColumnsDialog",
                                              "La primera línea de números tiene %1 columnas.")
                      .arg(columns));
    exchange_.Text(Edit(kXColumnId), xColumn);
    exchange_.Text(Edit(kYColumnId), yColumn);
}

bool CMeasuredColumnsDlg::ValidateFields() {
    for (const auto& [field, id] :
         {std::pair{xColumn, kXColumnId}, std::pair{yColumn, kYColumnId}}) {
        if (field < 1 || field > columns_) {
            RefuseField(Edit(id),
                        QCoreApplication::translate("MeasuredColumnsDialog",
                                                    "Introduzca un número de columna entre 1 y %1.")
                            .arg(columns_));
            return false;
        }
    }
    if (xColumn == yColumn) {
        RefuseField(Edit(kYColumnId),
                    QCoreApplication::translate("MeasuredColumnsDialog",
                                                "x e y han de leerse de columnas distintas."));
        return false;
    }
    return true;
}

CMeasuredOptionsDlg::CMeasuredOptionsDlg(const QString& fileName,
                                         const input::MeasuredSpectrum& points,
                                         const Services& services, QWidget* owner)
    : TemplateDialog(kOptionTemplate, services, owner), points_(points) {
    SetFileLabel(*this, fileName);
    std::vector<QRadioButton*> xs;
    std::vector<QRadioButton*> ys;
    for (int i = 0; i < 5; ++i) {
        xs.push_back(Radio(kXNoneId + i));
        ys.push_back(Radio(kYNoneId + i));
    }
    exchange_.Radio(xs, xChange);
    exchange_.Text(Edit(kLaserId), laser);
    exchange_.Radio(ys, yChange);
    exchange_.Check(qobject_cast<QCheckBox*>(GetDlgItem(kNegateId)), negate);
    exchange_.Text(Edit(kYFactorId), yFactor);
    exchange_.Check(qobject_cast<QCheckBox*>(GetDlgItem(kAlsId)), als);
    exchange_.Text(Edit(kAlsLambdaId), alsLambda);
    exchange_.Text(Edit(kAlsPId), alsP);
    // The baseline is drawn over the spectrum while it is being chosen.
    connect(qobject_cast<QCheckBox*>(GetDlgItem(kAlsId)), &QAbstractButton::toggled, this,
            &CMeasuredOptionsDlg::ShowNote);
    for (const int id : {kAlsLambdaId, kAlsPId, kYFactorId}) {
        connect(Edit(id), &QLineEdit::textChanged, this, &CMeasuredOptionsDlg::ShowNote);
    }
    // What a change leaves out is seen before it is accepted.
    for (QRadioButton* button : xs) {
        connect(button, &QAbstractButton::toggled, this, &CMeasuredOptionsDlg::ShowNote);
    }
    for (QRadioButton* button : ys) {
        connect(button, &QAbstractButton::toggled, this, &CMeasuredOptionsDlg::ShowNote);
    }
    connect(Edit(kLaserId), &QLineEdit::textChanged, this, &CMeasuredOptionsDlg::ShowNote);
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
    ShowNote();
}

input::SpectrumTransform CMeasuredOptionsDlg::Transform() const {
    input::SpectrumTransform transform;
    transform.x = static_cast<input::XChange>(std::clamp(xChange, 0, 4));
    transform.y = static_cast<input::YChange>(std::clamp(yChange, 0, 4));
    if (transform.x == input::XChange::RamanShift) {
        transform.laserNm = ParseDouble(laser.toStdString()).value_or(0.0);
    }
    transform.negate = negate;
    transform.factor = yFactor;
    if (als) {
        transform.als = input::AlsOptions{ParseDouble(alsLambda.toStdString()).value_or(0.0),
                                          ParseDouble(alsP.toStdString()).value_or(0.0)};
    }
    return transform;
}

input::SpectrumTransform CMeasuredOptionsDlg::Shown() const {
    input::SpectrumTransform shown;
    for (int i = 0; i < 5; ++i) {
        if (Radio(kXNoneId + i)->isChecked()) {
            shown.x = static_cast<input::XChange>(i);
        }
        if (Radio(kYNoneId + i)->isChecked()) {
            shown.y = static_cast<input::YChange>(i);
        }
    }
    if (shown.x == input::XChange::RamanShift) {
        shown.laserNm = ParseDouble(Edit(kLaserId)->text().toStdString()).value_or(0.0);
    }
    shown.negate = qobject_cast<QCheckBox*>(GetDlgItem(kNegateId))->isChecked();
    shown.factor = ParseDouble(Edit(kYFactorId)->text().toStdString()).value_or(0.0);
    if (qobject_cast<QCheckBox*>(GetDlgItem(kAlsId))->isChecked()) {
        shown.als =
            input::AlsOptions{ParseDouble(Edit(kAlsLambdaId)->text().toStdString()).value_or(0.0),
                              ParseDouble(Edit(kAlsPId)->text().toStdString()).value_or(0.0)};
    }
    return shown;
}

void CMeasuredOptionsDlg::SetTransform(const input::SpectrumTransform& transform) {
    xChange = static_cast<std::int32_t>(transform.x);
    yChange = static_cast<std::int32_t>(transform.y);
    laser = transform.laserNm > 0.0 ? QString::fromStdString(FormatG(transform.laserNm, 10))
                                    : QString();
    negate = transform.negate;
    yFactor = transform.factor;
    als = transform.als.has_value();
    if (transform.als) {
        alsLambda = QString::fromStdString(FormatG(transform.als->lambda, 10));
        alsP = QString::fromStdString(FormatG(transform.als->p, 10));
    }
}

void CMeasuredOptionsDlg::ShowNote() {
    input::SpectrumTransform shown = Shown();
    Edit(kLaserId)->setEnabled(shown.x == input::XChange::RamanShift);
    Edit(kAlsLambdaId)->setEnabled(shown.als.has_value());
    Edit(kAlsPId)->setEnabled(shown.als.has_value());
    QString note = QCoreApplication::translate(
        "MeasuredOptionsDialog",
        "Se aplican en este orden: el cambio de x, el de y, el cambio de signo, el factor y "
        "la línea base restada. El archivo no cambia.");
    // What is left out does not depend on the factor or the baseline.
    input::SpectrumTransform change = shown;
    change.factor = 1.0;
    change.als.reset();
    if (const auto problem = input::TransformProblem(change)) {
        note += QLatin1Char(' ') + QString::fromStdString(*problem);
    } else {
        const input::TransformedSpectrum changed =
            input::ApplyTransform(points_.x, points_.y, points_.header, change);
        if (changed.LeftOut() > 0) {
            note += QCoreApplication::translate(
                        "MeasuredOptionsDialog",
                        " Quedan fuera %1 de los %2 puntos, donde el cambio no está "
                        "definido (%3 por x, %4 por y).")
                        .arg(changed.LeftOut())
                        .arg(points_.x.size())
                        .arg(changed.xUndefined)
                        .arg(changed.yUndefined);
        }
    }
    if (shown.als) {
        if (const auto problem = input::AlsProblem(*shown.als)) {
            note += QLatin1Char(' ') + QString::fromStdString(*problem) + QLatin1Char('.');
        }
    }
    qobject_cast<QLabel*>(GetDlgItem(kNoteId))->setText(note);
    const bool drawable = shown.als && !input::TransformProblem(shown);
    emit alsPreview(drawable ? std::optional(shown) : std::nullopt);
}

bool CMeasuredOptionsDlg::ValidateFields() {
    if (!std::isfinite(yFactor) || yFactor == 0.0) {
        RefuseField(Edit(kYFactorId),
                    QCoreApplication::translate("MeasuredOptionsDialog", kYFactorMessage));
        return false;
    }
    const input::SpectrumTransform transform = Transform();
    if (transform.x == input::XChange::RamanShift &&
        !(std::isfinite(transform.laserNm) && transform.laserNm > 0.0)) {
        RefuseField(Edit(kLaserId),
                    QCoreApplication::translate(
                        "MeasuredOptionsDialog",
                        "El desplazamiento Raman se mide desde la línea del láser: "
                        "introduzca su longitud de onda en nm, un número positivo."));
        return false;
    }
    if (transform.als) {
        if (const auto problem = input::AlsProblem(*transform.als)) {
            RefuseField(
                Edit(std::isfinite(transform.als->lambda) && transform.als->lambda > 0.0
                         ? kAlsPId
                         : kAlsLambdaId),
                QCoreApplication::translate("MeasuredOptionsDialog",
                                            "La línea base por mínimos cuadrados asimétricos no se "
                                            "puede calcular: %1.")
                    .arg(QString::fromStdString(*problem)));
            return false;
        }
    }
    input::SpectrumTransform change = transform;
    change.als.reset();
    const input::TransformedSpectrum changed =
        input::ApplyTransform(points_.x, points_.y, points_.header, change);
    if (changed.x.size() < 2) {
        RefuseField(Edit(kYFactorId),
                    QCoreApplication::translate(
                        "MeasuredOptionsDialog",
                        "Con estos cambios quedan %1 de los %2 puntos, y hacen falta "
                        "al menos dos: el cambio no está definido en los demás.")
                        .arg(changed.x.size())
                        .arg(points_.x.size()));
        return false;
    }
    if (transform.als) {
        if (const auto problem = input::AlsRangeProblem(*transform.als, changed.x.size())) {
            RefuseField(Edit(kAlsLambdaId),
                        QCoreApplication::translate("MeasuredOptionsDialog",
                                                    "La línea base por mínimos cuadrados "
                                                    "asimétricos no se puede calcular: %1.")
                            .arg(QString::fromStdString(*problem)));
            return false;
        }
    }
    return true;
}

}  // namespace trazel::ui
