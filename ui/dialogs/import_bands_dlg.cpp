#include "ui/dialogs/import_bands_dlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>
#include <tuple>

#include "platform/number_format.h"
#include "platform/qt/modal_dialogs.h"
#include "ui/dialogs/read_only_list.h"

using namespace trazel::platform;

namespace trazel::ui {

namespace {

using K = ControlKind;

using D = CImportBandsDlg;

const ControlTemplate kControls[] = {
    {IDC_IMPORT_FILE, K::Label, "", 7, 7, 306, 9},
    {D::kSummaryId, K::Label, "", 7, 18, 306, 34},
    {D::kPreviewId, K::List, "", 7, 54, 306, 80},
    {0, K::Group, QT_TRANSLATE_NOOP("ImportBandsDialog", "Salida de química cuántica"), 7, 138, 306,
     62},
    {D::kInfraredId, K::Radio, QT_TRANSLATE_NOOP("ImportBandsDialog", "&Infrarrojo (km/mol)"), 14,
     150, 92, 10},
    {D::kInfraredId + 1, K::Radio, QT_TRANSLATE_NOOP("ImportBandsDialog", "Actividad &Raman"), 110,
     150, 92, 10},
    {D::kInfraredId + 2, K::Radio, QT_TRANSLATE_NOOP("ImportBandsDialog", "Intensi&dad Raman"), 206,
     150, 100, 10},
    {0, K::Label, QT_TRANSLATE_NOOP("ImportBandsDialog", "&Láser (nm):"), 14, 166, 56, 9},
    {D::kLaserId, K::Edit, "", 72, 164, 50, 14},
    {0, K::Label, QT_TRANSLATE_NOOP("ImportBandsDialog", "&Temperatura (K):"), 134, 166, 66, 9},
    {D::kTemperatureId, K::Edit, "", 206, 164, 50, 14},
    {D::kRangeId, K::Check, QT_TRANSLATE_NOOP("ImportBandsDialog", "S&olo los modos de"), 14, 184,
     80, 10},
    {D::kRangeFromId, K::Edit, "", 96, 182, 50, 14},
    {0, K::Label, QT_TRANSLATE_NOOP("ImportBandsDialog", "a"), 150, 184, 10, 9},
    {D::kRangeToId, K::Edit, "", 162, 182, 50, 14},
    {0, K::Label, QT_TRANSLATE_NOOP("ImportBandsDialog", "cm⁻¹"), 216, 184, 30, 9},
    {0, K::Label, QT_TRANSLATE_NOOP("ImportBandsDialog", "&Anchura"), 7, 206, 50, 9},
    {D::kWidthId, K::Edit, "", 7, 215, 50, 14},
    {0, K::Label, QT_TRANSLATE_NOOP("ImportBandsDialog", "&Escala"), 64, 206, 50, 9},
    {D::kScaleId, K::Edit, "", 64, 215, 50, 14},
    {D::kAreasId, K::Check,
     QT_TRANSLATE_NOOP("ImportBandsDialog", "La &columna de intensidad contiene áreas"), 124, 217,
     189, 10},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "ImportBandsDialog",
         "La anchura y la escala son las de las bandas para las que el archivo no da ninguna."),
     7, 234, 306, 9},
    {IDOK, K::DefaultButton, QT_TRANSLATE_NOOP("ImportBandsDialog", "Aceptar"), 204, 250, 50, 14},
    {IDCANCEL, K::Button, QT_TRANSLATE_NOOP("ImportBandsDialog", "Cancelar"), 263, 250, 50, 14},
};

const DialogTemplate kTemplate{QT_TRANSLATE_NOOP("ImportBandsDialog", "Importar bandas"),
                               320,
                               271,
                               kControls,
                               true,
                               "ImportBandsDialog"};

constexpr char kNotANumber[] = QT_TRANSLATE_NOOP("ImportBandsDialog", "Introduzca un número.");
constexpr char kLaserAndTemperature[] = QT_TRANSLATE_NOOP(
    "ImportBandsDialog", "La línea del láser y la temperatura deben ser mayores que 0.");
constexpr char kRangeBackwards[] = QT_TRANSLATE_NOOP(
    "ImportBandsDialog", "El intervalo debe ir de un número de onda a otro mayor.");

QString Tr(const char* text) {
    return QCoreApplication::translate("ImportBandsDialog", text);
}

QWidget* CreatePreview(const ControlTemplate&, QWidget* parent) {
    QTreeWidget* list = NewReadOnlyList(parent);
    list->setFocusPolicy(Qt::NoFocus);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->header()->setStretchLastSection(false);
    return list;
}

}  // namespace

CImportBandsDlg::CImportBandsDlg(const QString& fileName, BandPreviewSource source,
                                 const Services& services, QWidget* owner)
    : TemplateDialog(kTemplate, services, owner, {{ControlKind::List, CreatePreview}}),
      source_(std::move(source)) {
    static_cast<QLabel*>(GetDlgItem(IDC_IMPORT_FILE))
        ->setText(Tr(QT_TRANSLATE_NOOP("ImportBandsDialog", "Archivo: %1")).arg(fileName));
    exchange_.Text(Edit(kWidthId), bandWidth);
    exchange_.Text(Edit(kScaleId), scale);
    exchange_.Check(qobject_cast<QCheckBox*>(GetDlgItem(kAreasId)), areas);
    exchange_.Radio({Radio(kInfraredId), Radio(kInfraredId + 1), Radio(kInfraredId + 2)}, kind);
    exchange_.Text(Edit(kLaserId), laserNm);
    exchange_.Text(Edit(kTemperatureId), temperature);
    exchange_.Check(qobject_cast<QCheckBox*>(GetDlgItem(kRangeId)), inRange);
    exchange_.Text(Edit(kRangeFromId), rangeFrom);
    exchange_.Text(Edit(kRangeToId), rangeTo);
    for (const int id : {kWidthId, kScaleId, kLaserId, kTemperatureId, kRangeFromId, kRangeToId}) {
        connect(Edit(id), &QLineEdit::textEdited, this, &CImportBandsDlg::ShowPreview);
    }
    connect(Button(kAreasId), &QAbstractButton::toggled, this, &CImportBandsDlg::ShowPreview);
    connect(Button(kRangeId), &QAbstractButton::toggled, this, [this] {
        EnableComputed();
        ShowPreview();
    });
    for (int k = 0; k < 3; ++k) {
        connect(Button(kInfraredId + k), &QAbstractButton::toggled, this, [this, k](bool on) {
            if (!on || !computed_) {
                return;
            }
            // Infrared intensities in km/mol are areas; Raman ones are not.
            const QSignalBlocker quiet(Button(kAreasId));
            Button(kAreasId)->setChecked(k == 0);
            EnableComputed();
            ShowPreview();
        });
    }
}

BandImportChoice CImportBandsDlg::Choice() const {
    BandImportChoice choice{bandWidth, scale, areas != 0};
    if (computed_) {
        choice.kind = static_cast<BandImportChoice::Kind>(std::clamp(kind, 0, 2));
        choice.laserNm = laserNm;
        choice.temperature = temperature;
        if (inRange != 0) {
            choice.range = std::pair(rangeFrom, rangeTo);
        }
    }
    return choice;
}

std::pair<int, QString> CImportBandsDlg::Fault(const BandImportChoice& choice) const {
    if (choice.kind == BandImportChoice::Kind::RamanIntensity &&
        !(choice.laserNm > 0.0 && choice.temperature > 0.0)) {
        return {choice.laserNm > 0.0 ? kTemperatureId : kLaserId, Tr(kLaserAndTemperature)};
    }
    if (choice.range && !(choice.range->first < choice.range->second)) {
        return {kRangeToId, Tr(kRangeBackwards)};
    }
    return {0, QString()};
}

void CImportBandsDlg::EnableComputed() {
    const bool intensity = computed_ && Button(kInfraredId + 2)->isChecked();
    for (int k = 0; k < 3; ++k) {
        Button(kInfraredId + k)->setEnabled(computed_);
    }
    Edit(kLaserId)->setEnabled(intensity);
    Edit(kTemperatureId)->setEnabled(intensity);
    Button(kRangeId)->setEnabled(computed_);
    const bool range = computed_ && Button(kRangeId)->isChecked();
    Edit(kRangeFromId)->setEnabled(range);
    Edit(kRangeToId)->setEnabled(range);
    // The km/mol of an output's infrared intensities are always areas.
    Button(kAreasId)->setEnabled(!(computed_ && Button(kInfraredId)->isChecked()));
}

QLabel* CImportBandsDlg::Summary() const {
    return qobject_cast<QLabel*>(GetDlgItem(kSummaryId));
}

QTreeWidget* CImportBandsDlg::Preview() const {
    return qobject_cast<QTreeWidget*>(GetDlgItem(kPreviewId));
}

void CImportBandsDlg::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    // Whether the file is a quantum-chemistry output decides what can be
    // chosen; a width still to be given must not hide it.
    BandImportChoice probe = Choice();
    probe.width = probe.width > 0.0 ? probe.width : 1.0;
    computed_ = source_(probe).computed;
    if (computed_ && Button(kInfraredId)->isChecked()) {
        const QSignalBlocker quiet(Button(kAreasId));
        Button(kAreasId)->setChecked(true);
    }
    EnableComputed();
    ShowPreview();
}

void CImportBandsDlg::ShowPreview() {
    // A width left empty, or not above 0, gives none: a list with widths of
    // its own needs none, and the preview of one without says it is missing.
    const QString widthText = Edit(kWidthId)->text().trimmed();
    const auto width =
        widthText.isEmpty() ? std::optional(0.0) : ParseDouble(widthText.toStdString());
    const auto number = [this](int id) { return ParseDouble(Edit(id)->text().toStdString()); };
    const auto bandScale = number(kScaleId);
    BandImportChoice choice{width.value_or(0.0), bandScale.value_or(1.0),
                            Button(kAreasId)->isChecked()};
    bool numbers = width && bandScale;
    if (computed_) {
        for (int k = 0; k < 3; ++k) {
            if (Button(kInfraredId + k)->isChecked()) {
                choice.kind = static_cast<BandImportChoice::Kind>(k);
            }
        }
        // Only the fields in use need to hold numbers.
        const bool intensity = choice.kind == BandImportChoice::Kind::RamanIntensity;
        const auto laser = intensity ? number(kLaserId) : std::optional(choice.laserNm);
        const auto kelvin = intensity ? number(kTemperatureId) : std::optional(choice.temperature);
        numbers = numbers && laser && kelvin;
        choice.laserNm = laser.value_or(0.0);
        choice.temperature = kelvin.value_or(0.0);
        if (Button(kRangeId)->isChecked()) {
            const auto from = number(kRangeFromId);
            const auto to = number(kRangeToId);
            numbers = numbers && from && to;
            choice.range = std::pair(from.value_or(0.0), to.value_or(0.0));
        }
    }
    BandPreview refused;
    refused.computed = computed_;
    if (!numbers) {
        refused.summary = Tr(kNotANumber);
        Show(refused);
        return;
    }
    if (const auto [id, why] = Fault(choice); id != 0) {
        refused.summary = why;
        Show(refused);
        return;
    }
    choice.width = std::max(choice.width, 0.0);
    Show(source_(choice));
}

void CImportBandsDlg::Show(const BandPreview& preview) {
    Summary()->setText(preview.summary);
    QTreeWidget* list = Preview();
    list->clear();
    // Without a list there are no columns to name: no stray "1" heading.
    list->setHeaderHidden(preview.headings.isEmpty());
    if (!preview.headings.isEmpty()) {
        list->setColumnCount(static_cast<int>(preview.headings.size()));
        list->setHeaderLabels(preview.headings);
        // The columns share the width, with room kept for the scroll bar of
        // a long list: every one shows without scrolling sideways.
        const int room =
            list->width() - 2 * list->frameWidth() - list->verticalScrollBar()->sizeHint().width();
        for (int c = 0; c < list->columnCount(); ++c) {
            list->header()->resizeSection(c, room / list->columnCount());
        }
    }
    for (const QStringList& row : preview.rows) {
        auto* item = new QTreeWidgetItem(row);
        for (int c = 0; c < row.size(); ++c) {
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
        list->addTopLevelItem(item);
    }
}

bool CImportBandsDlg::ValidateFields() {
    // The list is read once more with the values as they stand, so that
    // nothing the user did not see is taken; a width not above 0 is none.
    BandImportChoice choice = Choice();
    if (const auto [id, why] = Fault(choice); id != 0) {
        RefuseField(Edit(id), why);
        return false;
    }
    choice.width = std::max(choice.width, 0.0);
    const BandPreview preview = source_(choice);
    Show(preview);
    if (!preview.ok) {
        if (!(bandWidth > 0.0)) {
            RefuseField(Edit(kWidthId), preview.summary);
        } else {
            services_.AfxMessageBox(preview.summary);
        }
        return false;
    }
    return true;
}

bool RunImportBands(const QString& fileName, const BandPreviewSource& source,
                    BandImportChoice& choice, QWidget* owner, const Services& services) {
    CImportBandsDlg dialog(fileName, source, services, owner);
    dialog.bandWidth = choice.width;
    dialog.scale = choice.scale;
    dialog.areas = choice.areas ? 1 : 0;
    dialog.kind = static_cast<std::int32_t>(choice.kind);
    dialog.laserNm = choice.laserNm;
    dialog.temperature = choice.temperature;
    dialog.inRange = choice.range ? 1 : 0;
    if (choice.range) {
        std::tie(dialog.rangeFrom, dialog.rangeTo) = *choice.range;
    }
    if (RunModal(dialog) != IDOK) {
        return false;
    }
    choice = dialog.Choice();
    return true;
}

}  // namespace trazel::ui
