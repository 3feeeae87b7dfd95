#pragma once

#include <string>

#include "model/document_section.h"
#include "model/peak_table.h"
#include "platform/status.h"

namespace trazel::model {

// Reads the document at path into table. On failure table is left untouched
// and the message names the file and says what is wrong. Only the bytes the
// layout needs are read, however large the file.
platform::Status LoadPeakTableFile(const std::string& path, PeakTable& table);

// A document file as read: its table and what follows the records.
struct DocumentContents {
    PeakTable table;
    SectionRead section;
};

// Reads the table as LoadPeakTableFile does and then the section after it. A
// damaged section is no failure: the table is read, and contents.section says
// why the rest could not be.
platform::Status LoadDocumentFile(const std::string& path, DocumentContents& contents);

// The current layout of table as bytes.
std::string PeakTableBytes(const PeakTable& table);

// Writes the table in the current layout, whole or not at all.
platform::Status SavePeakTableFile(const std::string& path, const PeakTable& table);

// Writes the table followed by section, the bytes of a section as
// SectionBytes makes them or as a newer program wrote them (nothing for a
// table-only document), whole or not at all.
platform::Status SaveDocumentFile(const std::string& path, const PeakTable& table,
                                  std::string_view section);

}  // namespace trazel::model
