#include "fit/added_bands.h"

#include <cmath>

namespace trazel::fit {

double InformationCriterionOf(const FitResult& result) {
    return InformationCriterion(result.rss, result.points, result.parameters);
}

AddedBands FitAddingBands(FitProblem problem, int most, const FitProgress& progress) {
    AddedBands out;
    out.result = FitBands(problem, progress);
    if (!out.result.Ok()) {
        return out;
    }
    out.criteria.push_back(InformationCriterionOf(out.result));
    for (int round = 0; round < most; ++round) {
        const ResidualVerdict& residual = out.result.residual;
        // Only a feature with the bands' sign becomes a band: the verdict
        // keeps none of the other sign.
        if (!residual.Fires() || residual.featureHeight == 0.0 || !(residual.featureWidth > 0.0) ||
            out.result.table.IsFull() || (residual.featureHeight < 0.0 && !problem.allowNegative)) {
            break;
        }
        FitProblem next = problem;
        next.table = out.result.table;
        next.table.bands.push_back(model::Peak{.position = residual.featureX,
                                               .scale = 1.0,
                                               .scaledPosition = residual.featureX,
                                               .intensity = residual.featureHeight,
                                               .width = residual.featureWidth});
        next.freedom[static_cast<std::size_t>(next.table.PeakCount())] = Freedom{};
        FitResult candidate = FitBands(next, progress);
        if (!candidate.Ok()) {
            break;
        }
        const double criterion = InformationCriterionOf(candidate);
        if (!(criterion < out.criteria.back())) {
            break;
        }
        out.added.push_back(residual.featureX);
        out.criteria.push_back(criterion);
        out.result = std::move(candidate);
        problem = std::move(next);
    }
    return out;
}

}  // namespace trazel::fit
