#include "fit/band_matching.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace trazel::fit {
namespace {

// The least cost over every one-to-one partial matching, by trying each
// measured band (or none) for each computed band in turn.
double BruteForce(const std::vector<double>& computed, const std::vector<double>& measured,
                  double tolerance, std::vector<int>& measuredOf, std::vector<char>& taken,
                  std::size_t i) {
    if (i == computed.size()) {
        return MatchingCost(computed, measured, measuredOf, tolerance);
    }
    measuredOf[i] = -1;
    double best = BruteForce(computed, measured, tolerance, measuredOf, taken, i + 1);
    for (std::size_t j = 0; j < measured.size(); ++j) {
        if (taken[j] != 0 || std::abs(computed[i] - measured[j]) > tolerance) {
            continue;
        }
        taken[j] = 1;
        measuredOf[i] = static_cast<int>(j);
        best = std::min(best, BruteForce(computed, measured, tolerance, measuredOf, taken, i + 1));
        taken[j] = 0;
    }
    measuredOf[i] = -1;
    return best;
}

// Small lists crowded within the tolerance, so that a greedy nearest choice
// is often wrong and many bands compete for the same partner.
TEST(BandMatching, FindsTheBruteForceOptimum) {
    std::mt19937_64 generator(5);
    std::uniform_int_distribution<int> count(0, 6);
    std::uniform_real_distribution<double> position(0.0, 60.0);
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<double> computed(static_cast<std::size_t>(count(generator)));
        std::vector<double> measured(static_cast<std::size_t>(count(generator)));
        for (double& x : computed) {
            x = position(generator);
        }
        for (double& x : measured) {
            x = position(generator);
        }
        const double tolerance = 10.0;
        const BandMatching matching = MatchBands(computed, measured, tolerance);
        std::vector<int> scratch(computed.size(), -1);
        std::vector<char> taken(measured.size(), 0);
        const double best = BruteForce(computed, measured, tolerance, scratch, taken, 0);
        EXPECT_NEAR(matching.cost, best, 1e-9) << "prueba " << trial;
        // One to one, within the tolerance, and both directions agree.
        for (std::size_t i = 0; i < computed.size(); ++i) {
            const int j = matching.measuredOf[i];
            if (j >= 0) {
                EXPECT_EQ(matching.computedOf[static_cast<std::size_t>(j)], static_cast<int>(i));
                EXPECT_LE(std::abs(computed[i] - measured[static_cast<std::size_t>(j)]), tolerance);
            }
        }
    }
}

}  // namespace
}  // namespace trazel::fit
