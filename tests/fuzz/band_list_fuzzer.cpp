// libFuzzer entry for the band-list reader, text and JCAMP-DX peak tables.
// The first byte chooses the options (a width or none, heights or areas, the
// line shape, the room in the table); the rest is the file. Every input must
// either read into bands that fit the room, each finite with a positive
// width and its scaled position recomputed, or be refused with a message
// that names the file.
#include <cmath>

#include "input/band_list.h"
#include "tests/fuzz/fuzz_file.h"

using namespace trazel::input;
using namespace trazel::model;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t choice = data[0];
    BandListOptions options;
    if ((choice & 1) != 0) {
        options.width = 2.5;
    }
    options.intensitiesAreAreas = (choice & 2) != 0;
    options.lineShape = (choice & 4) != 0 ? Lorentzian : Gaussian;
    constexpr int kRooms[] = {kMaxPeakSlots - 1, 0, 1, 5};
    options.room = kRooms[(choice >> 3) & 3];
    const std::string& path = FuzzFile(data + 1, size - 1);
    const auto result = ReadBandList(path, options);
    if (!result.Ok()) {
        RequireMessage(result.Message(), path);
        Require(result.Failure() != ReadFailure::MissingWidth || !options.width);
        return 0;
    }
    const auto& bands = result.Value().bands;
    Require(!bands.empty() && bands.size() <= static_cast<std::size_t>(options.room));
    for (const Peak& band : bands) {
        Require(std::isfinite(band.position) && std::isfinite(band.intensity) &&
                std::isfinite(band.scale) && band.width > 0.0 && std::isfinite(band.width));
        Require(band.scaledPosition == band.position * band.scale);
        Require(band.separate == 0 || band.separate == 1);
    }
    return 0;
}
