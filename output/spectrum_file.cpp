#include "output/spectrum_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string_view>

#include "output/g14_text.h"
#include "platform/output_file.h"
#include "platform/translation.h"

using namespace trazel::platform;
using namespace trazel::model;

namespace trazel::output {

namespace {

// JCAMP-DX keeps its lines within 80 characters.
constexpr std::size_t kJcampLineWidth = 80;

// The bytes of a file gathered into blocks before they go to the sink, so
// that ten million lines are not ten million calls.
class Lines {
  public:
    Lines(ByteSink& sink, bool decimalComma) : sink_(sink), decimalComma_(decimalComma) {
        buffer_.reserve(kBlock + 256);
    }

    Lines& operator<<(std::string_view text) {
        buffer_ += text;
        return *this;
    }
    Lines& operator<<(double value) {
        char text[kG14Room];
        char* end = PutG14(text, value);
        if (decimalComma_) {
            std::replace(text, end, '.', ',');
        }
        buffer_.append(text, end);
        return *this;
    }
    void EndLine() {
        buffer_ += "\r\n";
        if (buffer_.size() >= kBlock) {
            Flush();
        }
    }
    bool Flush() {
        ok_ = ok_ && sink_.Write(buffer_);
        buffer_.clear();
        return ok_;
    }
    bool Ok() const { return ok_; }

  private:
    static constexpr std::size_t kBlock = 1 << 16;
    ByteSink& sink_;
    bool decimalComma_;
    std::string buffer_;
    bool ok_ = true;
};

std::string G14(double value) {
    char text[kG14Room];
    return std::string(text, PutG14(text, value));
}

// value as a reader gets it back from its "%.14g".
double AsWritten(double value) {
    char text[kG14Room];
    char* end = PutG14(text, value);
    double read = value;
    std::from_chars(text, end, read);
    return read;
}

// The value of a labelled data record on one line, without what would end it
// or start a comment, and without control characters: a NUL would make the
// file binary to its readers.
std::string LabelValue(std::string_view text) {
    std::string value;
    for (const char c : text) {
        value += c == '\r' || c == '\n' ? ' ' : c;
    }
    value = ShownText(value);
    for (std::size_t at = value.find("$$"); at != std::string::npos; at = value.find("$$", at)) {
        value.replace(at, 2, "$ $");
    }
    return value;
}

// A CSV field, quoted when it holds the separator or a quote, on one line
// and without control characters.
std::string CsvField(const std::string& text, char separator) {
    const std::string name = ShownText(text);
    if (name.find(separator) == std::string::npos && name.find('"') == std::string::npos) {
        return name;
    }
    std::string quoted = "\"";
    for (const char c : name) {
        quoted += c == '"' ? '\'' : c;
    }
    return quoted + "\"";
}

void WriteText(Lines& lines, std::span<const double> x, std::span<const double> y) {
    lines << "x y";
    lines.EndLine();
    for (std::size_t i = 0; i < x.size(); ++i) {
        lines << x[i] << " " << y[i];
        lines.EndLine();
    }
}

void WriteCsv(Lines& lines, std::span<const double> x, std::span<const double> y,
              const SpectrumHeader& header, bool decimalComma) {
    const char separator = decimalComma ? ';' : ',';
    const std::string_view between(&separator, 1);
    lines << CsvField(XColumnName(header), separator) << between
          << CsvField(YColumnName(header), separator);
    lines.EndLine();
    for (std::size_t i = 0; i < x.size(); ++i) {
        lines << x[i] << between << y[i];
        lines.EndLine();
    }
}

void WriteJcamp(Lines& lines, std::span<const double> x, std::span<const double> y,
                const SpectrumHeader& header, const SpectrumWriteOptions& options) {
    const std::size_t n = x.size();
    const bool even = n >= 2 && EvenlySpacedAsWritten(x);
    const double first = n > 0 ? AsWritten(x.front()) : 0.0;
    const double last = n > 0 ? AsWritten(x.back()) : 0.0;
    auto label = [&](std::string_view name, const std::string& value) {
        lines << "##" << name << "= " << value;
        lines.EndLine();
    };
    label("TITLE", LabelValue(header.title));
    label("JCAMP-DX", "5.01");
    label("DATA TYPE", LabelValue(JcampDataType(header)));
    label("XUNITS", LabelValue(JcampXUnits(header)));
    label("YUNITS", LabelValue(JcampYUnits(header)));
    // Required by the format; a file that names neither is not ours to sign.
    label("ORIGIN", LabelValue(options.origin.empty() ? "unknown" : options.origin));
    label("OWNER", LabelValue(options.owner.empty() ? "unknown" : options.owner));
    if (!options.change.empty()) {
        label("$TRAZEL CHANGE", LabelValue(options.change));
    }
    label("FIRSTX", G14(first));
    label("LASTX", G14(last));
    if (n >= 2) {
        label("DELTAX", G14((last - first) / static_cast<double>(n - 1)));
    }
    label("NPOINTS", std::to_string(n));
    label("XFACTOR", "1");
    label("YFACTOR", "1");
    if (n > 0) {
        label("FIRSTY", G14(y.front()));
    }
    if (even) {
        lines << "##XYDATA= (X++(Y..Y))";
        lines.EndLine();
        const double range = last - first;
        std::size_t i = 0;
        while (i < n) {
            // The x a reader computes for the line's first point.
            const double lineX =
                first + range * static_cast<double>(i) / static_cast<double>(n - 1);
            std::string line = G14(lineX);
            do {
                const std::string value = G14(y[i]);
                if (line.size() + 1 + value.size() > kJcampLineWidth &&
                    line.find(' ') != std::string::npos) {
                    break;
                }
                line += ' ';
                line += value;
                ++i;
            } while (i < n);
            lines << line;
            lines.EndLine();
        }
    } else {
        lines << "##XYPOINTS= (XY..XY)";
        lines.EndLine();
        for (std::size_t i = 0; i < n; ++i) {
            lines << x[i] << ", " << y[i];
            lines.EndLine();
        }
    }
    lines << "##END=";
    lines.EndLine();
}

}  // namespace

std::optional<SpectrumFormat> SpectrumFormatFor(const std::string& path) {
    const auto dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.') {
        return std::nullopt;
    }
    std::string ending = path.substr(dot + 1);
    for (char& c : ending) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (ending == "txt") {
        return SpectrumFormat::Text;
    }
    if (ending == "csv") {
        return SpectrumFormat::Csv;
    }
    if (ending == "jdx" || ending == "dx") {
        return SpectrumFormat::Jcamp;
    }
    return std::nullopt;
}

bool EvenlySpacedAsWritten(std::span<const double> x) {
    const std::size_t n = x.size();
    if (n < 2) {
        return false;
    }
    const double first = AsWritten(x.front());
    const double range = AsWritten(x.back()) - first;
    char expected[kG14Room];
    char given[kG14Room];
    for (std::size_t i = 0; i < n; ++i) {
        // The very expression of the reader, so that no rounding differs.
        const double at = first + range * static_cast<double>(i) / static_cast<double>(n - 1);
        const char* expectedEnd = PutG14(expected, at);
        const char* givenEnd = PutG14(given, x[i]);
        if (std::string_view(expected, static_cast<std::size_t>(expectedEnd - expected)) !=
            std::string_view(given, static_cast<std::size_t>(givenEnd - given))) {
            return false;
        }
    }
    return true;
}

std::string SpectrumWriteProblem(std::span<const double> x, std::span<const double> y,
                                 const SpectrumWriteOptions& options) {
    const std::size_t n = std::min(x.size(), y.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(AsWritten(x[i])) || !std::isfinite(AsWritten(y[i]))) {
            return Fill(TRAZEL_TR("SpectrumFile",
                                  "el punto %1 (x %2, y %3) no se puede escribir con 14 cifras "
                                  "sin pasar del mayor número que cabe en un double"),
                        {std::to_string(i + 1), G14(x[i]), G14(y[i])});
        }
    }
    if (options.format == SpectrumFormat::Jcamp && n >= 2 &&
        !std::isfinite(AsWritten(x[n - 1]) - AsWritten(x[0]))) {
        return Fill(TRAZEL_TR("SpectrumFile",
                              "el intervalo de x, de %1 a %2, no cabe en un número, y JCAMP-DX "
                              "calcula de él ##DELTAX y las x; escríbalo en texto o en CSV"),
                    {G14(x[0]), G14(x[n - 1])});
    }
    return {};
}

bool WriteSpectrum(ByteSink& sink, std::span<const double> x, std::span<const double> y,
                   const SpectrumHeader& header, const SpectrumWriteOptions& options) {
    const std::size_t n = std::min(x.size(), y.size());
    x = x.first(n);
    y = y.first(n);
    const bool comma = options.decimalComma && options.format != SpectrumFormat::Jcamp;
    Lines lines(sink, comma);
    switch (options.format) {
        case SpectrumFormat::Text:
            WriteText(lines, x, y);
            break;
        case SpectrumFormat::Csv:
            WriteCsv(lines, x, y, header, comma);
            break;
        case SpectrumFormat::Jcamp:
            WriteJcamp(lines, x, y, header, options);
            break;
    }
    return lines.Flush();
}

Status WriteSpectrumFile(const WriteTarget& target, std::span<const double> x,
                         std::span<const double> y, const SpectrumHeader& header,
                         const SpectrumWriteOptions& options) {
    OutputFile file;
    if (Status failed = file.Open(target); !failed.ok()) {
        return failed;
    }
    WriteSpectrum(file, x, y, header, options);
    return file.Close();
}

}  // namespace trazel::output
