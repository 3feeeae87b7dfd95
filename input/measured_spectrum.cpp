#include "input/measured_spectrum.h"

#include <algorithm>
#include <cmath>

#include "input/jcamp.h"
#include "input/line_reader.h"
#include "input/number_fields.h"

namespace trazel::input {

namespace {

using Result = ReadResult<MeasuredSpectrum>;

constexpr long kProgressLines = 65536;

bool IsComment(std::string_view text) {
    return !text.empty() && (text.front() == '#' || text.front() == '%');
}

// The columns of the first line of numbers: those asked for, when they hold
// numbers, or the first two that do.
bool FindColumns(const std::vector<std::string_view>& fields, const MeasuredOptions& options,
                 int& xColumn, int& yColumn) {
    double value = 0.0;
    auto numeric = [&](int column) {
        return column >= 0 && static_cast<std::size_t>(column) < fields.size() &&
               ParseNumber(fields[static_cast<std::size_t>(column)], true, value) !=
                   NumberText::NotANumber;
    };
    if (options.xColumn || options.yColumn) {
        xColumn = options.xColumn.value_or(0);
        yColumn = options.yColumn.value_or(xColumn + 1);
        return numeric(xColumn) && numeric(yColumn);
    }
    int found = 0;
    for (int column = 0; column < static_cast<int>(fields.size()) && found < 2; ++column) {
        if (numeric(column)) {
            (found == 0 ? xColumn : yColumn) = column;
            ++found;
        }
    }
    return found == 2;
}

}  // namespace

ReadResult<MeasuredSpectrum> ReadMeasuredSpectrum(const std::string& path,
                                                  const MeasuredOptions& options,
                                                  const ReadProgress& progress) {
    LineReader reader;
    if (auto error = reader.Open(path)) {
        return Result::Failed(ReadFailure::File, *error);
    }
    const Separator separator =
        SampleSeparator(reader, "#%", false).value_or(Separator::Whitespace);
    if (reader.Error()) {
        return Result::Failed(ReadFailure::File, *reader.Error());
    }
    MeasuredSpectrum spectrum;
    std::string_view line;
    bool dataStarted = false;
    bool sawLine = false;
    std::vector<std::string_view> fields;
    while (reader.Next(line)) {
        const long number = reader.LineNumber();
        if (progress && number % kProgressLines == 0 &&
            !progress(reader.BytesRead(), reader.Size())) {
            return Result::Failed(ReadFailure::Cancelled, CancelledRead(path));
        }
        const std::string_view text = TrimSpace(line);
        if (!sawLine && !text.empty()) {
            sawLine = true;
            if (LooksLikeJcamp(text)) {
                auto jcamp = ReadJcamp(reader, line, path, JcampWanted::Spectrum, progress);
                if (!jcamp.Ok()) {
                    return Result::FailedAs(jcamp);
                }
                spectrum.x = std::move(jcamp.Value().x);
                spectrum.y = std::move(jcamp.Value().y);
                spectrum.jcamp = true;
                spectrum.firstOfSeveral = jcamp.Value().firstOfSeveral;
                break;
            }
        }
        if (text.empty() || IsComment(text)) {
            continue;
        }
        SplitFields(text, separator, fields);
        if (!dataStarted) {
            if (!FindColumns(fields, options, spectrum.xColumn, spectrum.yColumn)) {
                continue;  // a header line
            }
            dataStarted = true;
        }
        double x = 0.0;
        double y = 0.0;
        const auto needed = static_cast<std::size_t>(std::max(spectrum.xColumn, spectrum.yColumn));
        const NumberText xText =
            needed < fields.size()
                ? ParseNumber(fields[static_cast<std::size_t>(spectrum.xColumn)], true, x)
                : NumberText::NotANumber;
        const NumberText yText =
            needed < fields.size()
                ? ParseNumber(fields[static_cast<std::size_t>(spectrum.yColumn)], true, y)
                : NumberText::NotANumber;
        if (const auto comma =
                needed < fields.size()
                    ? AmbiguousComma({fields[static_cast<std::size_t>(spectrum.xColumn)],
                                      fields[static_cast<std::size_t>(spectrum.yColumn)]})
                    : std::nullopt) {
            return Result::Failed(ReadFailure::Content,
                                  LineProblem(path, number, line, AmbiguousCommaReason(*comma)),
                                  number);
        }
        if (xText != NumberText::Number || yText != NumberText::Number) {
            const bool infinite = xText == NumberText::NotFinite || yText == NumberText::NotFinite;
            return Result::Failed(
                ReadFailure::Content,
                LineProblem(path, number, line,
                            infinite ? "tiene un valor que no es un número finito"
                                     : "no tiene un par de números x, y en las columnas " +
                                           std::to_string(spectrum.xColumn + 1) + " y " +
                                           std::to_string(spectrum.yColumn + 1)),
                number);
        }
        spectrum.x.push_back(x);
        spectrum.y.push_back(y);
    }
    if (reader.Error()) {
        return Result::Failed(ReadFailure::File, *reader.Error());
    }
    if (!sawLine) {
        return Result::Failed(ReadFailure::Content,
                              FileProblem(path, "no contiene más que líneas en blanco"));
    }
    if (spectrum.x.empty()) {
        return Result::Failed(
            ReadFailure::Content,
            FileProblem(path, "no contiene ninguna línea con un par de números x, y"));
    }
    for (std::size_t i = 0; i < spectrum.x.size(); ++i) {
        // JCAMP-DX factors can carry finite numbers beyond a double.
        if (!std::isfinite(spectrum.x[i]) || !std::isfinite(spectrum.y[i])) {
            return Result::Failed(
                ReadFailure::Content,
                FileProblem(path, "el punto " + std::to_string(i + 1) + " no es un número finito"));
        }
    }
    if (spectrum.x.size() == 1) {
        return Result::Failed(ReadFailure::Content,
                              FileProblem(path,
                                          "tiene un solo punto; hacen falta al menos dos "
                                          "para dibujar un espectro"));
    }
    return spectrum;
}

ReadResult<MeasuredPreview> PreviewMeasuredSpectrum(const std::string& path, int shownLines) {
    // A header longer than this is not worth waiting for: the full read
    // finds the numbers, or says why there are none.
    constexpr long kSearchedLines = 1000;
    LineReader reader;
    if (auto error = reader.Open(path)) {
        return ReadResult<MeasuredPreview>::Failed(ReadFailure::File, *error);
    }
    const Separator separator =
        SampleSeparator(reader, "#%", false).value_or(Separator::Whitespace);
    if (reader.Error()) {
        return ReadResult<MeasuredPreview>::Failed(ReadFailure::File, *reader.Error());
    }
    MeasuredPreview preview;
    std::string_view line;
    std::vector<std::string_view> fields;
    bool sawLine = false;
    while (reader.Next(line) && reader.LineNumber() <= kSearchedLines) {
        if (static_cast<int>(preview.lines.size()) < shownLines) {
            preview.lines.emplace_back(line);
        }
        const std::string_view text = TrimSpace(line);
        if (!sawLine && !text.empty()) {
            sawLine = true;
            if (LooksLikeJcamp(text)) {
                preview.jcamp = true;
                return preview;
            }
        }
        if (preview.columns > 0) {
            if (static_cast<int>(preview.lines.size()) >= shownLines) {
                return preview;
            }
            continue;
        }
        if (text.empty() || IsComment(text)) {
            continue;
        }
        SplitFields(text, separator, fields);
        if (FindColumns(fields, {}, preview.xColumn, preview.yColumn)) {
            preview.columns = static_cast<int>(fields.size());
        }
    }
    if (reader.Error()) {
        return ReadResult<MeasuredPreview>::Failed(ReadFailure::File, *reader.Error());
    }
    return preview;
}

}  // namespace trazel::input
