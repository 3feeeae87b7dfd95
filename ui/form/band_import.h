#pragma once

#include <QString>
#include <cstdint>
#include <string>

#include "input/band_list.h"
#include "ui/dialogs/import_bands_dlg.h"

namespace trazel::ui {

// A heading of output::kPeakListHeadings in the language shown: the list
// people read takes it translated, the table printed for programs as it is.
QString PeakListHeading(const char* heading);

// What a band list is read with for a choice of the import dialog, the form's
// line shape and the room left in the table.
input::BandListOptions ImportOptions(const BandImportChoice& choice, std::int32_t lineShape,
                                     int room);

// What the import dialog shows of a read: the columns found, the number of
// bands and the bands as the list would show them; or why nothing can be
// imported.
BandPreview PreviewOf(const input::ReadResult<input::BandList>& read,
                      const BandImportChoice& choice, std::int32_t lineShape);

}  // namespace trazel::ui
