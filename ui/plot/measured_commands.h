#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "input/measured_spectrum.h"
#include "platform/qt/services.h"

class QWidget;

namespace trazel::ui {

// A baseline fitted under the bands: y = constant + slope * x.
struct FittedLine {
    double constant = 0.0;
    double slope = 0.0;
};

// A measured spectrum as the plot window draws it beside the model. The
// points are what the file held; the y factor and the scaling to the model's
// maximum only change the drawing.
struct MeasuredData {
    std::shared_ptr<const input::MeasuredSpectrum> spectrum;
    // The file it came from, as the user named it, and the name the legend shows.
    std::string path;
    QString legendName;
    double yFactor = 1.0;
    bool scaleToModelMaximum = false;
    // The baseline of the fit last applied to these points. The table has no
    // room for it, so it stays here, drawn under the bands, until another
    // spectrum is loaded.
    std::optional<FittedLine> baseline;
};

// The measured spectrum of one main window: loading it (with a progress
// dialog that can stop a long read), its drawing options, and the memory of
// the last file used with each document. It never touches the peak table.
class MeasuredOverlay : public QObject {
    Q_OBJECT

  public:
    // Messages and dialogs go through services, over dialogParent.
    MeasuredOverlay(const platform::Services& services, QWidget* dialogParent);
    ~MeasuredOverlay() override;

    // The spectrum shown now, or nullptr when there is none.
    const MeasuredData* Current() const;

    // Asks for a file (and its columns) and loads it. A failed or stopped
    // load says why and keeps the spectrum shown before.
    void ChooseAndLoad();
    // Loads path without asking for it; false when it failed or was stopped.
    bool Load(const std::string& path, const input::MeasuredOptions& options = {});
    // The drawing options: the y factor, the scaling to the model's maximum,
    // and removing the spectrum.
    void EditOptions();
    void Clear();
    // Keeps the baseline of a fit applied to spectrum, while that spectrum
    // is the one shown (nothing for none).
    void SetBaseline(const input::MeasuredSpectrum* spectrum, std::optional<FittedLine> baseline);

    // Tells the overlay which document the window shows now (empty for a new
    // one), so that it can offer the file last used with it.
    void DocumentChanged(const std::string& documentPath);

    // A load that ends within this time shows no progress dialog and lets no
    // event in, as a command that never returned to the event loop; a longer
    // one shows the dialog, whose "Cancelar" stops it.
    std::chrono::milliseconds quietLoadTime{250};

  signals:
    // The spectrum or its drawing options changed.
    void Changed();

  private:
    input::ReadResult<input::MeasuredSpectrum> ReadWithProgress(
        const std::string& path, const input::MeasuredOptions& options);
    void Remember(const std::string& path, const input::MeasuredOptions& options) const;
    void Forget() const;

    platform::Services services_;
    QWidget* dialogParent_;
    std::unique_ptr<MeasuredData> current_;
    // The document shown now, as an absolute path; empty for a new one.
    std::string documentPath_;
    bool loading_ = false;
};

}  // namespace trazel::ui
