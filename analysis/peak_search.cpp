#include "analysis/peak_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <set>

#include "model/peak_table.h"
#include "platform/translation.h"

namespace trazel::analysis {

namespace {

// Full width at half maximum of a Gaussian over the distance from its centre
// to a zero of its second derivative (sigma).
constexpr double kFwhmPerSigma = 2.3548200450309493;
// The largest window a search picks by itself; a wider one the user may ask for.
constexpr int kMaxDefaultWindow = 201;
// How many standard deviations of its noise a shoulder's curvature must stand out by.
constexpr double kShoulderNoiseFactor = 4.0;

struct Points {
    std::vector<double> x;
    std::vector<double> y;
};

// The finite points between lo and hi, by increasing x.
Points PointsInRange(std::span<const double> x, std::span<const double> y,
                     const MeasuredTransform& transform, double lo, double hi) {
    const std::size_t n = std::min(x.size(), y.size());
    const auto kept = [&](std::size_t i) {
        return std::isfinite(x[i]) && std::isfinite(y[i]) && x[i] >= lo && x[i] <= hi;
    };
    Points p;
    // Spectra are often sorted already: those go straight into the points,
    // without a list of their order as long as the points themselves.
    std::size_t count = 0;
    bool sorted = true;
    double last = 0.0;
    for (std::size_t i = 0; i < n && sorted; ++i) {
        if (kept(i)) {
            sorted = count == 0 || !(x[i] < last);
            last = x[i];
            ++count;
        }
    }
    if (sorted) {
        p.x.reserve(count);
        p.y.reserve(count);
        for (std::size_t i = 0; i < n; ++i) {
            if (kept(i)) {
                p.x.push_back(x[i]);
                p.y.push_back(transform.Y(y[i]));
            }
        }
        return p;
    }
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < n; ++i) {
        if (kept(i)) {
            order.push_back(i);
        }
    }
    const auto byX = [&x](std::size_t a, std::size_t b) { return x[a] < x[b]; };
    // Spectra come in either direction.
    std::stable_sort(order.begin(), order.end(), byX);
    p.x.reserve(order.size());
    p.y.reserve(order.size());
    for (const std::size_t i : order) {
        p.x.push_back(x[i]);
        p.y.push_back(transform.Y(y[i]));
    }
    return p;
}

// The weights that give, from the 2m+1 points of a window, the value (or
// the second derivative, in index units) at offset t of the polynomial of
// the given order fitted to them by least squares.
std::vector<double> SavitzkyGolayWeights(int m, int order, int t, bool second) {
    const int terms = order + 1;
    // Offsets scaled to [-1, 1] keep the normal equations well conditioned.
    const double scale = std::max(m, 1);
    std::vector<double> a(static_cast<std::size_t>(terms * terms), 0.0);
    for (int k = -m; k <= m; ++k) {
        const double u = k / scale;
        std::array<double, 2 * kMaxSmoothOrder + 1> powers{};
        powers[0] = 1.0;
        for (int j = 1; j < 2 * terms - 1; ++j) {
            powers[static_cast<std::size_t>(j)] = powers[static_cast<std::size_t>(j - 1)] * u;
        }
        for (int r = 0; r < terms; ++r) {
            for (int c = 0; c < terms; ++c) {
                a[static_cast<std::size_t>(r * terms + c)] +=
                    powers[static_cast<std::size_t>(r + c)];
            }
        }
    }
    // The row that evaluates the polynomial (or its second derivative) at t.
    const double v = t / scale;
    std::vector<double> row(static_cast<std::size_t>(terms), 0.0);
    for (int j = 0; j < terms; ++j) {
        if (!second) {
            row[static_cast<std::size_t>(j)] = std::pow(v, j);
        } else if (j >= 2) {
            row[static_cast<std::size_t>(j)] = j * (j - 1) * std::pow(v, j - 2) / (scale * scale);
        }
    }
    // Solves A z = row (A is symmetric), so that weight k is z . powers(u_k).
    std::vector<double> z = row;
    for (int col = 0; col < terms; ++col) {
        int pivot = col;
        for (int r = col + 1; r < terms; ++r) {
            if (std::fabs(a[static_cast<std::size_t>(r * terms + col)]) >
                std::fabs(a[static_cast<std::size_t>(pivot * terms + col)])) {
                pivot = r;
            }
        }
        for (int c = 0; c < terms; ++c) {
            std::swap(a[static_cast<std::size_t>(col * terms + c)],
                      a[static_cast<std::size_t>(pivot * terms + c)]);
        }
        std::swap(z[static_cast<std::size_t>(col)], z[static_cast<std::size_t>(pivot)]);
        const double d = a[static_cast<std::size_t>(col * terms + col)];
        for (int r = 0; r < terms; ++r) {
            if (r == col) {
                continue;
            }
            const double f = a[static_cast<std::size_t>(r * terms + col)] / d;
            for (int c = 0; c < terms; ++c) {
                a[static_cast<std::size_t>(r * terms + c)] -=
                    f * a[static_cast<std::size_t>(col * terms + c)];
            }
            z[static_cast<std::size_t>(r)] -= f * z[static_cast<std::size_t>(col)];
        }
    }
    for (int r = 0; r < terms; ++r) {
        z[static_cast<std::size_t>(r)] /= a[static_cast<std::size_t>(r * terms + r)];
    }
    std::vector<double> w(static_cast<std::size_t>(2 * m + 1));
    for (int k = -m; k <= m; ++k) {
        const double u = k / scale;
        double sum = 0.0;
        double power = 1.0;
        for (int j = 0; j < terms; ++j) {
            sum += z[static_cast<std::size_t>(j)] * power;
            power *= u;
        }
        w[static_cast<std::size_t>(k + m)] = sum;
    }
    return w;
}

// The data smoothed (or their second derivative) with a window of 2m+1
// points; the first and last m points take the polynomial of the first and
// last whole window, so that the ends are neither dropped nor bent. m is
// less than half the points.
std::vector<double> Filter(const std::vector<double>& y, int m, int order, bool second) {
    const std::size_t n = y.size();
    std::vector<double> out(n, 0.0);
    const auto apply = [&y](const std::vector<double>& w, std::size_t first) {
        double sum = 0.0;
        for (std::size_t k = 0; k < w.size(); ++k) {
            sum += w[k] * y[first + k];
        }
        return sum;
    };
    const auto um = static_cast<std::size_t>(m);
    const std::vector<double> centre = SavitzkyGolayWeights(m, order, 0, second);
    // Eight outputs at a time, each summed in the same order as one alone:
    // eight independent sums keep the adder busy (and the compiler may put
    // them side by side in vector registers) where one waits on each add.
    constexpr std::size_t kLanes = 8;
    const std::size_t width = centre.size();
    std::size_t i = um;
    for (; i + um + kLanes <= n; i += kLanes) {
        std::array<double, kLanes> sums{};
        const double* from = y.data() + (i - um);
        for (std::size_t k = 0; k < width; ++k) {
            const double w = centre[k];
            for (std::size_t lane = 0; lane < kLanes; ++lane) {
                sums[lane] += w * from[k + lane];
            }
        }
        std::copy(sums.begin(), sums.end(), out.begin() + static_cast<std::ptrdiff_t>(i));
    }
    for (; i + um < n; ++i) {
        out[i] = apply(centre, i - um);
    }
    for (int t = 1; t <= m; ++t) {
        const auto ut = static_cast<std::size_t>(t);
        out[um - ut] = apply(SavitzkyGolayWeights(m, order, -t, second), 0);
        out[n - 1 - um + ut] = apply(SavitzkyGolayWeights(m, order, t, second), n - 1 - 2 * um);
    }
    return out;
}

// The local maxima of s; a flat top counts once, at its middle.
std::vector<std::size_t> LocalMaxima(const std::vector<double>& s) {
    std::vector<std::size_t> maxima;
    const std::size_t n = s.size();
    std::size_t i = 1;
    while (i + 1 < n) {
        if (s[i] > s[i - 1]) {
            std::size_t j = i;
            while (j + 1 < n && s[j + 1] == s[i]) {
                ++j;
            }
            if (j + 1 < n && s[j + 1] < s[i]) {
                maxima.push_back((i + j) / 2);
            }
            i = j + 1;
        } else {
            ++i;
        }
    }
    return maxima;
}

// The lowest and highest values of every run of kBlock points of a series
// and of every power-of-two run of those. The base of a maximum's
// prominence, the higher of the lowest values between it and the nearest
// higher point on either side, then costs O(log n + kBlock), so that only
// the maxima are measured rather than every point, and a change to a few
// points (a band taken away) costs only their blocks and the blocks'
// parents rather than a pass over the data for each band. The blocks keep
// the tree to at most a quarter of the memory of the points.
class RangeTree {
  public:
    // s must outlive the tree; Update tells it of changes to s.
    explicit RangeTree(const std::vector<double>& s)
        : s_(s), blocks_((s.size() + kBlock - 1) / kBlock) {
        while (size_ < blocks_) {
            size_ *= 2;
        }
        low_.assign(2 * size_, HUGE_VAL);
        high_.assign(2 * size_, -HUGE_VAL);
        for (std::size_t block = 0; block < blocks_; ++block) {
            Summarise(block);
        }
        for (std::size_t node = size_ - 1; node >= 1; --node) {
            Join(node);
        }
    }

    // Takes the values of s at first .. last - 1 again.
    void Update(std::size_t first, std::size_t last) {
        if (first >= last) {
            return;
        }
        std::size_t a = first / kBlock;
        std::size_t b = (last - 1) / kBlock;
        for (std::size_t block = a; block <= b; ++block) {
            Summarise(block);
        }
        a = (size_ + a) / 2;
        b = (size_ + b) / 2;
        while (a >= 1) {
            for (std::size_t node = a; node <= b; ++node) {
                Join(node);
            }
            a /= 2;
            b /= 2;
        }
    }

    // The base of the point i: the higher of the lowest values between it
    // and the nearest higher point on either side (or the end).
    double Base(std::size_t i) const {
        const double v = s_[i];
        const std::size_t higherLeft = NearestHigherBefore(i, v);
        const std::size_t higherRight = NearestHigherAfter(i, v);
        const double left = Lowest(higherLeft == kNone ? 0 : higherLeft + 1, i + 1);
        const double right = Lowest(i, higherRight == kNone ? s_.size() : higherRight);
        return std::max(left, right);
    }

  private:
    static constexpr std::size_t kBlock = 32;
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    void Summarise(std::size_t block) {
        const std::size_t first = block * kBlock;
        const std::size_t last = std::min(first + kBlock, s_.size());
        const auto [low, high] =
            std::minmax_element(s_.begin() + static_cast<std::ptrdiff_t>(first),
                                s_.begin() + static_cast<std::ptrdiff_t>(last));
        low_[size_ + block] = *low;
        high_[size_ + block] = *high;
    }

    void Join(std::size_t node) {
        low_[node] = std::min(low_[2 * node], low_[2 * node + 1]);
        high_[node] = std::max(high_[2 * node], high_[2 * node + 1]);
    }

    // The nearest block before (after: false) the given one with a value
    // higher than v, or kNone.
    std::size_t NearestHigherBlock(std::size_t block, double v, bool before) const {
        std::size_t node = size_ + block;
        while (node > 1) {
            const bool outside = before ? (node & 1) == 1 : (node & 1) == 0;
            const std::size_t sibling = before ? node - 1 : node + 1;
            if (outside && high_[sibling] > v) {
                node = sibling;
                while (node < size_) {
                    const std::size_t near = before ? 2 * node + 1 : 2 * node;
                    const std::size_t far = before ? 2 * node : 2 * node + 1;
                    node = high_[near] > v ? near : far;
                }
                return node - size_;
            }
            node /= 2;
        }
        return kNone;
    }

    std::size_t NearestHigherBefore(std::size_t i, double v) const {
        const std::size_t start = i / kBlock * kBlock;
        for (std::size_t j = i; j > start; --j) {
            if (s_[j - 1] > v) {
                return j - 1;
            }
        }
        const std::size_t block = NearestHigherBlock(i / kBlock, v, true);
        if (block == kNone) {
            return kNone;
        }
        std::size_t j = std::min((block + 1) * kBlock, s_.size());
        while (!(s_[j - 1] > v)) {
            --j;
        }
        return j - 1;
    }

    std::size_t NearestHigherAfter(std::size_t i, double v) const {
        const std::size_t end = std::min(i / kBlock * kBlock + kBlock, s_.size());
        for (std::size_t j = i + 1; j < end; ++j) {
            if (s_[j] > v) {
                return j;
            }
        }
        const std::size_t block = NearestHigherBlock(i / kBlock, v, false);
        if (block == kNone) {
            return kNone;
        }
        std::size_t j = block * kBlock;
        while (!(s_[j] > v)) {
            ++j;
        }
        return j;
    }

    // The lowest value of first .. last - 1.
    double Lowest(std::size_t first, std::size_t last) const {
        double lowest = HUGE_VAL;
        // The whole blocks inside, and the points either side of them.
        const std::size_t wholeFirst = (first + kBlock - 1) / kBlock;
        const std::size_t wholeLast = last / kBlock;
        if (wholeFirst >= wholeLast) {
            for (std::size_t j = first; j < last; ++j) {
                lowest = std::min(lowest, s_[j]);
            }
            return lowest;
        }
        for (std::size_t j = first; j < wholeFirst * kBlock; ++j) {
            lowest = std::min(lowest, s_[j]);
        }
        for (std::size_t j = wholeLast * kBlock; j < last; ++j) {
            lowest = std::min(lowest, s_[j]);
        }
        for (std::size_t a = size_ + wholeFirst, b = size_ + wholeLast; a < b; a /= 2, b /= 2) {
            if ((a & 1) == 1) {
                lowest = std::min(lowest, low_[a++]);
            }
            if ((b & 1) == 1) {
                lowest = std::min(lowest, low_[--b]);
            }
        }
        return lowest;
    }

    const std::vector<double>& s_;
    std::size_t blocks_;
    std::size_t size_ = 1;
    std::vector<double> low_;
    std::vector<double> high_;
};

// The vertex of the parabola through the samples around i, when it opens
// the way that makes i an extreme of sign (1: maximum); the sample otherwise.
std::pair<double, double> Vertex(const Points& p, const std::vector<double>& s, std::size_t i,
                                 double sign) {
    if (i == 0 || i + 1 >= s.size()) {
        return {p.x[i], s[i]};
    }
    const double d1 = p.x[i - 1] - p.x[i];
    const double d2 = p.x[i + 1] - p.x[i];
    if (!(d1 < 0.0 && d2 > 0.0)) {
        return {p.x[i], s[i]};
    }
    const double g1 = (s[i - 1] - s[i]) / d1;
    const double g2 = (s[i + 1] - s[i]) / d2;
    const double c = (g2 - g1) / (d2 - d1);
    const double b = g1 - c * d1;
    if (!(c * sign < 0.0)) {
        return {p.x[i], s[i]};
    }
    const double t = std::clamp(-b / (2.0 * c), d1, d2);
    return {p.x[i] + t, s[i] + b * t + c * t * t};
}

// Where s crosses level walking from i towards one side, interpolated
// between the samples; none when it reaches the end first.
std::optional<double> Crossing(const Points& p, const std::vector<double>& s, std::size_t i,
                               double level, int step) {
    std::size_t j = i;
    while (true) {
        if ((step < 0 && j == 0) || (step > 0 && j + 1 >= s.size())) {
            return std::nullopt;
        }
        const std::size_t k = step < 0 ? j - 1 : j + 1;
        if (s[k] < level) {
            const double f = (s[j] - level) / (s[j] - s[k]);
            return p.x[j] + f * (p.x[k] - p.x[j]);
        }
        j = k;
    }
}

// The full width at level around position from its two crossings; twice the
// half width of the one side found when the other runs out of data.
std::optional<double> WidthAt(const Points& p, const std::vector<double>& s, std::size_t i,
                              double position, double level) {
    const auto left = Crossing(p, s, i, level, -1);
    const auto right = Crossing(p, s, i, level, 1);
    if (left && right) {
        return *right - *left;
    }
    if (left) {
        return 2.0 * (position - *left);
    }
    if (right) {
        return 2.0 * (*right - position);
    }
    return std::nullopt;
}

int OddAtMost(int value) {
    return value % 2 == 0 ? value - 1 : value;
}

// A window for the data: about half the width, in points, of the most
// prominent band the lightly smoothed data show, so that the noise goes and
// the bands keep their height.
int DefaultWindow(const Points& p, int order, int largest) {
    const int pilot = std::min(largest, OddAtMost(std::max(5, order + 3)));
    int window = std::max(5, OddAtMost(order + 3));
    if (pilot >= kMinSmoothWindow) {
        const std::vector<double> s = Filter(p.y, pilot / 2, std::min(order, pilot - 1), false);
        const RangeTree tree(s);
        double best = 0.0;
        std::size_t top = 0;
        for (const std::size_t i : LocalMaxima(s)) {
            const double prominence = s[i] - tree.Base(i);
            if (prominence > best) {
                best = prominence;
                top = i;
            }
        }
        if (best > 0.0) {
            const double level = s[top] - best / 2.0;
            if (const auto width = WidthAt(p, s, top, p.x[top], level)) {
                const double spacing =
                    (p.x.back() - p.x.front()) / static_cast<double>(p.x.size() - 1);
                const double inPoints = spacing > 0.0 ? *width / spacing : 0.0;
                window = std::max(window, static_cast<int>(std::lround(inPoints / 2.0)) | 1);
            }
        }
    }
    return std::clamp(window, kMinSmoothWindow, std::min(largest, kMaxDefaultWindow));
}

// A robust standard deviation of the noise: that of what smoothing took away.
double NoiseLevel(const std::vector<double>& y, const std::vector<double>& s) {
    std::vector<double> residual(y.size());
    for (std::size_t i = 0; i < y.size(); ++i) {
        residual[i] = std::fabs(y[i] - s[i]);
    }
    const auto middle = residual.begin() + static_cast<std::ptrdiff_t>(residual.size() / 2);
    std::nth_element(residual.begin(), middle, residual.end());
    return *middle * 1.4826;
}

struct Candidate {
    std::size_t index = 0;
    FoundBand band;
    // The level its intensity is measured from.
    double base = 0.0;
};

// The maxima's places in the list by position, and in the list's order
// where two stand at the same position.
std::vector<std::size_t> ByPosition(const std::vector<Candidate>& maxima) {
    std::vector<std::size_t> order(maxima.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&maxima](std::size_t a, std::size_t b) {
        return maxima[a].band.position < maxima[b].band.position;
    });
    return order;
}

// The maximum nearest to position, the first in the list of those as near,
// found by position (byPosition from ByPosition) rather than by a look at
// every maximum for every shoulder, which made a search of noisy data with
// no least prominence quadratic. The distances grow away from position on
// either side, so the nearest stand together about it.
const Candidate* NearestMaximum(const std::vector<Candidate>& maxima,
                                const std::vector<std::size_t>& byPosition, double position) {
    const auto distance = [&](std::size_t k) {
        return std::fabs(maxima[k].band.position - position);
    };
    const auto after = std::lower_bound(
        byPosition.begin(), byPosition.end(), position,
        [&maxima](std::size_t k, double v) { return maxima[k].band.position < v; });
    double nearest = HUGE_VAL;
    if (after != byPosition.end()) {
        nearest = distance(*after);
    }
    if (after != byPosition.begin()) {
        nearest = std::min(nearest, distance(*std::prev(after)));
    }
    std::size_t first = maxima.size();
    for (auto it = after; it != byPosition.end() && distance(*it) == nearest; ++it) {
        first = std::min(first, *it);
    }
    for (auto it = after; it != byPosition.begin() && distance(*std::prev(it)) == nearest; --it) {
        first = std::min(first, *std::prev(it));
    }
    return &maxima[first];
}

}  // namespace

std::string PeakSearchSettingsProblem(const PeakSearchSettings& s) {
    if (s.order < 0 || s.order > kMaxSmoothOrder) {
        return platform::Fill(
            TRAZEL_TR("PeakSearch", "El orden del suavizado debe ser un entero de 0 a %1."),
            {std::to_string(kMaxSmoothOrder)});
    }
    if (s.window) {
        if (*s.window < kMinSmoothWindow || *s.window > kMaxSmoothWindow || *s.window % 2 == 0) {
            return platform::Fill(
                TRAZEL_TR("PeakSearch",
                          "La ventana del suavizado debe ser un número "
                          "impar de puntos de %1 a %2."),
                {std::to_string(kMinSmoothWindow), std::to_string(kMaxSmoothWindow)});
        }
        if (*s.window <= s.order) {
            return TRAZEL_TR("PeakSearch",
                             "La ventana del suavizado debe tener más puntos que su orden.");
        }
    }
    if (!std::isfinite(s.minProminence) || s.minProminence < 0.0 || s.minProminence > 1.0) {
        return TRAZEL_TR("PeakSearch",
                         "La prominencia mínima debe ser una fracción de 0 a 1 del "
                         "intervalo de los datos (de 0 a 100 %).");
    }
    if (s.minDistance && !(std::isfinite(*s.minDistance) && *s.minDistance >= 0.0)) {
        return TRAZEL_TR("PeakSearch", "La separación mínima debe ser un número de 0 en adelante.");
    }
    if (s.maxBands < 1 || s.maxBands > model::kMaxPeakSlots - 1) {
        return platform::Fill(
            TRAZEL_TR("PeakSearch", "El número de bandas debe ser un entero de 1 a %1."),
            {std::to_string(model::kMaxPeakSlots - 1)});
    }
    return {};
}

PeakSearchResult FindBands(std::span<const double> x, std::span<const double> y, double xMin,
                           double xMax, const PeakSearchSettings& settings,
                           const std::function<std::optional<double>(double)>& baseline,
                           const MeasuredTransform& transform) {
    // The baseline at a band's position, or the level the band stands on
    // in the data where no fit gave one.
    const auto baseAt = [&baseline](double position, double fallback) {
        const std::optional<double> fitted = baseline ? baseline(position) : std::nullopt;
        return fitted.value_or(fallback);
    };
    PeakSearchResult result;
    result.used = settings;
    const double lo = std::isfinite(xMin) && std::isfinite(xMax) ? std::min(xMin, xMax) : -HUGE_VAL;
    const double hi = std::isfinite(xMin) && std::isfinite(xMax) ? std::max(xMin, xMax) : HUGE_VAL;
    const Points p = PointsInRange(x, y, transform, lo, hi);
    result.points = p.x.size();
    if (p.x.size() < 5 || !PeakSearchSettingsProblem(settings).empty()) {
        return result;
    }
    result.xMin = p.x.front();
    result.xMax = p.x.back();
    const std::size_t n = p.x.size();

    // The window fits the data it smooths, with room for its polynomial.
    const int largest = OddAtMost(static_cast<int>(std::min<std::size_t>(n, kMaxSmoothWindow)));
    int window = settings.window ? std::min(*settings.window, largest)
                                 : DefaultWindow(p, settings.order, largest);
    const int order = std::min(settings.order, window - 1);
    result.used.window = window;
    result.used.order = order;
    const double spacing = (p.x.back() - p.x.front()) / static_cast<double>(n - 1);
    const double distance = settings.minDistance.value_or(spacing * (window - 1) / 2.0);
    result.used.minDistance = distance;

    const int m = window / 2;
    const std::vector<double> s = Filter(p.y, m, order, false);
    const auto [low, high] = std::minmax_element(s.begin(), s.end());
    // The values' own rounding and what the smoothing adds to it, a few
    // units in the last place of the largest value for every point of the
    // window: a band that rises less than this out of flat data is rounding,
    // however small the prominence asked for.
    double magnitude = 0.0;
    for (const double v : p.y) {
        magnitude = std::max(magnitude, std::fabs(v));
    }
    const double resolution = 4.0 * window * std::numeric_limits<double>::epsilon() * magnitude;
    const double floor = std::max(settings.minProminence * (*high - *low), resolution);
    result.prominenceFloor = floor;
    const RangeTree tree(s);

    const std::vector<std::size_t> tops = LocalMaxima(s);
    std::vector<Candidate> maxima;
    maxima.reserve(tops.size());
    for (const std::size_t i : tops) {
        const double base = tree.Base(i);
        const double prominence = s[i] - base;
        if (!(prominence >= floor && prominence > resolution)) {
            continue;
        }
        const auto [position, top] = Vertex(p, s, i, 1.0);
        const double from = baseAt(position, base);
        if (!(top - from > resolution)) {
            continue;
        }
        maxima.push_back({i, {position, top - from, 0.0, prominence, false}, from});
    }

    std::vector<Candidate> shoulders;
    if (settings.shoulders && !maxima.empty()) {
        // A band hidden on the flank of another bends the curve down where
        // it sits: a maximum of minus the second derivative that stands out
        // of the noise, away from every maximum of the data.
        std::vector<double> bend = Filter(p.y, m, std::max(order, 2), true);
        std::transform(bend.begin(), bend.end(), bend.begin(), [](double v) { return -v; });
        const std::vector<double> weights = SavitzkyGolayWeights(m, std::max(order, 2), 0, true);
        const double gain =
            std::sqrt(std::inner_product(weights.begin(), weights.end(), weights.begin(), 0.0));
        const double noise = NoiseLevel(p.y, s) * gain;
        const auto [bendLow, bendHigh] = std::minmax_element(bend.begin(), bend.end());
        const double bendFloor =
            std::max(settings.minProminence * (*bendHigh - *bendLow), kShoulderNoiseFactor * noise);
        const std::vector<std::size_t> byPosition = ByPosition(maxima);
        const RangeTree bendTree(bend);
        for (const std::size_t i : LocalMaxima(bend)) {
            if (!(bend[i] > 0.0) || bend[i] - bendTree.Base(i) < bendFloor) {
                continue;
            }
            const double position = Vertex(p, bend, i, 1.0).first;
            // The nearest maximum: the band this one is a shoulder of.
            const Candidate* nearest = NearestMaximum(maxima, byPosition, position);
            if (std::fabs(nearest->band.position - position) <= distance) {
                continue;
            }
            const double value = s[i];
            const double from = baseAt(position, nearest->base);
            if (!(value - from >= floor && value - from > resolution)) {
                continue;
            }
            // The second derivative of a Gaussian changes sign a standard
            // deviation from its centre: on the side away from the band it
            // leans on, that is the shoulder's own.
            const int step = position < nearest->band.position ? -1 : 1;
            std::size_t j = i;
            while (bend[j] > 0.0 && !(step < 0 ? j == 0 : j + 1 >= n)) {
                j = step < 0 ? j - 1 : j + 1;
            }
            const double sigma = std::fabs(p.x[j] - position);
            const double width = sigma > 0.0 ? kFwhmPerSigma * sigma : spacing * window;
            shoulders.push_back({i, {position, value - from, width, 0.0, true}, from});
        }
    }

    // The strongest first; a band closer than the separation to a stronger
    // one goes, and shoulders give way to maxima.
    const auto stronger = [](const Candidate& a, const Candidate& b) {
        return a.band.intensity > b.band.intensity;
    };
    std::sort(maxima.begin(), maxima.end(), stronger);
    std::sort(shoulders.begin(), shoulders.end(), stronger);
    std::set<double> taken;
    std::vector<Candidate> kept;
    kept.reserve(maxima.size() + shoulders.size());
    const auto farEnough = [&taken, distance](double position) {
        const auto after = taken.lower_bound(position);
        if (after != taken.end() && *after - position < distance) {
            return false;
        }
        return after == taken.begin() || position - *std::prev(after) >= distance;
    };
    for (const auto* group : {&maxima, &shoulders}) {
        for (const Candidate& c : *group) {
            if (distance > 0.0 && !farEnough(c.band.position)) {
                continue;
            }
            if (distance <= 0.0 && taken.count(c.band.position) != 0) {
                continue;
            }
            taken.insert(c.band.position);
            kept.push_back(c);
        }
    }
    std::stable_sort(kept.begin(), kept.end(), stronger);
    // The strongest as the data show them; the measures below may reorder them.
    if (kept.size() > static_cast<std::size_t>(settings.maxBands)) {
        kept.resize(static_cast<std::size_t>(settings.maxBands));
    }
    // Overlapping bands raise each other's bases and narrow each other's
    // halves: each maximum, the strongest first, is measured on the data
    // with the stronger ones measured before it taken away (as Gaussians),
    // so that a band on the flank of another gets its own height and width.
    std::vector<double> rest = s;
    std::optional<RangeTree> restTree;
    bool peeled = false;
    for (Candidate& c : kept) {
        if (c.band.shoulder) {
            continue;
        }
        double top = c.band.intensity + c.base;
        double base = c.base;
        if (peeled) {
            if (!restTree) {
                restTree.emplace(rest);
            }
            top = Vertex(p, rest, c.index, 1.0).second;
            base = baseAt(c.band.position, restTree->Base(c.index));
            if (!(top - base > 0.0)) {
                top = c.band.intensity + c.base;
                base = c.base;
            }
        }
        c.band.intensity = top - base;
        const double level = base + c.band.intensity / 2.0;
        const double width =
            WidthAt(p, rest, c.index, c.band.position, level).value_or(spacing * window);
        c.band.width = width > 0.0 ? width : spacing;
        const double reach = 4.0 * c.band.width;
        const auto from = std::lower_bound(p.x.begin(), p.x.end(), c.band.position - reach);
        const auto to = std::upper_bound(p.x.begin(), p.x.end(), c.band.position + reach);
        for (auto it = from; it != to; ++it) {
            const auto k = static_cast<std::size_t>(it - p.x.begin());
            const double u = (p.x[k] - c.band.position) / c.band.width;
            rest[k] -= c.band.intensity * std::exp(-4.0 * std::log(2.0) * u * u);
        }
        if (restTree) {
            restTree->Update(static_cast<std::size_t>(from - p.x.begin()),
                             static_cast<std::size_t>(to - p.x.begin()));
        }
        peeled = true;
    }
    std::stable_sort(kept.begin(), kept.end(), stronger);
    for (const Candidate& c : kept) {
        result.bands.push_back(c.band);
    }
    return result;
}

PeakSearchResult FindBands(const Analysis& analysis, double xMin, double xMax,
                           const PeakSearchSettings& settings) {
    if (!analysis.measured) {
        PeakSearchResult none;
        none.used = settings;
        return none;
    }
    const MeasuredData& m = *analysis.measured;
    return FindBands(
        m.X(), m.Y(), xMin, xMax, settings,
        [&analysis](double x) { return BaselineAt(analysis, x); }, m.transform);
}

}  // namespace trazel::analysis
