#include "input/band_list.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <numeric>
#include <string_view>

#include "input/jcamp.h"
#include "input/line_reader.h"
#include "input/number_fields.h"
#include "platform/translation.h"

using namespace trazel::model;

namespace trazel::input {

namespace {

using Result = ReadResult<BandList>;

enum Column { kPosition, kIntensity, kWidth, kScale, kSeparate, kShape, kShare, kColumns };

// The names a header may give each column, lower case and without accents.
const std::array<std::vector<std::string_view>, kColumns> kColumnNames = {{
    {"x", "pos", "posicion", "position", "maximo", "centro", "frecuencia", "frequency",
     "wavenumber", "cm-1", "numero de onda"},
    {"int", "intensidad", "intensity", "i", "y"},
    {"anchura", "width", "fwhm"},
    {"escala", "scale"},
    {"r", "separada", "separate"},
    {"forma", "shape"},
    {"eta", "share", "fraccion"},
}};

// A header field as compared with the names: lower case, the Spanish accents
// dropped, and a unit in brackets after the name ("Frequency (cm-1)") left off.
std::string HeaderKey(std::string_view field) {
    static const std::array<std::pair<std::string_view, char>, 12> kAccents = {{
        {"á", 'a'},
        {"é", 'e'},
        {"í", 'i'},
        {"ó", 'o'},
        {"ú", 'u'},
        {"ñ", 'n'},
        {"Á", 'a'},
        {"É", 'e'},
        {"Í", 'i'},
        {"Ó", 'o'},
        {"Ú", 'u'},
        {"Ñ", 'n'},
    }};
    std::string key;
    for (std::size_t i = 0; i < field.size();) {
        bool replaced = false;
        for (const auto& [accented, plain] : kAccents) {
            if (field.substr(i, accented.size()) == accented) {
                key += plain;
                i += accented.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(field[i++])));
        }
    }
    if (key != "cm-1") {
        const auto bracket = key.find_first_of("([");
        if (bracket != std::string::npos && bracket > 0) {
            key = std::string(TrimSpace(key.substr(0, bracket)));
        }
    }
    while (!key.empty() && (key.back() == '.' || key.back() == ':')) {
        key.pop_back();
    }
    return key;
}

// The columns a header line names, when it names at least the position and
// the intensity.
std::optional<BandColumns> HeaderColumns(const std::vector<std::string_view>& fields) {
    std::array<int, kColumns> found;
    found.fill(-1);
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const std::string key = HeaderKey(fields[f]);
        for (int c = 0; c < kColumns; ++c) {
            for (const std::string_view name : kColumnNames[static_cast<std::size_t>(c)]) {
                if (key == name && found[static_cast<std::size_t>(c)] < 0) {
                    found[static_cast<std::size_t>(c)] = static_cast<int>(f);
                }
            }
        }
    }
    if (found[kPosition] < 0 || found[kIntensity] < 0) {
        return std::nullopt;
    }
    return BandColumns{found[kPosition], found[kIntensity], found[kWidth],
                       found[kScale],    found[kSeparate],  true,
                       found[kShape],    found[kShare]};
}

bool IsComment(std::string_view text) {
    return !text.empty() && (text.front() == '#' || text.front() == '%' || text.front() == '!');
}

std::optional<std::int32_t> SeparateFlag(std::string_view text) {
    const std::string key = HeaderKey(text);
    if (key == "s" || key == "si" || key == "1") {
        return 1;
    }
    if (key == "n" || key == "no" || key == "0" || key.empty()) {
        return 0;
    }
    return std::nullopt;
}

// The shape and share of a band from their columns, or what is wrong with
// them. A mixed shape without a share column starts halfway.
std::string ShapeFrom(const std::vector<std::string_view>& fields, const BandColumns& c,
                      Peak& band) {
    const auto field = [&](int column) {
        return column >= 0 && static_cast<std::size_t>(column) < fields.size()
                   ? fields[static_cast<std::size_t>(column)]
                   : std::string_view();
    };
    if (c.shape < 0 || field(c.shape).empty()) {
        return {};
    }
    if (!ShapeFromName(field(c.shape), band.shape)) {
        return TRAZEL_TR("BandList",
                         "tiene en la columna de la forma algo distinto de g, l, pv o v");
    }
    band.share = IsMixed(band.shape) ? 0.5 : 0.0;
    if (IsMixed(band.shape) && !field(c.share).empty()) {
        double share = 0.0;
        if (ParseNumber(field(c.share), true, share) != NumberText::Number ||
            !(share >= 0.0 && share <= 1.0)) {
            return TRAZEL_TR("BandList", "tiene una fracción lorentziana que no está entre 0 y 1");
        }
        band.share = share;
    }
    return {};
}

// Turns the raw values of one band into a peak, or says what is wrong.
std::string MakeBand(double position, double value, double width, double scale,
                     std::int32_t separate, const BandListOptions& options, Peak& band) {
    // A shape of the band's own, read before, stays.
    const BandShape shape = band.shape;
    const double share = band.share;
    band = Peak{};
    band.shape = shape;
    band.share = share;
    band.position = position;
    band.width = width;
    band.scale = scale;
    band.scaledPosition = band.scale * band.position;
    band.separate = separate;
    if (!std::isfinite(position) || !std::isfinite(width) || !std::isfinite(scale) ||
        !std::isfinite(value)) {
        return TRAZEL_TR("BandList", "tiene un valor que no es un número finito");
    }
    if (!(band.width > 0.0)) {
        return TRAZEL_TR("BandList", "tiene una anchura que no es mayor que 0");
    }
    band.intensity = value;
    if (options.intensitiesAreAreas && band.shape != BandShape::Document) {
        band.intensity = IntensityForBandArea(band.shape, band.share, value, band.width);
    } else if (options.intensitiesAreAreas) {
        band.intensity = options.lineShape == Lorentzian
                             ? LorentzianIntensityForArea(value, band.width)
                             : IntensityForArea(value, band.width);
    }
    if (!std::isfinite(band.intensity) || !std::isfinite(band.scaledPosition)) {
        return TRAZEL_TR("BandList", "da una banda que no es un número finito");
    }
    return {};
}

std::string TooManyMessage(std::size_t count, int room) {
    const std::string fit =
        room <= 0 ? TRAZEL_TR("BandList", "en la tabla no cabe ninguna más")
        : room == 1
            ? TRAZEL_TR("BandList", "en la tabla cabe 1")
            : platform::Fill(TRAZEL_TR("BandList", "en la tabla caben %1"), {std::to_string(room)});
    const std::string pattern =
        count == 1 ? TRAZEL_TR("BandList", "tiene %1 banda y %2; no se ha importado ninguna")
                   : TRAZEL_TR("BandList", "tiene %1 bandas y %2; no se ha importado ninguna");
    return platform::Fill(pattern, {std::to_string(count), fit});
}

bool Exceeds(std::size_t count, const BandListOptions& options) {
    return count > static_cast<std::size_t>(std::max(options.room, 0));
}

Result FromJcamp(LineReader& reader, std::string_view firstLine, const std::string& path,
                 const BandListOptions& options) {
    auto table = ReadJcamp(reader, firstLine, path, JcampWanted::PeakTable);
    if (!table.Ok()) {
        return Result::FailedAs(table);
    }
    const JcampContent& content = table.Value();
    BandList list;
    list.jcamp = true;
    list.columns = BandColumns{0, 1, content.w.empty() ? -1 : 2, -1, -1, false};
    if (content.w.empty() && !options.width) {
        return Result::Failed(ReadFailure::MissingWidth,
                              FileProblem(path, TRAZEL_TR("BandList",
                                                          "la tabla de picos no da anchuras y no "
                                                          "se ha indicado una anchura para sus "
                                                          "bandas")));
    }
    if (Exceeds(content.x.size(), options)) {
        return Result::Failed(ReadFailure::TooManyBands,
                              FileProblem(path, TooManyMessage(content.x.size(), options.room)));
    }
    if (content.x.empty()) {
        return Result::Failed(
            ReadFailure::Content,
            FileProblem(path, TRAZEL_TR("BandList", "la tabla de picos está vacía")));
    }
    for (std::size_t i = 0; i < content.x.size(); ++i) {
        Peak band;
        const double width = content.w.empty() ? options.width.value_or(0.0) : content.w[i];
        if (const auto fault =
                MakeBand(content.x[i], content.y[i], width, options.scale, 0, options, band);
            !fault.empty()) {
            const long line = content.lines[i];
            return Result::Failed(ReadFailure::Content,
                                  LineProblem(path, line, reader.TextOfLine(line), fault), line);
        }
        list.bands.push_back(band);
    }
    return list;
}

// A number as the shortest text that reads back to it.
std::string ShortNumber(double value) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return std::string(text.data(), end);
}

// The bands of a quantum-chemistry output: a band per normal mode, the
// imaginary ones and the translations and rotations left out.
Result FromVibrational(LineReader& reader, QcProgram program, const std::string& path,
                       const BandListOptions& options) {
    using Kind = BandListOptions::Kind;
    auto read = ReadVibrationalAnalysis(reader, program, path);
    if (!read.Ok()) {
        return Result::FailedAs(read);
    }
    const VibrationalAnalysis& analysis = read.Value();
    const bool raman = options.kind != Kind::Infrared;
    if (raman ? !analysis.raman : !analysis.infrared) {
        return Result::Failed(
            ReadFailure::Content,
            FileProblem(path, raman ? TRAZEL_TR("BandList",
                                                "el análisis de frecuencias no da actividades "
                                                "Raman")
                                    : TRAZEL_TR("BandList",
                                                "el análisis de frecuencias no da intensidades "
                                                "infrarrojas")));
    }
    if (!options.width) {
        return Result::Failed(ReadFailure::MissingWidth,
                              FileProblem(path, TRAZEL_TR("BandList",
                                                          "el análisis de frecuencias no da "
                                                          "anchuras y no se ha indicado una "
                                                          "anchura para sus bandas")));
    }
    const double laser = 1e7 / options.laserNm;  // nm to cm-1
    std::vector<std::pair<double, double>> values;
    std::string imaginary;
    std::size_t imaginaryCount = 0;
    for (const VibrationalMode& mode : analysis.modes) {
        if (mode.leftOut == VibrationalMode::LeftOut::Imaginary) {
            imaginary += (imaginaryCount++ > 0 ? ", " : "") + ShortNumber(mode.wavenumber);
        }
        if (mode.leftOut != VibrationalMode::LeftOut::No ||
            (options.range &&
             (mode.wavenumber < options.range->first || mode.wavenumber > options.range->second))) {
            continue;
        }
        double value = options.kind == Kind::Infrared ? *mode.infrared : *mode.ramanActivity;
        if (options.kind == Kind::RamanIntensity) {
            if (!(laser > mode.wavenumber)) {
                return Result::Failed(
                    ReadFailure::Content,
                    FileProblem(
                        path, platform::Fill(TRAZEL_TR("BandList",
                                                       "la línea del láser (%1 cm-1) no "
                                                       "pasa de la banda de %2 cm-1"),
                                             {ShortNumber(laser), ShortNumber(mode.wavenumber)})));
            }
            value = RamanIntensity(laser, mode.wavenumber, value, options.temperature);
        }
        values.emplace_back(mode.wavenumber, value);
    }
    const std::size_t found = values.size();
    if (Exceeds(found, options) && options.strongest) {
        // The strongest that fit, kept in the file's order; of equal ones,
        // the first.
        const auto room = static_cast<std::size_t>(std::max(options.room, 0));
        std::vector<std::size_t> order(found);
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return values[a].second > values[b].second;
        });
        order.resize(room);
        std::sort(order.begin(), order.end());
        std::vector<std::pair<double, double>> kept;
        for (const std::size_t i : order) {
            kept.push_back(values[i]);
        }
        values = std::move(kept);
    }
    if (Exceeds(values.size(), options)) {
        return Result::Failed(ReadFailure::TooManyBands,
                              FileProblem(path, TooManyMessage(values.size(), options.room)));
    }
    if (values.empty()) {
        return Result::Failed(
            ReadFailure::Content,
            FileProblem(path, options.range
                                  ? platform::Fill(TRAZEL_TR("BandList",
                                                             "el análisis de frecuencias no tiene "
                                                             "ningún modo que dé una banda entre "
                                                             "%1 y %2 cm-1"),
                                                   {ShortNumber(options.range->first),
                                                    ShortNumber(options.range->second)})
                                  : TRAZEL_TR("BandList",
                                              "el análisis de frecuencias no tiene ningún modo "
                                              "que dé una banda")));
    }
    if (options.kind == Kind::RamanIntensity) {
        // Only the relative heights mean something: the strongest is 100.
        double strongest = 0.0;
        for (const auto& [position, value] : values) {
            strongest = std::max(strongest, value);
        }
        for (auto& [position, value] : values) {
            value = strongest > 0.0 ? 100.0 * value / strongest : 0.0;
        }
    }
    BandListOptions bandOptions = options;
    // Infrared intensities in km/mol are integrated absorptions.
    bandOptions.intensitiesAreAreas = options.intensitiesAreAreas || !raman;
    BandList list;
    list.program = program;
    list.columns = BandColumns{0, 1, -1, -1, -1, false};
    for (const auto& [position, value] : values) {
        Peak band;
        if (const auto fault =
                MakeBand(position, value, *options.width, options.scale, 0, bandOptions, band);
            !fault.empty()) {
            return Result::Failed(ReadFailure::Content, FileProblem(path, fault));
        }
        list.bands.push_back(band);
    }
    if (imaginaryCount > 0) {
        list.note = platform::Fill(
            imaginaryCount == 1
                ? TRAZEL_TR("BandList", "se ha dejado fuera 1 frecuencia imaginaria: %2 cm-1")
                : TRAZEL_TR("BandList", "se han dejado fuera %1 frecuencias imaginarias: %2 cm-1"),
            {std::to_string(imaginaryCount), imaginary});
    }
    if (values.size() < found) {
        list.note +=
            (list.note.empty() ? "" : "; ") +
            platform::Fill(TRAZEL_TR("BandList", "se han tomado las %1 bandas más intensas de %2"),
                           {std::to_string(values.size()), std::to_string(found)});
    }
    return list;
}

}  // namespace

ReadResult<BandList> ReadBandList(const std::string& path, const BandListOptions& options) {
    LineReader reader;
    if (auto error = reader.Open(path)) {
        return Result::Failed(ReadFailure::File, *error);
    }
    if (const auto program = RecogniseQcOutput(reader)) {
        return FromVibrational(reader, *program, path, options);
    }
    if (reader.Error()) {
        return Result::Failed(ReadFailure::File, *reader.Error());
    }
    const Separator separator =
        SampleSeparator(reader, "#%!", true).value_or(Separator::Whitespace);
    if (reader.Error()) {
        return Result::Failed(ReadFailure::File, *reader.Error());
    }
    BandList list;
    std::optional<BandColumns> header;
    bool dataStarted = false;
    bool sawLine = false;
    std::vector<std::string_view> fields;
    std::size_t count = 0;
    std::string_view line;
    while (reader.Next(line)) {
        const long number = reader.LineNumber();
        std::string_view text = TrimSpace(line);
        if (text.empty()) {
            continue;
        }
        if (!sawLine) {
            sawLine = true;
            if (LooksLikeJcamp(text)) {
                return FromJcamp(reader, line, path, options);
            }
        }
        if (!dataStarted) {
            // Computed lists often name their columns on a comment line.
            const bool comment = IsComment(text);
            if (comment) {
                text = TrimSpace(text.substr(1));
            }
            SplitFields(text, separator, fields);
            const BandColumns columns = header.value_or(BandColumns{0, 1, 2, 3, -1, false});
            double value = 0.0;
            auto numeric = [&](int column) {
                return column >= 0 && static_cast<std::size_t>(column) < fields.size() &&
                       ParseNumber(fields[static_cast<std::size_t>(column)], true, value) !=
                           NumberText::NotANumber;
            };
            if (comment || !numeric(columns.position) || !numeric(columns.intensity)) {
                if (auto named = HeaderColumns(fields)) {
                    header = named;
                }
                continue;
            }
            dataStarted = true;
            list.columns = columns;
            if (!header) {
                // Without a header the columns are position, intensity, and
                // then width and scale where the first line has them.
                list.columns.width = fields.size() > 2 ? 2 : -1;
                list.columns.scale = fields.size() > 3 ? 3 : -1;
            }
            if (list.columns.width < 0 && !options.width) {
                return Result::Failed(ReadFailure::MissingWidth,
                                      FileProblem(path, TRAZEL_TR("BandList",
                                                                  "la lista no tiene una columna "
                                                                  "de anchuras y no se ha indicado "
                                                                  "una anchura para sus bandas")));
            }
        } else {
            if (IsComment(text)) {
                continue;
            }
            SplitFields(text, separator, fields);
        }
        ++count;
        if (Exceeds(count, options)) {
            continue;  // counted only, for the message
        }
        bool finite = true;
        std::vector<std::string_view> numbers;
        auto read = [&](int column, double& into) {
            if (column < 0 || static_cast<std::size_t>(column) >= fields.size()) {
                return false;
            }
            numbers.push_back(fields[static_cast<std::size_t>(column)]);
            const NumberText parsed = ParseNumber(numbers.back(), true, into);
            finite = finite && parsed != NumberText::NotFinite;
            return parsed == NumberText::Number;
        };
        const BandColumns& c = list.columns;
        double position = 0.0, value = 0.0, width = 0.0, scale = 0.0;
        const bool ok = read(c.position, position) & read(c.intensity, value) &
                        (c.width < 0 || read(c.width, width)) &
                        (c.scale < 0 || read(c.scale, scale));
        std::optional<std::int32_t> separate = 0;
        if (c.separate >= 0) {
            separate = static_cast<std::size_t>(c.separate) < fields.size()
                           ? SeparateFlag(fields[static_cast<std::size_t>(c.separate)])
                           : std::optional<std::int32_t>(0);
        }
        Peak band;
        std::string fault = ShapeFrom(fields, c, band);
        if (!fault.empty()) {
            // The shape's fault is the one told.
        } else if (const auto comma = AmbiguousComma(numbers)) {
            fault = AmbiguousCommaReason(*comma);
        } else if (!finite) {
            fault = TRAZEL_TR("BandList", "tiene un valor que no es un número finito");
        } else if (!ok) {
            fault = TRAZEL_TR("BandList", "no tiene los números que se esperan en sus columnas");
        } else if (!separate) {
            fault = TRAZEL_TR("BandList", "tiene en la columna R algo distinto de «s» o «n»");
        } else {
            fault = MakeBand(position, value, c.width < 0 ? options.width.value_or(0.0) : width,
                             c.scale < 0 ? options.scale : scale, *separate, options, band);
            list.bands.push_back(band);
        }
        if (!fault.empty()) {
            return Result::Failed(ReadFailure::Content, LineProblem(path, number, line, fault),
                                  number);
        }
    }
    if (reader.Error()) {
        return Result::Failed(ReadFailure::File, *reader.Error());
    }
    if (Exceeds(count, options)) {
        return Result::Failed(ReadFailure::TooManyBands,
                              FileProblem(path, TooManyMessage(count, options.room)));
    }
    if (count == 0) {
        return Result::Failed(ReadFailure::Content,
                              FileProblem(path, TRAZEL_TR("BandList",
                                                          "no tiene ninguna línea con una "
                                                          "posición y una intensidad")));
    }
    return list;
}

}  // namespace trazel::input
