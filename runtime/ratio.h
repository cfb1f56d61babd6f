// SPDX-License-Identifier: MIT
#pragma once

#include "currency.h"

namespace runtime {

// a x (b / (c + d)), computed exactly and rounded once to four decimals, ties to even.
// Neither the product nor the sum needs to fit a Currency, only the result (else 6).
// A zero sum raises 11 when b is not zero, and 6 when it is (0/0).
Currency CyMulDiv(Currency a, Currency b, Currency c, Currency d);

} // namespace runtime
