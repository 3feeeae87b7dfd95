// libFuzzer entry for the reader of measured spectra, text and JCAMP-DX:
// every input must either read into at least two finite points, no more than
// a JCAMP-DX file of its size may decode to, with the abscissas of ##XYDATA
// running one way from ##FIRSTX to ##LASTX, or be refused with a message
// that names the file.
#include <cmath>

#include "input/jcamp.h"
#include "input/line_reader.h"
#include "input/measured_spectrum.h"
#include "tests/fuzz/fuzz_file.h"

using namespace trazel::input;

namespace {

// The abscissas of an ##XYDATA block never turn back.
void CheckDirection(const std::string& path) {
    LineReader reader;
    Require(!reader.Open(path));
    std::string_view line;
    while (reader.Next(line) && TrimSpace(line).empty()) {
    }
    const auto content = ReadJcamp(reader, line, path, JcampWanted::Spectrum);
    Require(content.Ok());
    const std::vector<double>& x = content.Value().x;
    if (!content.Value().evenlySpaced) {
        return;
    }
    const double way = x.back() - x.front();
    for (std::size_t i = 1; i < x.size(); ++i) {
        Require((x[i] - x[i - 1]) * way >= 0.0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = FuzzFile(data, size);
    const auto result = ReadMeasuredSpectrum(path);
    if (!result.Ok()) {
        RequireMessage(result.Message(), path);
        return 0;
    }
    const MeasuredSpectrum& spectrum = result.Value();
    Require(spectrum.x.size() == spectrum.y.size() && spectrum.x.size() >= 2 &&
            spectrum.x.size() <= JcampPointLimit(size));
    for (std::size_t i = 0; i < spectrum.x.size(); ++i) {
        Require(std::isfinite(spectrum.x[i]) && std::isfinite(spectrum.y[i]));
    }
    if (spectrum.jcamp) {
        CheckDirection(path);
    }
    return 0;
}
