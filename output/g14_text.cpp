#include "output/g14_text.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>

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

void PutPair(char* out, std::uint32_t pair) {
    out[0] = kPairs[2 * pair];
    out[1] = kPairs[2 * pair + 1];
}

// The seven digits of value < 10^7, leading zeros included.
void PutSeven(char* out, std::uint32_t value) {
    PutPair(out, value / 100000);
    value %= 100000;
    PutPair(out + 2, value / 1000);
    value %= 1000;
    PutPair(out + 4, value / 10);
    out[6] = static_cast<char>('0' + value % 10);
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

    char text[kDigits];
    PutSeven(text, static_cast<std::uint32_t>(digits / 10'000'000));
    PutSeven(text + 7, static_cast<std::uint32_t>(digits % 10'000'000));
    // "%g" drops the trailing zeros of the fraction.
    int used = kDigits;
    while (used > 1 && text[used - 1] == '0') {
        --used;
    }

    if (negative) {
        *out++ = '-';
    }
    if (exponent < -4 || exponent >= kDigits) {
        *out++ = text[0];
        if (used > 1) {
            *out++ = '.';
            for (int i = 1; i < used; ++i) {
                *out++ = text[i];
            }
        }
        *out++ = 'e';
        *out++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude >= 100) {
            *out++ = static_cast<char>('0' + magnitude / 100);
        }
        *out++ = static_cast<char>('0' + magnitude / 10 % 10);
        *out++ = static_cast<char>('0' + magnitude % 10);
        return out;
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = -1; i > exponent; --i) {
            *out++ = '0';
        }
        for (int i = 0; i < used; ++i) {
            *out++ = text[i];
        }
        return out;
    }
    for (int i = 0; i <= exponent; ++i) {
        *out++ = text[i];
    }
    if (used > exponent + 1) {
        *out++ = '.';
        for (int i = exponent + 1; i < used; ++i) {
            *out++ = text[i];
        }
    }
    return out;
}
