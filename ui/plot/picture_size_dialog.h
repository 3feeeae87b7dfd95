#pragma once

#include <QDialog>

#include "figure/picture_file.h"

class QComboBox;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;

namespace trazel::ui {

// The size of an exported picture: width and height in centimetres, inches
// or pixels, the resolution in dots per inch, and the pixels these make; and
// whether the fitted bands are filled. Starts from the choice made last.
class PictureSizeDialog : public QDialog {
    Q_OBJECT

  public:
    enum Unit { Centimetres = 0, Inches = 1, Pixels = 2 };

    explicit PictureSizeDialog(QWidget* parent = nullptr);

    figure::PictureSize Size() const;
    bool FillComponents() const;
    // Remembers the choice for the next export.
    void Remember() const;

    // The controls, for the tests that fill them in.
    QComboBox* unit = nullptr;
    QDoubleSpinBox* width = nullptr;
    QDoubleSpinBox* height = nullptr;
    QDoubleSpinBox* dpi = nullptr;
    QCheckBox* fill = nullptr;

  private:
    // Converts the width and height shown to the unit chosen now.
    void UnitChanged();
    void ShowPixels();
    // Inches per unit of u at the resolution shown.
    double InchesPer(int u) const;

    QLabel* pixels_ = nullptr;
    int shownUnit_ = Centimetres;
};

}  // namespace trazel::ui
