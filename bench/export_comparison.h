#pragma once

// The export of a million lines timed side by side with the plainest loop that
// writes the same file, for both line shapes; the files are compared byte for
// byte. Also the peak memory of an export, short and long. Prints a report;
// returns false when a file differs from the plain loop's.
bool CompareExports(int rounds);
