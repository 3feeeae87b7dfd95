#include "ui/dialogs/import_bands_dlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTreeWidget>

#include "platform/number_format.h"
#include "platform/qt/modal_dialogs.h"

using namespace trazel::platform;

namespace trazel::ui {

namespace {

using K = ControlKind;

const ControlTemplate kControls[] = {
    {IDC_IMPORT_FILE, K::Label, "", 7, 7, 306, 9},
    {CImportBandsDlg::kSummaryId, K::Label, "", 7, 18, 306, 26},
    {CImportBandsDlg::kPreviewId, K::List, "", 7, 46, 306, 96},
    {0, K::Label, QT_TRANSLATE_NOOP("ImportBandsDialog", "&Anchura"), 7, 148, 50, 9},
    {CImportBandsDlg::kWidthId, K::Edit, "", 7, 157, 50, 14},
    {0, K::Label, QT_TRANSLATE_NOOP("ImportBandsDialog", "&Escala"), 64, 148, 50, 9},
    {CImportBandsDlg::kScaleId, K::Edit, "", 64, 157, 50, 14},
    {CImportBandsDlg::kAreasId, K::Check,
     QT_TRANSLATE_NOOP("ImportBandsDialog", "La &columna de intensidad contiene áreas"), 124, 159,
     189, 10},
    {0, K::Label,
     QT_TRANSLATE_NOOP(
         "ImportBandsDialog",
         "La anchura y la escala son las de las bandas para las que el archivo no da ninguna."),
     7, 176, 306, 9},
    {IDOK, K::DefaultButton, QT_TRANSLATE_NOOP("ImportBandsDialog", "Aceptar"), 204, 192, 50, 14},
    {IDCANCEL, K::Button, QT_TRANSLATE_NOOP("ImportBandsDialog", "Cancelar"), 263, 192, 50, 14},
};

const DialogTemplate kTemplate{QT_TRANSLATE_NOOP("ImportBandsDialog", "Importar bandas"),
                               320,
                               213,
                               kControls,
                               true,
                               "ImportBandsDialog"};

constexpr char kNotANumber[] = QT_TRANSLATE_NOOP("ImportBandsDialog", "Introduzca un número.");

QString Tr(const char* text) {
    return QCoreApplication::translate("ImportBandsDialog", text);
}

QWidget* CreatePreview(const ControlTemplate&, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setFocusPolicy(Qt::NoFocus);
    list->header()->setSectionsClickable(false);
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
    for (const int id : {kWidthId, kScaleId}) {
        connect(Edit(id), &QLineEdit::textEdited, this, &CImportBandsDlg::ShowPreview);
    }
    connect(Button(kAreasId), &QAbstractButton::toggled, this, &CImportBandsDlg::ShowPreview);
}

QLabel* CImportBandsDlg::Summary() const {
    return qobject_cast<QLabel*>(GetDlgItem(kSummaryId));
}

QTreeWidget* CImportBandsDlg::Preview() const {
    return qobject_cast<QTreeWidget*>(GetDlgItem(kPreviewId));
}

void CImportBandsDlg::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    ShowPreview();
}

void CImportBandsDlg::ShowPreview() {
    // A width left empty, or not above 0, gives none: a list with widths of
    // its own needs none, and the preview of one without says it is missing.
    const QString widthText = Edit(kWidthId)->text().trimmed();
    const auto width =
        widthText.isEmpty() ? std::optional(0.0) : ParseDouble(widthText.toStdString());
    const auto bandScale = ParseDouble(Edit(kScaleId)->text().toStdString());
    if (!width || !bandScale) {
        BandPreview refused;
        refused.summary = Tr(kNotANumber);
        Show(refused);
        return;
    }
    Show(source_(
        BandImportChoice{std::max(*width, 0.0), *bandScale, Button(kAreasId)->isChecked()}));
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
    const BandPreview preview =
        source_(BandImportChoice{std::max(bandWidth, 0.0), scale, areas != 0});
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
    if (RunModal(dialog) != IDOK) {
        return false;
    }
    choice = BandImportChoice{dialog.bandWidth, dialog.scale, dialog.areas != 0};
    return true;
}

}  // namespace trazel::ui
