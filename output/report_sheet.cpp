#include "output/report_sheet.h"

#include <algorithm>
#include <cstddef>

#include "platform/translation.h"

using namespace trazel::platform;

namespace trazel::output {

namespace {

// Characters, not bytes, so that "±" and "á" take one column as on screen.
std::size_t Width(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string Padded(const std::string& text, std::size_t width) {
    return text + std::string(width > Width(text) ? width - Width(text) : 0, ' ');
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

std::size_t LabelWidth(const Pairs& pairs) {
    std::size_t width = 0;
    for (const auto& pair : pairs) {
        width = std::max(width, Width(pair.first));
    }
    return width;
}

// The widest text of each column, heading included.
std::vector<std::size_t> ColumnWidths(const ReportSheet& sheet) {
    std::vector<std::size_t> widths;
    for (const std::string& name : sheet.columns) {
        widths.push_back(Width(name));
    }
    for (const auto& row : sheet.rows) {
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c) {
            widths[c] = std::max(widths[c], Width(row[c]));
        }
    }
    return widths;
}

void AddPairs(std::string& text, const Pairs& pairs) {
    const std::size_t width = LabelWidth(pairs) + 2;
    for (const auto& [label, value] : pairs) {
        text += Padded(label, width) + value + '\n';
    }
}

std::string TableLine(const std::vector<std::string>& cells,
                      const std::vector<std::size_t>& widths) {
    std::string line;
    for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
        line += c + 1 < cells.size() ? Padded(cells[c], widths[c] + 3) : cells[c];
    }
    return line + '\n';
}

// On paper: the rows of the printed peak table, and a width per character
// a little over that of a digit in the 10-point text, so that columns laid
// out by character count never overlap.
constexpr int kRowPitch = 47;
constexpr int kCharWidth = 20;
constexpr int kColumnGap = 60;
constexpr int kLeft = 150;

}  // namespace

std::string ReportSheetText(const ReportSheet& sheet) {
    std::string text = sheet.heading + "\n\n";
    AddPairs(text, sheet.facts);
    if (!sheet.columns.empty()) {
        const std::vector<std::size_t> widths = ColumnWidths(sheet);
        text += '\n' + TableLine(sheet.columns, widths);
        for (const auto& row : sheet.rows) {
            text += TableLine(row, widths);
        }
    }
    if (!sheet.closing.empty()) {
        text += '\n';
        AddPairs(text, sheet.closing);
    }
    return text;
}

void PrintReportSheet(CDC& dc, const ReportSheet& sheet, int top, int bottom) {
    int y = top;
    const auto printPairs = [&](const Pairs& pairs) {
        const int valueX = kLeft + static_cast<int>(LabelWidth(pairs)) * kCharWidth + kColumnGap;
        for (const auto& [label, value] : pairs) {
            dc.TextOut(kLeft, y, label);
            dc.TextOut(valueX, y, value);
            y -= kRowPitch;
        }
    };
    printPairs(sheet.facts);
    y -= kRowPitch / 2;
    const std::vector<std::size_t> widths = ColumnWidths(sheet);
    const auto printRow = [&](const std::vector<std::string>& cells) {
        int x = kLeft;
        for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
            dc.TextOut(x, y, cells[c]);
            x += static_cast<int>(widths[c]) * kCharWidth + kColumnGap;
        }
        y -= kRowPitch;
    };
    if (!sheet.columns.empty()) {
        printRow(sheet.columns);
    }
    // Room for the closing lines and the note of rows left out.
    const int closingRoom = kRowPitch * (static_cast<int>(sheet.closing.size()) + 2);
    std::size_t shown = 0;
    for (const auto& row : sheet.rows) {
        if (y - kRowPitch < bottom + closingRoom) {
            break;
        }
        printRow(row);
        ++shown;
    }
    if (shown < sheet.rows.size()) {
        dc.TextOut(kLeft, y,
                   platform::Fill(TRAZEL_TR("ReportSheet",
                                            "… y %1 filas más, que no caben en la "
                                            "página (están en el informe del "
                                            "ajuste)"),
                                  {std::to_string(sheet.rows.size() - shown)}));
        y -= kRowPitch;
    }
    y -= kRowPitch / 2;
    printPairs(sheet.closing);
}

}  // namespace trazel::output
