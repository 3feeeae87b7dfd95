#include "ui/plot/picture_size_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>

// The texts are translated in the context "PictureSizeDialog", named outright: tr() would
// look them up under the class's name with its namespace, which lupdate,
// reading this file without the headers it includes, does not see.
namespace trazel::ui {

using namespace trazel::figure;

namespace {

const QString kGroup = QStringLiteral("PictureSize/");

}  // namespace

PictureSizeDialog::PictureSizeDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("PictureSizeDialog", "Tamaño de la imagen"));
    auto* form = new QFormLayout(this);
    unit = new QComboBox(this);
    unit->addItems({QCoreApplication::translate("PictureSizeDialog", "centímetros"),
                    QCoreApplication::translate("PictureSizeDialog", "pulgadas"),
                    QCoreApplication::translate("PictureSizeDialog", "píxeles")});
    width = new QDoubleSpinBox(this);
    height = new QDoubleSpinBox(this);
    dpi = new QDoubleSpinBox(this);
    dpi->setRange(10, 10000);
    dpi->setDecimals(0);
    dpi->setSuffix(QCoreApplication::translate("PictureSizeDialog", " ppp"));
    fill = new QCheckBox(
        QCoreApplication::translate("PictureSizeDialog", "Sombrear las bandas a&justadas"), this);
    pixels_ = new QLabel(this);
    form->addRow(QCoreApplication::translate("PictureSizeDialog", "&Unidades:"), unit);
    form->addRow(QCoreApplication::translate("PictureSizeDialog", "&Ancho:"), width);
    form->addRow(QCoreApplication::translate("PictureSizeDialog", "A&lto:"), height);
    form->addRow(QCoreApplication::translate("PictureSizeDialog", "&Resolución:"), dpi);
    form->addRow(QCoreApplication::translate("PictureSizeDialog", "Píxeles del PNG:"), pixels_);
    form->addRow(fill);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);

    const QSettings settings;
    const PictureSize standard = DefaultPictureSize();
    dpi->setValue(settings.value(kGroup + QStringLiteral("dpi"), standard.dpi).toDouble());
    const double inchesWide =
        settings.value(kGroup + QStringLiteral("widthInches"), standard.inches.width()).toDouble();
    const double inchesHigh =
        settings.value(kGroup + QStringLiteral("heightInches"), standard.inches.height())
            .toDouble();
    shownUnit_ = std::clamp(settings.value(kGroup + QStringLiteral("unit"), 0).toInt(), 0, 2);
    unit->setCurrentIndex(shownUnit_);
    fill->setChecked(settings.value(kGroup + QStringLiteral("fill"), false).toBool());
    for (QDoubleSpinBox* box : {width, height}) {
        box->setRange(0.01, 20000);
        box->setDecimals(shownUnit_ == Pixels ? 0 : 2);
    }
    width->setValue(inchesWide / InchesPer(shownUnit_));
    height->setValue(inchesHigh / InchesPer(shownUnit_));
    ShowPixels();
    connect(unit, &QComboBox::currentIndexChanged, this, &PictureSizeDialog::UnitChanged);
    for (QDoubleSpinBox* box : {width, height, dpi}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &PictureSizeDialog::ShowPixels);
    }
}

double PictureSizeDialog::InchesPer(int u) const {
    switch (u) {
        case Centimetres:
            return 1.0 / kCentimetresPerInch;
        case Inches:
            return 1.0;
        default:
            return 1.0 / dpi->value();
    }
}

void PictureSizeDialog::UnitChanged() {
    const double w = width->value() * InchesPer(shownUnit_);
    const double h = height->value() * InchesPer(shownUnit_);
    shownUnit_ = unit->currentIndex();
    for (QDoubleSpinBox* box : {width, height}) {
        box->setDecimals(shownUnit_ == Pixels ? 0 : 2);
    }
    width->setValue(w / InchesPer(shownUnit_));
    height->setValue(h / InchesPer(shownUnit_));
}

PictureSize PictureSizeDialog::Size() const {
    const double per = InchesPer(shownUnit_);
    return {QSizeF(width->value() * per, height->value() * per), dpi->value()};
}

bool PictureSizeDialog::FillComponents() const {
    return fill->isChecked();
}

void PictureSizeDialog::ShowPixels() {
    const PictureSize size = Size();
    const std::string problem = PictureSizeProblem(size);
    const QSize p = size.Pixels();
    pixels_->setText(problem.empty() ? QStringLiteral("%1 × %2").arg(p.width()).arg(p.height())
                                     : QString::fromStdString(problem));
    if (auto* ok = findChild<QDialogButtonBox*>()) {
        ok->button(QDialogButtonBox::Ok)->setEnabled(problem.empty());
    }
}

void PictureSizeDialog::Remember() const {
    QSettings settings;
    const PictureSize size = Size();
    settings.setValue(kGroup + QStringLiteral("unit"), shownUnit_);
    settings.setValue(kGroup + QStringLiteral("widthInches"), size.inches.width());
    settings.setValue(kGroup + QStringLiteral("heightInches"), size.inches.height());
    settings.setValue(kGroup + QStringLiteral("dpi"), size.dpi);
    settings.setValue(kGroup + QStringLiteral("fill"), FillComponents());
}

}  // namespace trazel::ui
