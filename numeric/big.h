// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"

#include <compare>
#include <cstdint>
#include <vector>

// Unbounded non-negative integers for the exact ranking: a three-part capacitor network over
// 1 pF .. 10 mF, cross-multiplied against another, outgrows 128 bits. Only a few hundred
// candidates are ranked, so plain schoolbook arithmetic is enough. Not part of the interface.
namespace values::detail {

class Big {
public:
    Big() = default;
    Big(std::uint64_t v); // NOLINT(google-explicit-constructor): integers read as numbers
    static Big pow10(int n);
    static Big pow2(int n);

    bool isZero() const { return limbs_.empty(); }
    friend Big operator+(const Big& a, const Big& b);
    friend Big operator-(const Big& a, const Big& b); // a >= b
    friend Big operator*(const Big& a, const Big& b);
    friend std::strong_ordering operator<=>(const Big& a, const Big& b);
    friend bool operator==(const Big& a, const Big& b) = default;
    // Quotient and remainder; d is not zero.
    static void divide(const Big& n, const Big& d, Big& quotient, Big& remainder);
    // Fits 64 bits (the caller knows it does).
    std::uint64_t low64() const;
    int decimalDigits() const;
    int bits() const;      // the position of the highest set bit plus one; 0 for zero
    int bitLength() const; // 0 for zero
    Big shiftedLeft(int bits) const;

private:
    void trim();
    std::vector<std::uint32_t> limbs_; // least significant first, no leading zero limbs
};

// A positive exact fraction, unreduced: the ranking only compares and rounds.
struct Fraction {
    Big num;
    Big den = Big(1);
    static Fraction of(const Decimal& v); // v > 0
};
Fraction operator+(const Fraction& a, const Fraction& b);
Fraction parallel(const Fraction& a, const Fraction& b); // a b / (a + b)
std::strong_ordering compare(const Fraction& a, const Fraction& b);

// num / den rounded half away from zero to `significant` digits, as a Decimal.
Decimal roundToDigits(const Big& num, const Big& den, int significant);
// num / den x 10^scale rounded half away from zero to an integer, which must fit 63 bits.
std::int64_t roundScaled(const Big& num, const Big& den, int scale);

// The double nearest num / den (ties to even), num and den not zero.
double nearestDouble(const Big& num, const Big& den);
inline double nearestDouble(const Fraction& f)
{
    return nearestDouble(f.num, f.den);
}
Fraction operator*(const Fraction& a, const Fraction& b);
Fraction quotient(const Fraction& a, const Fraction& b); // a / b, b not zero

} // namespace values::detail
