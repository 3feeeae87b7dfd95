#include "model/document_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/document_format.h"
#include "platform/archive.h"
#include "platform/atomic_file.h"

using namespace trazel::platform;

namespace trazel::model {

Status LoadPeakTableFile(const std::string& path, PeakTable& table) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::is_directory(status)) {
        return FileFailure(FileOperation::OpenDocument, path, "es una carpeta, no un documento");
    }
    // Opening a pipe would wait for a writer without end, and a device never
    // holds a document; only a regular file is read.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        return FileFailure(FileOperation::OpenDocument, path,
                           "no es un documento sino un dispositivo, una tubería o un socket");
    }
    // errno alone would say "the folder does not exist" for a missing file
    // in a folder that does.
    if (status.type() == std::filesystem::file_type::not_found) {
        return FileFailure(FileOperation::OpenDocument, path, "el archivo no existe");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return FileFailure(FileOperation::OpenDocument, path, errno);
    }
    try {
        CArchive ar(in);
        table = ReadPeakTable(ar);
    } catch (const CArchiveException& e) {
        return Status::Failure("No se pudo leer " + QuoteFileName(path) + ". " + e.what());
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

}  // namespace trazel::model
