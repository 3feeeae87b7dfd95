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
#include "ui/form/document_context.h"

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
struct DocumentState;
}  // namespace trazel::analysis

namespace trazel::ui {

// The main form: the peak entry fields, the peak list, the graph settings and
// the graph box. Its fields are the document's settings, which the other
// windows share through the context; it reaches the peak table through the
// document, and shows the table anew after every change.
class CTrazelView : public QWidget {
    Q_OBJECT

  public:
    // The view and its dialogs ask the user through services.
    CTrazelView(DocumentContext& context, const platform::Services& services,
                QWidget* parent = nullptr);

    document::CTrazelDoc& GetDocument() const { return document_; }

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

    // Controls bound by data exchange.
    QProgressBar* progressBar = nullptr;
    QLineEdit* positionEdit = nullptr;
    QTreeWidget* peakList = nullptr;

    // The document's settings, shared with the other windows.
    ViewFields& fields;

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
    void OnUndo() { context_.History().Undo(); }
    void OnRedo() { context_.History().Redo(); }

  signals:
    // A short report for the status bar, such as how an export went.
    void StatusMessage(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Runs one of the form's own operations as a step of the history; the
    // form shows the list again itself, as each command says.
    void Record(const QString& text, const std::function<void()>& operation);
    // What another window changed: the list follows the table.
    void DocumentChanged(document::DocumentChange what);
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

    DocumentContext& context_;
    document::CTrazelDoc& document_;
    platform::Services services_;
    platform::DataExchange dx_{services_};
    std::map<int, QWidget*> controls_;
    // The labels and buttons with a mnemonic, and its letter in capitals.
    std::vector<std::pair<QChar, QWidget*>> mnemonics_;
    QPushButton* defaultButton_ = nullptr;
    platform::PrintDriver* printDriver_ = nullptr;
    FitFigurePrinter fitFigurePrinter_;
    bool recording_ = false;
};

}  // namespace trazel::ui
