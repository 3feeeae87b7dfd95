#pragma once

#include <cstddef>

namespace trazel::output {

// The room PutG14 needs: the longest text, "-1.2345678901234e-308", has 21
// characters, and digits are copied in blocks of 16 that may reach past the
// end of the text.
inline constexpr std::size_t kG14Room = 32;

// Writes value at out, which has kG14Room bytes, exactly as printf's "%.14g"
// writes it in the C locale, and returns the end of the text. Bytes after it,
// up to kG14Room, may have been written as well. Most values met in practice
// (magnitudes from 1e-9 to 4.5e15) are done with exact integer arithmetic;
// the rest, not-a-number and infinities among them, go through std::to_chars,
// which writes the same bytes more slowly.
char* PutG14(char* out, double value);

}  // namespace trazel::output
