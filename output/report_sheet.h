#pragma once

#include <string>
#include <utility>
#include <vector>

namespace trazel::output {

// A report for reading as labelled lines, a table and closing lines: the fit
// report is one. A text file and a printed page lay out the same sheet, so
// that what is printed and what is saved cannot say different things.
struct ReportSheet {
    std::string heading = {};
    // "label", "value" pairs before the table.
    std::vector<std::pair<std::string, std::string>> facts = {};
    std::vector<std::string> columns = {};
    std::vector<std::vector<std::string>> rows = {};
    // After the table: the date and the program, say.
    std::vector<std::pair<std::string, std::string>> closing = {};
};

// The sheet as plain UTF-8 text with LF line ends: the heading, the facts with
// their values lined up, a blank line, the table in columns padded with
// spaces (so that it reads in any fixed-width font), a blank line and the
// closing lines.
std::string ReportSheetText(const ReportSheet& sheet);

// Where a sheet is printed, in MM_LOMETRIC: between left and right, on its
// first page from firstTop down to bottom (under whatever the page shows
// first), on every further page from top.
struct SheetArea {
    int left = 150;
    int right = 1900;
    int firstTop = 0;
    int top = 0;
    int bottom = 0;
};

// A text and where its top-left corner goes.
struct PlacedText {
    int x = 0;
    int y = 0;
    std::string text;
    bool operator==(const PlacedText&) const = default;
};

// The sheet laid out on as many pages as it needs, nothing left out: the
// facts with their values wrapped within the area, the table in columns as
// wide as their longest text (a value's error goes on a line under it when
// the columns would pass the right edge) with its heading again on every
// page it continues on, then the closing lines. A row, or a fact, is never
// split between pages.
std::vector<std::vector<PlacedText>> LayOutReportSheet(const ReportSheet& sheet,
                                                       const SheetArea& area);

}  // namespace trazel::output
