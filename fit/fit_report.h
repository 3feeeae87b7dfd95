#pragma once

#include <string>

#include "fit/band_fit.h"

namespace trazel::fit {

// A fit's result as tab-separated text with a decimal point, for the command
// line and for copying from the fit dialog: a heading line, one line per band
// newest first (as the peak list shows them) with position, intensity, width
// and area each followed by its standard error ("fija" for a held value),
// then the baseline and the statistics, one "name<TAB>value" line each.
std::string FitResultText(const FitResult& result, Baseline baseline);

}  // namespace trazel::fit
