#include "input/jcamp.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <tuple>

#include "input/number_fields.h"
#include "platform/file_errors.h"
#include "platform/number_format.h"
#include "platform/translation.h"

using namespace trazel::platform;

namespace trazel::input {

namespace {

// A label as the standard compares them: upper case, without the spaces,
// dashes, slashes and underscores that writers sprinkle differently
// ("DATA TYPE", "DATATYPE", "JCAMP-DX", "JCAMP_DX").
std::string NormalisedLabel(std::string_view name) {
    std::string label;
    for (const char c : name) {
        if (c != ' ' && c != '-' && c != '/' && c != '_' && c != '\t') {
            label += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return label;
}

std::string_view WithoutComment(std::string_view line) {
    return line.substr(0, line.find("$$"));
}

// One unit in the last digit of a number as written: 1 for "4400." and
// "16383", 0.1 for ".5", 0.01 for "3.99e+2". Files round the x they label a
// line with, and the header's values, to the digits they write.
double LastDigitUnit(std::string_view text) {
    const std::size_t e = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, e);
    int exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view digits = text.substr(e + 1);
        if (!digits.empty() && digits.front() == '+') {
            digits.remove_prefix(1);
        }
        std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
    }
    const std::size_t point = mantissa.find('.');
    const auto decimals =
        point == std::string_view::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    return std::pow(10.0, exponent - decimals);
}

// One token of a line of compressed (ASDF) ordinates.
struct AsdfToken {
    enum Kind { Value, Difference, Duplicate } kind = Value;
    double number = 0.0;
    // For the line's first token, its abscissa: LastDigitUnit of its text.
    double unit = 0.0;
};

// The sign and first digit that a SQZ, DIF or DUP character stands for.
bool ClassifyAsdf(char c, AsdfToken::Kind& kind, int& digit) {
    if (c == '@') {
        kind = AsdfToken::Value, digit = 0;
    } else if (c >= 'A' && c <= 'I') {
        kind = AsdfToken::Value, digit = c - 'A' + 1;
    } else if (c >= 'a' && c <= 'i') {
        kind = AsdfToken::Value, digit = -(c - 'a' + 1);
    } else if (c == '%') {
        kind = AsdfToken::Difference, digit = 0;
    } else if (c >= 'J' && c <= 'R') {
        kind = AsdfToken::Difference, digit = c - 'J' + 1;
    } else if (c >= 'j' && c <= 'r') {
        kind = AsdfToken::Difference, digit = -(c - 'j' + 1);
    } else if (c >= 'S' && c <= 'Z') {
        kind = AsdfToken::Duplicate, digit = c - 'S' + 1;
    } else if (c == 's') {
        kind = AsdfToken::Duplicate, digit = 9;
    } else {
        return false;
    }
    return true;
}

// The tokens of one data line: plain (AFFN) and packed (PAC) numbers and the
// SQZ, DIF and DUP forms, in any mix. Empty on success, the reason otherwise.
std::string TokeniseAsdf(std::string_view line, std::vector<AsdfToken>& tokens) {
    tokens.clear();
    std::string digits;
    AsdfToken::Kind kind = AsdfToken::Value;
    bool open = false;
    auto close = [&]() -> bool {
        if (!open) {
            return true;
        }
        open = false;
        double number = 0.0;
        if (ParseNumber(digits, false, number) != NumberText::Number) {
            return false;
        }
        tokens.push_back({kind, number, tokens.empty() ? LastDigitUnit(digits) : 0.0});
        return true;
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        AsdfToken::Kind next = AsdfToken::Value;
        int digit = 0;
        const bool exponent = (c == 'E' || c == 'e') && open && i + 1 < line.size() &&
                              (line[i + 1] == '+' || line[i + 1] == '-');
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.' || exponent) {
            if (!open) {
                open = true, kind = AsdfToken::Value, digits.clear();
            }
            digits += c;
            if (exponent) {
                digits += line[++i];
            }
        } else if (c == ' ' || c == '\t' || c == ',') {
            if (!close()) {
                return TRAZEL_TR("Jcamp", "no es un número");
            }
        } else if (c == '+' || c == '-') {
            if (!close()) {
                return TRAZEL_TR("Jcamp", "no es un número");
            }
            open = true, kind = AsdfToken::Value, digits.assign(1, c);
        } else if (ClassifyAsdf(c, next, digit)) {
            if (!close()) {
                return TRAZEL_TR("Jcamp", "no es un número");
            }
            open = true, kind = next;
            digits = digit < 0 ? "-" + std::to_string(-digit) : std::to_string(digit);
        } else if (c == '?') {
            return TRAZEL_TR("Jcamp", "tiene un valor ausente («?»), que no se puede dibujar");
        } else {
            return Fill(TRAZEL_TR("Jcamp", "tiene un carácter que no es de datos JCAMP-DX («%1»)"),
                        {std::string(1, c)});
        }
    }
    return close() ? std::string() : TRAZEL_TR("Jcamp", "no es un número");
}

// Where a data line of ##XYDATA starts: the x it is labelled with (before
// ##XFACTOR) and the index of its first point.
struct LineStart {
    double x;
    double unit;  // LastDigitUnit of the label
    std::size_t index;
    long line;
};

// The ordinates of ##XYDATA=(X++(Y..Y)), one line at a time.
class XyDataDecoder {
  public:
    // maxPoints bounds what a repeat count may bring the points to, and
    // tooMany says why when one would pass it.
    XyDataDecoder(std::size_t maxPoints, std::string tooMany)
        : maxPoints_(maxPoints), tooMany_(std::move(tooMany)) {}

    // Empty on success, the reason otherwise.
    std::string Line(std::string_view text, long number, std::vector<double>& ys) {
        if (const std::string fault = TokeniseAsdf(text, tokens_); !fault.empty()) {
            return fault;
        }
        if (tokens_.empty()) {
            return {};
        }
        if (tokens_.front().kind != AsdfToken::Value) {
            return TRAZEL_TR("Jcamp", "no empieza por una abscisa");
        }
        const std::size_t lineStart = ys.size();
        // After a line in difference form the first ordinate is that line's
        // last one again, dropped once the line is read.
        const std::size_t repeated = checkPending_ ? 1 : 0;
        bool lastWasDifference = false;
        AsdfToken::Kind previous = AsdfToken::Value;
        double lastDifference = 0.0;
        for (std::size_t t = 1; t < tokens_.size(); ++t) {
            const AsdfToken& token = tokens_[t];
            if (token.kind == AsdfToken::Value) {
                ys.push_back(token.number);
                lastWasDifference = false;
                previous = AsdfToken::Value;
            } else if (token.kind == AsdfToken::Difference) {
                if (ys.empty()) {
                    return TRAZEL_TR("Jcamp",
                                     "empieza con una diferencia sin valor del que partir");
                }
                ys.push_back(ys.back() + token.number);
                lastDifference = token.number;
                lastWasDifference = true;
                previous = AsdfToken::Difference;
            } else {
                if (ys.size() == lineStart || token.number < 1 ||
                    token.number != std::floor(token.number)) {
                    return TRAZEL_TR("Jcamp", "tiene una repetición (DUP) que no repite nada");
                }
                // A DUP of n adds n - 1 copies to the points kept so far
                // (without the repeated check value). A count beyond the
                // bound would only fill memory before the count check
                // refuses the file.
                const std::size_t kept = ys.size() - repeated;
                if (kept > maxPoints_ ||
                    token.number - 1 > static_cast<double>(maxPoints_ - kept)) {
                    return tooMany_;
                }
                for (long n = 1; n < static_cast<long>(token.number); ++n) {
                    ys.push_back(previous == AsdfToken::Difference ? ys.back() + lastDifference
                                                                   : ys.back());
                }
            }
        }
        if (ys.size() > lineStart) {
            starts_.push_back(
                {tokens_.front().number, tokens_.front().unit, lineStart - repeated, number});
        }
        // A line in difference form ends with its last ordinate repeated at
        // the start of the next line, as a check that no line went missing.
        if (checkPending_ && ys.size() > lineStart) {
            if (ys[lineStart] != checkValue_) {
                return Fill(TRAZEL_TR("Jcamp",
                                      "no empieza por la última ordenada de la línea anterior "
                                      "(%1); falta o sobra algún dato"),
                            {std::to_string(checkValue_)});
            }
            ys.erase(ys.begin() + static_cast<std::ptrdiff_t>(lineStart));
        }
        if (ys.size() > lineStart || lastWasDifference) {
            checkPending_ = lastWasDifference;
            checkValue_ = ys.empty() ? 0.0 : ys.back();
        }
        return {};
    }

    const std::vector<LineStart>& Starts() const { return starts_; }

  private:
    std::vector<AsdfToken> tokens_;
    std::vector<LineStart> starts_;
    std::size_t maxPoints_;
    std::string tooMany_;
    bool checkPending_ = false;
    double checkValue_ = 0.0;
};

// The numbers of one line of (XY..XY) or (XYW..XYW) data: groups of size
// numbers, written "x,y x,y" or "x y" or "x, y; x, y".
std::string ParseGroups(std::string_view line, std::size_t size, std::vector<double>& values) {
    std::vector<std::string_view> groups;
    std::vector<std::string_view> parts;
    const bool commas = line.find(',') != std::string_view::npos;
    std::string spaced(line);
    for (char& c : spaced) {
        c = c == ';' ? ' ' : c;
    }
    SplitFields(spaced, Separator::Whitespace, groups);
    std::size_t count = 0;
    auto take = [&](std::string_view text) -> bool {
        double number = 0.0;
        if (ParseNumber(text, false, number) != NumberText::Number) {
            return false;
        }
        values.push_back(number);
        ++count;
        return true;
    };
    if (commas) {
        // "x, y" splits at the space into "x," and "y": join the groups again
        // and split at the commas and spaces together.
        for (char& c : spaced) {
            c = c == ',' ? ' ' : c;
        }
        SplitFields(spaced, Separator::Whitespace, parts);
        for (const std::string_view part : parts) {
            if (!take(part)) {
                return TRAZEL_TR("Jcamp", "no es una lista de números");
            }
        }
    } else {
        for (const std::string_view group : groups) {
            if (!take(group)) {
                return TRAZEL_TR("Jcamp", "no es una lista de números");
            }
        }
    }
    if (count % size != 0) {
        return size == 2 ? TRAZEL_TR("Jcamp", "no tiene un número par de valores (pares x, y)")
                         : TRAZEL_TR("Jcamp",
                                     "no tiene grupos completos de tres valores (x, y, anchura)");
    }
    return {};
}

std::string FormLabel(std::string_view value) {
    std::string form;
    for (const char c : WithoutComment(value)) {
        if (c != ' ' && c != '\t') {
            form += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return form;
}

// Skipped: the data of a block before the one wanted.
enum class Data { None, XyData, Pairs, Skipped };

// The label of a data record of the kind wanted, however it is written.
bool IsWantedData(std::string_view label, JcampWanted wanted) {
    return wanted == JcampWanted::PeakTable ? label == "PEAKTABLE"
                                            : label == "XYDATA" || label == "XYPOINTS";
}

// A number the header declares, with where it was for the message that
// finds it wrong.
struct Declared {
    double value = 0.0;
    double unit = 0.0;  // LastDigitUnit of the text
    long line = 0;
};

// a and b differ by more than tolerance, allowing for the rounding of the
// arithmetic that made them.
bool Disagree(double a, double b, double tolerance) {
    return !(std::abs(a - b) <= tolerance + 1e-9 * std::max(std::abs(a), std::abs(b)));
}

std::string Number(double value) {
    return FormatG(value, 10);
}

}  // namespace

std::size_t JcampPointLimit(std::uint64_t fileSize) {
    constexpr std::uint64_t kCap = std::uint64_t{1} << 24;
    return static_cast<std::size_t>(fileSize >= kCap ? kCap
                                                     : std::min(kCap, 4096 + 1024 * fileSize));
}

bool LooksLikeJcamp(std::string_view firstLine) {
    const std::string_view text = TrimSpace(firstLine);
    const std::size_t equals = text.find('=');
    if (text.substr(0, 2) != "##" || equals == std::string_view::npos || equals == 2 ||
        text[2] == ' ' || text[2] == '\t') {
        return false;
    }
    return std::all_of(text.begin() + 2, text.begin() + static_cast<std::ptrdiff_t>(equals),
                       [](char c) {
                           return std::isalnum(static_cast<unsigned char>(c)) ||
                                  std::string_view(" -/_.$()").find(c) != std::string_view::npos;
                       });
}

ReadResult<JcampContent> ReadJcamp(LineReader& reader, std::string_view firstLine,
                                   const std::string& path, JcampWanted wanted,
                                   const ReadProgress& progress, std::size_t which) {
    using Result = ReadResult<JcampContent>;
    JcampContent content;
    std::optional<double> xFactor, yFactor;
    std::optional<Declared> firstX, lastX, deltaX, nPoints;
    auto forgetBlock = [&]() {
        content.header = {};
        xFactor.reset(), yFactor.reset();
        firstX.reset(), lastX.reset(), deltaX.reset(), nPoints.reset();
    };
    Data data = Data::None;
    std::size_t groupSize = 2;
    std::vector<double> values;
    const std::size_t limit = JcampPointLimit(reader.Size());
    const std::string limitText =
        Fill(TRAZEL_TR("Jcamp", "un archivo de %1 bytes (como mucho %2 puntos)"),
             {std::to_string(reader.Size()), std::to_string(limit)});
    std::optional<XyDataDecoder> decoder;
    bool sawOther = false;
    bool done = false;
    std::string line(firstLine);
    std::string_view next;
    bool more = true;
    auto lineFault = [&](long number, const std::string& reason) {
        return Result::Failed(ReadFailure::Content,
                              LineProblem(path, number, reader.TextOfLine(number), reason), number);
    };
    while (more && !done) {
        const long number = reader.LineNumber();
        const std::string_view text = TrimSpace(WithoutComment(line));
        if (text.substr(0, 2) == "##") {
            if (data == Data::Skipped) {
                data = Data::None;
            }
            if (data != Data::None) {
                done = true;
                break;
            }
            const auto equals = text.find('=');
            const std::string label =
                NormalisedLabel(text.substr(2, equals == text.npos ? equals : equals - 2));
            const std::string_view value =
                equals == text.npos ? std::string_view() : TrimSpace(text.substr(equals + 1));
            double parsed = 0.0;
            const bool numeric = ParseNumber(value, false, parsed) == NumberText::Number;
            auto notANumber = [&]() {
                return Result::Failed(
                    ReadFailure::Content,
                    LineProblem(path, number, line, TRAZEL_TR("Jcamp", "no da un número válido")),
                    number);
            };
            if (label == "TITLE") {
                // A block starts: its parameters are its own.
                forgetBlock();
                content.header.title = std::string(value);
            } else if (label == "ORIGIN" || label == "OWNER") {
                (label == "ORIGIN" ? content.origin : content.owner) = value;
            } else if (label == "XUNITS" || label == "YUNITS") {
                (label == "XUNITS" ? content.header.xUnits : content.header.yUnits) = value;
            } else if (label == "BLOCKS" || (label == "DATATYPE" && FormLabel(value) == "LINK")) {
                content.firstOfSeveral = true;
            } else if (label == "DATATYPE") {
                content.header.dataType = value;
            } else if (label == "XFACTOR" || label == "YFACTOR") {
                if (!numeric) {
                    return notANumber();
                }
                (label == "XFACTOR" ? xFactor : yFactor) = parsed;
            } else if (label == "FIRSTX" || label == "LASTX" || label == "DELTAX" ||
                       label == "NPOINTS") {
                if (!numeric) {
                    return notANumber();
                }
                auto& slot = label == "FIRSTX"   ? firstX
                             : label == "LASTX"  ? lastX
                             : label == "DELTAX" ? deltaX
                                                 : nPoints;
                slot = Declared{parsed, LastDigitUnit(value), number};
                if (label == "NPOINTS" && parsed > static_cast<double>(limit)) {
                    return Result::Failed(
                        ReadFailure::Content,
                        LineProblem(path, number, line,
                                    Fill(TRAZEL_TR("Jcamp",
                                                   "declara más puntos de los que se "
                                                   "aceptan de %1"),
                                         {limitText})),
                        number);
                }
            } else if (label == "XYDATA" || label == "XYPOINTS" || label == "PEAKTABLE") {
                const bool table = label == "PEAKTABLE";
                if ((wanted == JcampWanted::PeakTable) != table) {
                    sawOther = true;
                } else if (content.blocks++ != which) {
                    data = Data::Skipped;
                } else {
                    const std::string form = FormLabel(value);
                    if (label == "XYDATA" && (form == "(X++(Y..Y))" || form == "(X++(R..R))")) {
                        data = Data::XyData;
                        // The file's own count bounds a repeat where it is a
                        // count at all; the file's size bounds it always.
                        const bool counted = nPoints && nPoints->value >= 0 &&
                                             nPoints->value == std::floor(nPoints->value);
                        decoder.emplace(counted ? static_cast<std::size_t>(nPoints->value) : limit,
                                        counted
                                            ? Fill(TRAZEL_TR("Jcamp",
                                                             "repite un valor más veces de las que "
                                                             "caben en el espectro (##NPOINTS=%1)"),
                                                   {Number(nPoints->value)})
                                            : Fill(TRAZEL_TR("Jcamp",
                                                             "repite un valor más veces de las que "
                                                             "puede dar %1"),
                                                   {limitText}));
                    } else if (form == "(XY..XY)") {
                        data = Data::Pairs, groupSize = 2;
                    } else if (table && form == "(XYW..XYW)") {
                        data = Data::Pairs, groupSize = 3;
                    } else {
                        return Result::Failed(
                            ReadFailure::Content,
                            LineProblem(path, number, line,
                                        TRAZEL_TR("Jcamp", "usa una forma de datos que no se lee")),
                            number);
                    }
                }
            } else if (label == "END" && content.firstOfSeveral) {
                // The end of a block of a compound file: nothing of it is kept.
                forgetBlock();
            }
        } else if (data != Data::None && data != Data::Skipped && !text.empty()) {
            std::string fault;
            if (data == Data::XyData) {
                fault = decoder->Line(text, number, values);
            } else {
                const std::size_t before = values.size() / groupSize;
                fault = ParseGroups(text, groupSize, values);
                content.lines.insert(content.lines.end(), values.size() / groupSize - before,
                                     number);
            }
            if (!fault.empty()) {
                return Result::Failed(ReadFailure::Content, LineProblem(path, number, line, fault),
                                      number);
            }
        }
        if (progress && number % 16384 == 0 && !progress(reader.BytesRead(), reader.Size())) {
            return Result::Failed(ReadFailure::Cancelled, CancelledRead(path));
        }
        more = reader.Next(next);
        if (more) {
            line.assign(next);
        }
    }
    // What follows the block read is only counted, label by label.
    while (more) {
        const std::string_view text = TrimSpace(WithoutComment(line));
        if (text.substr(0, 2) == "##" &&
            IsWantedData(NormalisedLabel(text.substr(2, text.find('=') - 2)), wanted)) {
            ++content.blocks;
        }
        if (progress && reader.LineNumber() % 16384 == 0 &&
            !progress(reader.BytesRead(), reader.Size())) {
            return Result::Failed(ReadFailure::Cancelled, CancelledRead(path));
        }
        more = reader.Next(next);
        if (more) {
            line.assign(next);
        }
    }
    if (reader.Error()) {
        return Result::Failed(ReadFailure::File, *reader.Error());
    }
    if (data == Data::Skipped) {
        data = Data::None;
    }
    if (data == Data::None && content.blocks > 0) {
        return Result::Failed(ReadFailure::NoSuchSpectrum,
                              NoSuchSpectrum(path, which + 1, content.blocks));
    }
    if (data == Data::None) {
        // Whole sentences: "sino" joins the two halves differently in
        // other languages.
        std::string what;
        if (wanted == JcampWanted::Spectrum) {
            what = sawOther ? TRAZEL_TR("Jcamp",
                                        "no tiene un espectro (##XYDATA o ##XYPOINTS), sino "
                                        "otro tipo de datos")
                            : TRAZEL_TR("Jcamp", "no tiene un espectro (##XYDATA o ##XYPOINTS)");
        } else {
            what = sawOther ? TRAZEL_TR("Jcamp",
                                        "no tiene una tabla de picos (##PEAK TABLE), sino "
                                        "otro tipo de datos")
                            : TRAZEL_TR("Jcamp", "no tiene una tabla de picos (##PEAK TABLE)");
        }
        return Result::Failed(ReadFailure::Content, FileProblem(path, what));
    }
    const double xf = xFactor.value_or(1.0);
    const double yf = yFactor.value_or(1.0);
    const std::size_t n = data == Data::XyData ? values.size() : values.size() / groupSize;
    auto countFault = [&]() {
        return lineFault(nPoints->line,
                         Fill(TRAZEL_TR("Jcamp", "dice %1 puntos y los datos tienen %2"),
                              {Number(nPoints->value), std::to_string(n)}));
    };
    // ##DELTAX is a nominal spacing: the abscissas are ##FIRSTX, ##LASTX and
    // the count (or the points themselves), and converting programs write a
    // DELTAX in other units (the step in ppm beside FIRSTX in hertz). One
    // that does not take the first point to the last in n - 1 steps, to half
    // a step or to what its written digits allow over so many steps, is told
    // and passed over.
    auto noteDelta = [&](double first, double last) {
        if (!deltaX || n < 2) {
            return;
        }
        const double steps = static_cast<double>(n - 1);
        const double step = last / steps - first / steps;
        if (Disagree(first + deltaX->value * steps, last,
                     std::max(0.5 * std::abs(step), 0.5 * deltaX->unit * steps))) {
            content.notes.push_back(
                Fill(TRAZEL_TR("Jcamp",
                               "%1, línea %2: ##DELTAX=%3 no cuadra con los puntos (de x = %4 a "
                               "x = %5 en %6 puntos el paso es %7); se toman las abscisas de los "
                               "puntos."),
                     {QuoteFileName(path), std::to_string(deltaX->line), Number(deltaX->value),
                      Number(first), Number(last), std::to_string(n), Number(step)}));
        }
    };
    if (data == Data::XyData) {
        if (!firstX || !lastX) {
            return Result::Failed(
                ReadFailure::Content,
                FileProblem(path,
                            TRAZEL_TR("Jcamp", "falta ##FIRSTX o ##LASTX, que dan las abscisas")));
        }
        const double first = firstX->value;
        const double range = lastX->value - first;
        if (!std::isfinite(range)) {
            return Result::Failed(
                ReadFailure::Content,
                FileProblem(path, Fill(TRAZEL_TR("Jcamp",
                                                 "el intervalo de x, de ##FIRSTX=%1 a "
                                                 "##LASTX=%2, desborda: su anchura no cabe en "
                                                 "un número"),
                                       {Number(first), Number(lastX->value)})));
        }
        // Each line's x against the x of its first point, to half a step or
        // to the rounding of the digits the label is written with.
        auto labelFault = [&](const LineStart& start, double expected) {
            return lineFault(
                start.line,
                Fill(TRAZEL_TR("Jcamp",
                               "empieza en x = %1 y su primer punto, el %2.º, está en x = %3 "
                               "según ##FIRSTX, ##LASTX y el número de puntos; falta o sobra "
                               "algún dato"),
                     {Number(start.x * xf), std::to_string(start.index + 1), Number(expected)}));
        };
        const auto& starts = decoder->Starts();
        // From one line to the next first, so that a line gone missing is
        // named where it went missing, with the step the header declares.
        const double declaredCount =
            nPoints && nPoints->value >= 2 ? nPoints->value : static_cast<double>(n);
        const double declaredStep = declaredCount >= 2 ? range / (declaredCount - 1) : 0.0;
        for (std::size_t k = 1; k < starts.size(); ++k) {
            const LineStart& before = starts[k - 1];
            const double expected =
                before.x * xf + static_cast<double>(starts[k].index - before.index) * declaredStep;
            if (Disagree(starts[k].x * xf, expected,
                         std::max(0.5 * std::abs(declaredStep),
                                  std::max(before.unit, starts[k].unit) * std::abs(xf)))) {
                return labelFault(starts[k], expected);
            }
        }
        if (nPoints && nPoints->value != static_cast<double>(n)) {
            return countFault();
        }
        auto xAt = [&](std::size_t i) {
            // Each abscissa from its index, so that no rounding accumulates.
            return n == 1 ? first
                          : first + range * static_cast<double>(i) / static_cast<double>(n - 1);
        };
        const double step = n >= 2 ? range / static_cast<double>(n - 1) : 0.0;
        for (const LineStart& start : starts) {
            const double expected = xAt(start.index);
            if (Disagree(start.x * xf, expected,
                         std::max(0.5 * std::abs(step), 0.5 * start.unit * std::abs(xf)))) {
                return labelFault(start, expected);
            }
        }
        noteDelta(first, lastX->value);
        content.x.resize(n);
        content.y.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            content.x[i] = xAt(i);
            content.y[i] = values[i] * yf;
        }
        content.evenlySpaced = true;
        model::RecogniseUnits(content.header);
        return content;
    }
    if (nPoints && nPoints->value != static_cast<double>(n)) {
        return countFault();
    }
    for (std::size_t i = 0; i + groupSize <= values.size(); i += groupSize) {
        content.x.push_back(values[i] * xf);
        content.y.push_back(values[i + 1] * yf);
        if (groupSize == 3) {
            content.w.push_back(values[i + 2]);
        }
    }
    // A peak table lists bands somewhere in the range ##FIRSTX to ##LASTX
    // give; a list of points starts and ends there.
    if (wanted == JcampWanted::Spectrum && n > 0) {
        const double first = content.x.front();
        const double last = content.x.back();
        const double step =
            n >= 2 ? last / static_cast<double>(n - 1) - first / static_cast<double>(n - 1) : 0.0;
        for (const auto& [declared, point, which] :
             {std::tuple{firstX, first,
                         TRAZEL_TR_NOOP("Jcamp", "no cuadra con el primer punto, en x = %1")},
              std::tuple{lastX, last,
                         TRAZEL_TR_NOOP("Jcamp", "no cuadra con el último punto, en x = %1")}}) {
            if (declared && Disagree(declared->value, point,
                                     std::max(0.5 * std::abs(step), 0.5 * declared->unit))) {
                return lineFault(declared->line, Fill(Translate("Jcamp", which), {Number(point)}));
            }
        }
        noteDelta(first, last);
    }
    model::RecogniseUnits(content.header);
    return content;
}

}  // namespace trazel::input
