// SPDX-License-Identifier: MIT
#include "values/timing.h"

#include "numeric/quad.h"
#include "numeric/text.h"

#include <cmath>
#include <string>
#include <string_view>

namespace values {

using detail::quad;
using detail::toQuad;

// ---------------------------------------------------------------------------------------------
// Forward

double timeConstant(const Decimal& r, const Decimal& c)
{
    return static_cast<double>(toQuad(r) * toQuad(c));
}

double cornerFrequency(const Decimal& r, const Decimal& c)
{
    return static_cast<double>(1 / (2 * detail::pi() * toQuad(r) * toQuad(c)));
}

double chargeTime(const Decimal& r, const Decimal& c, const Decimal& supply, const Decimal& level)
{
    return static_cast<double>(-toQuad(r) * toQuad(c) * detail::lnOneMinus(toQuad(level) / toQuad(supply)));
}

double capacitiveReactance(const Decimal& f, const Decimal& c)
{
    return static_cast<double>(1 / (2 * detail::pi() * toQuad(f) * toQuad(c)));
}

double inductiveReactance(const Decimal& f, const Decimal& l)
{
    return static_cast<double>(2 * detail::pi() * toQuad(f) * toQuad(l));
}

double resonantPartner(const Decimal& f, const Decimal& part)
{
    const quad w = 2 * detail::pi() * toQuad(f);
    return static_cast<double>(1 / (w * w * toQuad(part)));
}

double resonance(const Decimal& l, const Decimal& c)
{
    return static_cast<double>(1 / (2 * detail::pi() * detail::squareRoot(toQuad(l) * toQuad(c))));
}

double characteristicImpedance(const Decimal& l, const Decimal& c)
{
    return static_cast<double>(detail::squareRoot(toQuad(l) / toQuad(c)));
}

} // namespace values
