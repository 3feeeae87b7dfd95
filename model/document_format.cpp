#include "model/document_format.h"

#include <string>

#include "platform/archive.h"
#include "platform/translation.h"

using namespace trazel::platform;

namespace trazel::model {

namespace {

void CheckCount(std::int32_t count) {
    if (count < 1 || count > kMaxPeakSlots) {
        const long long peaks = static_cast<long long>(count) - 1;
        throw CArchiveException(
            Fill(TRAZEL_TR("DocumentFormat",
                           "El archivo no es un documento de Trazel válido: dice "
                           "contener %1 máximos, y un documento tiene entre 0 y 99."),
                 {std::to_string(peaks)}));
    }
}

}  // namespace

void WritePeakTable(CArchive& ar, const PeakTable& table) {
    ar << FILE_MAGIC;
    // The file counts its slots from 1, one more than its bands.
    ar << static_cast<std::int32_t>(table.PeakCount() + 1);
    for (const Peak& band : table.bands) {
        ar << band.position << band.scale << band.intensity << band.width;
        ar << band.separate;
    }
}

PeakTable ReadPeakTable(CArchive& ar) {
    std::int32_t first = 0;
    ar >> first;
    const bool current = first == FILE_MAGIC;
    std::int32_t count = first;
    if (current) {
        ar >> count;
    }
    // The count is checked before any record is read, so a damaged count can
    // neither run past the 99 bands nor make us read a huge file.
    CheckCount(count);
    PeakTable table;
    table.bands.resize(static_cast<std::size_t>(count - 1));
    for (Peak& band : table.bands) {
        ar >> band.position;
        if (current) {
            ar >> band.scale;
        } else {
            band.scale = 1.0;
        }
        band.scaledPosition = band.position * band.scale;
        ar >> band.intensity;
        ar >> band.width;
        ar >> band.separate;
    }
    return table;
}

}  // namespace trazel::model
