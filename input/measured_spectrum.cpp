#include "input/measured_spectrum.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "input/binary_spectrum.h"
#include "input/jcamp.h"
#include "input/line_reader.h"
#include "input/number_fields.h"
#include "platform/translation.h"

namespace trazel::input {

namespace {

using Result = ReadResult<MeasuredSpectrum>;

constexpr long kProgressLines = 65536;

bool IsComment(std::string_view text) {
    return !text.empty() && (text.front() == '#' || text.front() == '%');
}

// The columns of the first line of numbers: those asked for, when they hold
// numbers, or else x the first that does and y the one options.spectrum
// numbers among the others that do (the first when not set). spectra, when
// given, is how many of those others there are: on a line of numbers whose
// count falls short of options.spectrum it is not 0, and nothing is found.
bool FindColumns(const std::vector<std::string_view>& fields, const MeasuredOptions& options,
                 int& xColumn, int& yColumn, int* spectra = nullptr) {
    double value = 0.0;
    auto numeric = [&](int column) {
        return column >= 0 && static_cast<std::size_t>(column) < fields.size() &&
               ParseNumber(fields[static_cast<std::size_t>(column)], true, value) !=
                   NumberText::NotANumber;
    };
    const int count = static_cast<int>(fields.size());
    int x = options.xColumn.value_or(0);
    while (!options.xColumn && x < count && !numeric(x)) {
        ++x;
    }
    std::vector<int> others;
    for (int column = 0; column < count && numeric(x); ++column) {
        if (column != x && numeric(column) && (options.xColumn || column > x)) {
            others.push_back(column);
        }
    }
    if (spectra) {
        *spectra = static_cast<int>(others.size());
    }
    if (options.yColumn || (options.xColumn && !options.spectrum)) {
        xColumn = options.xColumn.value_or(0);
        yColumn = options.yColumn.value_or(xColumn + 1);
        return numeric(xColumn) && numeric(yColumn);
    }
    const auto chosen = static_cast<std::size_t>(options.spectrum.value_or(0));
    if (chosen >= others.size()) {
        return false;
    }
    xColumn = x;
    yColumn = others[chosen];
    return true;
}

// The units of one column from its name in the header: the text in the last
// parentheses or brackets ("wavenumber (cm-1)" gives "cm-1"), or the whole
// name when it is a unit by itself ("abs", "nm"); nothing for a plain name
// ("x", "intensidad").
std::string UnitsText(std::string_view name, bool recognised) {
    const std::size_t open = name.find_last_of("([");
    if (open != std::string_view::npos) {
        const std::size_t close = name.find_first_of(")]", open);
        return std::string(
            TrimSpace(name.substr(open + 1, close == name.npos ? close : close - open - 1)));
    }
    return recognised ? std::string(name) : std::string();
}

// The header's names for the columns of a data line of dataFields fields.
// Spaces split "wavenumber (cm-1) absorbance" into a name and its units,
// which are put together again; a header of names with spaces inside is
// split at its tabs.
std::vector<std::string> ColumnNames(std::string_view header, Separator separator,
                                     std::size_t dataFields) {
    std::vector<std::string_view> fields;
    SplitFields(header, separator, fields);
    std::vector<std::string> names;
    for (const std::string_view field : fields) {
        const bool units = !field.empty() && (field.front() == '(' || field.front() == '[');
        if (separator == Separator::Whitespace && units && !names.empty()) {
            names.back() += " ";
            names.back() += field;
        } else {
            names.emplace_back(field);
        }
    }
    if (names.size() != dataFields && header.find('\t') != std::string_view::npos) {
        SplitFields(header, Separator::Tab, fields);
        names.assign(fields.begin(), fields.end());
    }
    return names;
}

void ReadHeaderUnits(std::string_view header, Separator separator, std::size_t dataFields,
                     MeasuredSpectrum& spectrum) {
    model::SpectrumHeader& units = spectrum.header;
    const std::vector<std::string> names = ColumnNames(header, separator, dataFields);
    const auto xColumn = static_cast<std::size_t>(spectrum.xColumn);
    const auto yColumn = static_cast<std::size_t>(spectrum.yColumn);
    if (names.size() == dataFields && xColumn < names.size() && yColumn < names.size()) {
        spectrum.name = names[yColumn];
        units.xKind = model::RecogniseXUnit(names[xColumn]);
        units.yKind = model::RecogniseYUnit(names[yColumn]);
        units.xUnits = UnitsText(names[xColumn], units.xKind != model::XUnit::Unknown);
        units.yUnits = UnitsText(names[yColumn], units.yKind != model::YUnit::Unknown);
        return;
    }
    // Names that cannot be told apart ("numero de onda (cm-1) absorbancia"):
    // the words of x units and those of y units are not the same words.
    if (dataFields == 2) {
        model::SetXUnit(units, model::RecogniseXUnit(header));
        model::SetYUnit(units, model::RecogniseYUnit(header));
    }
}

// Room for the points still to come when the vectors are full, so that a
// file of millions of lines is not copied again and again as they double:
// the bytes left in the file at the bytes per point so far, and a tenth more.
// Room reserved and never filled is never touched, and so takes no memory.
// The first estimate rests on a few lines only and is made again, with a
// small copy, once thousands of lines have been read.
void ReserveForTheRest(MeasuredSpectrum& spectrum, const LineReader& reader,
                       std::uint64_t dataStart) {
    constexpr std::size_t kFirstEstimate = 4096;
    const std::size_t points = spectrum.x.size();
    const std::uint64_t offset = reader.Offset();
    const std::uint64_t left = reader.Size() > offset ? reader.Size() - offset : 0;
    std::size_t wanted = kFirstEstimate;
    if (points >= kFirstEstimate) {
        const double bytesPerPoint =
            static_cast<double>(offset - dataStart) / static_cast<double>(points);
        // No line of two numbers is shorter than "1 2" and its end.
        const double more = std::min(static_cast<double>(left) / std::max(bytesPerPoint, 4.0),
                                     static_cast<double>(left) / 4.0);
        wanted = points + static_cast<std::size_t>(more * 1.1) + kFirstEstimate;
    }
    spectrum.x.reserve(wanted);
    spectrum.y.reserve(wanted);
}

// A file instruments write in a binary format of their own, read whole: such
// files hold one or a few spectra, far smaller than the texts streamed below.
// None when the file is not one of them.
std::optional<Result> ReadBinarySpectrum(const std::string& path, std::uint64_t size,
                                         std::size_t which) {
    // No spectrum of these formats comes near this; a larger file that
    // starts like one is not read into memory on the strength of two bytes.
    constexpr std::uint64_t kLargest = 256ULL << 20;
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes(std::min<std::uint64_t>(size, kBinarySignatureBytes));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    const BinaryFormat format = RecogniseBinarySpectrum(bytes);
    if (format == BinaryFormat::None) {
        return std::nullopt;
    }
    if (size > kLargest) {
        return Result::Failed(ReadFailure::Content,
                              FileProblem(path, TRAZEL_TR("MeasuredSpectrum",
                                                          "es un espectro binario demasiado "
                                                          "grande para leerlo")));
    }
    bytes.resize(static_cast<std::size_t>(size));
    in.clear();
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(size)) {
        return Result::Failed(
            ReadFailure::File,
            FileProblem(path, TRAZEL_TR("MeasuredSpectrum", "no se pudo leer entero")));
    }
    return format == BinaryFormat::Spc ? ReadSpc(path, bytes, which) : ReadOpus(path, bytes, which);
}

}  // namespace

ReadResult<MeasuredSpectrum> ReadMeasuredSpectrum(const std::string& path,
                                                  const MeasuredOptions& options,
                                                  const ReadProgress& progress) {
    LineReader reader;
    if (auto error = reader.Open(path)) {
        return Result::Failed(ReadFailure::File, *error);
    }
    if (options.spectrum && *options.spectrum < 0) {
        return Result::Failed(
            ReadFailure::NoSuchSpectrum,
            FileProblem(path, TRAZEL_TR("MeasuredSpectrum", "los espectros se cuentan desde 1")));
    }
    const auto which = static_cast<std::size_t>(options.spectrum.value_or(0));
    if (auto binary = ReadBinarySpectrum(path, reader.Size(), which)) {
        return std::move(*binary);
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
    std::string header;
    std::uint64_t dataStart = 0;
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
                auto jcamp = ReadJcamp(reader, line, path, JcampWanted::Spectrum, progress, which);
                if (!jcamp.Ok()) {
                    return Result::FailedAs(jcamp);
                }
                spectrum.x = std::move(jcamp.Value().x);
                spectrum.y = std::move(jcamp.Value().y);
                spectrum.jcamp = true;
                spectrum.firstOfSeveral = jcamp.Value().firstOfSeveral;
                spectrum.header = std::move(jcamp.Value().header);
                spectrum.notes = std::move(jcamp.Value().notes);
                spectrum.origin = std::move(jcamp.Value().origin);
                spectrum.owner = std::move(jcamp.Value().owner);
                spectrum.spectrum = static_cast<int>(which);
                spectrum.spectra = static_cast<int>(jcamp.Value().blocks);
                spectrum.name = spectrum.header.title;
                spectrum.kind = jcamp.Value().evenlySpaced ? "XYDATA" : "XYPOINTS";
                break;
            }
        }
        if (text.empty() || IsComment(text)) {
            continue;
        }
        double x = 0.0;
        double y = 0.0;
        if (dataStarted &&
            ReadPlainPair(text, separator, spectrum.xColumn, spectrum.yColumn, x, y)) {
            if (spectrum.x.size() == spectrum.x.capacity()) {
                ReserveForTheRest(spectrum, reader, dataStart);
            }
            spectrum.x.push_back(x);
            spectrum.y.push_back(y);
            continue;
        }
        SplitFields(text, separator, fields);
        if (!dataStarted) {
            if (!FindColumns(fields, options, spectrum.xColumn, spectrum.yColumn,
                             &spectrum.spectra)) {
                if (spectrum.spectra > 0 && options.spectrum && !options.yColumn) {
                    return Result::Failed(
                        ReadFailure::NoSuchSpectrum,
                        NoSuchSpectrum(path, which + 1,
                                       static_cast<std::size_t>(spectrum.spectra)));
                }
                header.assign(text);
                continue;  // a header line
            }
            spectrum.spectrum = static_cast<int>(which);
            spectrum.kind = "column";
            dataStarted = true;
            dataStart = reader.Offset();
            ReadHeaderUnits(header, separator, fields.size(), spectrum);
        }
        const auto needed = static_cast<std::size_t>(std::max(spectrum.xColumn, spectrum.yColumn));
        const bool present = needed < fields.size();
        const std::string_view xField =
            present ? fields[static_cast<std::size_t>(spectrum.xColumn)] : std::string_view();
        const std::string_view yField =
            present ? fields[static_cast<std::size_t>(spectrum.yColumn)] : std::string_view();
        const NumberText xText = present ? ParseNumber(xField, true, x) : NumberText::NotANumber;
        const NumberText yText = present ? ParseNumber(yField, true, y) : NumberText::NotANumber;
        if (const auto comma = present ? AmbiguousComma(xField, yField) : std::nullopt) {
            return Result::Failed(ReadFailure::Content,
                                  LineProblem(path, number, line, AmbiguousCommaReason(*comma)),
                                  number);
        }
        if (xText != NumberText::Number || yText != NumberText::Number) {
            const bool infinite = xText == NumberText::NotFinite || yText == NumberText::NotFinite;
            return Result::Failed(
                ReadFailure::Content,
                LineProblem(path, number, line,
                            infinite ? TRAZEL_TR("MeasuredSpectrum",
                                                 "tiene un valor que no es un número finito")
                                     : platform::Fill(TRAZEL_TR("MeasuredSpectrum",
                                                                "no tiene un par de números x, "
                                                                "y en las columnas %1 y %2"),
                                                      {std::to_string(spectrum.xColumn + 1),
                                                       std::to_string(spectrum.yColumn + 1)})),
                number);
        }
        if (spectrum.x.size() == spectrum.x.capacity()) {
            ReserveForTheRest(spectrum, reader, dataStart);
        }
        spectrum.x.push_back(x);
        spectrum.y.push_back(y);
    }
    if (reader.Error()) {
        return Result::Failed(ReadFailure::File, *reader.Error());
    }
    if (!sawLine) {
        return Result::Failed(ReadFailure::Content,
                              FileProblem(path, TRAZEL_TR("MeasuredSpectrum",
                                                          "no contiene más que líneas en blanco")));
    }
    if (spectrum.x.empty()) {
        return Result::Failed(
            ReadFailure::Content,
            FileProblem(path, TRAZEL_TR("MeasuredSpectrum",
                                        "no contiene ninguna línea con un par de números x, y")));
    }
    // JCAMP-DX factors can carry finite numbers beyond a double; a text's
    // numbers were each checked as they were read.
    for (std::size_t i = 0; spectrum.jcamp && i < spectrum.x.size(); ++i) {
        if (!std::isfinite(spectrum.x[i]) || !std::isfinite(spectrum.y[i])) {
            return Result::Failed(
                ReadFailure::Content,
                FileProblem(path, platform::Fill(TRAZEL_TR("MeasuredSpectrum",
                                                           "el punto %1 no es un número finito"),
                                                 {std::to_string(i + 1)})));
        }
    }
    if (spectrum.x.size() == 1) {
        return Result::Failed(ReadFailure::Content,
                              FileProblem(path, TRAZEL_TR("MeasuredSpectrum",
                                                          "tiene un solo punto; hacen falta al "
                                                          "menos dos para dibujar un espectro")));
    }
    return spectrum;
}

ReadResult<std::vector<SpectrumSummary>> ListMeasuredSpectra(const std::string& path,
                                                             MeasuredOptions options,
                                                             const ReadProgress& progress) {
    std::vector<SpectrumSummary> list;
    int count = 1;
    for (int i = 0; i < count; ++i) {
        options.spectrum = i;
        const auto read = ReadMeasuredSpectrum(path, options, progress);
        if (!read.Ok()) {
            return ReadResult<std::vector<SpectrumSummary>>::FailedAs(read);
        }
        const MeasuredSpectrum& spectrum = read.Value();
        count = spectrum.spectra;
        list.push_back({spectrum.name, spectrum.kind, spectrum.x.size(), spectrum.x.front(),
                        spectrum.x.back(), spectrum.header.xUnits, spectrum.header.yUnits});
    }
    return list;
}

ReadResult<int> SpectrumNamed(const std::string& path, const std::vector<SpectrumSummary>& list,
                              const std::string& name) {
    std::optional<int> found;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].name != name) {
            continue;
        }
        if (found) {
            return ReadResult<int>::Failed(
                ReadFailure::NoSuchSpectrum,
                FileProblem(path, platform::Fill(TRAZEL_TR("MeasuredSpectrum",
                                                           "hay más de un espectro llamado «%1»; "
                                                           "elíjalo por su número"),
                                                 {name})));
        }
        found = static_cast<int>(i);
    }
    if (!found) {
        return ReadResult<int>::Failed(
            ReadFailure::NoSuchSpectrum,
            FileProblem(path, platform::Fill(TRAZEL_TR("MeasuredSpectrum",
                                                       "no hay ningún espectro llamado «%1» entre "
                                                       "sus %2"),
                                             {name, std::to_string(list.size())})));
    }
    return *found;
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
