#pragma once

#include <string>
#include <vector>

struct PlainPoints {
    std::vector<double> x;
    std::vector<double> y;
};

// What anyone would write who knows the file is good: 1 MB blocks split at
// LF, the header line skipped, both fields converted with from_chars into
// vectors reserved from the number of lines, which the caller knows. The
// peer the load of a measured spectrum is timed against.
PlainPoints PlainLoad(const std::string& path, long lines);
