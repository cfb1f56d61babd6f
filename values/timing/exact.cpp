// SPDX-License-Identifier: MIT
#include "values/timing/exact.h"

#include <cmath>
#include <string_view>

namespace values::detail::timing {

namespace {

Big digits(std::string_view text)
{
    Big r;
    const Big chunk(1'000'000'000);
    std::size_t i = 0;
    for (; i + 9 <= text.size(); i += 9) {
        std::uint64_t v = 0;
        for (std::size_t j = i; j < i + 9; ++j)
            v = v * 10 + static_cast<std::uint64_t>(text[j] - '0');
        r = r * chunk + Big(v);
    }
    std::uint64_t v = 0;
    std::uint64_t scale = 1;
    for (; i < text.size(); ++i) {
        v = v * 10 + static_cast<std::uint64_t>(text[i] - '0');
        scale *= 10;
    }
    return r * Big(scale) + Big(v);
}

constexpr int constantDigits = 100;

// floor(k 10^100)
const Big& truncated(Constant k)
{
    static const Big ln2 = digits("0"
                                  "6931471805599453094172321214581765680755001343602552541206800094933936219696947156"
                                  "058633269964186875");
    static const Big twoPi = digits("6"
                                    "2831853071795864769252867665590057683943387987502116419498891846156328125724179972"
                                    "560696506842341359");
    return k == Constant::Ln2 ? ln2 : twoPi;
}

const Big& scale100()
{
    static const Big p = Big::pow10(constantDigits);
    return p;
}

std::strong_ordering reversed(std::strong_ordering c)
{
    return std::is_lt(c) ? std::strong_ordering::greater
        : std::is_gt(c)  ? std::strong_ordering::less
                         : std::strong_ordering::equal;
}

int sign(std::strong_ordering c)
{
    return std::is_lt(c) ? -1 : (std::is_gt(c) ? 1 : 0);
}

} // namespace

std::strong_ordering Threshold::against(const Big& n, const Big& d) const
{
    const Big left = n * b;
    const Big right = a * d;
    if (k == Constant::One)
        return left <=> right;
    const Big scaledRight = right * scale100();
    const Big& kd = truncated(k);
    if (left * kd >= scaledRight)
        return std::strong_ordering::greater;
    if (left * (kd + Big(1)) <= scaledRight)
        return std::strong_ordering::less;
    return std::strong_ordering::equal; // within 10^-100: not met by values of these sizes
}

Point Scale::point(Big x) const
{
    const int side = sign(s.against(x, Big(1)));
    return {std::move(x), side};
}

std::strong_ordering Scale::closer(const Point& p, const Point& q) const
{
    if (p.side == 0 || q.side == 0)
        return (p.side != 0) <=> (q.side != 0);
    if (p.side == q.side)
        return p.side < 0 ? q.x <=> p.x : p.x <=> q.x;
    const Big& lo = p.side < 0 ? p.x : q.x;
    const Big& hi = p.side < 0 ? q.x : p.x;
    // The one below misses by less when the mean of the two lies above s.
    const std::strong_ordering mean =
        form == Form::Proportional ? s.against(lo + hi, Big(2)) : s.against(Big(2) * lo * hi, lo + hi);
    const std::strong_ordering loFirst = reversed(mean);
    return p.side < 0 ? loFirst : reversed(loFirst);
}

bool searchable(const Decimal& v)
{
    return v.mantissa > 0 && v >= Decimal::of(1, -15) && v <= Decimal::of(1, 15);
}

Scaled scaled(std::span<const Decimal> values)
{
    Scaled s;
    for (const Decimal& v : values) {
        if (searchable(v))
            s.values.push_back(v);
    }
    std::sort(s.values.begin(), s.values.end());
    s.values.erase(std::unique(s.values.begin(), s.values.end()), s.values.end());
    for (const Decimal& v : s.values)
        s.exponent = std::min(s.exponent, v.exponent);
    for (const Decimal& v : s.values)
        s.ints.push_back(Big(static_cast<std::uint64_t>(v.mantissa)) * Big::pow10(v.exponent - s.exponent));
    return s;
}

// m 10^e as a / b with integers.
void split(std::int64_t m, int e, Big& a, Big& b)
{
    a = Big(static_cast<std::uint64_t>(m)) * Big::pow10(std::max(e, 0));
    b = Big::pow10(std::max(-e, 0));
}

Miss missOf(quad e)
{
    Miss m;
    m.percent = static_cast<double>(100 * e);
    m.rounded.below = e < 0;
    m.rounded.precise = m.percent;
    // Two decimals, or two significant digits for a miss that would round to 0.00.
    int decimals = 2;
    const double size = std::abs(m.percent);
    if (size > 0 && size < 0.005)
        decimals = 1 - static_cast<int>(std::floor(std::log10(size)));
    m.rounded.percent = detail::roundedPercent(e, std::min(decimals, 30));
    return m;
}

Miss exactMiss(const detail::Fraction& value, const detail::Fraction& target)
{
    Miss m;
    m.rounded = detail::deviationOf(value, target);
    m.exact = m.rounded.exact;
    return m;
}

detail::Fraction product(const Decimal& a, const Decimal& b)
{
    const detail::Fraction fa = detail::Fraction::of(a);
    const detail::Fraction fb = detail::Fraction::of(b);
    return {fa.num * fb.num, fa.den * fb.den};
}

long long bitsOf(std::size_t n)
{
    long long bits = 1;
    for (; n > 1; n /= 2)
        ++bits;
    return bits;
}

} // namespace values::detail::timing
