#include "input/jcamp.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

#include "input/number_fields.h"
#include "platform/number_format.h"

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

// One token of a line of compressed (ASDF) ordinates.
struct AsdfToken {
    enum Kind { Value, Difference, Duplicate } kind = Value;
    double number = 0.0;
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
        tokens.push_back({kind, number});
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
                return "no es un número";
            }
        } else if (c == '+' || c == '-') {
            if (!close()) {
                return "no es un número";
            }
            open = true, kind = AsdfToken::Value, digits.assign(1, c);
        } else if (ClassifyAsdf(c, next, digit)) {
            if (!close()) {
                return "no es un número";
            }
            open = true, kind = next;
            digits = digit < 0 ? "-" + std::to_string(-digit) : std::to_string(digit);
        } else if (c == '?') {
            return "tiene un valor ausente («?»), que no se puede dibujar";
        } else {
            return std::string("tiene un carácter que no es de datos JCAMP-DX («") + c + "»)";
        }
    }
    return close() ? std::string() : "no es un número";
}

// The ordinates of ##XYDATA=(X++(Y..Y)), one line at a time.
class XyDataDecoder {
  public:
    explicit XyDataDecoder(std::size_t maxPoints) : maxPoints_(maxPoints) {}

    // Empty on success, the reason otherwise.
    std::string Line(std::string_view text, std::vector<double>& ys) {
        if (const std::string fault = TokeniseAsdf(text, tokens_); !fault.empty()) {
            return fault;
        }
        if (tokens_.empty()) {
            return {};
        }
        if (tokens_.front().kind != AsdfToken::Value) {
            return "no empieza por una abscisa";
        }
        const std::size_t lineStart = ys.size();
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
                    return "empieza con una diferencia sin valor del que partir";
                }
                ys.push_back(ys.back() + token.number);
                lastDifference = token.number;
                lastWasDifference = true;
                previous = AsdfToken::Difference;
            } else {
                if (ys.size() == lineStart || token.number < 1 ||
                    token.number != std::floor(token.number)) {
                    return "tiene una repetición (DUP) que no repite nada";
                }
                // A count beyond the points still to come would only fill
                // memory before the count check refuses the file.
                if (ys.size() >= maxPoints_ ||
                    token.number > static_cast<double>(maxPoints_ - ys.size())) {
                    return "repite un valor más veces de las que caben en el espectro";
                }
                for (long n = 1; n < static_cast<long>(token.number); ++n) {
                    ys.push_back(previous == AsdfToken::Difference ? ys.back() + lastDifference
                                                                   : ys.back());
                }
            }
        }
        // A line in difference form ends with its last ordinate repeated at
        // the start of the next line, as a check that no line went missing.
        if (checkPending_ && ys.size() > lineStart) {
            if (ys[lineStart] != checkValue_) {
                return "no empieza por la última ordenada de la línea anterior (" +
                       std::to_string(checkValue_) + "); falta o sobra algún dato";
            }
            ys.erase(ys.begin() + static_cast<std::ptrdiff_t>(lineStart));
        }
        if (ys.size() > lineStart || lastWasDifference) {
            checkPending_ = lastWasDifference;
            checkValue_ = ys.empty() ? 0.0 : ys.back();
        }
        return {};
    }

  private:
    std::vector<AsdfToken> tokens_;
    std::size_t maxPoints_;
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
                return "no es una lista de números";
            }
        }
    } else {
        for (const std::string_view group : groups) {
            if (!take(group)) {
                return "no es una lista de números";
            }
        }
    }
    if (count % size != 0) {
        return size == 2 ? "no tiene un número par de valores (pares x, y)"
                         : "no tiene grupos completos de tres valores (x, y, anchura)";
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

enum class Data { None, XyData, Pairs };

}  // namespace

bool LooksLikeJcamp(std::string_view firstLine) {
    return TrimSpace(firstLine).substr(0, 2) == "##";
}

ReadResult<JcampContent> ReadJcamp(LineReader& reader, std::string_view firstLine,
                                   const std::string& path, JcampWanted wanted,
                                   const ReadProgress& progress) {
    using Result = ReadResult<JcampContent>;
    JcampContent content;
    std::optional<double> xFactor, yFactor, firstX, lastX, nPoints;
    Data data = Data::None;
    std::size_t groupSize = 2;
    std::vector<double> values;
    // Beyond ##NPOINTS (and one check value) the file is wrong anyway; without
    // it, a bound far above any instrument's spectrum.
    constexpr std::size_t kMaxPoints = std::size_t{1} << 28;
    std::optional<XyDataDecoder> decoder;
    bool sawOther = false;
    bool done = false;
    std::string line(firstLine);
    std::string_view next;
    bool more = true;
    while (more && !done) {
        const long number = reader.LineNumber();
        const std::string_view text = TrimSpace(WithoutComment(line));
        if (text.substr(0, 2) == "##") {
            if (data != Data::None) {
                done = true;
                break;
            }
            const auto equals = text.find('=');
            const std::string label =
                NormalisedLabel(text.substr(2, equals == text.npos ? equals : equals - 2));
            const std::string_view value =
                equals == text.npos ? std::string_view() : TrimSpace(text.substr(equals + 1));
            auto readNumber = [&](std::optional<double>& into) -> bool {
                double parsed = 0.0;
                if (ParseNumber(value, false, parsed) != NumberText::Number) {
                    return false;
                }
                into = parsed;
                return true;
            };
            if (label == "TITLE") {
                // A block starts: its parameters are its own.
                xFactor.reset(), yFactor.reset(), firstX.reset(), lastX.reset(), nPoints.reset();
            } else if (label == "BLOCKS" || (label == "DATATYPE" && FormLabel(value) == "LINK")) {
                content.firstOfSeveral = true;
            } else if (label == "XFACTOR" || label == "YFACTOR" || label == "FIRSTX" ||
                       label == "LASTX" || label == "NPOINTS") {
                auto& slot = label == "XFACTOR"   ? xFactor
                             : label == "YFACTOR" ? yFactor
                             : label == "FIRSTX"  ? firstX
                             : label == "LASTX"   ? lastX
                                                  : nPoints;
                if (!readNumber(slot)) {
                    return Result::Failed(ReadFailure::Content,
                                          LineProblem(path, number, line, "no da un número válido"),
                                          number);
                }
            } else if (label == "XYDATA" || label == "XYPOINTS" || label == "PEAKTABLE") {
                const bool table = label == "PEAKTABLE";
                if ((wanted == JcampWanted::PeakTable) != table) {
                    sawOther = true;
                } else {
                    const std::string form = FormLabel(value);
                    if (label == "XYDATA" && (form == "(X++(Y..Y))" || form == "(X++(R..R))")) {
                        data = Data::XyData;
                    } else if (form == "(XY..XY)") {
                        data = Data::Pairs, groupSize = 2;
                    } else if (table && form == "(XYW..XYW)") {
                        data = Data::Pairs, groupSize = 3;
                    } else {
                        return Result::Failed(
                            ReadFailure::Content,
                            LineProblem(path, number, line, "usa una forma de datos que no se lee"),
                            number);
                    }
                }
            } else if (label == "END" && content.firstOfSeveral) {
                // The end of a block of a compound file: nothing of it is kept.
                xFactor.reset(), yFactor.reset(), firstX.reset(), lastX.reset(), nPoints.reset();
            }
        } else if (data != Data::None && !text.empty()) {
            if (!decoder) {
                decoder.emplace(nPoints && *nPoints >= 0 && *nPoints < kMaxPoints
                                    ? static_cast<std::size_t>(*nPoints) + 1
                                    : kMaxPoints);
            }
            const std::string fault = data == Data::XyData ? decoder->Line(text, values)
                                                           : ParseGroups(text, groupSize, values);
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
    if (reader.Error()) {
        return Result::Failed(ReadFailure::File, *reader.Error());
    }
    if (data == Data::None) {
        const std::string what = wanted == JcampWanted::Spectrum
                                     ? "no tiene un espectro (##XYDATA o ##XYPOINTS)"
                                     : "no tiene una tabla de picos (##PEAK TABLE)";
        return Result::Failed(
            ReadFailure::Content,
            FileProblem(path, what + (sawOther ? ", sino otro tipo de datos" : "")));
    }
    const double xf = xFactor.value_or(1.0);
    const double yf = yFactor.value_or(1.0);
    if (data == Data::XyData) {
        const std::size_t n = values.size();
        if (nPoints && *nPoints != static_cast<double>(n)) {
            return Result::Failed(
                ReadFailure::Content,
                FileProblem(path, "##NPOINTS dice " + FormatG(*nPoints, 15) +
                                      " puntos y los datos tienen " + std::to_string(n)));
        }
        if (!firstX || !lastX) {
            return Result::Failed(
                ReadFailure::Content,
                FileProblem(path, "falta ##FIRSTX o ##LASTX, que dan las abscisas"));
        }
        content.x.resize(n);
        content.y.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            // Each abscissa from its index, so that no rounding accumulates.
            content.x[i] = n == 1 ? *firstX
                                  : *firstX + (*lastX - *firstX) * static_cast<double>(i) /
                                                  static_cast<double>(n - 1);
            content.y[i] = values[i] * yf;
        }
    } else {
        for (std::size_t i = 0; i + groupSize <= values.size(); i += groupSize) {
            content.x.push_back(values[i] * xf);
            content.y.push_back(values[i + 1] * yf);
            if (groupSize == 3) {
                content.w.push_back(values[i + 2]);
            }
        }
    }
    return content;
}

}  // namespace trazel::input
