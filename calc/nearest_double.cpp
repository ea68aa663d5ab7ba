// SPDX-License-Identifier: MIT
#include "calc/nearest_double.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

namespace torvelin {
namespace {

// A non-negative integer of any size, its 32-bit limbs lowest first, with no
// zero limb at the top.
using BigInteger = std::vector<std::uint32_t>;

void MultiplyAdd(BigInteger& number, std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : number) {
        carry += std::uint64_t{limb} * factor;
        limb = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
    if (carry != 0) {
        number.push_back(static_cast<std::uint32_t>(carry));
    }
}

constexpr std::uint32_t kPowersOfTen[] = {1,      10,      100,      1000,      10000,
                                          100000, 1000000, 10000000, 100000000, 1000000000};

// Digits at most nine at a time: 10^9 is the largest power of ten in a limb.
BigInteger FromDigits(std::string_view digits) {
    BigInteger number;
    while (!digits.empty()) {
        const std::size_t count = std::min<std::size_t>(digits.size(), 9);
        std::uint32_t chunk = 0;
        for (const char digit : digits.substr(0, count)) {
            chunk = chunk * 10 + static_cast<std::uint32_t>(digit - '0');
        }
        MultiplyAdd(number, kPowersOfTen[count], chunk);
        digits.remove_prefix(count);
    }
    return number;
}

void MultiplyByPowerOfTen(BigInteger& number, std::int64_t exponent) {
    for (; exponent > 0; exponent -= 9) {
        MultiplyAdd(number, kPowersOfTen[std::min<std::int64_t>(exponent, 9)], 0);
    }
}

std::int64_t BitLength(const BigInteger& number) {
    if (number.empty()) {
        return 0;
    }
    std::int64_t bits = static_cast<std::int64_t>(number.size() - 1) * 32;
    for (std::uint32_t top = number.back(); top != 0; top >>= 1) {
        ++bits;
    }
    return bits;
}

void ShiftLeft(BigInteger& number, std::int64_t bits) {
    if (number.empty() || bits == 0) {
        return;
    }
    number.insert(number.begin(), static_cast<std::size_t>(bits / 32), 0);
    const int within = static_cast<int>(bits % 32);
    if (within != 0) {
        std::uint32_t carry = 0;
        for (std::uint32_t& limb : number) {
            const std::uint32_t next = limb >> (32 - within);
            limb = (limb << within) | carry;
            carry = next;
        }
        if (carry != 0) {
            number.push_back(carry);
        }
    }
}

bool LessThan(const BigInteger& a, const BigInteger& b) {
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return std::lexicographical_compare(a.rbegin(), a.rend(), b.rbegin(), b.rend());
}

// a -= b, for a >= b.
void Subtract(BigInteger& a, const BigInteger& b) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::int64_t difference = std::int64_t{a[i]} - borrow - (i < b.size() ? b[i] : 0);
        borrow = difference < 0 ? 1 : 0;
        a[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    while (!a.empty() && a.back() == 0) {
        a.pop_back();
    }
}

// Past this many digits, only whether the rest is zero can change the
// rounding: a point halfway between two doubles has at most 767 significant
// digits.
constexpr std::size_t kSignificantDigits = 800;

// The quotient's bits: the 53 of a double and the one that rounds them; past
// it, only whether the rest is zero counts.
constexpr int kQuotientBits = 54;

}  // namespace

double NearestDouble(std::string_view digits, std::int64_t exponentOfTen) {
    const std::size_t first = digits.find_first_not_of('0');
    if (first == digits.npos) {
        return 0.0;
    }
    const std::size_t last = digits.find_last_not_of('0');
    exponentOfTen += static_cast<std::int64_t>(digits.size() - 1 - last);
    std::string_view significant = digits.substr(first, last - first + 1);

    // The value lies in [10^(length-1+e), 10^(length+e)): from 10^309 on it
    // is past the largest double, below 10^-324 under half the smallest.
    const auto length = static_cast<std::int64_t>(significant.size());
    if (length - 1 + exponentOfTen > 308) {
        return std::numeric_limits<double>::infinity();
    }
    if (length + exponentOfTen <= -324) {
        return 0.0;
    }

    // Cut long digits to kSignificantDigits and a 1 after them: the trailing
    // zeros are gone, so what was cut is not zero, and the shorter value lies
    // between the same two neighbours of kept digits.
    std::string shortened;
    if (significant.size() > kSignificantDigits) {
        shortened.assign(significant.substr(0, kSignificantDigits)).push_back('1');
        exponentOfTen += length - static_cast<std::int64_t>(shortened.size());
        significant = shortened;
    }

    // value = numerator / denominator.
    BigInteger numerator = FromDigits(significant);
    BigInteger denominator{1};
    MultiplyByPowerOfTen(numerator, std::max<std::int64_t>(exponentOfTen, 0));
    MultiplyByPowerOfTen(denominator, std::max<std::int64_t>(-exponentOfTen, 0));

    // Scaled by 2^scale so that denominator <= numerator < 2 * denominator.
    std::int64_t scale = BitLength(denominator) - BitLength(numerator);
    ShiftLeft(scale >= 0 ? numerator : denominator, scale >= 0 ? scale : -scale);
    if (LessThan(numerator, denominator)) {
        ShiftLeft(numerator, 1);
        ++scale;
    }

    // Long division, one bit at a time: value = (quotient + fraction) × 2^e.
    std::uint64_t quotient = 0;
    for (int bit = 0; bit < kQuotientBits; ++bit) {
        quotient <<= 1;
        if (!LessThan(numerator, denominator)) {
            Subtract(numerator, denominator);
            quotient |= 1;
        }
        ShiftLeft(numerator, 1);
    }
    const bool restNonZero = !numerator.empty();
    const std::int64_t binaryExponent = -(kQuotientBits - 1) - scale;

    // Keep 53 bits, or fewer where the value is subnormal: its lowest bit is
    // 2^-1074 at the smallest.
    const std::int64_t dropped =
        std::max<std::int64_t>(kQuotientBits - std::numeric_limits<double>::digits,
                               std::numeric_limits<double>::min_exponent -
                                   std::numeric_limits<double>::digits - binaryExponent);
    if (dropped > kQuotientBits) {
        return 0.0;  // under half the smallest subnormal
    }
    std::uint64_t mantissa = quotient >> dropped;
    const std::uint64_t droppedBits = quotient - (mantissa << dropped);
    const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
    if (droppedBits > half || (droppedBits == half && (restNonZero || (mantissa & 1) != 0))) {
        ++mantissa;  // may carry into a 54th bit, which ldexp takes as it is
    }
    // Exact, but for a value past the largest double, which is infinity.
    return std::ldexp(static_cast<double>(mantissa), static_cast<int>(binaryExponent + dropped));
}

}  // namespace torvelin
