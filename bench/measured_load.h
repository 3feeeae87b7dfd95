#pragma once

// Loads a 1,000,000-line measured spectrum (Trazel's own export form) rounds
// times and prints the time (median and range) and the peak memory next to
// their limits. False when a load fails.
bool MeasureMeasuredLoad(int rounds);
