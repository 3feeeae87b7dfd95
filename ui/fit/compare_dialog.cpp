#include "ui/fit/compare_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/fit_export.h"
#include "analysis/spectrum_comparison.h"
#include "fit/comparison.h"
#include "platform/atomic_file.h"
#include "platform/number_format.h"
#include "ui/dialogs/read_only_list.h"
#include "ui/dialogs/shown_number.h"
#include "ui/form/document_context.h"

using namespace trazel::analysis;
using namespace trazel::platform;

// The texts are translated in the context "CompareDialog", named outright, as
// the other dialogs of this folder do.
namespace trazel::ui {

namespace {

QString Estimated(const fit::Estimate& e) {
    return e.free ? ShownNumber(e.value, 8) + QStringLiteral(" ± ") + ShownNumber(e.error, 2)
                  : ShownNumber(e.value, 8) + QStringLiteral(" (") +
                        QCoreApplication::translate("CompareDialog", "fijo") + QLatin1Char(')');
}

}  // namespace

CompareDialog::CompareDialog(const document::CTrazelDoc& document, double xMin, double xMax,
                             std::int32_t lineShape, const Services& services, QWidget* owner)
    : QDialog(owner), document_(document), lineShape_(lineShape), services_(services) {
    setWindowTitle(QCoreApplication::translate("CompareDialog", "Comparar con el espectro medido"));
    setObjectName(QStringLiteral("compareDialog"));
    CreateControls(xMin, xMax);
}

void CompareDialog::CreateControls(double xMin, double xMax) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QCoreApplication::translate("CompareDialog",
                                    "Las bandas de la tabla, tomadas como calculadas, sobre el "
                                    "espectro medido: a·ν + b, una anchura y un factor de "
                                    "intensidad para todas."),
        this));
    auto* form = new QFormLayout;
    auto* range = new QHBoxLayout;
    xMinEdit = new QLineEdit(ShownNumber(std::min(xMin, xMax), 10), this);
    xMaxEdit = new QLineEdit(ShownNumber(std::max(xMin, xMax), 10), this);
    range->addWidget(xMinEdit);
    auto* toLabel = new QLabel(QCoreApplication::translate("CompareDialog", "&hasta"), this);
    toLabel->setBuddy(xMaxEdit);
    range->addWidget(toLabel);
    range->addWidget(xMaxEdit);
    // A row of a layout gets no buddy of its own: the label is given one.
    auto* fromLabel = new QLabel(QCoreApplication::translate("CompareDialog", "&Desde:"), this);
    fromLabel->setBuddy(xMinEdit);
    form->addRow(fromLabel, range);
    baselineBox = new QComboBox(this);
    baselineBox->addItems({QCoreApplication::translate("CompareDialog", "Ninguna"),
                           QCoreApplication::translate("CompareDialog", "Constante"),
                           QCoreApplication::translate("CompareDialog", "Recta"),
                           QCoreApplication::translate("CompareDialog", "Parábola"),
                           QCoreApplication::translate("CompareDialog", "Cúbica")});
    form->addRow(QCoreApplication::translate("CompareDialog", "&Línea base:"), baselineBox);
    layout->addLayout(form);
    auto* values = new QHBoxLayout;
    shiftBox = new QCheckBox(
        QCoreApplication::translate("CompareDialog", "Ajustar un de&splazamiento b"), this);
    widthBox =
        new QCheckBox(QCoreApplication::translate("CompareDialog", "Ajustar la an&chura"), this);
    widthBox->setChecked(true);
    shareBox = new QCheckBox(
        QCoreApplication::translate("CompareDialog", "Ajustar la &fracción lorentziana"), this);
    shareBox->setChecked(true);
    const auto& bands = document_.Table().bands;
    shareBox->setEnabled(std::any_of(bands.begin(), bands.end(), [](const model::Peak& band) {
        return model::IsMixed(band.shape);
    }));
    for (QCheckBox* box : {shiftBox, widthBox, shareBox}) {
        values->addWidget(box);
    }
    values->addStretch();
    compareButton =
        new QPushButton(QCoreApplication::translate("CompareDialog", "C&omparar"), this);
    values->addWidget(compareButton);
    layout->addLayout(values);

    result = new QLabel(this);
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    result->setWordWrap(true);
    layout->addWidget(result);
    assignment = NewReadOnlyList(this);
    assignment->setHeaderLabels({QCoreApplication::translate("CompareDialog", "Banda"),
                                 QCoreApplication::translate("CompareDialog", "Calculada"),
                                 QCoreApplication::translate("CompareDialog", "Escalada"),
                                 QCoreApplication::translate("CompareDialog", "Intensidad"),
                                 QCoreApplication::translate("CompareDialog", "Medida"),
                                 QCoreApplication::translate("CompareDialog", "Desviación"),
                                 QCoreApplication::translate("CompareDialog", "Desviación (%)"),
                                 QCoreApplication::translate("CompareDialog", "Escala propia")});
    assignment->setMinimumHeight(assignment->fontMetrics().height() * 12);
    assignment->setMinimumWidth(assignment->fontMetrics().averageCharWidth() * 90);
    layout->addWidget(assignment);

    auto* buttons = new QDialogButtonBox(this);
    reportButton =
        buttons->addButton(QCoreApplication::translate("CompareDialog", "Exportar &informe..."),
                           QDialogButtonBox::ActionRole);
    assignmentButton =
        buttons->addButton(QCoreApplication::translate("CompareDialog", "Exportar asi&gnación..."),
                           QDialogButtonBox::ActionRole);
    applyButton = buttons->addButton(QCoreApplication::translate("CompareDialog", "A&plicar"),
                                     QDialogButtonBox::AcceptRole);
    buttons->addButton(QCoreApplication::translate("CompareDialog", "Cancelar"),
                       QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    // Enter compares; applying takes a click or its letter.
    compareButton->setDefault(true);
    applyButton->setAutoDefault(false);

    connect(compareButton, &QPushButton::clicked, this, &CompareDialog::Compare);
    connect(reportButton, &QPushButton::clicked, this, [this] { Export(true); });
    connect(assignmentButton, &QPushButton::clicked, this, [this] { Export(false); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (shown_) {
            accept();
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QLineEdit* edit : {xMinEdit, xMaxEdit}) {
        connect(edit, &QLineEdit::textEdited, this, &CompareDialog::Forget);
    }
    for (QCheckBox* box : {shiftBox, widthBox, shareBox}) {
        connect(box, &QCheckBox::toggled, this, &CompareDialog::Forget);
    }
    connect(baselineBox, &QComboBox::currentIndexChanged, this, &CompareDialog::Forget);
    Show();
}

void CompareDialog::Forget() {
    if (shown_) {
        shown_.reset();
        Show();
        emit compared(nullptr);
    }
}

bool CompareDialog::Compare() {
    const auto read = [this](QLineEdit* edit) -> std::optional<double> {
        const auto value = ParseDouble(edit->text().trimmed().toStdString());
        if (!value) {
            services_.AfxMessageBox(
                this,
                QCoreApplication::translate("CompareDialog", "«%1» no es un número.")
                    .arg(edit->text()),
                MessageKind::Warning);
            edit->setFocus();
            edit->selectAll();
        }
        return value;
    };
    const auto xMin = read(xMinEdit);
    const auto xMax = xMin ? read(xMaxEdit) : std::nullopt;
    if (!xMin || !xMax) {
        return false;
    }
    if (!(*xMin < *xMax)) {
        services_.AfxMessageBox(
            this,
            QCoreApplication::translate(
                "CompareDialog",
                "El intervalo de x está vacío: «Desde» debe ser menor que «hasta»."),
            MessageKind::Warning);
        xMinEdit->setFocus();
        return false;
    }
    ComparisonSettings settings;
    settings.xMin = *xMin;
    settings.xMax = *xMax;
    settings.shift = shiftBox->isChecked();
    settings.width = widthBox->isChecked();
    settings.share = shareBox->isChecked();
    settings.baseline = static_cast<fit::Baseline>(baselineBox->currentIndex());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ComparisonRecord record =
        CompareWithMeasured(document_.GetAnalysis(), document_.Table(), lineShape_, settings);
    QApplication::restoreOverrideCursor();
    if (!record.result.Ok()) {
        shown_.reset();
        Show();
        services_.AfxMessageBox(
            this,
            QCoreApplication::translate("CompareDialog", "No hay comparación: %1.")
                .arg(QString::fromStdString(record.result.failure)),
            MessageKind::Warning);
        emit compared(nullptr);
        return false;
    }
    shown_ = std::move(record);
    Show();
    emit compared(std::make_shared<const ComparisonRecord>(*shown_));
    return true;
}

void CompareDialog::Show() {
    assignment->clear();
    for (QPushButton* button : {reportButton, assignmentButton, applyButton}) {
        button->setEnabled(shown_.has_value());
    }
    if (!shown_) {
        result->setText(QCoreApplication::translate(
            "CompareDialog", "Elija el intervalo y los valores que varían, y pulse «Comparar»."));
        return;
    }
    const fit::ComparisonResult& r = shown_->result;
    QString text =
        QCoreApplication::translate("CompareDialog",
                                    "Escala a = %1; desplazamiento b = %2; anchura w = %3; "
                                    "factor k = %4.")
            .arg(Estimated(r.scale), Estimated(r.shift), Estimated(r.width), Estimated(r.factor));
    if (r.share.free) {
        text += QLatin1Char(' ') +
                QCoreApplication::translate("CompareDialog", "Fracción lorentziana %1.")
                    .arg(Estimated(r.share));
    }
    text +=
        QLatin1Char('\n') +
        QCoreApplication::translate("CompareDialog", "R² %1, r de Pearson %2, coseno %3.")
            .arg(ShownNumber(r.rSquared, 4), ShownNumber(r.pearson, 4), ShownNumber(r.cosine, 4)) +
        QLatin1Char('\n') + QString::fromStdString(fit::AgreementText(r));
    result->setText(text);
    const QString none = QStringLiteral("–");
    for (const AssignmentRow& row : shown_->rows) {
        const bool computed = row.band > 0;
        const bool paired = computed && row.matched;
        auto* item =
            new QTreeWidgetItem(assignment, {computed ? QString::number(row.band) : none,
                                             computed ? ShownNumber(row.computed, 8) : none,
                                             computed ? ShownNumber(row.scaled, 8) : none,
                                             computed ? ShownNumber(row.intensity) : none,
                                             row.matched ? ShownNumber(row.measured, 8) : none,
                                             paired ? ShownNumber(row.deviation, 3) : none,
                                             paired ? ShownNumber(row.percent, 3) : none,
                                             paired ? ShownNumber(row.bandScale, 6) : none});
        for (int c = 0; c < assignment->columnCount(); ++c) {
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    for (int c = 0; c < assignment->columnCount(); ++c) {
        assignment->resizeColumnToContents(c);
    }
}

void CompareDialog::Export(bool report) {
    if (!shown_) {
        return;
    }
    const auto path = services_.Files().GetSaveFileName(
        this,
        report ? QCoreApplication::translate("CompareDialog", "Exportar informe de la comparación")
               : QCoreApplication::translate("CompareDialog", "Exportar asignación"),
        report ? QCoreApplication::translate("CompareDialog", "comparacion.txt")
               : QCoreApplication::translate("CompareDialog", "asignacion.csv"));
    if (!path) {
        return;
    }
    const auto format = ReportFormatFor(path->toStdString());
    if (!format || (!report && format != ReportFormat::Csv)) {
        services_.AfxMessageBox(
            this,
            (report ? QCoreApplication::translate(
                          "CompareDialog",
                          "No se puede exportar «%1»: el nombre debe acabar en .txt o .csv.")
                    : QCoreApplication::translate(
                          "CompareDialog",
                          "No se puede exportar «%1»: el nombre debe acabar en .csv."))
                .arg(*path),
            MessageKind::Warning);
        return;
    }
    const std::string bytes = !report                        ? AssignmentCsv(*shown_)
                              : format == ReportFormat::Text ? ComparisonReportText(*shown_)
                                                             : ComparisonReportCsv(*shown_);
    if (const Status written = WriteFileAtomically(path->toStdString(), bytes); !written.ok()) {
        services_.AfxMessageBox(this, QString::fromStdString(written.message()),
                                MessageKind::Warning);
    }
}

bool RunCompareDialog(DocumentContext& context, double xMin, double xMax, std::int32_t lineShape,
                      const Services& services, QWidget* owner,
                      const std::function<void(std::shared_ptr<const ComparisonRecord>)>& draw) {
    document::CTrazelDoc& document = context.Document();
    if (!document.GetAnalysis().measured) {
        return false;
    }
    const auto& stored = document.GetAnalysis().comparison;
    if (stored) {
        xMin = stored->xMin;
        xMax = stored->xMax;
    } else {
        std::tie(xMin, xMax) = FitRangeFor(FitSettingsInView(FitSettings{}, xMin, xMax),
                                           document.GetAnalysis().measured->X());
    }
    CompareDialog dialog(document, xMin, xMax, lineShape, services, owner);
    dialog.setWindowModality(Qt::WindowModal);
    if (draw) {
        QObject::connect(&dialog, &CompareDialog::compared, &dialog, draw);
    }
    const int answer = services.DoModal(dialog);
    bool applied = false;
    if (answer == QDialog::Accepted && dialog.Shown()) {
        const ComparisonRecord record = *dialog.Shown();
        context.History().Record(
            QCoreApplication::translate("CompareDialog",
                                        "Aplicar la comparación con el espectro medido"),
            [&] { document.ApplyComparison(record); });
        applied = true;
    }
    if (draw) {
        const auto& kept = document.GetAnalysis().comparison;
        draw(kept && ComparisonFitsTable(*kept, document.Table())
                 ? std::make_shared<const ComparisonRecord>(*kept)
                 : nullptr);
    }
    return applied;
}

}  // namespace trazel::ui
