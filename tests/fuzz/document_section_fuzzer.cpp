// libFuzzer entry for the section after a document's records and the
// analysis read from it: every input is read, or kept as it came with the
// reason it could not be read; what is read holds only finite points in pairs and
// bands of the table, and writes a section that reads back to itself.
#include <cmath>
#include <cstdint>
#include <string>

#include "analysis/analysis_file.h"
#include "model/document_section.h"
#include "tests/fuzz/fuzz_file.h"
#include "tests/support/peak_tables.h"

using namespace trazel::model;
using namespace trazel::analysis;

namespace {

// The contents wrapped in a header of the current version with their true
// length and checksum, so that mutations reach the records themselves.
std::string Wrapped(const std::string& contents) {
    std::string bytes(kSectionMagic);
    const std::uint64_t fields[] = {kSectionVersion, contents.size(), Crc32(contents)};
    const int widths[] = {4, 8, 4};
    for (int f = 0; f < 3; ++f) {
        for (int i = 0; i < widths[f]; ++i) {
            bytes.push_back(static_cast<char>((fields[f] >> (8 * i)) & 0xff));
        }
    }
    return bytes + contents;
}

void Check(const std::string& bytes) {
    static const PeakTable table = TableOf({{500, 2, 10}, {800, 1, 3}});
    const SectionRead read = ReadSection(bytes);
    Require(read.kind != SectionRead::Kind::Damaged || !read.problem.empty());
    const StoredAnalysis stored = AnalysisFromSection(read, table);
    if (read.kind == SectionRead::Kind::Read && !stored.unread) {
        // What was read writes a section that reads back to itself.
        const std::string written = SectionBytes(AnalysisSection(stored.analysis, table));
        const StoredAnalysis again = AnalysisFromSection(ReadSection(written), table);
        Require(again.notice.empty() &&
                SectionBytes(AnalysisSection(again.analysis, table)) == written);
        if (const auto& m = stored.analysis.measured) {
            Require(m->points->x.size() == m->points->y.size() && m->points->x.size() >= 2);
            for (std::size_t i = 0; i < m->points->x.size(); ++i) {
                Require(std::isfinite(m->points->x[i]) && std::isfinite(m->points->y[i]));
            }
        }
        for (const int band : stored.analysis.fitSettings.heldBands) {
            Require(band >= 1 && band <= table.PeakCount());
        }
    }
    // What could not be read is written back as it came.
    if (stored.unread) {
        Require(SectionBytesFor(stored.analysis, table, stored.keptSection) == bytes);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes);
    if (bytes.size() > kSectionHeaderSize) {
        Check(Wrapped(bytes.substr(kSectionHeaderSize)));
    }
    return 0;
}
