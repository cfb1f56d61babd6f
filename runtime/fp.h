// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace runtime {

// What an expression did that the floating-point check reports.
struct FpConditions {
    bool divisionByZero = false; // a non-zero value divided by zero
    bool invalid = false;        // 0/0, inf - inf, 0 x inf, ...
    friend bool operator==(FpConditions, FpConditions) = default;
};

// One term of a floating-point expression. Intermediates keep a Double mantissa but an
// exponent far wider than a Double's, so only the final result has to fit; each operator
// records the conditions it meets instead of relying on the floating-point environment,
// which compilers may reorder around.
class Fp {
public:
    Fp(double value); // NOLINT(google-explicit-constructor): terms read like Doubles

    friend Fp operator+(const Fp& a, const Fp& b);
    friend Fp operator-(const Fp& a, const Fp& b);
    friend Fp operator*(const Fp& a, const Fp& b);
    friend Fp operator/(const Fp& a, const Fp& b);

    FpConditions conditions() const { return conditions_; }

    // The value rounded once to a Double; +-inf when beyond its range, NaN when invalid.
    double rounded() const;

private:
    Fp() = default;
    double mantissa_ = 0; // 0, +-inf, NaN, or magnitude in [0.5, 1)
    std::int64_t exponent_ = 0;
    FpConditions conditions_{};
};

// Raises the error the conditions call for: 11 for a division by zero (it wins over the
// rest), else 6. Returns when nothing is pending.
void FPException(FpConditions conditions);

// The check that follows an expression: raises as FPException does, and 6 when the final
// result lies beyond the Double range; underflow and inexact results raise nothing.
double Checked(const Fp& result);

} // namespace runtime
