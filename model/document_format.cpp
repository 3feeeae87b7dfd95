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
    ar << table.count;
    for (int i = 1; i < table.count; ++i) {
        ar << table.position[i] << table.scale[i] << table.intensity[i] << table.width[i];
        ar << table.separate[i];
    }
}

PeakTable ReadPeakTable(CArchive& ar) {
    PeakTable table;
    std::int32_t first = 0;
    ar >> first;
    const bool current = first == FILE_MAGIC;
    if (current) {
        ar >> table.count;
    } else {
        table.count = first;
    }
    // The count is checked before any record is read, so a damaged count can
    // neither run past the 100 slots nor make us read a huge file.
    CheckCount(table.count);
    for (int i = 1; i < table.count; ++i) {
        ar >> table.position[i];
        if (current) {
            ar >> table.scale[i];
        } else {
            table.scale[i] = 1.0;
        }
        table.scaledPosition[i] = table.position[i] * table.scale[i];
        ar >> table.intensity[i];
        ar >> table.width[i];
        ar >> table.separate[i];
    }
    return table;
}

}  // namespace trazel::model
