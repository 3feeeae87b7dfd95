#pragma once

// Loads measured spectra of 1,000,000 and 10,000,000 lines (Trazel's own
// export form, with a decimal point) side by side with the plainest loop
// that reads the same bytes: split into lines, two std::from_chars, vectors
// reserved, no checks. Prints the times (best and median of rounds), their
// ratio and the peak memory of a load against the bytes of its points. False
// when a load fails or gives other points than the plain loop.
bool MeasureMeasuredLoad(int rounds, bool tenMillion);
