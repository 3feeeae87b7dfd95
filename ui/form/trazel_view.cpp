#include "ui/form/trazel_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTimer>
#include <QTreeWidget>
#include <array>

#include "analysis/fit_export.h"
#include "document/trazel_doc.h"
#include "input/band_list.h"
#include "output/peak_list.h"
#include "platform/number_format.h"
#include "platform/qt/control_builder.h"
#include "platform/qt/dialog_units.h"
#include "platform/qt/painter_dc.h"
#include "platform/qt/print_driver.h"
#include "platform/version.h"
#include "ui/control_ids.h"
#include "ui/dialogs/import_bands_dlg.h"
#include "ui/dialogs/output_file_dialog.h"
#include "ui/dialogs/output_format_dlg.h"
#include "ui/dialogs/peak_edit_dlg.h"
#include "ui/form/band_import.h"
#include "ui/form/export_run.h"
#include "ui/form/form_picture.h"
#include "ui/form/form_template.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace trazel::ui {

namespace {

struct ColumnTemplate {
    Qt::Alignment alignment;
    int width;  // pixels
};

const std::array<ColumnTemplate, kPeakListColumns> kColumns = {{
    {Qt::AlignHCenter, 50},
    {Qt::AlignHCenter, 50},
    {Qt::AlignHCenter, 60},
    {Qt::AlignHCenter, 70},
    {Qt::AlignHCenter, 65},
    {Qt::AlignLeft, 20},
}};

// The kinds of control that only the form has.
QWidget* CreatePeakList(const ControlTemplate&, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSortingEnabled(false);
    list->header()->setSectionsMovable(false);
    list->header()->setSectionsClickable(false);
    list->header()->setStretchLastSection(false);
    list->setColumnCount(0);
    // The selection stays visible while another control has the focus.
    QPalette palette = list->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    list->setPalette(palette);
    return list;
}

QWidget* CreateProgressBar(const ControlTemplate&, QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setTextVisible(false);
    return bar;
}

QWidget* CreatePicture(const ControlTemplate&, QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setPixmap(FormPicture());
    return picture;
}

}  // namespace

CTrazelView::CTrazelView(DocumentContext& context, const Services& services, QWidget* parent)
    : QWidget(parent),
      fields(context.fields),
      context_(context),
      document_(context.Document()),
      services_(services) {
    setObjectName(QStringLiteral("CTrazelView"));
    setFont(FormFont());
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setFixedSize(DialogRect(0, 0, kFormTemplate.width, kFormTemplate.height).size());
    CreateControls();
    DoDataExchange();
    // The form's mnemonics come before the menu bar's; see eventFilter.
    qApp->installEventFilter(this);
    connect(&context_, &DocumentContext::changed, this, &CTrazelView::DocumentChanged);
    connect(&context_, &DocumentContext::formLimitsOffered, this,
            [this](const std::array<QString, 4>& texts) {
                const int ids[] = {IDC_X_MIN, IDC_X_MAX, IDC_Y_MIN, IDC_Y_MAX};
                for (std::size_t i = 0; i < texts.size(); ++i) {
                    SetDlgItemText(ids[i], texts[i]);
                }
            });
}

void CTrazelView::Record(const QString& text, const std::function<void()>& operation) {
    recording_ = true;
    context_.History().Record(text, operation);
    recording_ = false;
}

void CTrazelView::DocumentChanged(document::DocumentChange what) {
    if (!recording_ && document::Touches(what, document::DocumentChange::Table)) {
        FillPeakList();
    }
}

void CTrazelView::CreateControls() {
    BuiltControls built = BuildControls(kFormTemplate, this,
                                        {{ControlKind::List, CreatePeakList},
                                         {ControlKind::Progress, CreateProgressBar},
                                         {ControlKind::Picture, CreatePicture}});
    controls_ = std::move(built.byId);
    mnemonics_ = std::move(built.mnemonics);
    defaultButton_ = built.defaultButton;

    const auto button = [this](int id) { return static_cast<QAbstractButton*>(controls_.at(id)); };
    const std::pair<int, void (CTrazelView::*)()> commands[] = {
        {IDC_ADD_PEAK, &CTrazelView::OnAddPeak},
        {IDC_UNIQUE_WIDTH_ON, &CTrazelView::OnUniqueWidth},
        {IDC_CLEAR_ALL, &CTrazelView::OnClearAll},
        {IDC_DELETE_SELECTION, &CTrazelView::OnDeleteSelection},
        {IDC_EDIT_SELECTION, &CTrazelView::OnEditSelection},
        {IDC_ASSIGN_WIDTH, &CTrazelView::OnAssignWidth},
        {IDC_SHOW_CURVES, &CTrazelView::OnShowCurves},
        {IDC_SCALE_SELECTION, &CTrazelView::OnScaleSelection},
        {IDC_EXPORT, &CTrazelView::OnExport},
        {IDC_PLOT, &CTrazelView::OnPlot},
        {IDC_GAUSSIAN, &CTrazelView::OnGaussian},
        {IDC_LORENTZIAN, &CTrazelView::OnLorentzian},
        {IDC_JOIN_POINTS, &CTrazelView::OnJoinPoints},
        {IDC_USE_SCALED, &CTrazelView::OnUseScaled},
    };
    for (const auto& [id, handler] : commands) {
        // clicked, not toggled: the user's click is the command, while data
        // exchange setting a box must not run anything.
        connect(button(id), &QAbstractButton::clicked, this, handler);
    }
}

void CTrazelView::DoDataExchange() {
    const auto edit = [this](int id) { return static_cast<QLineEdit*>(controls_.at(id)); };
    const auto check = [this](int id) { return static_cast<QCheckBox*>(controls_.at(id)); };
    const auto radio = [this](int id) { return static_cast<QRadioButton*>(controls_.at(id)); };
    dx_.Control(progressBar, static_cast<QProgressBar*>(controls_.at(IDC_PROGRESS)));
    dx_.Control(positionEdit, edit(IDC_POSITION));
    dx_.Control(peakList, static_cast<QTreeWidget*>(controls_.at(IDC_PEAK_LIST)));
    dx_.Text(edit(IDC_POSITION), fields.position);
    dx_.Text(edit(IDC_INTENSITY), fields.intensity);
    dx_.Text(edit(IDC_WIDTH), fields.width);
    dx_.Check(check(IDC_UNIQUE_WIDTH_ON), fields.uniqueWidthOn);
    dx_.Text(edit(IDC_UNIQUE_WIDTH), fields.uniqueWidth);
    dx_.Text(edit(IDC_X_MIN), fields.curve.xMin);
    dx_.Text(edit(IDC_X_MAX), fields.curve.xMax);
    dx_.Text(edit(IDC_Y_MIN), fields.curve.yMin);
    dx_.Text(edit(IDC_Y_MAX), fields.curve.yMax);
    dx_.Radio({radio(IDC_GAUSSIAN), radio(IDC_LORENTZIAN)}, fields.curve.lineShape);
    dx_.Check(check(IDC_JOIN_POINTS), fields.curve.joinPoints);
    dx_.Text(edit(IDC_SCALE), fields.scale);
    dx_.Check(check(IDC_USE_SCALED), fields.curve.useScaled);
}

bool CTrazelView::UpdateData(bool saveAndValidate) {
    const bool read = dx_.UpdateData(saveAndValidate);
    // Every repaint draws the graph from the fields, so once it is shown its
    // labels follow the fields as they are read, whether or not the reading
    // got to the end.
    if (saveAndValidate && fields.graphShown) {
        ShowGraphLabels(GraphLabelTexts(CurrentGraphSettings().curve));
    }
    return read;
}

QWidget* CTrazelView::GetDlgItem(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void CTrazelView::SetDlgItemText(int id, const QString& text) {
    QWidget* control = GetDlgItem(id);
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    }
}

QString CTrazelView::GetDlgItemText(int id) const {
    QWidget* control = GetDlgItem(id);
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->text();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        return edit->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return button->text();
    }
    return QString();
}

void CTrazelView::OnInitialUpdate() {
    UpdateData(false);
    ResizeParentToFit(true);

    fields.curve.joinPoints = false;
    fields.graphShown = false;
    fields.outputPath = "datos.txt";
    fields.decimalComma = true;
    fields.screenSamples = 250;
    fields.resolution = 250;
    if (peakList->columnCount() == 0) {
        InsertColumns();
    }
    fields.curve.lineShape = Gaussian;
    fields.scale = 1.0;
    progressBar->setRange(0, fields.screenSamples);
    progressBar->setValue(0);
    fields.curve.useScaled = false;
    context_.History().Reset();
    UpdateData(false);
    // As in a dialog, the form starts on its first field with the text
    // selected, ready to be typed over.
    if (QWidget* focus = window()->focusWidget(); focus == nullptr || focus == positionEdit) {
        positionEdit->setFocus(Qt::OtherFocusReason);
        positionEdit->selectAll();
    }
    FillPeakList();
    ShowGraphLabels(GraphLabels{});
    // The graph of the previous document must go with its labels: with the
    // flag cleared, the repaint leaves the box area empty.
    update();
}

void CTrazelView::InsertColumns() {
    QStringList headings;
    for (const char* heading : kPeakListHeadings) {
        headings << PeakListHeading(heading);
    }
    peakList->setColumnCount(kPeakListColumns);
    peakList->setHeaderLabels(headings);
    for (int c = 0; c < kPeakListColumns; ++c) {
        peakList->headerItem()->setTextAlignment(c, kColumns[c].alignment | Qt::AlignVCenter);
        peakList->header()->resizeSection(c, kColumns[c].width);
    }
}

void CTrazelView::FillPeakList() {
    peakList->clear();
    const PeakTable& table = document_.Table();
    // "Forma" is a column only while some band has a shape of its own: a
    // table whose bands all follow the document shows as it always has.
    const bool shapes = HasOwnShapes(table);
    if (peakList->columnCount() > 0 && shapes != (peakList->columnCount() > kPeakListColumns)) {
        peakList->setColumnCount(kPeakListColumns + (shapes ? 1 : 0));
        if (shapes) {
            peakList->headerItem()->setText(kPeakListColumns, PeakListHeading(kPeakShapeHeading));
            peakList->headerItem()->setTextAlignment(kPeakListColumns,
                                                     Qt::AlignLeft | Qt::AlignVCenter);
            peakList->header()->resizeSection(kPeakListColumns, 60);
        }
    }
    for (int i = 1; i <= table.PeakCount(); ++i) {
        auto* item = new QTreeWidgetItem;
        const auto cells = PeakListCells(table, i);
        for (int c = 0; c < kPeakListColumns; ++c) {
            item->setText(c, QString::fromStdString(cells[c]));
            item->setTextAlignment(c, kColumns[c].alignment | Qt::AlignVCenter);
        }
        if (shapes) {
            item->setText(kPeakListColumns, QString::fromStdString(PeakShapeCell(table, i)));
            item->setTextAlignment(kPeakListColumns, Qt::AlignLeft | Qt::AlignVCenter);
        }
        peakList->insertTopLevelItem(0, item);
    }
}

std::vector<int> CTrazelView::SelectedRows() const {
    std::vector<int> rows;
    for (int row = 0; row < peakList->topLevelItemCount(); ++row) {
        if (peakList->topLevelItem(row)->isSelected()) {
            rows.push_back(row);
        }
    }
    return rows;
}

QSize CTrazelView::FrameSizeToFit() const {
    QWidget* frame = window();
    if (frame == this) {
        return size();
    }
    // Lay the frame out first, so that the space the form has is current.
    if (frame->layout() != nullptr) {
        frame->layout()->activate();
    }
    QSize visible = parentWidget()->size();
    for (QWidget* w = parentWidget(); w != nullptr && w != frame; w = w->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(w)) {
            visible = area->maximumViewportSize();
            break;
        }
    }
    return frame->size() + size() - visible;
}

void CTrazelView::ResizeParentToFit(bool shrinkOnly) {
    QWidget* frame = window();
    if (frame == this) {
        return;
    }
    QSize fit = FrameSizeToFit();
    if (shrinkOnly) {
        fit = fit.boundedTo(frame->size());
    }
    if (fit != frame->size()) {
        frame->resize(fit);
    }
}

void CTrazelView::OnAddPeak() {
    if (!UpdateData(true)) {
        return;
    }
    if (document_.Table().IsFull()) {
        return;
    }
    Record(QCoreApplication::translate("Form", "Introducir"), [this] {
        document_.AddPeak(fields.position, fields.intensity, TypedWidth(), fields.scale);
    });
    FillPeakList();
    positionEdit->setFocus(Qt::OtherFocusReason);
    positionEdit->selectAll();
}

double CTrazelView::TypedWidth() const {
    return fields.uniqueWidthOn ? fields.uniqueWidth : fields.width;
}

void CTrazelView::OnImportBands() {
    // The bands start with what a typed peak would get, so the form is read
    // as "Introducir" reads it.
    if (!UpdateData(true)) {
        return;
    }
    const auto chosen = services_.Files().GetOpenFileName(
        window(), QCoreApplication::translate("Form", "Importar bandas"), QString());
    if (!chosen) {
        return;
    }
    const std::string path = QFile::encodeName(*chosen).toStdString();
    const int room = kMaxPeaks - document_.Table().PeakCount();
    const std::int32_t lineShape = fields.curve.lineShape;
    const auto read = [&](const BandImportChoice& choice) {
        return input::ReadBandList(path, ImportOptions(choice, lineShape, room));
    };
    BandImportChoice choice{TypedWidth(), fields.scale, false};
    // A fault of the file itself (none there, a folder, a bad line, too many
    // bands) is told at once; a width the dialog has to mend is not one.
    BandImportChoice usable = choice;
    usable.width = choice.width > 0.0 ? choice.width : 1.0;
    if (const auto first = read(usable); !first.Ok()) {
        services_.AfxMessageBox(QString::fromStdString(first.Message()));
        return;
    }
    const BandPreviewSource preview = [&](const BandImportChoice& c) {
        return PreviewOf(read(c), c, lineShape);
    };
    if (!RunImportBands(QFileInfo(*chosen).fileName(), preview, choice, window(), services_)) {
        return;
    }
    const auto bands = read(choice);
    if (!bands.Ok()) {
        services_.AfxMessageBox(QString::fromStdString(bands.Message()));
        return;
    }
    Record(QCoreApplication::translate("Form", "Importar bandas"),
           [&] { document_.AddBands(bands.Value().bands); });
    FillPeakList();
}

void CTrazelView::OnUniqueWidth() {
    UpdateData(true);
    // A bad text before the box stops the read with the field still holding
    // the old state. The enabled fields follow what the box shows instead, so
    // the width field the user sees enabled is the one the next peak takes
    // (the next read takes the box as shown).
    const bool on = static_cast<QCheckBox*>(GetDlgItem(IDC_UNIQUE_WIDTH_ON))->isChecked();
    GetDlgItem(IDC_UNIQUE_WIDTH)->setEnabled(on);
    GetDlgItem(IDC_WIDTH)->setEnabled(!on);
    GetDlgItem(IDC_ASSIGN_WIDTH)->setEnabled(on);
    // Every read of the form refuses a text that is not a number and puts the
    // focus on it. A field just switched off cannot take the focus or be typed
    // into, so a bad text left in it would make every later read fail with no
    // way to see why: it goes back to the value the field last held.
    const std::pair<int, double> widths[] = {{IDC_UNIQUE_WIDTH, fields.uniqueWidth},
                                             {IDC_WIDTH, fields.width}};
    for (const auto& [id, value] : widths) {
        auto* edit = static_cast<QLineEdit*>(GetDlgItem(id));
        if (!edit->isEnabled() && !ParseDouble(edit->text().toStdString())) {
            edit->setText(QString::fromStdString(FormatEditDouble(value)));
        }
    }
}

void CTrazelView::OnClearAll() {
    peakList->clear();
    Record(QCoreApplication::translate("Form", "Borrar todo"), [this] { document_.ClearPeaks(); });
}

void CTrazelView::OnDeleteSelection() {
    const auto rows = SelectedRows();
    Record(QCoreApplication::translate("Form", "Borrar Selección"),
           [this, &rows] { document_.DeleteRows(rows); });
    if (!rows.empty()) {
        FillPeakList();
    }
}

void CTrazelView::OnEditSelection() {
    // One step for each dialog accepted. Replacing a peak leaves the count
    // alone, so every row still names the peak it named at the start.
    const auto rows = SelectedRows();
    for (const int row : rows) {
        Record(QCoreApplication::translate("Form", "Editar Selección"),
               [&] { EditPeak(document_, row, window(), services_); });
    }
    if (!rows.empty()) {
        FillPeakList();
    }
}

void CTrazelView::OnAssignWidth() {
    UpdateData(true);
    Record(QCoreApplication::translate("Form", "Asignar"),
           [this] { document_.AssignWidth(fields.uniqueWidth, SelectedRows()); });
    FillPeakList();
}

void CTrazelView::OnShowCurves() {
    UpdateData(true);
    Record(QCoreApplication::translate("Form", "Ver curvas"),
           [this] { document_.ToggleSeparate(SelectedRows()); });
    FillPeakList();
    RedrawIfShown();
}

void CTrazelView::OnScaleSelection() {
    UpdateData(true);
    Record(QCoreApplication::translate("Form", "Escalar Selección"),
           [this] { document_.AssignScale(fields.scale, SelectedRows()); });
    FillPeakList();
}

void CTrazelView::OnExport() {
    // A resolution below 1 would never end the loop; refuse it before the
    // file is touched.
    if (const Status refusal = CheckExportResolution(fields.resolution); !refusal.ok()) {
        services_.AfxMessageBox(QString::fromStdString(refusal.message()));
        return;
    }
    ExportFile file;
    if (const Status error = file.Open(fields.outputPath); !error.ok()) {
        services_.AfxMessageBox(QString::fromStdString(error.message()));
        return;
    }
    // The header goes in before the form is read, so every file that could
    // be opened gets it.
    file.WriteHeader();
    std::optional<std::string> stopped;
    std::optional<std::int64_t> written;
    bool closeAfterwards = false;
    if (UpdateData(true) && XRangeIsNotZero()) {
        // The window stays alive while the lines are written, and Esc stops
        // them; a stopped export leaves the graph as it was.
        ExportRun run(this, progressBar, services_);
        const ExportLinesResult lines =
            file.WriteLines(document_.Table(), CurrentExportSettings(), &run, run.StopToken());
        if (lines.end == ExportEnd::Finished) {
            written = lines.lines;
            fields.graphShown = true;
            DrawGraph();
        } else if (lines.end == ExportEnd::Stopped) {
            stopped = ExportStoppedMessage(lines.lines, fields.outputPath);
        }
        closeAfterwards = run.CloseRequested();
    }
    const Status closeError = file.Close();
    progressBar->setValue(0);
    if (!closeError.ok()) {
        services_.AfxMessageBox(QString::fromStdString(closeError.message()));
    } else if (stopped) {
        services_.AfxMessageBox(QString::fromStdString(*stopped), MessageKind::Information);
    } else if (written) {
        const QString file = QFileInfo(QFile::decodeName(fields.outputPath.c_str())).fileName();
        emit StatusMessage(
            *written == 1 ? QCoreApplication::translate("Form", "Exportada 1 línea a %1").arg(file)
                          : QCoreApplication::translate("Form", "Exportadas %1 líneas a %2")
                                .arg(*written)
                                .arg(file));
    }
    if (closeAfterwards) {
        QTimer::singleShot(0, window(), &QWidget::close);
    }
}

void CTrazelView::OnPlot() {
    if (!UpdateData(true)) {
        return;
    }
    if (XRangeIsNotZero()) {
        fields.graphShown = true;
        DrawGraph();
    }
    // The large plot follows even equal limits, with a note for them.
    emit context_.plotted();
}

void CTrazelView::OnGaussian() {
    RedrawIfShown();
}

void CTrazelView::OnLorentzian() {
    RedrawIfShown();
}

void CTrazelView::OnJoinPoints() {
    RedrawIfShown();
}

void CTrazelView::OnUseScaled() {
    RedrawIfShown();
}

void CTrazelView::OnOutputFormat() {
    RunOutputFormat(fields.decimalComma, fields.resolution, window(), services_);
}

void CTrazelView::OnOutputFile() {
    RunOutputFile(fields.outputPath, window(), services_);
}

PrintJob CTrazelView::MakePrintJob() {
    const analysis::Analysis& stored = document_.GetAnalysis();
    // The title is the document's name as the main window's caption shows it,
    // whatever window is in front while the pages are drawn.
    const std::string caption = window()->windowTitle().toStdString();
    const std::string title = PrintTitleFromCaption(caption);
    // The fit's report, and the comparison's, are laid out once, for the
    // count of their pages and for every page drawn.
    std::vector<std::vector<PlacedText>> fitPages = FitPagesOf(analysis::PrintedSheets(
        stored, {.document = title,
                 .date = QDate::currentDate().toString(Qt::ISODate).toStdString(),
                 .version = platform::kTrazelVersion}));
    const ReportPlan plan = PlanReport(document_.Table().PeakCount() + 1, fields.graphShown,
                                       static_cast<int>(fitPages.size()));
    PrintJob job;
    job.minPage = 1;
    job.maxPage = plan.pages;
    job.documentName = title;
    job.printPage = [this, title, plan, fitPages = std::move(fitPages)](CDC& dc, int page) {
        if (plan.fitPages > 0 && page >= plan.fitPage) {
            PrintFitPage(dc, fitPages, page - plan.fitPage, title);
            if (page == plan.fitPage && fitFigurePrinter_) {
                fitFigurePrinter_(dc, kFitFigureBox, document_.State());
            }
            return;
        }
        if (page == 1 && fields.graphShown) {
            fields.printTitle = title;
        }
        PrintPage(dc, page, document_.Table(), CurrentReportSettings(), title);
    };
    return job;
}

void CTrazelView::OnFilePrint() {
    if (printDriver_ == nullptr) {
        return;
    }
    if (const Status error = printDriver_->Print(window(), MakePrintJob()); !error.ok()) {
        services_.AfxMessageBox(QString::fromStdString(error.message()));
    }
}

void CTrazelView::OnFilePrintDirect() {
    if (printDriver_ == nullptr) {
        return;
    }
    if (const Status error = printDriver_->PrintDirect(MakePrintJob()); !error.ok()) {
        services_.AfxMessageBox(QString::fromStdString(error.message()));
    }
}

void CTrazelView::OnFilePrintPreview() {
    if (printDriver_ != nullptr) {
        printDriver_->Preview(window(), MakePrintJob());
    }
}

void CTrazelView::RedrawIfShown() {
    if (UpdateData(true) && XRangeIsNotZero() && fields.graphShown) {
        DrawGraph();
        emit context_.curvesRead();
    }
}

bool CTrazelView::XRangeIsNotZero() const {
    return !IsZeroRange(fields.curve.xMin, fields.curve.xMax);
}

GraphSettings CTrazelView::CurrentGraphSettings() const {
    return {.curve = fields.curve, .screenSamples = fields.screenSamples};
}

ExportSettings CTrazelView::CurrentExportSettings() const {
    return {.curve = fields.curve,
            .resolution = fields.resolution,
            .decimalComma = fields.decimalComma};
}

ReportSettings CTrazelView::CurrentReportSettings() const {
    return {
        .curve = fields.curve, .graphShown = fields.graphShown, .resolution = fields.resolution};
}

void CTrazelView::DrawGraph() {
    ShowGraphLabels(GraphLabelTexts(CurrentGraphSettings().curve));
    update();
}

void CTrazelView::ShowGraphLabels(const GraphLabels& labels) {
    for (const auto& [id, text] : GraphLabelControls(labels)) {
        SetDlgItemText(id, QString::fromStdString(text));
    }
}

void CTrazelView::PaintGraph(QPainter& painter) {
    QPainterDC dc(painter);
    // The labels it returns are those DrawGraph and UpdateData have shown.
    output::DrawGraph(dc, document_.Table(), CurrentGraphSettings());
}

void CTrazelView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (fields.graphShown) {
        PaintGraph(painter);
    }
}

QWidget* CTrazelView::MnemonicControl(int key) const {
    if (key <= 0 || key > 0xffff) {
        return nullptr;
    }
    const QChar letter = QChar(key).toUpper();
    for (const auto& [mnemonic, control] : mnemonics_) {
        if (mnemonic == letter) {
            return control;
        }
    }
    return nullptr;
}

void CTrazelView::RunMnemonic(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
        if (QWidget* field = label->buddy(); field != nullptr && field->isEnabled()) {
            field->setFocus(Qt::ShortcutFocusReason);
        }
        return;
    }
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (button == nullptr || !button->isEnabled()) {
        return;
    }
    // A check box or radio button takes the focus as it is clicked; a push
    // button is only pressed.
    if (qobject_cast<QPushButton*>(button) == nullptr) {
        button->setFocus(Qt::ShortcutFocusReason);
    }
    button->click();
}

bool CTrazelView::eventFilter(QObject* watched, QEvent* event) {
    // Qt makes a form mnemonic and a menu title on the same letter take turns.
    // Here, as in the dialogs the form comes from, every Alt+letter that the
    // form has a mnemonic for belongs to the form: the override keeps the key
    // from the shortcuts, and the key press that follows runs the mnemonic.
    // Letters the form does not use still open their menus.
    const bool override = event->type() == QEvent::ShortcutOverride;
    if (!override && event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier || widget == nullptr ||
        widget->window() != window() || !isVisible() || QApplication::activePopupWidget()) {
        return false;
    }
    QWidget* control = MnemonicControl(key->key());
    if (control == nullptr) {
        return false;
    }
    if (!override) {
        RunMnemonic(control);
    }
    event->accept();
    return true;
}

void CTrazelView::keyPressEvent(QKeyEvent* event) {
    // Enter that no control took presses the focused push button, as in a
    // dialog, and "Introducir" everywhere else.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier) {
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if (focused != nullptr && isAncestorOf(focused)) {
            focused->click();
        } else if (defaultButton_ != nullptr && defaultButton_->isEnabled()) {
            defaultButton_->click();
        }
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace trazel::ui
