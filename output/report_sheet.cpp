#include "output/report_sheet.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

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

namespace {

// A value wrapped at spaces into lines of at most width characters; a word
// longer than that is cut.
std::vector<std::string> Wrapped(const std::string& text, std::size_t width) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t space = std::min(text.find(' ', start), text.size());
        std::string word = text.substr(start, space - start);
        start = space + 1;
        const std::size_t joined = Width(line) + (line.empty() ? 0 : 1) + Width(word);
        if (!line.empty() && joined > width) {
            lines.push_back(std::move(line));
            line.clear();
        }
        while (Width(word) > width && width > 0) {
            // Cut at a character's first byte, never inside one.
            std::size_t cut = 0;
            for (std::size_t seen = 0; cut < word.size(); ++cut) {
                if ((static_cast<unsigned char>(word[cut]) & 0xC0) != 0x80 && seen++ == width) {
                    break;
                }
            }
            lines.push_back(word.substr(0, cut));
            word.erase(0, cut);
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty() || lines.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

// A cell as lines: whole, or split before its error ("1.5 ± 0.2" over two
// lines, "1.5" and "± 0.2"; "3 (fija)" as "3" and "(fija)").
std::vector<std::string> CellLines(const std::string& cell, bool split) {
    if (split) {
        for (const std::string_view mark : {" ± ", " ("}) {
            if (const std::size_t at = cell.find(mark); at != std::string::npos && at > 0) {
                return {cell.substr(0, at), cell.substr(at + 1)};
            }
        }
    }
    return {cell};
}

using Row = std::vector<std::vector<std::string>>;

struct Table {
    std::vector<Row> rows;  // the heading first
    std::vector<std::size_t> widths;
    int gap = kColumnGap;
};

Table LaidOutTable(const ReportSheet& sheet, int room) {
    Table table;
    for (const bool split : {false, true}) {
        std::vector<std::vector<std::string>> all{sheet.columns};
        all.insert(all.end(), sheet.rows.begin(), sheet.rows.end());
        table.rows.clear();
        table.widths.assign(sheet.columns.size(), 0);
        for (const auto& cells : all) {
            Row row;
            for (std::size_t c = 0; c < cells.size() && c < table.widths.size(); ++c) {
                row.push_back(CellLines(cells[c], split));
                for (const std::string& line : row.back()) {
                    table.widths[c] = std::max(table.widths[c], Width(line));
                }
            }
            table.rows.push_back(std::move(row));
        }
        std::size_t characters = 0;
        for (const std::size_t width : table.widths) {
            characters += width;
        }
        const int gaps = std::max(static_cast<int>(table.widths.size()) - 1, 0);
        const int needed = static_cast<int>(characters) * kCharWidth;
        if (needed + gaps * kColumnGap <= room) {
            return table;
        }
        // Narrower gaps before splitting the values, and at the end
        // whatever is narrowest.
        table.gap = std::max(kColumnGap / 2, gaps > 0 ? (room - needed) / gaps : kColumnGap);
        if (needed + gaps * table.gap <= room) {
            return table;
        }
    }
    table.gap = kColumnGap / 2;
    return table;
}

int Lines(const Row& row) {
    std::size_t lines = 1;
    for (const auto& cell : row) {
        lines = std::max(lines, cell.size());
    }
    return static_cast<int>(lines);
}

class PageWriter {
  public:
    explicit PageWriter(const SheetArea& area) : area_(area), y_(area.firstTop) {
        pages_.emplace_back();
    }
    // Makes room for lines of text, starting a new page when they do not
    // fit on this one; true when they start a page.
    bool Room(int lines) {
        if (y_ - lines * kRowPitch < area_.bottom && y_ != PageTop()) {
            pages_.emplace_back();
            y_ = area_.top;
            return true;
        }
        return false;
    }
    void Text(int x, int line, std::string text) {
        pages_.back().push_back({x, y_ - line * kRowPitch, std::move(text)});
    }
    void Down(int pitch) { y_ -= pitch; }
    std::vector<std::vector<PlacedText>> Pages() && { return std::move(pages_); }

  private:
    int PageTop() const { return pages_.size() == 1 ? area_.firstTop : area_.top; }

    SheetArea area_;
    int y_;
    std::vector<std::vector<PlacedText>> pages_;
};

}  // namespace

std::vector<std::vector<PlacedText>> LayOutReportSheet(const ReportSheet& sheet,
                                                       const SheetArea& area) {
    PageWriter out(area);
    const auto pairs = [&](const Pairs& list) {
        const int valueX = area.left + static_cast<int>(LabelWidth(list)) * kCharWidth + kColumnGap;
        const auto room =
            static_cast<std::size_t>(std::max(area.right - valueX, kCharWidth) / kCharWidth);
        for (const auto& [label, value] : list) {
            const std::vector<std::string> lines = Wrapped(value, room);
            out.Room(static_cast<int>(lines.size()));
            out.Text(area.left, 0, label);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                out.Text(valueX, static_cast<int>(i), lines[i]);
            }
            out.Down(kRowPitch * static_cast<int>(lines.size()));
        }
    };
    pairs(sheet.facts);
    out.Down(kRowPitch / 2);
    if (!sheet.columns.empty()) {
        const Table table = LaidOutTable(sheet, area.right - area.left);
        const auto print = [&](const Row& row) {
            int x = area.left;
            for (std::size_t c = 0; c < row.size(); ++c) {
                for (std::size_t line = 0; line < row[c].size(); ++line) {
                    out.Text(x, static_cast<int>(line), row[c][line]);
                }
                x += static_cast<int>(table.widths[c]) * kCharWidth + table.gap;
            }
            out.Down(kRowPitch * Lines(row));
        };
        const Row& heading = table.rows.front();
        // The heading never stands alone at a page's foot.
        out.Room(Lines(heading) + (table.rows.size() > 1 ? Lines(table.rows[1]) : 0));
        print(heading);
        for (std::size_t r = 1; r < table.rows.size(); ++r) {
            if (out.Room(Lines(table.rows[r]))) {
                print(heading);
            }
            print(table.rows[r]);
        }
    }
    out.Down(kRowPitch / 2);
    // The date and the program together.
    out.Room(static_cast<int>(sheet.closing.size()));
    pairs(sheet.closing);
    return std::move(out).Pages();
}

}  // namespace trazel::output
