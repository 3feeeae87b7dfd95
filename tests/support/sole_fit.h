#pragma once

#include "analysis/analysis.h"

namespace trazel::analysis {

// The fit of an analysis's first region, as documents of one fit hold it;
// nullptr without one.
inline FitRecord* SoleFit(Analysis& analysis) {
    return analysis.regions.empty() || !analysis.regions.front().fit
               ? nullptr
               : &*analysis.regions.front().fit;
}
inline const FitRecord* SoleFit(const Analysis& analysis) {
    return SoleFit(const_cast<Analysis&>(analysis));
}

}  // namespace trazel::analysis
