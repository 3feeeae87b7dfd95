#include "model/document_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/document_format.h"
#include "platform/archive.h"
#include "platform/atomic_file.h"

std::optional<std::string> LoadPeakTableFile(const std::string& path, PeakTable& table) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return "No se pudo abrir " + QuoteFileName(path) + ": es una carpeta, no un documento.";
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return "No se pudo abrir " + QuoteFileName(path) + ": " + DescribeErrno(errno) + ".";
    }
    try {
        CArchive ar(in);
        table = ReadPeakTable(ar);
    } catch (const CArchiveException& e) {
        return "No se pudo leer " + QuoteFileName(path) + ". " + e.what();
    }
    return std::nullopt;
}

std::string PeakTableBytes(const PeakTable& table) {
    std::ostringstream out(std::ios::binary);
    CArchive ar(out);
    WritePeakTable(ar, table);
    return std::move(out).str();
}

std::optional<std::string> SavePeakTableFile(const std::string& path, const PeakTable& table) {
    return WriteFileAtomically(path, PeakTableBytes(table));
}
