#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "document/trazel_doc.h"
#include "model/peak_table.h"

namespace trazel::cli {

// The commands that work on documents alone.
int RunNew(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunShow(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunBands(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Reads a document's table or throws FileError.
model::PeakTable LoadDocumentOrThrow(const std::string& path);

// Reads a document into document, its table and the analysis stored after
// it, or throws FileError. A stored analysis that cannot be read costs only
// itself: err says why, and the table opens alone.
void OpenDocumentOrThrow(const std::string& path, document::CTrazelDoc& document,
                         std::ostream& err);
// The bytes of document, its table and its analysis, to be written to path;
// throws FileError when they would lose an analysis the document's file held
// and could not be read.
std::string DocumentBytesOrThrow(const std::string& path, const document::CTrazelDoc& document);
// Writes document, its table and its analysis, or throws FileError.
void SaveDocumentOrThrow(const std::string& path, const document::CTrazelDoc& document);

}  // namespace trazel::cli
