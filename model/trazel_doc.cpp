#include "model/trazel_doc.h"

#include <algorithm>

#include "model/document_format.h"
#include "platform/archive.h"

using namespace trazel::platform;

namespace trazel::model {

bool CTrazelDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) {
        return false;
    }
    table_.count = 1;
    return true;
}

void CTrazelDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        WritePeakTable(ar, table_);
    } else {
        // Read into a table of its own and take it only when the whole read
        // succeeded, so a damaged file leaves the current peaks as they were.
        table_ = ReadPeakTable(ar);
    }
}

void CTrazelDoc::SetModifiedIfNotEmpty() {
    if (table_.count > 1) {
        SetModifiedFlag(true);
    }
}

void CTrazelDoc::AddPeak(double position, double intensity, double width, double scale) {
    if (table_.count >= kMaxPeakSlots) {
        return;
    }
    const int i = table_.count;
    table_.width[i] = width;
    table_.position[i] = position;
    table_.scale[i] = scale;
    table_.scaledPosition[i] = scale * position;
    table_.intensity[i] = intensity;
    table_.separate[i] = 0;
    ++table_.count;
    SetModifiedIfNotEmpty();
}

bool CTrazelDoc::AddBands(const std::vector<Peak>& bands) {
    if (bands.size() > static_cast<std::size_t>(kMaxPeakSlots - table_.count)) {
        return false;
    }
    for (const Peak& band : bands) {
        const int i = table_.count++;
        table_.width[i] = band.width;
        table_.position[i] = band.position;
        table_.scale[i] = band.scale;
        table_.scaledPosition[i] = band.scale * band.position;
        table_.intensity[i] = band.intensity;
        table_.separate[i] = band.separate;
    }
    SetModifiedIfNotEmpty();
    return true;
}

void CTrazelDoc::ClearPeaks() {
    const int before = table_.count;
    table_.count = 1;
    if (before > 1) {
        BandsRenumbered(std::vector<int>(static_cast<std::size_t>(before), 0));
    }
}

void CTrazelDoc::DeleteRows(const std::vector<int>& rows) {
    // A non-empty table counts as modified even when nothing is selected.
    SetModifiedIfNotEmpty();
    if (rows.empty()) {
        return;
    }
    // Rows visited top to bottom name indices from the highest down, so each
    // removal shifts only peaks above it and every index computed from the
    // original count still names the peak it named at the start.
    const int n = table_.count;
    int removed = 0;
    std::vector<int> renumbered(static_cast<std::size_t>(std::max(n, 1)), 1);
    for (const int row : rows) {
        const int i = n - 1 - row;
        if (i < 1 || i >= n || renumbered[static_cast<std::size_t>(i)] == 0) {
            continue;
        }
        renumbered[static_cast<std::size_t>(i)] = 0;
        for (int j = i; j <= n - 2; ++j) {
            table_.width[j] = table_.width[j + 1];
            table_.position[j] = table_.position[j + 1];
            table_.scale[j] = table_.scale[j + 1];
            table_.scaledPosition[j] = table_.scaledPosition[j + 1];
            table_.intensity[j] = table_.intensity[j + 1];
            table_.separate[j] = table_.separate[j + 1];
        }
        ++removed;
    }
    table_.count = n - removed;
    if (removed > 0) {
        int next = 1;
        for (int k = 1; k < n; ++k) {
            auto& slot = renumbered[static_cast<std::size_t>(k)];
            slot = slot == 0 ? 0 : next++;
        }
        BandsRenumbered(renumbered);
    }
}

void CTrazelDoc::ReplacePeak(int index, double position, double intensity, double width,
                             std::int32_t separate, double scale) {
    if (index < 1 || index >= table_.count) {
        return;
    }
    table_.position[index] = position;
    table_.intensity[index] = intensity;
    table_.width[index] = width;
    table_.separate[index] = separate;
    table_.scale[index] = scale;
    table_.scaledPosition[index] = table_.position[index] * table_.scale[index];
    SetModifiedIfNotEmpty();
}

void CTrazelDoc::AssignWidth(double width, const std::vector<int>& rows) {
    if (rows.empty()) {
        for (int i = 1; i < table_.count; ++i) {
            table_.width[i] = width;
        }
    } else {
        for (const int row : rows) {
            const int i = IndexFromRow(row);
            if (i >= 1 && i < table_.count) {
                table_.width[i] = width;
            }
        }
    }
    SetModifiedIfNotEmpty();
}

void CTrazelDoc::AssignScale(double scale, const std::vector<int>& rows) {
    const auto assign = [this, scale](int i) {
        table_.scale[i] = scale;
        table_.scaledPosition[i] = table_.position[i] * table_.scale[i];
    };
    if (rows.empty()) {
        for (int i = 1; i < table_.count; ++i) {
            assign(i);
        }
    } else {
        for (const int row : rows) {
            const int i = IndexFromRow(row);
            if (i >= 1 && i < table_.count) {
                assign(i);
            }
        }
    }
    SetModifiedIfNotEmpty();
}

void CTrazelDoc::ToggleSeparate(const std::vector<int>& rows) {
    for (const int row : rows) {
        const int i = IndexFromRow(row);
        if (i >= 1 && i < table_.count) {
            table_.separate[i] = table_.separate[i] == 0 ? 1 : 0;
        }
    }
    SetModifiedIfNotEmpty();
}

}  // namespace trazel::model
