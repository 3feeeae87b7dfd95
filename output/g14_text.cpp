#include "output/g14_text.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace trazel::output {

namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr int kDigits = 14;
constexpr std::uint64_t kLowest = 10'000'000'000'000;   // 10^13
constexpr std::uint64_t kBeyond = 100'000'000'000'000;  // 10^14
// 2^53 * 10^22 still fits in 128 bits.
constexpr int kMaxScale = 22;

constexpr std::array<Wide, kMaxScale + 1> kPowersOfTen = [] {
    std::array<Wide, kMaxScale + 1> powers{};
    Wide power = 1;
    for (Wide& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

constexpr std::array<char, 200> kPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// The eight digits of value < 10^8 in ASCII, leading zeros included, the
// first in the lowest byte. value / 10^6 is held as a binary fraction with 48
// bits after the point, whose error stays below 10^-6 (checked for every
// value): each multiplication by 100 then brings the next two digits before
// the point exactly, and no step waits on a division.
std::uint64_t EightDigits(std::uint32_t value) {
    constexpr std::uint64_t kFraction = (std::uint64_t{1} << 48) - 1;
    std::uint64_t t = std::uint64_t{value} * 281474977;  // ceil(2^48 / 10^6)
    std::uint64_t text = 0;
    for (int pair = 0; pair < 4; ++pair) {
        std::uint16_t two;
        std::memcpy(&two, &kPairs[2 * (t >> 48)], 2);
        text |= std::uint64_t{two} << (16 * pair);
        t = (t & kFraction) * 100;
    }
    return text;
}

// Eight bytes of text at out.
void Put8(char* out, std::uint64_t text) {
    std::memcpy(out, &text, 8);
}

char* Fallback(char* out, double value) {
    return std::to_chars(out, out + kG14Room, value, std::chars_format::general, kDigits).ptr;
}

// The 14 significant digits of |value|, rounded half to even from its exact
// binary value as printf rounds, and the decimal exponent of the first one.
// False for magnitudes outside 1e-9 .. 2^52, which the exact arithmetic below
// does not cover.
bool RoundToDigits(std::uint64_t mantissa, int exponent2, std::uint64_t& digits, int& exponent10) {
    // |value| = mantissa * 2^exponent2 with 2^52 <= mantissa < 2^53. Below
    // 2^52 the value has a fractional part for the shift below to find.
    if (exponent2 >= 0) {
        return false;
    }
    // floor(log10(2^(exponent2 + 52))) is the exponent or one below it.
    int estimate = ((exponent2 + 52) * 78913) >> 18;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int scale = kDigits - 1 - estimate;
        const int shift = -exponent2;
        if (scale < 0 || scale > kMaxScale || shift > 127) {
            return false;
        }
        // |value| * 10^scale = scaled / 2^shift, without any rounding.
        const Wide scaled = Wide{mantissa} * kPowersOfTen[static_cast<std::size_t>(scale)];
        const Wide whole = scaled >> shift;
        if (whole >= kBeyond) {
            ++estimate;
            continue;
        }
        if (whole < kLowest) {
            return false;
        }
        const Wide rest = scaled - (whole << shift);
        const Wide half = Wide{1} << (shift - 1);
        std::uint64_t rounded = static_cast<std::uint64_t>(whole);
        if (rest > half || (rest == half && (rounded & 1) != 0)) {
            ++rounded;
        }
        if (rounded == kBeyond) {
            rounded = kLowest;
            ++estimate;
        }
        digits = rounded;
        exponent10 = estimate;
        return true;
    }
    return false;
}

}  // namespace

char* PutG14(char* out, double value) {
    if constexpr (std::endian::native != std::endian::little) {
        return Fallback(out, value);
    }
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0 && fraction == 0) {
        if (negative) {
            *out++ = '-';
        }
        *out++ = '0';
        return out;
    }
    if (biased == 0 || biased == 0x7ff) {
        return Fallback(out, value);
    }
    std::uint64_t digits = 0;
    int exponent = 0;
    if (!RoundToDigits(fraction | (std::uint64_t{1} << 52), biased - 1075, digits, exponent)) {
        return Fallback(out, value);
    }

    // The 14 digits as two words of ASCII, first digit in the lowest byte:
    // digits 0 to 7, then 8 to 13 and two zeros. The text is stored a word at
    // a time and never read back, which would wait for the stores.
    constexpr std::uint64_t kZeros = 0x3030303030303030;
    const std::uint64_t head = EightDigits(static_cast<std::uint32_t>(digits / 100'000'000) * 100);
    const std::uint64_t tail = EightDigits(static_cast<std::uint32_t>(digits % 100'000'000));
    const std::uint64_t first = (head & 0xffff'ffff'ffff) | (tail << 48);
    const std::uint64_t second = (tail >> 16) | (kZeros << 48);
    // "%g" drops the trailing zeros of the fraction.
    const std::uint64_t firstDigits = first ^ kZeros;
    const std::uint64_t secondDigits = second ^ kZeros;
    const int used = secondDigits != 0 ? 16 - std::countl_zero(secondDigits) / 8
                                       : 8 - std::countl_zero(firstDigits) / 8;

    *out = '-';
    out += negative ? 1 : 0;
    if (exponent < 0 && exponent >= -4) {
        std::memcpy(out, "0.000000", 8);
        Put8(out + 1 - exponent, first);
        Put8(out + 9 - exponent, second);
        return out + 1 - exponent + used;
    }
    // The digits with a point after the whole part, which in the exponent
    // form is the first digit: each word goes out whole, then the part after
    // the point once more one place on; what lies past the end of the text
    // is left for the caller to overwrite.
    const int whole = exponent >= 0 && exponent < kDigits ? exponent + 1 : 1;
    Put8(out, first);
    if (whole < 8) {
        Put8(out + whole + 1, first >> (8 * whole));
        Put8(out + 9, second);
    } else {
        Put8(out + 8, second);
        Put8(out + whole + 1, second >> (8 * (whole - 8)));
    }
    out[whole] = '.';
    out += used > whole ? used + 1 : whole;
    if (whole == exponent + 1) {
        return out;
    }
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude >= 100) {
        *out++ = static_cast<char>('0' + magnitude / 100);
    }
    std::memcpy(out, &kPairs[static_cast<std::size_t>(2 * (magnitude % 100))], 2);
    return out + 2;
}

}  // namespace trazel::output
