#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <string>

#include "document/trazel_doc.h"
#include "output/curve_settings.h"
#include "ui/form/document_history.h"

namespace trazel::ui {

// The settings a user changes for the document. Those of the form hold what
// data exchange last moved between them and its controls; the others are
// set by the output dialogs and the commands.
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

// What every window of a document shares: the document, its undo history,
// and the settings the user changes for it (the line shape and the limits the
// fit and the plot use, the resolution, the output options). The form, the
// plot window and the fit and band-search dialogs are given this, and follow
// changed, which says once per step what it touched.
class DocumentContext : public QObject {
    Q_OBJECT

  public:
    explicit DocumentContext(document::CTrazelDoc& document, QObject* parent = nullptr);

    document::CTrazelDoc& Document() const { return document_; }
    DocumentHistory& History() { return history_; }

    ViewFields fields;

  signals:
    // The document changed: a step recorded, undone or redone, or a new or
    // opened document.
    void changed(document::DocumentChange what);
    // The form read its settings and drew its graph ("Representar").
    void plotted();
    // A drawing option read the form again while the graph is shown.
    void curvesRead();
    // Another window asks the form to show these texts as its limits (x
    // from, x to, y from, y to), to be read as any typed limits are.
    void formLimitsOffered(const std::array<QString, 4>& texts);

  private:
    document::CTrazelDoc& document_;
    DocumentHistory history_{document_};
};

}  // namespace trazel::ui
