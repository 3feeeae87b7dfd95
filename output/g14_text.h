#pragma once

#include <cstddef>

// Room enough for any double in the form of "%.14g":
// "-1.2345678901234e-308" is 21 characters.
inline constexpr std::size_t kG14Room = 24;

// Writes value at out, which has kG14Room bytes, exactly as printf's "%.14g"
// writes it in the C locale, and returns the end. Most values met in practice
// (magnitudes from 1e-9 to 4.5e15) are done with exact integer arithmetic;
// the rest, not-a-number and infinities among them, go through std::to_chars,
// which writes the same bytes more slowly.
char* PutG14(char* out, double value);
