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
        if (table.count < 1 || table.count > kMaxPeakSlots) {
            std::abort();
        }
        in.clear();
        if (in.tellg() > kLargestDocument) {
            std::abort();
        }
        for (int i = 1; i < table.count; ++i) {
            // scaledPosition must be recomputed from what was read.
            const double expected = table.position[i] * table.scale[i];
            if (!(table.scaledPosition[i] == expected) &&
                !(expected != expected && table.scaledPosition[i] != table.scaledPosition[i])) {
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
