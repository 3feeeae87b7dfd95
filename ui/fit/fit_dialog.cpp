#include "ui/fit/fit_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <new>
#include <span>

#include "fit/added_bands.h"
#include "fit/fit_report.h"
#include "platform/number_format.h"
#include "ui/form/document_context.h"
#include "ui/form/fit_files.h"

using namespace trazel::fit;
using namespace trazel::model;
using namespace trazel::platform;

// The texts are translated in the context "FitDialog", named outright: tr() would
// look them up under the class's name with its namespace, which lupdate,
// reading this file without the headers it includes, does not see.
namespace trazel::ui {

namespace {

constexpr int kProgressIntervalMs = 100;
// Enough digits to tell the fitted values apart from their errors.
constexpr int kShownDigits = 8;

const fit::Baseline kBaselines[] = {Baseline::None, Baseline::Constant, Baseline::Linear,
                                    Baseline::Quadratic, Baseline::Cubic};

// The choices of the shape of the bands fitted, in the order the box lists
// them; the first keeps each band's own.
const std::optional<BandShape> kShapes[] = {std::nullopt, BandShape::Gaussian,
                                            BandShape::Lorentzian, BandShape::PseudoVoigt,
                                            BandShape::Voigt};

QString Number(double value, int digits = kShownDigits) {
    return QString::fromStdString(FormatG(value, digits));
}

// A value and its error as the report writes them: rounded at the error's
// second significant digit, or the reason there is no error.
std::pair<QString, QString> Readable(const Estimate& estimate) {
    const fit::RoundedPair text = fit::ReadableEstimate(estimate);
    return {QString::fromStdString(text.value), QString::fromStdString(text.error)};
}

// The fits shown, as the files of a fit take them.
std::vector<const analysis::FitRecord*> Exported(const ShownFits& fits) {
    std::vector<const analysis::FitRecord*> records;
    for (const auto& fit : fits) {
        records.push_back(fit.get());
    }
    return records;
}

}  // namespace

FitDialog::FitDialog(const document::CTrazelDoc& document, FitStart start, const Services& services,
                     QWidget* owner)
    : QDialog(owner), document_(document), start_(std::move(start)), services_(services) {
    setWindowTitle(QCoreApplication::translate("FitDialog", "Ajustar al espectro medido"));
    setObjectName(QStringLiteral("fitDialog"));
    CreateControls();
    tick_ = new QTimer(this);
    connect(tick_, &QTimer::timeout, this, [this] {
        if (iteration_ > 0) {
            progressLine->setText(QCoreApplication::translate(
                                      "FitDialog", "Ajustando… iteración %1, suma de cuadrados %2")
                                      .arg(iteration_.load())
                                      .arg(Number(rss_.load(), 6)));
        }
    });
    UpdateButtons();
}

FitDialog::~FitDialog() {
    stop_ = true;
    if (worker_.valid()) {
        worker_.wait();
    }
}

void FitDialog::CreateControls() {
    auto* layout = new QVBoxLayout(this);

    // The document's fit regions, one picked to fit; each keeps its range,
    // baseline and held bands, and the result last applied to it.
    auto* regions =
        new QGroupBox(QCoreApplication::translate("FitDialog", "Regiones de ajuste"), this);
    auto* regionsLayout = new QVBoxLayout(regions);
    regionList = new QTreeWidget(regions);
    regionList->setRootIsDecorated(false);
    regionList->setHeaderLabels({QCoreApplication::translate("FitDialog", "Intervalo"),
                                 QCoreApplication::translate("FitDialog", "Bandas"),
                                 QStringLiteral("R²"),
                                 QCoreApplication::translate("FitDialog", "Veredicto")});
    regionList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    regionList->header()->setStretchLastSection(true);
    regionList->setMaximumHeight(regionList->fontMetrics().height() * 6);
    regionsLayout->addWidget(regionList);
    auto* regionButtons = new QHBoxLayout;
    addRegionButton =
        new QPushButton(QCoreApplication::translate("FitDialog", "Añadir r&egión"), regions);
    removeRegionButton =
        new QPushButton(QCoreApplication::translate("FitDialog", "&Quitar región"), regions);
    fitAllButton =
        new QPushButton(QCoreApplication::translate("FitDialog", "Ajustar toda&s"), regions);
    for (QPushButton* button : {addRegionButton, removeRegionButton, fitAllButton}) {
        button->setAutoDefault(false);
        regionButtons->addWidget(button);
    }
    regionButtons->addStretch();
    regionsLayout->addLayout(regionButtons);
    layout->addWidget(regions);

    auto* range = new QGroupBox(QCoreApplication::translate("FitDialog", "Intervalo de x"), this);
    auto* rangeLayout = new QHBoxLayout(range);
    const auto [xMin, xMax] = analysis::FitRangeFor(
        start_.settings, document_.GetAnalysis().measured ? document_.GetAnalysis().measured->X()
                                                          : std::span<const double>());
    xMinEdit = new QLineEdit(Number(xMin, 10), range);
    xMaxEdit = new QLineEdit(Number(xMax, 10), range);
    auto* fromLabel = new QLabel(QCoreApplication::translate("FitDialog", "&Desde:"), range);
    fromLabel->setBuddy(xMinEdit);
    auto* toLabel = new QLabel(QCoreApplication::translate("FitDialog", "&hasta:"), range);
    toLabel->setBuddy(xMaxEdit);
    rangeLayout->addWidget(fromLabel);
    rangeLayout->addWidget(xMinEdit);
    rangeLayout->addWidget(toLabel);
    rangeLayout->addWidget(xMaxEdit);
    layout->addWidget(range);

    // The bands as the peak list shows them, newest on top, each ticked
    // when it varies: the selected ones, or, when none is selected, those
    // the last fit of the document let vary (at first all).
    auto* bands =
        new QGroupBox(QCoreApplication::translate("FitDialog", "Bandas que varían"), this);
    auto* bandsLayout = new QVBoxLayout(bands);
    bandList = new QTreeWidget(bands);
    bandList->setRootIsDecorated(false);
    bandList->setHeaderLabels({QCoreApplication::translate("FitDialog", "Máximo"),
                               QCoreApplication::translate("FitDialog", "Intensidad"),
                               QCoreApplication::translate("FitDialog", "Anchura")});
    const PeakTable& table = document_.Table();
    const auto contains = [](const std::vector<int>& list, int value) {
        return std::find(list.begin(), list.end(), value) != list.end();
    };
    for (int row = 0; row < table.PeakCount(); ++row) {
        const int index = document_.IndexFromRow(row);
        auto* item = new QTreeWidgetItem(
            bandList, {Number(table.Band(index).position, 9),
                       Number(table.Band(index).intensity, 9), Number(table.Band(index).width, 9)});
        const bool free = start_.selectedRows.empty() ? !contains(start_.settings.heldBands, index)
                                                      : contains(start_.selectedRows, row);
        item->setCheckState(0, free ? Qt::Checked : Qt::Unchecked);
    }
    bandList->setMinimumHeight(bandList->fontMetrics().height() * 6);
    bandsLayout->addWidget(bandList);
    auto* values = new QHBoxLayout;
    positionBox = new QCheckBox(QCoreApplication::translate("FitDialog", "P&osición"), bands);
    intensityBox = new QCheckBox(QCoreApplication::translate("FitDialog", "&Intensidad"), bands);
    widthBox = new QCheckBox(QCoreApplication::translate("FitDialog", "Anch&ura"), bands);
    shareBox =
        new QCheckBox(QCoreApplication::translate("FitDialog", "&Fracción lorentziana"), bands);
    values->addWidget(
        new QLabel(QCoreApplication::translate("FitDialog", "Valores que varían:"), bands));
    positionBox->setChecked(start_.settings.values.position);
    intensityBox->setChecked(start_.settings.values.intensity);
    widthBox->setChecked(start_.settings.values.width);
    shareBox->setChecked(start_.settings.values.share);
    for (QCheckBox* box : {positionBox, intensityBox, widthBox, shareBox}) {
        values->addWidget(box);
        connect(box, &QCheckBox::toggled, this, &FitDialog::Forget);
    }
    values->addStretch();
    bandsLayout->addLayout(values);
    layout->addWidget(bands);

    auto* baselineRow = new QFormLayout;
    baselineBox = new QComboBox(this);
    baselineBox->addItems({QCoreApplication::translate("FitDialog", "Ninguna"),
                           QCoreApplication::translate("FitDialog", "Constante"),
                           QCoreApplication::translate("FitDialog", "Recta"),
                           QCoreApplication::translate("FitDialog", "Parábola"),
                           QCoreApplication::translate("FitDialog", "Cúbica")});
    baselineRow->addRow(QCoreApplication::translate("FitDialog", "&Línea base:"), baselineBox);
    shapeBox = new QComboBox(this);
    shapeBox->addItems({QCoreApplication::translate("FitDialog", "La de cada banda"),
                        QCoreApplication::translate("FitDialog", "Gaussiana"),
                        QCoreApplication::translate("FitDialog", "Lorentziana"),
                        QCoreApplication::translate("FitDialog", "Pseudo-Voigt"),
                        QCoreApplication::translate("FitDialog", "Voigt")});
    shapeBox->setCurrentIndex(
        static_cast<int>(std::find(std::begin(kShapes), std::end(kShapes), start_.settings.shape) -
                         std::begin(kShapes)));
    baselineRow->addRow(QCoreApplication::translate("FitDialog", "&Forma de las bandas:"),
                        shapeBox);
    baselineBox->setCurrentIndex(static_cast<int>(
        std::find(std::begin(kBaselines), std::end(kBaselines), start_.settings.baseline) -
        std::begin(kBaselines)));
    negativeBox = new QCheckBox(
        QCoreApplication::translate("FitDialog", "Permitir intensidades &negativas"), this);
    negativeBox->setChecked(start_.settings.allowNegative);
    baselineRow->addRow(negativeBox);
    layout->addLayout(baselineRow);

    auto* run = new QHBoxLayout;
    fitButton = new QPushButton(QCoreApplication::translate("FitDialog", "&Ajustar"), this);
    stopButton = new QPushButton(QCoreApplication::translate("FitDialog", "De&tener"), this);
    progressLine = new QLabel(this);
    // A long status (a failure's reason) wraps under itself instead of
    // widening the dialog.
    progressLine->setWordWrap(true);
    addBandButton = new QPushButton(
        QCoreApplication::translate("FitDialog", "Añadir banda en el &residuo"), this);
    run->addWidget(fitButton);
    run->addWidget(stopButton);
    run->addWidget(addBandButton);
    run->addWidget(progressLine, 1);
    layout->addLayout(run);

    resultList = new QTreeWidget(this);
    resultList->setRootIsDecorated(false);
    const QString plusMinus = QStringLiteral("±");
    resultList->setHeaderLabels({QCoreApplication::translate("FitDialog", "Máximo"), plusMinus,
                                 QCoreApplication::translate("FitDialog", "Intensidad"), plusMinus,
                                 QCoreApplication::translate("FitDialog", "Anchura"), plusMinus,
                                 QCoreApplication::translate("FitDialog", "Área"), plusMinus,
                                 QCoreApplication::translate("FitDialog", "Fracción"), plusMinus});
    resultList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    resultList->setMinimumHeight(resultList->fontMetrics().height() * 6);
    layout->addWidget(resultList, 1);
    statistics = new QLabel(this);
    statistics->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statistics->setWordWrap(true);
    layout->addWidget(statistics);
    verdict = new QLabel(this);
    verdict->setTextInteractionFlags(Qt::TextSelectableByMouse);
    verdict->setWordWrap(true);
    layout->addWidget(verdict);

    auto* buttons = new QDialogButtonBox(this);
    copyButton = buttons->addButton(QCoreApplication::translate("FitDialog", "&Copiar"),
                                    QDialogButtonBox::ActionRole);
    reportButton = buttons->addButton(
        QCoreApplication::translate("FitDialog", "E&xportar resultado del ajuste..."),
        QDialogButtonBox::ActionRole);
    curvesButton = buttons->addButton(
        QCoreApplication::translate("FitDialog", "Exportar cur&vas del ajuste..."),
        QDialogButtonBox::ActionRole);
    applyButton = buttons->addButton(QCoreApplication::translate("FitDialog", "A&plicar"),
                                     QDialogButtonBox::AcceptRole);
    buttons->addButton(QCoreApplication::translate("FitDialog", "Cancelar"),
                       QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    // Enter fits; applying takes a click or its letter, never a stray Enter.
    fitButton->setDefault(true);
    fitButton->setAutoDefault(true);
    applyButton->setAutoDefault(false);

    connect(fitButton, &QPushButton::clicked, this, &FitDialog::StartFit);
    connect(addRegionButton, &QPushButton::clicked, this, &FitDialog::AddRegion);
    connect(removeRegionButton, &QPushButton::clicked, this, &FitDialog::RemoveRegion);
    connect(fitAllButton, &QPushButton::clicked, this, &FitDialog::StartFitAll);
    connect(regionList, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { PickRegion(regionList->indexOfTopLevelItem(item)); });
    connect(stopButton, &QPushButton::clicked, this, &FitDialog::StopFit);
    connect(addBandButton, &QPushButton::clicked, this, &FitDialog::AddBand);
    connect(copyButton, &QPushButton::clicked, this, &FitDialog::CopyResult);
    connect(reportButton, &QPushButton::clicked, this, [this] {
        if (shown_) {
            ExportFitReport(document_, Exported(ShownAll()), services_, this);
        }
    });
    connect(curvesButton, &QPushButton::clicked, this, [this] {
        if (shown_) {
            ExportFitCurves(document_, Exported(ShownAll()), services_, this);
        }
    });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (shown_ && !Running()) {
            accept();
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &FitDialog::reject);
    for (QLineEdit* edit : {xMinEdit, xMaxEdit}) {
        connect(edit, &QLineEdit::textEdited, this, &FitDialog::Forget);
    }
    connect(bandList, &QTreeWidget::itemChanged, this, &FitDialog::Forget);
    connect(baselineBox, &QComboBox::currentIndexChanged, this, &FitDialog::Forget);
    connect(shapeBox, &QComboBox::currentIndexChanged, this, &FitDialog::Forget);
    connect(negativeBox, &QCheckBox::toggled, this, &FitDialog::Forget);
    FillRegions();
    // The region the range shown lies over is the one fitted again.
    const auto over = analysis::RegionsOverlapping(document_.GetAnalysis().regions, xMin, xMax);
    if (over.size() == 1) {
        picked_ = over.front();
        regionList->setCurrentItem(regionList->topLevelItem(static_cast<int>(over.front())));
    }
    resize(sizeHint().expandedTo(QSize(fontMetrics().averageCharWidth() * 90, 0)));
}

void FitDialog::FillRegions() {
    regionList->clear();
    const analysis::Analysis& analysis = document_.GetAnalysis();
    const PeakTable& table = document_.Table();
    for (std::size_t r = 0; r < analysis.regions.size(); ++r) {
        const analysis::FitRegion& region = analysis.regions[r];
        int bands = 0;
        for (int k = 1; k <= table.PeakCount(); ++k) {
            bands += analysis::RegionOfBand(analysis.regions, table, k, start_.useScaled) == r;
        }
        const QString verdictText =
            region.fit ? QString::fromStdString(VerdictText(region.fit->result)) : QString();
        auto* item = new QTreeWidgetItem(
            regionList,
            {QCoreApplication::translate("FitDialog", "%1 a %2")
                 .arg(Number(region.XMin(), 10), Number(region.XMax(), 10)),
             QString::number(bands),
             region.fit ? Number(region.fit->result.rSquared, 6) : QStringLiteral("—"),
             region.fit ? verdictText : QCoreApplication::translate("FitDialog", "sin ajustar")});
        item->setToolTip(3, verdictText);
    }
}

void FitDialog::SetRegionEditing(RegionEditing editing) {
    editing_ = std::move(editing);
    UpdateButtons();
}

void FitDialog::PickRegion(int row) {
    const auto& regions = document_.GetAnalysis().regions;
    if (Running() || row >= static_cast<int>(regions.size())) {
        return;
    }
    if (row < 0) {
        picked_.reset();
        regionList->setCurrentItem(nullptr);
        UpdateButtons();
        return;
    }
    picked_ = static_cast<std::size_t>(row);
    regionList->setCurrentItem(regionList->topLevelItem(row));
    // The controls take the region's settings, as it was last fitted.
    const analysis::FitSettings& settings = regions[*picked_].settings;
    xMinEdit->setText(Number(regions[*picked_].XMin(), 10));
    xMaxEdit->setText(Number(regions[*picked_].XMax(), 10));
    baselineBox->setCurrentIndex(static_cast<int>(
        std::find(std::begin(kBaselines), std::end(kBaselines), settings.baseline) -
        std::begin(kBaselines)));
    positionBox->setChecked(settings.values.position);
    intensityBox->setChecked(settings.values.intensity);
    widthBox->setChecked(settings.values.width);
    shareBox->setChecked(settings.values.share);
    negativeBox->setChecked(settings.allowNegative);
    for (int r = 0; r < bandList->topLevelItemCount(); ++r) {
        const int index = document_.IndexFromRow(r);
        const bool held = std::find(settings.heldBands.begin(), settings.heldBands.end(), index) !=
                          settings.heldBands.end();
        bandList->topLevelItem(r)->setCheckState(0, held ? Qt::Unchecked : Qt::Checked);
    }
    Forget();
}

bool FitDialog::RangeAllowed(double xMin, double xMax) {
    // Over the region picked it is that region fitted again, its range
    // perhaps changed; over another, refused.
    const auto problem =
        analysis::RangeProblem(document_.GetAnalysis().regions, xMin, xMax, picked_);
    if (problem) {
        services_.AfxMessageBox(this, QString::fromStdString(*problem), MessageKind::Warning);
    }
    return !problem;
}

void FitDialog::AddRegion() {
    if (Running() || !editing_.add) {
        return;
    }
    const double lo = std::min(start_.viewMin, start_.viewMax);
    const double hi = std::max(start_.viewMin, start_.viewMax);
    const auto& regions = document_.GetAnalysis().regions;
    // A new region overlaps none: even one alone would be that one refitted.
    if (const auto problem = analysis::RangeProblem(regions, lo, hi, regions.size());
        problem || !(lo < hi)) {
        services_.AfxMessageBox(
            this,
            problem ? QString::fromStdString(*problem)
                    : QCoreApplication::translate("FitDialog",
                                                  "El gráfico no muestra un intervalo de x del "
                                                  "que hacer una región."),
            MessageKind::Warning);
        return;
    }
    analysis::FitRegion region;
    region.settings = start_.settings;
    region.settings.xMin = lo;
    region.settings.xMax = hi;
    region.settings.heldBands.clear();
    region.settings.shape.reset();
    editing_.add(region);
    FillRegions();
    const auto& now = document_.GetAnalysis().regions;
    for (std::size_t r = 0; r < now.size(); ++r) {
        if (now[r].XMin() == lo) {
            PickRegion(static_cast<int>(r));
        }
    }
}

void FitDialog::RemoveRegion() {
    if (Running() || !editing_.remove || !picked_) {
        return;
    }
    const std::size_t removed = *picked_;
    picked_.reset();
    editing_.remove(removed);
    FillRegions();
    Forget();
}

std::optional<analysis::FitSettings> FitDialog::Settings() {
    const auto read = [this](QLineEdit* edit) -> std::optional<double> {
        const auto value = ParseDouble(edit->text().trimmed().toStdString());
        if (!value) {
            services_.AfxMessageBox(
                this,
                QCoreApplication::translate("FitDialog", "«%1» no es un número.").arg(edit->text()),
                MessageKind::Warning);
            edit->setFocus();
            edit->selectAll();
        }
        return value;
    };
    const auto xMin = read(xMinEdit);
    if (!xMin) {
        return std::nullopt;
    }
    const auto xMax = read(xMaxEdit);
    if (!xMax) {
        return std::nullopt;
    }
    if (!(*xMin < *xMax)) {
        services_.AfxMessageBox(
            this,
            QCoreApplication::translate(
                "FitDialog", "El intervalo de x está vacío: «Desde» debe ser menor que «hasta»."),
            MessageKind::Warning);
        xMinEdit->setFocus();
        xMinEdit->selectAll();
        return std::nullopt;
    }
    analysis::FitSettings settings;
    settings.xMin = *xMin;
    settings.xMax = *xMax;
    settings.values = {positionBox->isChecked(), intensityBox->isChecked(), widthBox->isChecked(),
                       shareBox->isChecked()};
    settings.shape = kShapes[std::max(0, shapeBox->currentIndex())];
    for (int row = 0; row < bandList->topLevelItemCount(); ++row) {
        if (bandList->topLevelItem(row)->checkState(0) != Qt::Checked) {
            settings.heldBands.push_back(document_.IndexFromRow(row));
        }
    }
    std::sort(settings.heldBands.begin(), settings.heldBands.end());
    settings.baseline = kBaselines[std::max(0, baselineBox->currentIndex())];
    settings.allowNegative = negativeBox->isChecked();
    return settings;
}

std::optional<FitProblem> FitDialog::Problem() {
    const auto settings = Settings();
    if (!settings) {
        return std::nullopt;
    }
    return document_.PoseFit(*settings, start_.lineShape, start_.useScaled);
}

void FitDialog::StartFit() {
    Start(nullptr, 0);
}

void FitDialog::AddBand() {
    if (shown_ && shown_->result.residual.featureHeight != 0.0) {
        // A copy: Forget lets go of the result shown.
        const model::PeakTable from = shown_->result.table;
        Start(&from, 1);
    }
}

void FitDialog::Start(const model::PeakTable* from, int addBands) {
    if (Running()) {
        return;
    }
    auto settings = Settings();
    if (!settings || !RangeAllowed(*settings->xMin, *settings->xMax)) {
        return;
    }
    Forget();
    FitProblem problem = document_.PoseFit(*settings, start_.lineShape, start_.useScaled);
    if (from != nullptr) {
        problem.table = *from;
    }
    running_ = {analysis::FitRecord{.settings = std::move(*settings),
                                    .xMin = problem.xMin,
                                    .xMax = problem.xMax,
                                    .lineShape = start_.lineShape,
                                    .useScaled = start_.useScaled,
                                    .result = {}}};
    std::vector<FitProblem> problems;
    problems.push_back(std::move(problem));
    Run(std::move(problems), addBands);
}

void FitDialog::StartFitAll() {
    const auto& regions = document_.GetAnalysis().regions;
    if (Running() || regions.empty()) {
        return;
    }
    Forget();
    std::vector<FitProblem> problems;
    running_.clear();
    for (const analysis::FitRegion& region : regions) {
        problems.push_back(document_.PoseFit(region.settings, start_.lineShape, start_.useScaled));
        running_.push_back({.settings = region.settings,
                            .xMin = problems.back().xMin,
                            .xMax = problems.back().xMax,
                            .lineShape = start_.lineShape,
                            .useScaled = start_.useScaled,
                            .result = {}});
    }
    Run(std::move(problems), 0);
}

void FitDialog::Run(std::vector<FitProblem> problems, int addBands) {
    stop_ = false;
    iteration_ = 0;
    rss_ = 0.0;
    progressLine->setText(QCoreApplication::translate("FitDialog", "Ajustando…"));
    // The thread works on a copy of its own, so that nothing the dialog does
    // meanwhile can reach it; it is told to stop through stop_ alone.
    worker_ = std::async(std::launch::async, [this, problems = std::move(problems), addBands] {
        std::vector<FitResult> results;
        for (FitProblem problem : problems) {
            // Each region starts from the bands the regions before left.
            if (!results.empty()) {
                problem.table = results.back().table;
            }
            FitResult result;
            try {
                result = FitAddingBands(problem, addBands, [this](int iteration, double rss) {
                             iteration_ = iteration;
                             rss_ = rss;
                             return !stop_.load();
                         }).result;
            } catch (const std::bad_alloc&) {
                // Put into words on the dialog's thread, once the fit's
                // memory is free again.
                result = FitResult{};
                result.failure = FitFailure::BadInput;
                result.detail.reason = FailureReason::OutOfMemory;
            }
            results.push_back(std::move(result));
            if (!results.back().Ok()) {
                break;
            }
        }
        // Handed back on the dialog's thread; dropped if the dialog is gone.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (worker_.valid()) {
                    Finished(worker_.get());
                }
            },
            Qt::QueuedConnection);
        return results;
    });
    tick_->start(kProgressIntervalMs);
    UpdateButtons();
}

void FitDialog::StopFit() {
    stop_ = true;
}

void FitDialog::Finished(std::vector<FitResult> results) {
    tick_->stop();
    std::vector<analysis::FitRecord> records = std::move(running_);
    running_.clear();
    if (results.empty() || !results.back().Ok()) {
        const FitResult& result = results.back();
        QString message = QString::fromStdString(FailureText(result));
        if (records.size() > 1) {
            const analysis::FitRecord& failed = records[results.size() - 1];
            message = QCoreApplication::translate("FitDialog", "Región de %1 a %2: %3")
                          .arg(Number(failed.xMin, 10), Number(failed.xMax, 10), message);
        }
        progressLine->setText(
            result.failure == FitFailure::Stopped
                ? QCoreApplication::translate("FitDialog", "Ajuste detenido: la tabla no cambia.")
                : message);
        if (result.failure == FitFailure::NoConvergence) {
            verdict->setText(QString::fromStdString(VerdictText(result)));
        }
        // A stop is the user's own doing; any other failure is told aloud.
        if (result.failure != FitFailure::Stopped) {
            services_.AfxMessageBox(this, message, MessageKind::Warning);
        }
        UpdateButtons();
        return;
    }
    ShownFits shown;
    for (std::size_t k = 0; k < records.size(); ++k) {
        records[k].result = std::move(results[k]);
        shown.push_back(std::make_shared<const analysis::FitRecord>(std::move(records[k])));
    }
    // Of several, the region picked is shown, else the last.
    shown_ = shown.back();
    if (shown.size() > 1) {
        if (picked_ && *picked_ < shown.size()) {
            shown_ = shown[*picked_];
        }
        shownAll_ = shown;
        progressLine->setText(QCoreApplication::translate(
                                  "FitDialog", "Ajustadas %1 regiones; se muestra la de %2 a %3.")
                                  .arg(shown.size())
                                  .arg(Number(shown_->xMin, 10), Number(shown_->xMax, 10)));
    } else {
        progressLine->setText(
            QCoreApplication::translate("FitDialog", "Ajuste terminado en %1 iteraciones.")
                .arg(shown_->result.iterations));
    }
    ShowResult(*shown_);
    UpdateButtons();
    emit fitChanged(ShownAll());
}

ShownFits FitDialog::ShownAll() const {
    if (!shownAll_.empty()) {
        return shownAll_;
    }
    return shown_ ? ShownFits{shown_} : ShownFits{};
}

void FitDialog::ShowResult(const analysis::FitRecord& shown) {
    resultList->clear();
    const FitResult& result = shown.result;
    // Newest on top, as the peak list.
    for (auto band = result.bands.rbegin(); band != result.bands.rend(); ++band) {
        QStringList cells;
        for (const Estimate* e : {&band->position, &band->intensity, &band->width, &band->area}) {
            const auto [value, error] = Readable(*e);
            cells << value << error;
        }
        if (IsMixed(result.table.Band(band->index).shape)) {
            const auto [value, error] = Readable(band->share);
            cells << value << error;
        }
        new QTreeWidgetItem(resultList, cells);
    }
    // The share's columns only for a fit with bands of mixed shape.
    bool mixed = false;
    for (const Peak& band : result.table.bands) {
        mixed = mixed || IsMixed(band.shape);
    }
    resultList->setColumnHidden(8, !mixed);
    resultList->setColumnHidden(9, !mixed);
    QString baseline = QCoreApplication::translate("FitDialog", "ninguna");
    if (!result.baseline.empty()) {
        // About the centre of the range, so that c0 is its value there.
        baseline = QStringLiteral("%1 (x − xc), xc = %2:")
                       .arg(QString::fromStdString(BaselineName(shown.settings.baseline)),
                            Number(result.baselineCentre));
        for (std::size_t j = 0; j < result.baseline.size(); ++j) {
            const auto [value, error] = Readable(result.baseline[j]);
            baseline += QStringLiteral(" c%1 = %2 ± %3").arg(j).arg(value, error);
        }
    }
    statistics->setText(
        QCoreApplication::translate("FitDialog",
                                    "Línea base: %1\n%2\nSuma de cuadrados: %3    Puntos: %4    "
                                    "Valores libres: %5    Iteraciones: %6\nParada: %7")
            .arg(baseline, QString::fromStdString(StatisticsText(result)), Number(result.rss, 6))
            .arg(result.points)
            .arg(result.parameters)
            .arg(result.iterations)
            .arg(QString::fromStdString(fit::StopReasonText(result))));
    verdict->setText(QCoreApplication::translate("FitDialog", "Veredicto: %1")
                         .arg(QString::fromStdString(VerdictText(result))));
}

void FitDialog::Forget() {
    if (Running()) {
        return;
    }
    resultList->clear();
    statistics->clear();
    verdict->clear();
    if (shown_) {
        shown_.reset();
        shownAll_.clear();
        progressLine->clear();
        emit fitChanged({});
    }
    UpdateButtons();
}

void FitDialog::UpdateButtons() {
    const bool running = Running();
    for (QWidget* input :
         std::initializer_list<QWidget*>{xMinEdit, xMaxEdit, bandList, positionBox, intensityBox,
                                         widthBox, baselineBox, negativeBox, fitButton}) {
        input->setEnabled(!running);
    }
    stopButton->setEnabled(running);
    regionList->setEnabled(!running);
    addRegionButton->setEnabled(!running && editing_.add != nullptr);
    removeRegionButton->setEnabled(!running && editing_.remove != nullptr && picked_.has_value());
    fitAllButton->setEnabled(!running && !document_.GetAnalysis().regions.empty());
    addBandButton->setEnabled(shown_ != nullptr && !running &&
                              shown_->result.residual.featureHeight != 0.0 &&
                              shown_->result.residual.Fires());
    for (QPushButton* button : {copyButton, reportButton, curvesButton}) {
        button->setEnabled(shown_ != nullptr && !running);
    }
    applyButton->setEnabled(shown_ != nullptr && !running);
}

void FitDialog::CopyResult() const {
    if (shown_) {
        QGuiApplication::clipboard()->setText(
            QString::fromStdString(FitResultText(shown_->result, shown_->settings.baseline)));
    }
}

void FitDialog::reject() {
    stop_ = true;
    if (worker_.valid()) {
        worker_.wait();
        worker_ = {};
        running_.clear();
        tick_->stop();
    }
    QDialog::reject();
}

std::shared_ptr<const analysis::FitRecord> RunFitDialog(
    DocumentContext& context, double xMin, double xMax, const std::vector<int>& selectedRows,
    const Services& services, QWidget* owner, const std::function<void(ShownFits)>& show) {
    document::CTrazelDoc& document = context.Document();
    if (!document.GetAnalysis().measured) {
        return nullptr;
    }
    if (document.Table().PeakCount() == 0) {
        services.AfxMessageBox(
            owner,
            QCoreApplication::translate("FitDialog",
                                        "La tabla no tiene bandas que ajustar. Introduzca o "
                                        "importe primero las bandas de partida."),
            MessageKind::Information);
        return nullptr;
    }
    FitStart start{
        .settings = analysis::FitSettingsInView(document.GetAnalysis().fitSettings, xMin, xMax),
        .lineShape = context.fields.curve.lineShape,
        .useScaled = context.fields.curve.useScaled,
        .selectedRows = selectedRows,
        .viewMin = xMin,
        .viewMax = xMax};
    FitDialog dialog(document, std::move(start), services, owner);
    dialog.SetRegionEditing(
        {.add =
             [&](analysis::FitRegion region) {
                 context.History().Record(
                     QCoreApplication::translate("FitDialog", "Añadir región de ajuste"),
                     [&] { document.AddRegion(std::move(region)); });
             },
         .remove =
             [&](std::size_t index) {
                 context.History().Record(
                     QCoreApplication::translate("FitDialog", "Quitar región de ajuste"),
                     [&] { document.RemoveRegion(index); });
             }});
    // Modal to the main window and so to its plot window too: neither the
    // table nor the spectrum can change under a running fit, and both
    // windows go on painting.
    dialog.setWindowModality(Qt::WindowModal);
    if (show) {
        QObject::connect(&dialog, &FitDialog::fitChanged, &dialog,
                         [&show](ShownFits fits) { show(std::move(fits)); });
    }
    const int answer = services.DoModal(dialog);
    ShownFits fits = dialog.ShownAll();
    if (answer != QDialog::Accepted) {
        fits.clear();
    }
    std::shared_ptr<const analysis::FitRecord> fit = fits.empty() ? nullptr : fits.back();
    if (fit) {
        // Bands the fit left without signal are dead rows in the table: the
        // user may leave them out with the fit, in the same step.
        std::vector<int> dead;
        for (const auto& one : fits) {
            for (const int index : analysis::BandsWithoutSignal(*one)) {
                if (std::find(dead.begin(), dead.end(), index) == dead.end()) {
                    dead.push_back(index);
                }
            }
        }
        std::sort(dead.begin(), dead.end());
        bool drop = false;
        if (!dead.empty()) {
            QStringList numbers;
            for (const int index : dead) {
                numbers << QString::number(index);
            }
            const QString question =
                dead.size() == 1
                    ? QCoreApplication::translate(
                          "FitDialog",
                          "La banda %1 terminó el ajuste sin señal (sin altura, o con la altura "
                          "en su límite).\n\n¿Quitar 1 banda sin señal al aplicar el ajuste?")
                          .arg(numbers.front())
                    : QCoreApplication::translate(
                          "FitDialog",
                          "Las bandas %1 terminaron el ajuste sin señal (sin altura, o con la "
                          "altura en su límite).\n\n¿Quitar %2 bandas sin señal al aplicar el "
                          "ajuste?")
                          .arg(numbers.join(QStringLiteral(", ")))
                          .arg(dead.size());
            drop = services.AfxMessageBox(owner, question, MessageKind::Question,
                                          MessageButtons::YesNo) == MessageAnswer::Yes;
        }
        // The bands and the baseline go in together, as one step.
        context.History().Record(
            QCoreApplication::translate("FitDialog", "Ajustar al espectro medido"), [&] {
                for (const auto& one : fits) {
                    document.ApplyFit(*one);
                }
                if (drop) {
                    std::vector<int> rows;
                    for (const int index : dead) {
                        rows.push_back(document.Table().PeakCount() - index);
                    }
                    document.DeleteRows(rows);
                }
            });
    }
    if (show) {
        show({});
    }
    return fit;
}

}  // namespace trazel::ui
