#pragma once

#include <QString>
#include <optional>
#include <string>

#include "analysis/fit_export.h"
#include "document/trazel_doc.h"
#include "platform/qt/services.h"

class QWidget;

namespace trazel::ui {

// The fit's files out of the window, the same from the fit dialog (the fit
// it shows) and from the plot window (the fits of the document's regions,
// one after another): the path
// asked through services, the file written whole or not at all, a failure
// told in a message over owner.

// Where the report of a fit says it comes from: the document's name as its
// window's caption gives it, today's date and this program's version.
analysis::ReportOrigin ReportOriginOf(const document::CTrazelDoc& document);

// "Exportar resultado del ajuste...": the report, as text or CSV by the
// ending of the name chosen.
void ExportFitReport(const document::CTrazelDoc& document,
                     const std::vector<const analysis::FitRecord*>& fits,
                     const platform::Services& services, QWidget* owner);

// "Exportar curvas del ajuste...": the curves at the measured points, as CSV.
void ExportFitCurves(const document::CTrazelDoc& document,
                     const std::vector<const analysis::FitRecord*>& fits,
                     const platform::Services& services, QWidget* owner);

}  // namespace trazel::ui
