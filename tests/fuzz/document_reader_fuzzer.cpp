// libFuzzer entry for the document reader: every input must either read into
// a valid table or be refused with a message, and the reader must never need
// more bytes than the largest valid document.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "model/document_format.h"
#include "platform/archive.h"

using namespace trazel::platform;
using namespace trazel::model;

namespace {

// Magic, count and 99 records of the current layout.
constexpr std::streamoff kLargestDocument = 8 + 36 * 99;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    CArchive ar(in);
    try {
        const PeakTable table = ReadPeakTable(ar);
        if (table.PeakCount() > kMaxPeaks) {
            std::abort();
        }
        in.clear();
        if (in.tellg() > kLargestDocument) {
            std::abort();
        }
        for (int i = 1; i <= table.PeakCount(); ++i) {
            // scaledPosition must be recomputed from what was read.
            const double expected = table.Band(i).position * table.Band(i).scale;
            if (!(table.Band(i).scaledPosition == expected) &&
                !(expected != expected &&
                  table.Band(i).scaledPosition != table.Band(i).scaledPosition)) {
                std::abort();
            }
        }
    } catch (const CArchiveException& e) {
        if (std::string(e.what()).empty()) {
            std::abort();
        }
    }
    return 0;
}
