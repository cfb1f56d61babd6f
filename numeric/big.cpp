// SPDX-License-Identifier: MIT
#include "numeric/big.h"

#include <algorithm>
#include <bit>
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
    // Long division a limb at a time (Knuth's algorithm D): networks of a few hundred parts make
    // numbers of tens of thousands of bits, where a bit at a time is far too slow.
    quotient = Big();
    remainder = Big();
    if (n < d) {
        remainder = n;
        return;
    }
    constexpr std::uint64_t base = std::uint64_t(1) << 32;
    if (d.limbs_.size() == 1) {
        const std::uint64_t divisor = d.limbs_[0];
        quotient.limbs_.assign(n.limbs_.size(), 0);
        std::uint64_t rest = 0;
        for (std::size_t i = n.limbs_.size(); i-- > 0;) {
            const std::uint64_t cur = (rest << 32) | n.limbs_[i];
            quotient.limbs_[i] = static_cast<std::uint32_t>(cur / divisor);
            rest = cur % divisor;
        }
        quotient.trim();
        remainder = Big(rest);
        return;
    }
    // Normalise so the divisor's top limb has its high bit set; the quotient digit estimates are
    // then off by at most two.
    const int shift = std::countl_zero(d.limbs_.back());
    const auto shifted = [shift](const std::vector<std::uint32_t>& limbs, bool extra) {
        std::vector<std::uint32_t> out(limbs.size() + (extra ? 1 : 0), 0);
        for (std::size_t i = 0; i < limbs.size(); ++i) {
            const std::uint64_t wide = std::uint64_t(limbs[i]) << shift;
            out[i] |= static_cast<std::uint32_t>(wide);
            if (i + 1 < out.size())
                out[i + 1] |= static_cast<std::uint32_t>(wide >> 32);
        }
        return out;
    };
    const std::vector<std::uint32_t> v = shifted(d.limbs_, false);
    std::vector<std::uint32_t> u = shifted(n.limbs_, true);
    const std::size_t dn = v.size();
    const std::size_t m = u.size() - dn - 1;
    quotient.limbs_.assign(m + 1, 0);
    for (std::size_t j = m + 1; j-- > 0;) {
        const std::uint64_t top = (std::uint64_t(u[j + dn]) << 32) | u[j + dn - 1];
        std::uint64_t qhat = top / v[dn - 1];
        std::uint64_t rhat = top % v[dn - 1];
        while (qhat >= base || qhat * v[dn - 2] > ((rhat << 32) | u[j + dn - 2])) {
            --qhat;
            rhat += v[dn - 1];
            if (rhat >= base)
                break;
        }
        // u[j .. j + dn] -= qhat * v
        std::int64_t borrow = 0;
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < dn; ++i) {
            const std::uint64_t product = qhat * v[i] + carry;
            carry = product >> 32;
            const std::int64_t t = std::int64_t(u[i + j]) - borrow - static_cast<std::int64_t>(product & 0xffffffffU);
            u[i + j] = static_cast<std::uint32_t>(t);
            borrow = t < 0 ? 1 : 0;
        }
        const std::int64_t t = std::int64_t(u[j + dn]) - borrow - static_cast<std::int64_t>(carry);
        u[j + dn] = static_cast<std::uint32_t>(t);
        if (t < 0) {
            // The estimate was one too high: add the divisor back.
            --qhat;
            std::uint64_t add = 0;
            for (std::size_t i = 0; i < dn; ++i) {
                const std::uint64_t sum = std::uint64_t(u[i + j]) + v[i] + add;
                u[i + j] = static_cast<std::uint32_t>(sum);
                add = sum >> 32;
            }
            u[j + dn] = static_cast<std::uint32_t>(std::uint64_t(u[j + dn]) + add);
        }
        quotient.limbs_[j] = static_cast<std::uint32_t>(qhat);
    }
    quotient.trim();
    // The remainder is what is left of u, shifted back.
    remainder.limbs_.assign(dn, 0);
    for (std::size_t i = 0; i < dn; ++i) {
        std::uint64_t wide = u[i] >> shift;
        if (shift != 0)
            wide |= std::uint64_t(u[i + 1]) << (32 - shift);
        remainder.limbs_[i] = static_cast<std::uint32_t>(wide);
    }
    remainder.trim();
}

int Big::bitLength() const
{
    if (limbs_.empty())
        return 0;
    return static_cast<int>(limbs_.size() * 32) - std::countl_zero(limbs_.back());
}

Big Big::shiftedLeft(int bits) const
{
    if (isZero() || bits <= 0)
        return *this;
    Big r;
    r.limbs_.assign(limbs_.size() + static_cast<std::size_t>(bits / 32) + 1, 0);
    const int limbShift = bits / 32;
    const int bitShift = bits % 32;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
        const std::uint64_t wide = std::uint64_t(limbs_[i]) << bitShift;
        r.limbs_[i + static_cast<std::size_t>(limbShift)] |= static_cast<std::uint32_t>(wide);
        r.limbs_[i + static_cast<std::size_t>(limbShift) + 1] |= static_cast<std::uint32_t>(wide >> 32);
    }
    r.trim();
    return r;
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

double nearestDouble(const Big& num, const Big& den)
{
    // 64 quotient bits and a sticky bit for the rest round exactly once to 53.
    const int scale = 64 - (num.bitLength() - den.bitLength());
    Big n = num.shiftedLeft(std::max(scale, 0));
    Big d = den.shiftedLeft(std::max(-scale, 0));
    Big q;
    Big r;
    Big::divide(n, d, q, r);
    int exponent = -scale;
    int bits = q.bitLength();
    // q has 64 or 65 bits; keep 64 and fold the dropped bit into the sticky one.
    bool sticky = !r.isZero();
    std::uint64_t top = 0;
    if (bits > 64) {
        Big half;
        Big rest;
        Big::divide(q, Big(2), half, rest);
        sticky = sticky || !rest.isZero();
        q = half;
        ++exponent;
    }
    top = q.low64();
    std::uint64_t mantissa = top >> 11;
    const std::uint64_t dropped = top & 0x7ffU;
    if (dropped > 0x400U || (dropped == 0x400U && (sticky || (mantissa & 1U) != 0)))
        ++mantissa;
    return std::ldexp(static_cast<double>(mantissa), exponent + 11);
}

} // namespace values::detail
