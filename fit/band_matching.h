#pragma once

#include <span>
#include <vector>

namespace trazel::fit {

// Which computed band is which measured one: a one-to-one matching of the
// computed positions (already scaled) to the measured ones that pairs only
// bands within tolerance of each other and, of all such matchings, has the
// least cost, where a pair costs its squared difference and a band left
// alone, on either side, half the squared tolerance. A pair within the
// tolerance therefore always costs less than leaving both alone, so that the
// matching pairs every band it can and, among those, chooses the closest
// positions overall, not band by band.
struct BandMatching {
    // For each computed band, the index of its measured band; -1 for none.
    std::vector<int> measuredOf;
    // For each measured band, the index of its computed band; -1 for none.
    std::vector<int> computedOf;
    double cost = 0.0;
};

// The cost of one matching as BandMatching defines it (for a matching given
// by measuredOf alone).
double MatchingCost(std::span<const double> computed, std::span<const double> measured,
                    const std::vector<int>& measuredOf, double tolerance);

// The optimal matching, by the assignment (Hungarian) algorithm on the
// square problem of both lists with a "left alone" slot for each band:
// O((n + m)³).
BandMatching MatchBands(std::span<const double> computed, std::span<const double> measured,
                        double tolerance);

}  // namespace trazel::fit
