#include "model/document_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/document_format.h"
#include "platform/archive.h"
#include "platform/atomic_file.h"
#include "platform/translation.h"

using namespace trazel::platform;

namespace trazel::model {

namespace {

// Opens path for reading the way both loaders need, or says why it cannot.
Status OpenDocument(const std::string& path, std::ifstream& in) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::is_directory(status)) {
        return FileFailure(FileOperation::OpenDocument, path,
                           TRAZEL_TR("DocumentFile", "es una carpeta, no un documento"));
    }
    // Opening a pipe would wait for a writer without end, and a device never
    // holds a document; only a regular file is read.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        return FileFailure(
            FileOperation::OpenDocument, path,
            TRAZEL_TR("DocumentFile",
                      "no es un documento sino un dispositivo, una tubería o un socket"));
    }
    // errno alone would say "the folder does not exist" for a missing file
    // in a folder that does.
    if (status.type() == std::filesystem::file_type::not_found) {
        return FileFailure(FileOperation::OpenDocument, path,
                           TRAZEL_TR("DocumentFile", "el archivo no existe"));
    }
    in.open(path, std::ios::binary);
    if (!in) {
        return FileFailure(FileOperation::OpenDocument, path, errno);
    }
    return {};
}

}  // namespace

Status LoadPeakTableFile(const std::string& path, PeakTable& table) {
    std::ifstream in;
    if (Status opened = OpenDocument(path, in); !opened.ok()) {
        return opened;
    }
    try {
        CArchive ar(in);
        table = ReadPeakTable(ar);
    } catch (const CArchiveException& e) {
        return Status::Failure(Fill(TRAZEL_TR("DocumentFile", "No se pudo leer %1. %2"),
                                    {QuoteFileName(path), e.what()}));
    }
    return {};
}

Status LoadDocumentFile(const std::string& path, DocumentContents& contents) {
    std::ifstream in;
    if (Status opened = OpenDocument(path, in); !opened.ok()) {
        return opened;
    }
    try {
        CArchive ar(in);
        PeakTable table = ReadPeakTable(ar);
        // A section after the records of the older layout, which a program
        // that writes the older layout and keeps what follows may leave, is
        // read as after the current one, so that converting keeps it.
        SectionRead section = ReadSection(ReadTrailingBytes(in));
        if (in.bad()) {
            return FileFailure(FileOperation::OpenDocument, path, errno);
        }
        contents.table = table;
        contents.section = std::move(section);
    } catch (const CArchiveException& e) {
        return Status::Failure(Fill(TRAZEL_TR("DocumentFile", "No se pudo leer %1. %2"),
                                    {QuoteFileName(path), e.what()}));
    }
    return {};
}

std::string PeakTableBytes(const PeakTable& table) {
    std::ostringstream out(std::ios::binary);
    CArchive ar(out);
    WritePeakTable(ar, table);
    return std::move(out).str();
}

Status SavePeakTableFile(const std::string& path, const PeakTable& table) {
    return WriteFileAtomically(path, PeakTableBytes(table));
}

Status SaveDocumentFile(const std::string& path, const PeakTable& table, std::string_view section) {
    return WriteFileAtomically(path, PeakTableBytes(table) + std::string(section));
}

}  // namespace trazel::model
