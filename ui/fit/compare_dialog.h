#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "analysis/comparison_record.h"
#include "document/trazel_doc.h"
#include "platform/qt/services.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace trazel::ui {

class DocumentContext;

// The document's band list, taken as computed, brought onto its measured
// spectrum over a range with a few shared values (scale factor, optionally a
// shift, width, share, intensity factor and baseline), and which computed
// band is which measured one. "Comparar" works it out and shows it; the
// dialog itself changes nothing: "Aplicar" closes it accepted.
class CompareDialog : public QDialog {
    Q_OBJECT

  public:
    CompareDialog(const document::CTrazelDoc& document, double xMin, double xMax,
                  std::int32_t lineShape, const platform::Services& services,
                  QWidget* owner = nullptr);

    // The comparison shown, if one was reached.
    const std::optional<analysis::ComparisonRecord>& Shown() const { return shown_; }

    QLineEdit* xMinEdit = nullptr;
    QLineEdit* xMaxEdit = nullptr;
    QCheckBox* shiftBox = nullptr;
    QCheckBox* widthBox = nullptr;
    QCheckBox* shareBox = nullptr;
    QComboBox* baselineBox = nullptr;
    QPushButton* compareButton = nullptr;
    QLabel* result = nullptr;
    QTreeWidget* assignment = nullptr;
    QPushButton* reportButton = nullptr;
    QPushButton* assignmentButton = nullptr;
    QPushButton* applyButton = nullptr;

    // Works the comparison out for the values of the controls; false (after
    // saying why) when they are no range or no comparison is reached.
    bool Compare();

  signals:
    // The comparison to draw in the plot window, after each one; none when
    // the values shown no longer hold.
    void compared(std::shared_ptr<const analysis::ComparisonRecord> record);

  private:
    void CreateControls(double xMin, double xMax);
    void Forget();
    void Show();
    void Export(bool report);

    const document::CTrazelDoc& document_;
    std::int32_t lineShape_;
    platform::Services services_;
    std::optional<analysis::ComparisonRecord> shown_;
};

// Compares the document's bands with its measured spectrum in the dialog,
// starting from the range shown (xMin..xMax) or that of the stored
// comparison. "Aplicar" writes the comparison into the document
// (document::CTrazelDoc::ApplyComparison) as one step of the history. draw is
// told of each comparison while the dialog is open, and of the document's
// own (or none) when it closes. Whether it was applied.
bool RunCompareDialog(
    DocumentContext& context, double xMin, double xMax, std::int32_t lineShape,
    const platform::Services& services, QWidget* owner,
    const std::function<void(std::shared_ptr<const analysis::ComparisonRecord>)>& draw = {});

}  // namespace trazel::ui
