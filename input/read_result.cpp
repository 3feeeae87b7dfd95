#include "input/read_result.h"

#include "platform/file_errors.h"
#include "platform/translation.h"

using namespace trazel::platform;

namespace trazel::input {

namespace {

// A line as the message quotes it: short enough to read in a message box,
// and with control bytes shown as "?" so that a stray byte cannot garble it.
std::string QuotedLine(std::string_view text) {
    constexpr std::size_t kShown = 60;
    std::string shown;
    for (const char c : text.substr(0, kShown)) {
        const auto byte = static_cast<unsigned char>(c);
        shown += byte < 0x20 || byte == 0x7f ? '?' : c;
    }
    if (text.size() > kShown) {
        shown += "…";
    }
    return Fill(TRAZEL_TR("FileErrors", "«%1»"), {shown});
}

}  // namespace

std::string FileProblem(const std::string& path, const std::string& reason) {
    return FileFailure(FileOperation::Read, path, reason).message();
}

std::string LineProblem(const std::string& path, long line, std::string_view text,
                        const std::string& reason) {
    return FileProblem(path, Fill(TRAZEL_TR("ReadResult", "la línea %1 (%2) %3"),
                                  {std::to_string(line), QuotedLine(text), reason}));
}

std::string CancelledRead(const std::string& path) {
    return Fill(TRAZEL_TR("ReadResult", "Se canceló la lectura de %1; no se ha cargado nada."),
                {QuoteFileName(path)});
}

std::string NoSuchSpectrum(const std::string& path, std::size_t chosen, std::size_t count) {
    return FileProblem(path, Fill(count == 1 ? TRAZEL_TR("ReadResult",
                                                         "se pidió el espectro %1 y el archivo "
                                                         "tiene uno solo")
                                             : TRAZEL_TR("ReadResult",
                                                         "se pidió el espectro %1 y el archivo "
                                                         "tiene %2"),
                                  {std::to_string(chosen), std::to_string(count)}));
}

}  // namespace trazel::input
