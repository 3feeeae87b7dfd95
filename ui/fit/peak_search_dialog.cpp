#include "ui/fit/peak_search_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <tuple>

#include "platform/number_format.h"
#include "ui/dialogs/read_only_list.h"
#include "ui/dialogs/shown_number.h"
#include "ui/form/document_context.h"

using namespace trazel::analysis;
using namespace trazel::platform;

// The texts are translated in the context "PeakSearchDialog", named outright: tr() would
// look them up under the class's name with its namespace, which lupdate,
// reading this file without the headers it includes, does not see.
namespace trazel::ui {

namespace {

// The window box's lowest value, which leaves the window to the data.
constexpr int kAutomaticWindow = 1;

}  // namespace

PeakSearchDialog::PeakSearchDialog(const document::CTrazelDoc& document, double xMin, double xMax,
                                   const PeakSearchSettings& start, const Services& services,
                                   QWidget* owner)
    : QDialog(owner), document_(document), xMin_(xMin), xMax_(xMax), services_(services) {
    setWindowTitle(QCoreApplication::translate("PeakSearchDialog", "Buscar bandas"));
    setObjectName(QStringLiteral("peakSearchDialog"));
    CreateControls(start);
    Search();
}

void PeakSearchDialog::CreateControls(const PeakSearchSettings& start) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QCoreApplication::translate("PeakSearchDialog", "Bandas del espectro medido entre %1 y %2.")
            .arg(ShownNumber(std::min(xMin_, xMax_), 10), ShownNumber(std::max(xMin_, xMax_), 10)),
        this));

    auto* smoothing = new QGroupBox(
        QCoreApplication::translate("PeakSearchDialog", "Suavizado de Savitzky-Golay"), this);
    auto* smoothingRow = new QHBoxLayout(smoothing);
    windowBox = new QSpinBox(smoothing);
    windowBox->setRange(kAutomaticWindow, kMaxSmoothWindow);
    windowBox->setSingleStep(2);
    windowBox->setSpecialValueText(
        QCoreApplication::translate("PeakSearchDialog", "según los datos"));
    windowBox->setSuffix(QCoreApplication::translate("PeakSearchDialog", " puntos"));
    windowBox->setValue(start.window.value_or(kAutomaticWindow));
    orderBox = new QSpinBox(smoothing);
    orderBox->setRange(0, kMaxSmoothOrder);
    orderBox->setValue(start.order);
    auto* windowLabel =
        new QLabel(QCoreApplication::translate("PeakSearchDialog", "&Ventana:"), smoothing);
    windowLabel->setBuddy(windowBox);
    auto* orderLabel =
        new QLabel(QCoreApplication::translate("PeakSearchDialog", "&Orden:"), smoothing);
    orderLabel->setBuddy(orderBox);
    smoothingRow->addWidget(windowLabel);
    smoothingRow->addWidget(windowBox);
    smoothingRow->addWidget(orderLabel);
    smoothingRow->addWidget(orderBox);
    smoothingRow->addStretch();
    layout->addWidget(smoothing);

    auto* form = new QFormLayout;
    prominenceBox = new QDoubleSpinBox(this);
    prominenceBox->setRange(0.0, 100.0);
    prominenceBox->setDecimals(1);
    prominenceBox->setSuffix(QStringLiteral(" %"));
    prominenceBox->setValue(start.minProminence * 100.0);
    prominenceBox->setToolTip(QCoreApplication::translate(
        "PeakSearchDialog",
        "Lo que un máximo sobresale de la más alta de las dos partes más bajas "
        "que lo separan de un punto más alto, en % del intervalo de los datos."));
    form->addRow(QCoreApplication::translate("PeakSearchDialog", "&Prominencia mínima:"),
                 prominenceBox);
    distanceEdit = new QLineEdit(this);
    if (start.minDistance) {
        distanceEdit->setText(ShownNumber(*start.minDistance, 10));
    }
    form->addRow(QCoreApplication::translate("PeakSearchDialog", "&Separación mínima:"),
                 distanceEdit);
    shouldersBox =
        new QCheckBox(QCoreApplication::translate("PeakSearchDialog", "Incluir &hombros"), this);
    shouldersBox->setChecked(start.shoulders);
    form->addRow(shouldersBox);
    layout->addLayout(form);

    summary = new QLabel(this);
    summary->setWordWrap(true);
    layout->addWidget(summary);
    // As the import dialog shows the bands of a file: a plain list, a row a
    // band, the numbers to the right.
    preview = NewReadOnlyList(this);
    preview->setFocusPolicy(Qt::NoFocus);
    preview->setHeaderLabels({QCoreApplication::translate("PeakSearchDialog", "Posición"),
                              QCoreApplication::translate("PeakSearchDialog", "Intensidad"),
                              QCoreApplication::translate("PeakSearchDialog", "Anchura"),
                              QCoreApplication::translate("PeakSearchDialog", "Prominencia"),
                              QCoreApplication::translate("PeakSearchDialog", "Clase")});
    preview->setMinimumHeight(preview->fontMetrics().height() * 10);
    preview->setMinimumWidth(preview->fontMetrics().averageCharWidth() * 70);
    layout->addWidget(preview);

    auto* buttons = new QDialogButtonBox(this);
    addButton = buttons->addButton(QCoreApplication::translate("PeakSearchDialog", "&Añadir"),
                                   QDialogButtonBox::AcceptRole);
    replaceButton =
        buttons->addButton(QCoreApplication::translate("PeakSearchDialog", "&Reemplazar la tabla"),
                           QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("PeakSearchDialog", "Cancelar"));
    addButton->setDefault(true);
    connect(addButton, &QPushButton::clicked, this, [this] {
        replace_ = false;
        accept();
    });
    connect(replaceButton, &QPushButton::clicked, this, [this] {
        replace_ = true;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(windowBox, &QSpinBox::valueChanged, this, &PeakSearchDialog::Search);
    connect(orderBox, &QSpinBox::valueChanged, this, &PeakSearchDialog::Search);
    connect(prominenceBox, &QDoubleSpinBox::valueChanged, this, &PeakSearchDialog::Search);
    connect(distanceEdit, &QLineEdit::textEdited, this, &PeakSearchDialog::Search);
    connect(shouldersBox, &QCheckBox::toggled, this, &PeakSearchDialog::Search);
}

PeakSearchSettings PeakSearchDialog::Settings() const {
    PeakSearchSettings s;
    // The box steps through odd numbers from 1; a number typed even goes
    // one up, so that the window keeps a middle point.
    if (windowBox->value() != kAutomaticWindow) {
        s.window = windowBox->value() | 1;
    }
    s.order = orderBox->value();
    s.minProminence = prominenceBox->value() / 100.0;
    if (const auto distance = ParseDouble(distanceEdit->text().toStdString())) {
        s.minDistance = *distance;
    }
    s.shoulders = shouldersBox->isChecked();
    return s;
}

int PeakSearchDialog::Room() const {
    const int room = model::kMaxPeaks - document_.Table().PeakCount();
    return std::min(room, static_cast<int>(found_.bands.size()));
}

void PeakSearchDialog::Search() {
    const PeakSearchSettings settings = Settings();
    const std::string problem = PeakSearchSettingsProblem(settings);
    const QString distanceText = distanceEdit->text().trimmed();
    QString refused;
    if (!distanceText.isEmpty() && !ParseDouble(distanceText.toStdString())) {
        refused = QCoreApplication::translate(
            "PeakSearchDialog",
            "La separación mínima no es un número; déjela vacía para que "
            "la den los datos.");
    } else if (!problem.empty()) {
        refused = QString::fromStdString(problem);
    }
    found_ = PeakSearchResult{};
    found_.used = settings;
    if (refused.isEmpty()) {
        found_ = FindBands(document_.GetAnalysis(), xMin_, xMax_, settings);
    }
    preview->clear();
    for (const FoundBand& band : found_.bands) {
        auto* item = new QTreeWidgetItem(
            preview, {ShownNumber(band.position, 9), ShownNumber(band.intensity, 6),
                      ShownNumber(band.width, 6), ShownNumber(band.prominence, 6),
                      band.shoulder ? QCoreApplication::translate("PeakSearchDialog", "hombro")
                                    : QCoreApplication::translate("PeakSearchDialog", "máximo")});
        for (int c = 0; c < 4; ++c) {
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    for (int c = 0; c < preview->columnCount(); ++c) {
        preview->resizeColumnToContents(c);
    }
    const PeakSearchResult& r = found_;
    if (!refused.isEmpty()) {
        summary->setText(refused);
    } else if (r.points < 5) {
        summary->setText(
            QCoreApplication::translate("PeakSearchDialog",
                                        "Hay %1 puntos medidos en el intervalo: hacen falta al "
                                        "menos cinco para buscar bandas.")
                .arg(r.points));
    } else {
        const auto count = static_cast<int>(r.bands.size());
        // The number of bands is a phrase of its own, the subject of the
        // sentence, as none and one read differently from many.
        const QString bands =
            count == 0   ? QCoreApplication::translate("PeakSearchDialog", "Ninguna banda")
            : count == 1 ? QCoreApplication::translate("PeakSearchDialog", "1 banda")
                         : QCoreApplication::translate("PeakSearchDialog", "%1 bandas").arg(count);
        QString text =
            QCoreApplication::translate(
                "PeakSearchDialog",
                "%1 en %2 puntos. Ventana de %3 puntos, orden %4; prominencia "
                "mínima %5; separación mínima %6.")
                .arg(bands, QString::number(r.points), QString::number(r.used.window.value_or(0)),
                     QString::number(r.used.order), ShownNumber(r.prominenceFloor),
                     ShownNumber(r.used.minDistance.value_or(0.0)));
        if (Room() < count) {
            text += QLatin1Char(' ') +
                    QCoreApplication::translate(
                        "PeakSearchDialog",
                        "La tabla tiene sitio para %1: «Añadir» pone las más intensas.")
                        .arg(Room());
        }
        summary->setText(text);
    }
    addButton->setEnabled(Room() > 0);
    replaceButton->setEnabled(!r.bands.empty());
    emit bandsFound(r.bands);
}

int RunPeakSearch(DocumentContext& context, double xMin, double xMax, const Services& services,
                  QWidget* owner, const std::function<void(const std::vector<FoundBand>&)>& mark) {
    document::CTrazelDoc& document = context.Document();
    if (!document.GetAnalysis().measured) {
        return 0;
    }
    // The range shown, as a fit takes it: the data's own when none is.
    std::tie(xMin, xMax) = FitRangeFor(FitSettingsInView(FitSettings{}, xMin, xMax),
                                       document.GetAnalysis().measured->X());
    PeakSearchDialog dialog(document, xMin, xMax,
                            document.GetAnalysis().peakSearch.value_or(PeakSearchSettings{}),
                            services, owner);
    // Modal to the main window and its plot window, which marks the bands.
    dialog.setWindowModality(Qt::WindowModal);
    if (mark) {
        mark(dialog.Found().bands);
        QObject::connect(&dialog, &PeakSearchDialog::bandsFound, &dialog, mark);
    }
    const int answer = services.DoModal(dialog);
    if (mark) {
        mark({});
    }
    if (answer != QDialog::Accepted || dialog.Found().bands.empty()) {
        return 0;
    }
    int put = 0;
    context.History().Record(
        dialog.Replace()
            ? QCoreApplication::translate("PeakSearchDialog",
                                          "Reemplazar la tabla por las bandas encontradas")
            : QCoreApplication::translate("PeakSearchDialog", "Añadir las bandas encontradas"),
        [&] {
            put = document.PutFoundBands(dialog.Found().bands, dialog.Settings(), dialog.Replace());
        });
    return put;
}

}  // namespace trazel::ui
