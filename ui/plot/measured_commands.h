#pragma once

#include <QObject>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "document/trazel_doc.h"
#include "input/measured_spectrum.h"
#include "platform/qt/services.h"

class QWidget;

namespace trazel::ui {

class DocumentContext;

// The commands over the measured spectrum of the document: loading it
// (with a progress dialog that can stop a long read), changing how its data
// are taken, removing it, and the offer, once, of a spectrum that an earlier
// version remembered for the document by its path. The spectrum belongs to
// the document and is saved with it; each change is one step of its history.
class MeasuredCommands : public QObject {
    Q_OBJECT

  public:
    // Messages and dialogs go through services, over dialogParent.
    MeasuredCommands(DocumentContext& context, const platform::Services& services,
                     QWidget* dialogParent);
    ~MeasuredCommands() override;

    // The document's measured spectrum, or nullptr when it has none.
    const analysis::MeasuredData* Current() const;

    // Asks for a file (and its columns) and loads it. A failed or stopped
    // load says why and keeps the spectrum shown before.
    void ChooseAndLoad();
    // Loads path without asking for it; false when it failed or was stopped.
    bool Load(const std::string& path, const input::MeasuredOptions& options = {});
    // The options dialog: the y factor, which the fit and the figure both
    // use, and removing the spectrum. toModel, when given, is the transform
    // that "Escalar al máximo del modelo" proposes.
    void EditOptions(const std::optional<analysis::MeasuredTransform>& toModel = std::nullopt);
    // Sets how the data are taken from the points, as one step.
    void SetTransform(const analysis::MeasuredTransform& transform);
    void Remove();

    // Tells the commands which document the window shows now (empty for a
    // new one), so that they can offer, once, a spectrum an earlier version
    // remembered for it.
    void DocumentChanged(const std::string& documentPath);

    // A load that ends within this time shows no progress dialog and lets no
    // event in, as a command that never returned to the event loop; a longer
    // one shows the dialog, whose "Cancelar" stops it.
    std::chrono::milliseconds quietLoadTime{250};

  signals:
    // A spectrum was loaded and is now the document's, its questions on
    // load answered.
    void loaded();
    // Something the reader passed over in the file just loaded, for the
    // status bars to tell.
    void note(const QString& text);
    // While the options dialog shows a baseline by asymmetric least squares
    // to subtract: the transform it shows, for the plot to draw that
    // baseline over the spectrum; none when there is nothing to draw, and
    // when the dialog closes.
    void alsPreview(std::optional<analysis::MeasuredTransform> transform);

  private:
    // For a file of several spectra, the list to choose one from, the choice
    // put into options; false when the user cancelled it.
    bool ChooseSpectrum(const std::string& path, input::MeasuredOptions& options);
    input::ReadResult<input::MeasuredSpectrum> ReadWithProgress(
        const std::string& path, const input::MeasuredOptions& options);
    void Forget() const;

    DocumentContext& context_;
    document::CTrazelDoc& document_;
    platform::Services services_;
    QWidget* dialogParent_;
    // The document shown now, as an absolute path; empty for a new one.
    std::string documentPath_;
    bool loading_ = false;
};

}  // namespace trazel::ui
