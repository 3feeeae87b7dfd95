// The plain load as a program of its own, for bench/load_vs_loop.py to time
// against trazel-cli as whole processes: reads FILE (a header line, then
// "x y" lines) and prints how many points it read and the sum of their y,
// so that the work cannot be left out. Without FILE it starts and ends, for
// the start-up to be taken off.
//
// trazel_plain_load [FILE LINES]

#include <cstdio>
#include <cstdlib>

#include "bench/plain_load.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        return 0;
    }
    const PlainPoints points = PlainLoad(argv[1], std::atol(argv[2]));
    double sum = 0.0;
    for (const double y : points.y) {
        sum += y;
    }
    std::printf("%zu %.17g\n", points.y.size(), sum);
    return points.y.empty() ? 1 : 0;
}
