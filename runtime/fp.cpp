// SPDX-License-Identifier: MIT
#include "runtime/fp.h"

#include "runtime/error.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace runtime {

namespace {

// Exponents saturate here: a term this far out is infinite or zero for every purpose,
// and two of them still add without wrapping.
constexpr std::int64_t exponentLimit = std::int64_t{1} << 60;

std::int64_t addExponents(std::int64_t a, std::int64_t b)
{
    return std::clamp(a + b, -exponentLimit, exponentLimit);
}

FpConditions merged(FpConditions a, FpConditions b)
{
    return {a.divisionByZero || b.divisionByZero, a.invalid || b.invalid};
}

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

double signedInf(bool negative)
{
    return negative ? -inf : inf;
}

double signedZero(bool negative)
{
    return negative ? -0.0 : 0.0;
}

// Mantissas are at most 1 in magnitude, so aligning one 900 places down stays a normal
// Double and the addition that follows is the single correct rounding. Further apart, the
// smaller is below a 2^-800th of the larger's last bit and cannot move it.
constexpr std::int64_t alignableGap = 900;

} // namespace

Fp::Fp(double value)
    : mantissa_(value)
{
    if (std::isfinite(value) && value != 0) {
        int exponent = 0;
        mantissa_ = std::frexp(value, &exponent);
        exponent_ = exponent;
    }
}

Fp operator*(const Fp& a, const Fp& b)
{
    Fp result;
    result.conditions_ = merged(a.conditions_, b.conditions_);
    const double x = a.mantissa_;
    const double y = b.mantissa_;
    const bool negative = std::signbit(x) != std::signbit(y);
    if (std::isnan(x) || std::isnan(y)) {
        result.mantissa_ = nan;
    } else if (std::isinf(x) || std::isinf(y)) {
        if (x == 0 || y == 0) {
            result.conditions_.invalid = true;
            result.mantissa_ = nan;
        } else {
            result.mantissa_ = signedInf(negative);
        }
    } else if (x == 0 || y == 0) {
        result.mantissa_ = signedZero(negative);
    } else {
        // Both in [0.5, 1): the product rounds once and lands in [0.25, 1).
        const Fp product(x * y);
        result.mantissa_ = product.mantissa_;
        result.exponent_ = addExponents(addExponents(a.exponent_, b.exponent_), product.exponent_);
    }
    return result;
}

Fp operator/(const Fp& a, const Fp& b)
{
    Fp result;
    result.conditions_ = merged(a.conditions_, b.conditions_);
    const double x = a.mantissa_;
    const double y = b.mantissa_;
    const bool negative = std::signbit(x) != std::signbit(y);
    if (std::isnan(x) || std::isnan(y)) {
        result.mantissa_ = nan;
    } else if (y == 0) {
        if (x == 0) {
            result.conditions_.invalid = true;
            result.mantissa_ = nan;
        } else {
            result.conditions_.divisionByZero = true;
            result.mantissa_ = signedInf(negative);
        }
    } else if (std::isinf(x)) {
        if (std::isinf(y)) {
            result.conditions_.invalid = true;
            result.mantissa_ = nan;
        } else {
            result.mantissa_ = signedInf(negative);
        }
    } else if (std::isinf(y) || x == 0) {
        result.mantissa_ = signedZero(negative);
    } else {
        // Quotient of two [0.5, 1) mantissas: in (0.5, 2), rounded once.
        const Fp quotient(x / y);
        result.mantissa_ = quotient.mantissa_;
        result.exponent_ = addExponents(addExponents(a.exponent_, -b.exponent_), quotient.exponent_);
    }
    return result;
}

Fp operator+(const Fp& a, const Fp& b)
{
    Fp result;
    result.conditions_ = merged(a.conditions_, b.conditions_);
    const double x = a.mantissa_;
    const double y = b.mantissa_;
    if (std::isnan(x) || std::isnan(y)) {
        result.mantissa_ = nan;
    } else if (std::isinf(x) || std::isinf(y)) {
        if (std::isinf(x) && std::isinf(y) && std::signbit(x) != std::signbit(y)) {
            result.conditions_.invalid = true;
            result.mantissa_ = nan;
        } else {
            result.mantissa_ = std::isinf(x) ? x : y;
        }
    } else if (x == 0 || y == 0) {
        if (x == 0 && y == 0) {
            result.mantissa_ = x + y; // the signed-zero rules of IEEE addition
        } else {
            const Fp& nonZero = x == 0 ? b : a;
            result.mantissa_ = nonZero.mantissa_;
            result.exponent_ = nonZero.exponent_;
        }
    } else {
        const bool aLarger = a.exponent_ >= b.exponent_;
        const Fp& large = aLarger ? a : b;
        const Fp& small = aLarger ? b : a;
        const std::int64_t gap = large.exponent_ - small.exponent_;
        if (gap > alignableGap) {
            result.mantissa_ = large.mantissa_;
            result.exponent_ = large.exponent_;
        } else {
            const Fp sum(large.mantissa_ + std::ldexp(small.mantissa_, -static_cast<int>(gap)));
            result.mantissa_ = sum.mantissa_; // an exact cancellation gives +0
            if (sum.mantissa_ != 0)
                result.exponent_ = addExponents(large.exponent_, sum.exponent_);
        }
    }
    return result;
}

Fp operator-(const Fp& a, const Fp& b)
{
    Fp negated = b;
    negated.mantissa_ = -negated.mantissa_;
    return a + negated;
}

double Fp::rounded() const
{
    if (!std::isfinite(mantissa_) || mantissa_ == 0)
        return mantissa_;
    // ldexp rounds once, also into the subnormal range; beyond these bounds the result is
    // +-inf or +-0 either way.
    constexpr std::int64_t bound = 4096;
    return std::ldexp(mantissa_, static_cast<int>(std::clamp(exponent_, -bound, bound)));
}

void FPException(FpConditions conditions)
{
    if (conditions.divisionByZero)
        raise(ErrorNumber::DivisionByZero);
    if (conditions.invalid)
        raise(ErrorNumber::Overflow);
}

double Checked(const Fp& result)
{
    FPException(result.conditions());
    const double value = result.rounded();
    if (!std::isfinite(value))
        raise(ErrorNumber::Overflow);
    return value;
}

} // namespace runtime
