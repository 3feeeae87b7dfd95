#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace trazel::model {

// A document holds at most this many bands. The file format counts its
// records from 1, with one slot more than the bands (kMaxPeakSlots).
inline constexpr int kMaxPeaks = 99;
inline constexpr int kMaxPeakSlots = kMaxPeaks + 1;

// The line shape of one band. A band that follows the document takes the
// form's Gaussian/Lorentzian switch, as every band did before bands had
// shapes of their own. The numbers are stored in documents.
enum class BandShape : std::int32_t {
    Document = 0,
    Gaussian = 1,
    Lorentzian = 2,
    // eta L + (1 - eta) G with the same height and full width at half maximum.
    PseudoVoigt = 3,
    // The convolution of a Gaussian with a Lorentzian, of the given full
    // width at half maximum, the Lorentzian's width being share times it.
    Voigt = 4,
    Last = Voigt,
};

// Whether a shape has a share (the Lorentzian part, between 0 and 1).
inline bool IsMixed(BandShape shape) {
    return shape == BandShape::PseudoVoigt || shape == BandShape::Voigt;
}

// One band: where it is, how strong and how wide, the factor its position is
// scaled by, and whether it is drawn by itself. scaledPosition is kept equal
// to position * scale by every operation that writes either. Its shape and
// share are kept by the document's analysis, outside the file's table, so
// that a version without shapes still reads the table.
struct Peak {
    double position = 0.0;
    double scale = 1.0;
    double scaledPosition = 0.0;
    double intensity = 0.0;
    double width = 0.0;
    std::int32_t separate = 0;
    BandShape shape = BandShape::Document;
    // The Lorentzian share of a mixed shape, in [0, 1]; unused otherwise.
    double share = 0.0;
};

// The bands of one document in the order they were entered; the list shows
// the last one on top. The list, the file, the command line and the records
// of an analysis number them from 1, which Band takes.
struct PeakTable {
    std::vector<Peak> bands;

    int PeakCount() const { return static_cast<int>(bands.size()); }
    bool IsFull() const { return PeakCount() >= kMaxPeaks; }
    Peak& Band(int number) { return bands[static_cast<std::size_t>(number - 1)]; }
    const Peak& Band(int number) const { return bands[static_cast<std::size_t>(number - 1)]; }
};

// Whether some band has a shape of its own.
inline bool HasOwnShapes(const PeakTable& table) {
    for (const Peak& band : table.bands) {
        if (band.shape != BandShape::Document) {
            return true;
        }
    }
    return false;
}

inline Peak PeakAt(const PeakTable& table, int number) {
    return table.Band(number);
}

// Whether two tables hold the same peaks, value for value. The bits are
// compared, not the numbers, so that a change from 0 to -0 counts and a NaN
// read from an old file equals itself.
inline bool SameBands(const PeakTable& a, const PeakTable& b) {
    if (a.bands.size() != b.bands.size()) {
        return false;
    }
    const auto same = [](const auto& x, const auto& y) {
        return std::memcmp(&x, &y, sizeof x) == 0;
    };
    for (std::size_t i = 0; i < a.bands.size(); ++i) {
        const Peak& p = a.bands[i];
        const Peak& q = b.bands[i];
        if (!same(p.position, q.position) || !same(p.scale, q.scale) ||
            !same(p.scaledPosition, q.scaledPosition) || !same(p.intensity, q.intensity) ||
            !same(p.width, q.width) || p.separate != q.separate || p.shape != q.shape ||
            !same(p.share, q.share)) {
            return false;
        }
    }
    return true;
}

}  // namespace trazel::model
