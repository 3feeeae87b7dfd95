// libFuzzer entry for what `trazel-cli spectrum` writes: the input becomes
// points (evenly spaced or not), a title and a form (text, CSV with either
// decimal mark, JCAMP-DX); whatever the writer does not refuse must read back
// through the reader of measured spectra to the same points, to the digits
// written.
#include <cmath>
#include <cstring>
#include <sstream>

#include "input/measured_spectrum.h"
#include "output/g14_text.h"
#include "output/spectrum_file.h"
#include "platform/byte_sink.h"
#include "tests/fuzz/fuzz_file.h"

using namespace trazel;

namespace {

std::string Digits(double value) {
    char text[output::kG14Room];
    return std::string(text, output::PutG14(text, value));
}

double TakeDouble(const std::uint8_t*& data, std::size_t& size) {
    double value = 0.0;
    std::memcpy(&value, data, sizeof value);
    data += sizeof value;
    size -= sizeof value;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::uint8_t form = data[0];
    const std::size_t titleSize = std::min<std::size_t>(data[1] % 24, size - 2);
    model::SpectrumHeader header;
    header.title.assign(reinterpret_cast<const char*>(data + 2), titleSize);
    data += 2 + titleSize;
    size -= 2 + titleSize;
    output::SpectrumWriteOptions options;
    options.format = static_cast<output::SpectrumFormat>(form % 3);
    options.decimalComma = (form & 4) != 0 && options.format != output::SpectrumFormat::Jcamp;
    const bool even = (form & 8) != 0;

    std::vector<double> x;
    std::vector<double> y;
    double start = 0.0;
    double step = 1.0;
    if (even && size >= 16) {
        start = TakeDouble(data, size);
        step = TakeDouble(data, size);
    }
    while (size >= 16) {
        const double a = TakeDouble(data, size);
        const double b = TakeDouble(data, size);
        // The spectrum command writes only finite points it has read. A
        // subnormal x is left out for now: a step of a few subnormal units
        // cannot be written to the precision the reader's ##DELTAX check
        // asks of it.
        const double at = even ? start + step * static_cast<double>(x.size()) : a;
        if (std::isfinite(at) && std::isfinite(b) && std::fpclassify(at) != FP_SUBNORMAL) {
            x.push_back(at);
            y.push_back(b);
        }
    }
    if (x.size() < 2 || !output::SpectrumWriteProblem(x, y, options).empty()) {
        return 0;
    }
    std::ostringstream bytes;
    platform::StreamSink sink(bytes);
    Require(output::WriteSpectrum(sink, x, y, header, options));
    const std::string written = bytes.str();
    const std::string& path =
        FuzzFile(reinterpret_cast<const std::uint8_t*>(written.data()), written.size());
    const auto read = input::ReadMeasuredSpectrum(path);
    Require(read.Ok());
    const input::MeasuredSpectrum& back = read.Value();
    Require(back.x.size() == x.size() && back.y.size() == y.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        Require(Digits(back.x[i]) == Digits(x[i]) && Digits(back.y[i]) == Digits(y[i]));
    }
    return 0;
}
