// SPDX-License-Identifier: MIT
#include "ratio.h"

#include "error.h"
#include "wide.h"

namespace runtime {

using namespace wide;

Currency CyMulDiv(Currency a, Currency b, Currency c, Currency d)
{
    // Scaled values: (a*b/s^2) / ((c+d)/s) = a*b / (c+d) / s, so the scaled result is
    // a*b / (c+d) with a, b, c, d all in ten-thousandths. |a*b| < 2^126, |c+d| < 2^64.
    const int128 numerator = int128(a.scaled()) * b.scaled();
    const int128 denominator = int128(c.scaled()) + d.scaled();
    if (denominator == 0)
        raise(b.scaled() == 0 ? ErrorNumber::Overflow : ErrorNumber::DivisionByZero);

    const bool negative = (numerator < 0) != (denominator < 0);
    return currencyFrom(negative, divideToEven(magnitudeOf(numerator), magnitudeOf(denominator)));
}

} // namespace runtime
