// libFuzzer entry for the OPUS reader, given the bytes directly: every input
// must either read into at least two finite points, no more than the file
// holds (two bytes a point at the least), or be refused with a message that
// names the file. AddressSanitizer stops a read past the bytes, and its
// allocation limit an allocation sized by a count the file does not hold.
#include <span>

#include "input/binary_spectrum.h"
#include "tests/fuzz/fuzz_file.h"

using namespace trazel::input;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "fuzz.opus";
    RequireSpectrumOrRefusal(ReadOpus(path, std::span<const unsigned char>(data, size)), path,
                             size);
    return 0;
}
