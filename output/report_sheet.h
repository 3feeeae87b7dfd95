#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/cdc.h"

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

// The sheet printed in MM_LOMETRIC from the row at top down to the page's
// foot at bottom: the facts, then the table in columns as wide as their
// longest text, then the closing lines. Rows that do not fit are left out
// and a last line says how many, so that nothing runs off the paper.
void PrintReportSheet(platform::CDC& dc, const ReportSheet& sheet, int top, int bottom);

}  // namespace trazel::output
