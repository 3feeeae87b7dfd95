#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "output/data_export.h"
#include "output/printed_report.h"
#include "output/screen_graph.h"
#include "platform/qt/data_exchange.h"
#include "platform/qt/services.h"
#include "ui/form/document_history.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPainter;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace trazel::platform {
struct PrintJob;
class PrintDriver;
}  // namespace trazel::platform

namespace trazel::analysis {
class CAnalysisDoc;
struct DocumentState;
}  // namespace trazel::analysis

namespace trazel::ui {

// The view's fields. Those of the form hold what data exchange last moved
// between them and its controls; the others are set by the output dialogs and
// the commands.
struct ViewFields {
    // On the form.
    double position = 0.0;
    double intensity = 0.0;
    double width = 0.0;
    bool uniqueWidthOn = false;
    double uniqueWidth = 0.0;
    // The limits, the line shape (no button checked until the form is first
    // set up), joined points and use of the scaled positions.
    output::CurveSettings curve{.lineShape = -1};
    double scale = 0.0;
    // Not on the form.
    std::int32_t resolution = 250;
    std::string printTitle;
    std::string outputPath;
    bool decimalComma = true;
    std::int32_t screenSamples = 250;
    bool graphShown = false;
};

// The main form: the peak entry fields, the peak list, the graph settings and
// the graph box. It owns every setting that drawing, export and printing use
// and reaches the peak table through its document.
class CTrazelView : public QWidget {
    Q_OBJECT

  public:
    // The view and its dialogs ask the user through services.
    CTrazelView(analysis::CAnalysisDoc& document, const platform::Services& services,
                QWidget* parent = nullptr);

    analysis::CAnalysisDoc& GetDocument() const { return document_; }

    // Runs when the view is first shown and after every New and Open.
    void OnInitialUpdate();
    // Rebuilds the list from the table, newest peak on top.
    void FillPeakList();
    // Moves the controls into the fields (true) or the fields into the
    // controls (false); reading stops at the first text that is not a number.
    bool UpdateData(bool saveAndValidate = true);

    // The controls by their template ids.
    QWidget* GetDlgItem(int id) const;
    void SetDlgItemText(int id, const QString& text);
    QString GetDlgItemText(int id) const;

    // The rows of the list that are selected, top to bottom.
    std::vector<int> SelectedRows() const;

    // The frame size at which the whole form shows, without scrolling.
    QSize FrameSizeToFit() const;

    // Shows the graph's labels and asks for the graph to be painted again from
    // the current fields.
    void DrawGraph();
    // Paints the graph box; called by every repaint while graphShown is set.
    // It writes to no control: the labels are shown before.
    void PaintGraph(QPainter& painter);

    // The settings drawing, export and printing take from the fields; the
    // screen, the paper and the export share the curve settings.
    output::GraphSettings CurrentGraphSettings() const;
    output::ExportSettings CurrentExportSettings() const;
    output::ReportSettings CurrentReportSettings() const;
    // The report as it would print now: its pages and how each is drawn.
    platform::PrintJob MakePrintJob();
    // The printer that print, print preview and print setup share.
    void SetPrintDriver(platform::PrintDriver* driver) { printDriver_ = driver; }
    // Draws the figure of a fit into the box of the report's fit page. The
    // figure is the plot window's, drawn with widgets the form does not
    // know: the application gives the function; without one the page has
    // the report's table alone.
    using FitFigurePrinter =
        std::function<void(platform::CDC&, const output::PageBox&, const analysis::DocumentState&)>;
    void SetFitFigurePrinter(FitFigurePrinter printer) { fitFigurePrinter_ = std::move(printer); }

    // The undo history of the document's changes, of its table and of its
    // analysis; New and Open start it afresh.
    DocumentHistory& History() { return history_; }

    // Controls bound by data exchange.
    QProgressBar* progressBar = nullptr;
    QLineEdit* positionEdit = nullptr;
    QTreeWidget* peakList = nullptr;

    ViewFields fields;

  signals:
    // The list shows the table anew, or was emptied by "Borrar todo": after
    // every change of the table, New and Open.
    void tableChanged();
    // "Representar" read the form and drew the graph.
    void plotted();
    // A drawing option read the form again while the graph is shown.
    void curvesRead();

  public slots:
    void OnAddPeak();
    void OnUniqueWidth();
    void OnClearAll();
    void OnDeleteSelection();
    void OnEditSelection();
    void OnAssignWidth();
    void OnShowCurves();
    void OnScaleSelection();
    void OnExport();
    void OnPlot();
    void OnGaussian();
    void OnLorentzian();
    void OnJoinPoints();
    void OnUseScaled();
    void OnOutputFormat();
    void OnOutputFile();
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // Adds the bands of a file the user chooses, after showing them.
    void OnImportBands();
    void OnUndo() { history_.Undo(); }
    void OnRedo() { history_.Redo(); }

  signals:
    // A short report for the status bar, such as how an export went.
    void StatusMessage(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void CreateControls();
    void ShowGraphLabels(const output::GraphLabels& labels);
    void DoDataExchange();
    void InsertColumns();
    // Shrinks the frame around the form, or grows it too when shrinkOnly is
    // false, so that the whole form shows without scrolling.
    void ResizeParentToFit(bool shrinkOnly);
    // The drawing options' rule: read the form and draw again when that
    // worked, the x range is not empty and the graph has been asked for.
    void RedrawIfShown();
    bool XRangeIsNotZero() const;
    // The width a typed peak takes.
    double TypedWidth() const;
    // The control whose mnemonic is Alt with this key, or nullptr.
    QWidget* MnemonicControl(int key) const;
    // Does what the mnemonic of the control does when it is the only one.
    static void RunMnemonic(QWidget* control);

    analysis::CAnalysisDoc& document_;
    platform::Services services_;
    platform::DataExchange dx_{services_};
    std::map<int, QWidget*> controls_;
    // The labels and buttons with a mnemonic, and its letter in capitals.
    std::vector<std::pair<QChar, QWidget*>> mnemonics_;
    QPushButton* defaultButton_ = nullptr;
    platform::PrintDriver* printDriver_ = nullptr;
    FitFigurePrinter fitFigurePrinter_;
    DocumentHistory history_{document_, [this] { FillPeakList(); }};
};

}  // namespace trazel::ui
