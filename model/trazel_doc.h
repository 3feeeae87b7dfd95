#pragma once

#include <vector>

#include "model/peak_table.h"
#include "platform/document.h"

namespace trazel::model {

// The document: one peak table and the rule that decides when the user is
// asked to save it. Every change to the table goes through the operations
// below. Rows are rows of the peak list, which shows the newest peak on top;
// the selection-driven operations take the selected rows in ascending order.
class CTrazelDoc : public platform::CDocument {
  public:
    bool OnNewDocument() override;
    void Serialize(platform::CArchive& ar) override;

    const PeakTable& Table() const { return table_; }

    // The only rule for the modified flag: set it when the table holds a peak.
    // It never clears the flag.
    void SetModifiedIfNotEmpty();

    int IndexFromRow(int row) const { return table_.count - 1 - row; }

    // Does nothing on a full table.
    void AddPeak(double position, double intensity, double width, double scale);
    // Adds the bands in the order given, each as AddPeak adds a typed one but
    // with its own scale and separate flag. All or nothing: false, and no
    // change, when the table has no room for all of them.
    bool AddBands(const std::vector<Peak>& bands);
    // Empties the table without touching the modified flag.
    void ClearPeaks();
    void DeleteRows(const std::vector<int>& rows);
    void ReplacePeak(int index, double position, double intensity, double width,
                     std::int32_t separate, double scale);
    // With no row selected these two change every peak.
    void AssignWidth(double width, const std::vector<int>& rows);
    void AssignScale(double scale, const std::vector<int>& rows);
    // With no row selected no flag changes.
    void ToggleSeparate(const std::vector<int>& rows);

    // Replaces the whole table, as a file read does.
    void SetTable(const PeakTable& table) { table_ = table; }

  protected:
    // Told after an operation removed bands, so that whatever names bands by
    // their index can follow them: renumbered[k] is the index the band at k
    // has now, 0 for one gone (k from 1 to the count before; [0] unused).
    virtual void BandsRenumbered(const std::vector<int>& renumbered) { (void)renumbered; }

  private:
    PeakTable table_;
};

}  // namespace trazel::model
