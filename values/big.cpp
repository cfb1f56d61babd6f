// SPDX-License-Identifier: MIT
#include "values/big.h"

#include <algorithm>
#include <cmath>

namespace values::detail {

Big::Big(std::uint64_t v)
{
    while (v != 0) {
        limbs_.push_back(static_cast<std::uint32_t>(v));
        v >>= 32;
    }
}

Big Big::pow10(int n)
{
    Big r(1);
    const Big tenPow9(1'000'000'000);
    for (; n >= 9; n -= 9)
        r = r * tenPow9;
    std::uint64_t rest = 1;
    for (; n > 0; --n)
        rest *= 10;
    return r * Big(rest);
}

Big Big::pow2(int n)
{
    Big r;
    r.limbs_.assign(static_cast<std::size_t>(n / 32) + 1, 0);
    r.limbs_.back() = 1U << (n % 32);
    return r;
}

int Big::bits() const
{
    if (limbs_.empty())
        return 0;
    int n = static_cast<int>(limbs_.size() - 1) * 32;
    for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1)
        ++n;
    return n;
}

void Big::trim()
{
    while (!limbs_.empty() && limbs_.back() == 0)
        limbs_.pop_back();
}

Big operator+(const Big& a, const Big& b)
{
    Big r;
    const std::size_t n = std::max(a.limbs_.size(), b.limbs_.size());
    r.limbs_.resize(n + 1);
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t sum =
            carry + (i < a.limbs_.size() ? a.limbs_[i] : 0) + (i < b.limbs_.size() ? b.limbs_[i] : 0);
        r.limbs_[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
    r.limbs_[n] = static_cast<std::uint32_t>(carry);
    r.trim();
    return r;
}

Big operator-(const Big& a, const Big& b)
{
    Big r;
    r.limbs_.resize(a.limbs_.size());
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.limbs_.size(); ++i) {
        std::int64_t d = static_cast<std::int64_t>(a.limbs_[i]) - borrow - (i < b.limbs_.size() ? b.limbs_[i] : 0);
        borrow = d < 0;
        if (d < 0)
            d += std::int64_t(1) << 32;
        r.limbs_[i] = static_cast<std::uint32_t>(d);
    }
    r.trim();
    return r;
}

Big operator*(const Big& a, const Big& b)
{
    if (a.isZero() || b.isZero())
        return {};
    Big r;
    r.limbs_.assign(a.limbs_.size() + b.limbs_.size(), 0);
    for (std::size_t i = 0; i < a.limbs_.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.limbs_.size(); ++j) {
            const std::uint64_t t = std::uint64_t(a.limbs_[i]) * b.limbs_[j] + r.limbs_[i + j] + carry;
            r.limbs_[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        r.limbs_[i + b.limbs_.size()] = static_cast<std::uint32_t>(carry);
    }
    r.trim();
    return r;
}

std::strong_ordering operator<=>(const Big& a, const Big& b)
{
    if (a.limbs_.size() != b.limbs_.size())
        return a.limbs_.size() <=> b.limbs_.size();
    for (std::size_t i = a.limbs_.size(); i-- > 0;) {
        if (a.limbs_[i] != b.limbs_[i])
            return a.limbs_[i] <=> b.limbs_[i];
    }
    return std::strong_ordering::equal;
}

void Big::divide(const Big& n, const Big& d, Big& quotient, Big& remainder)
{
    // Bit by bit: the numbers are a few hundred bits and this runs a few hundred times a search.
    quotient = Big();
    remainder = Big();
    quotient.limbs_.assign(n.limbs_.size(), 0);
    for (std::size_t i = n.limbs_.size() * 32; i-- > 0;) {
        // remainder = remainder * 2 + bit i of n
        std::uint32_t carry = (n.limbs_[i / 32] >> (i % 32)) & 1U;
        for (std::uint32_t& limb : remainder.limbs_) {
            const std::uint32_t next = limb >> 31;
            limb = (limb << 1) | carry;
            carry = next;
        }
        if (carry != 0)
            remainder.limbs_.push_back(carry);
        if (remainder >= d) {
            remainder = remainder - d;
            quotient.limbs_[i / 32] |= 1U << (i % 32);
        }
    }
    quotient.trim();
}

std::uint64_t Big::low64() const
{
    std::uint64_t v = 0;
    for (std::size_t i = std::min<std::size_t>(limbs_.size(), 2); i-- > 0;)
        v = (v << 32) | limbs_[i];
    return v;
}

int Big::decimalDigits() const
{
    int digits = 0;
    Big rest = *this;
    const Big tenPow9(1'000'000'000);
    Big q;
    Big r;
    while (rest >= tenPow9) {
        divide(rest, tenPow9, q, r);
        rest = q;
        digits += 9;
    }
    for (std::uint64_t v = rest.low64(); v != 0; v /= 10)
        ++digits;
    return digits;
}

Fraction Fraction::of(const Decimal& v)
{
    const auto m = static_cast<std::uint64_t>(v.mantissa);
    if (v.exponent >= 0)
        return {Big(m) * Big::pow10(v.exponent), Big(1)};
    return {Big(m), Big::pow10(-v.exponent)};
}

Fraction operator+(const Fraction& a, const Fraction& b)
{
    if (a.den == b.den)
        return {a.num + b.num, a.den};
    return {a.num * b.den + b.num * a.den, a.den * b.den};
}

Fraction operator*(const Fraction& a, const Fraction& b)
{
    return {a.num * b.num, a.den * b.den};
}

Fraction quotient(const Fraction& a, const Fraction& b)
{
    return {a.num * b.den, a.den * b.num};
}

double nearestDouble(const Big& num, const Big& den)
{
    if (num.isZero())
        return 0;
    // A quotient of 55 or 56 bits: 53 for the double, the rest and the remainder to round by.
    const int shift = 55 - (num.bits() - den.bits());
    const Big n = shift >= 0 ? num * Big::pow2(shift) : num;
    const Big d = shift >= 0 ? den : den * Big::pow2(-shift);
    Big q;
    Big r;
    Big::divide(n, d, q, r);
    std::uint64_t bits = q.low64();
    int exponent = -shift;
    int extra = 0;
    while ((bits >> extra) >= (std::uint64_t(1) << 53))
        ++extra;
    const std::uint64_t dropped = bits & ((std::uint64_t(1) << extra) - 1);
    const std::uint64_t half = std::uint64_t(1) << (extra - 1);
    bits >>= extra;
    exponent += extra;
    if (dropped > half || (dropped == half && (!r.isZero() || (bits & 1) != 0)))
        ++bits;
    return std::ldexp(static_cast<double>(bits), exponent);
}

Fraction parallel(const Fraction& a, const Fraction& b)
{
    // (an/ad)(bn/bd) / (an/ad + bn/bd) = an bn / (an bd + bn ad)
    return {a.num * b.num, a.num * b.den + b.num * a.den};
}

std::strong_ordering compare(const Fraction& a, const Fraction& b)
{
    return a.num * b.den <=> b.num * a.den;
}

namespace {

// q + 1 when 2 r >= d: half away from zero for a non-negative quotient.
Big roundHalfUp(const Big& q, const Big& r, const Big& d)
{
    return (r + r >= d) ? q + Big(1) : q;
}

} // namespace

Decimal roundToDigits(const Big& num, const Big& den, int significant)
{
    if (num.isZero())
        return {};
    // Estimate the exponent from the digit counts, then correct it by one if the quotient
    // came out a digit short or long.
    int scale = significant - (num.decimalDigits() - den.decimalDigits()) - 1;
    for (;;) {
        const Big n = scale >= 0 ? num * Big::pow10(scale) : num;
        const Big d = scale >= 0 ? den : den * Big::pow10(-scale);
        Big q;
        Big r;
        Big::divide(n, d, q, r);
        const int digits = q.decimalDigits();
        if (digits < significant) {
            ++scale;
            continue;
        }
        if (digits > significant) {
            --scale;
            continue;
        }
        const Big rounded = roundHalfUp(q, r, d);
        // Rounding 9999.5 up gives 10000: still exact as a decimal, Decimal::of normalises.
        return Decimal::of(static_cast<std::int64_t>(rounded.low64()), -scale);
    }
}

std::int64_t roundScaled(const Big& num, const Big& den, int scale)
{
    const Big n = scale >= 0 ? num * Big::pow10(scale) : num;
    const Big d = scale >= 0 ? den : den * Big::pow10(-scale);
    Big q;
    Big r;
    Big::divide(n, d, q, r);
    return static_cast<std::int64_t>(roundHalfUp(q, r, d).low64());
}

} // namespace values::detail
