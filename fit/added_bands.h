#pragma once

#include <vector>

#include "fit/band_fit.h"

namespace trazel::fit {

// A fit that adds the bands its residual says are missing: each placed at
// the largest feature of the smoothed residual, with the feature's position,
// height and width, and the whole fitted again from the values reached. It
// stops when the residual is noise, when a band added no longer lowers the
// information criterion (InformationCriterion of fit/residual_verdict.h),
// when the table is full, after most bands, or when a fit with the band
// fails: the last fit kept is the result.
struct AddedBands {
    FitResult result;
    // The positions of the bands added, in the order they were.
    std::vector<double> added;
    // The criterion of the first fit and of each fit kept after it.
    std::vector<double> criteria;
};

AddedBands FitAddingBands(FitProblem problem, int most, const FitProgress& progress = {});

// The criterion of a successful fit.
double InformationCriterionOf(const FitResult& result);

}  // namespace trazel::fit
