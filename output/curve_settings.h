#pragma once

#include <cstdint>

#include "model/line_shapes.h"

namespace trazel::output {

// What the graph on screen and the graph on paper are drawn with: the x
// interval sampled, the band of values mapped onto the frame's height, the
// line shape, and whether samples are joined and bands centred on the scaled
// positions.
struct CurveSettings {
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
    std::int32_t lineShape = model::Gaussian;
    bool joinPoints = false;
    bool useScaled = false;
};

}  // namespace trazel::output
