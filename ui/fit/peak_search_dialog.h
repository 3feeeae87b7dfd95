#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "analysis/peak_search.h"
#include "document/trazel_doc.h"
#include "platform/qt/services.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace trazel::ui {

class DocumentContext;

// The bands of the document's measured spectrum between two x values, found
// again whenever an option changes and shown in a list before anything
// changes: the smoothing, the least prominence and separation, shoulders or
// not. "Añadir" and "Reemplazar la tabla" close it accepted; the dialog
// itself changes nothing.
class PeakSearchDialog : public QDialog {
    Q_OBJECT

  public:
    PeakSearchDialog(const document::CTrazelDoc& document, double xMin, double xMax,
                     const analysis::PeakSearchSettings& start, const platform::Services& services,
                     QWidget* owner = nullptr);

    // The options the controls describe; a separation that is no number is
    // left to the data.
    analysis::PeakSearchSettings Settings() const;
    const analysis::PeakSearchResult& Found() const { return found_; }
    // Whether the user chose "Reemplazar la tabla" rather than "Añadir".
    bool Replace() const { return replace_; }
    // How many of the bands found "Añadir" would put in.
    int Room() const;

    QSpinBox* windowBox = nullptr;
    QSpinBox* orderBox = nullptr;
    QDoubleSpinBox* prominenceBox = nullptr;
    QLineEdit* distanceEdit = nullptr;
    QCheckBox* shouldersBox = nullptr;
    QLabel* summary = nullptr;
    QTreeWidget* preview = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* replaceButton = nullptr;

  signals:
    // The bands to mark in the plot window, after every search.
    void bandsFound(const std::vector<analysis::FoundBand>& bands);

  private:
    void CreateControls(const analysis::PeakSearchSettings& start);
    void Search();

    const document::CTrazelDoc& document_;
    double xMin_;
    double xMax_;
    platform::Services services_;
    analysis::PeakSearchResult found_;
    bool replace_ = false;
};

// Finds bands in the document's measured spectrum between xMin and xMax (the
// range shown) in the dialog, from the options the document last kept.
// "Añadir" or "Reemplazar la tabla" puts them in
// (document::CTrazelDoc::PutFoundBands) as one step of the history, with the
// options, and every window follows. mark
// is told of the bands to show while the dialog is open, and of none when it
// closes. The number of bands put in.
int RunPeakSearch(DocumentContext& context, double xMin, double xMax,
                  const platform::Services& services, QWidget* owner,
                  const std::function<void(const std::vector<analysis::FoundBand>&)>& mark = {});

}  // namespace trazel::ui
