// SPDX-License-Identifier: MIT
#include "values/filters.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace values {

namespace {

using Complex = std::complex<long double>;
constexpr long double pi = std::numbers::pi_v<long double>;

// The reverse Bessel polynomial's coefficients, lowest power first:
// a_k = (2n - k)! / (2^(n - k) k! (n - k)!), exact in long double for n <= 8.
std::vector<long double> besselPolynomial(int n)
{
    const auto factorial = [](int k) {
        long double f = 1;
        for (int i = 2; i <= k; ++i)
            f *= i;
        return f;
    };
    std::vector<long double> a;
    a.reserve(static_cast<std::size_t>(n) + 1);
    for (int k = 0; k <= n; ++k)
        a.push_back(factorial(2 * n - k) / (std::ldexp(1.0L, n - k) * factorial(k) * factorial(n - k)));
    return a;
}

Complex evaluate(const std::vector<long double>& a, Complex s)
{
    Complex v = 0;
    for (auto k = a.size(); k-- > 0;)
        v = v * s + a[k];
    return v;
}

Complex derivative(const std::vector<long double>& a, Complex s)
{
    Complex v = 0;
    for (auto k = a.size(); k-- > 1;)
        v = v * s + a[k] * static_cast<long double>(k);
    return v;
}

// Every root of a polynomial with real coefficients (lowest power first), by Aberth's method from
// points on a circle, then a few Newton steps each to the last bit of a long double.
std::vector<Complex> roots(const std::vector<long double>& a)
{
    const int n = static_cast<int>(a.size()) - 1;
    const long double radius = std::pow(std::abs(a[0] / a[static_cast<std::size_t>(n)]), 1.0L / n);
    std::vector<Complex> z;
    z.reserve(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        z.push_back(std::polar(radius, 2 * pi * k / n + 0.4L));
    for (int iteration = 0; iteration < 500; ++iteration) {
        long double largest = 0;
        for (int i = 0; i < n; ++i) {
            const Complex ratio = evaluate(a, z[i]) / derivative(a, z[i]);
            Complex repulsion = 0;
            for (int j = 0; j < n; ++j) {
                if (j != i)
                    repulsion += 1.0L / (z[i] - z[j]);
            }
            const Complex step = ratio / (1.0L - ratio * repulsion);
            z[i] -= step;
            largest = std::max(largest, std::abs(step) / std::max(1.0L, std::abs(z[i])));
        }
        if (largest < 1e-17L)
            break;
    }
    for (Complex& r : z) {
        for (int i = 0; i < 3; ++i)
            r -= evaluate(a, r) / derivative(a, r);
    }
    return z;
}

long double besselGainSquared(const std::vector<long double>& a, long double w)
{
    return std::norm(Complex(a[0])) / std::norm(evaluate(a, Complex(0, w)));
}

// cosh(a) and sinh(a), a = asinh(1 / epsilon) / n: the ellipse Chebyshev's poles lie on.
struct Ellipse {
    long double major = 1;
    long double minor = 1;
};
Ellipse chebyshevEllipse(const Prototype& p)
{
    const long double epsilon = std::sqrt(std::pow(10.0L, p.rippleDb / 10.0L) - 1);
    const long double a = std::asinh(1 / epsilon) / p.order;
    return {std::cosh(a), std::sinh(a)};
}

long double chebyshevT(int n, long double w)
{
    long double previous = 1;
    long double current = w;
    if (n == 0)
        return previous;
    for (int k = 1; k < n; ++k) {
        const long double next = 2 * w * current - previous;
        previous = current;
        current = next;
    }
    return current;
}

} // namespace

bool valid(const Prototype& p)
{
    if (p.order < 1 || p.order > maxOrder)
        return false;
    return p.response != Response::Chebyshev || (p.rippleDb > 0 && p.rippleDb <= 3);
}

namespace {

long double findBesselCorner(int order)
{
    const std::vector<long double> a = besselPolynomial(order);
    // The gain falls steadily with frequency: halve the interval round the half-power point.
    long double lo = 0;
    long double hi = 1;
    while (besselGainSquared(a, hi) > 0.5L)
        hi *= 2;
    for (int i = 0; i < 200; ++i) {
        const long double mid = (lo + hi) / 2;
        if (mid <= lo || mid >= hi)
            break;
        (besselGainSquared(a, mid) > 0.5L ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

// Worked out once for every order: plots ask for the response point by point.
struct BesselTable {
    std::array<std::vector<long double>, maxOrder + 1> polynomial;
    std::array<std::vector<Complex>, maxOrder + 1> roots;
    std::array<long double, maxOrder + 1> corner{};
};

const BesselTable& bessel()
{
    static const BesselTable table = [] {
        BesselTable t;
        for (int n = 1; n <= maxOrder; ++n) {
            const auto i = static_cast<std::size_t>(n);
            t.polynomial[i] = besselPolynomial(n);
            t.roots[i] = roots(t.polynomial[i]);
            t.corner[i] = findBesselCorner(n);
        }
        return t;
    }();
    return table;
}

} // namespace

double besselCorner(int order)
{
    return order >= 1 && order <= maxOrder ? static_cast<double>(bessel().corner[static_cast<std::size_t>(order)]) : 0;
}

std::vector<std::complex<double>> prototypePoles(const Prototype& p)
{
    if (!valid(p))
        return {};
    const int n = p.order;
    std::vector<Complex> poles;
    switch (p.response) {
    case Response::Butterworth:
        // The left half of 1 + (-s^2)^n = 0: on the unit circle, pi / n apart.
        for (int k = 0; k < n / 2; ++k) {
            const long double angle = pi * (2 * k + 1) / (2 * n);
            poles.emplace_back(-std::sin(angle), std::cos(angle));
        }
        if (n % 2 == 1)
            poles.emplace_back(-1, 0);
        break;
    case Response::Chebyshev: {
        // The left half of 1 + epsilon^2 T_n(s / j)^2 = 0: on an ellipse, at the angles of Butterworth's.
        const Ellipse e = chebyshevEllipse(p);
        for (int k = 0; k < n / 2; ++k) {
            const long double angle = pi * (2 * k + 1) / (2 * n);
            poles.emplace_back(-e.minor * std::sin(angle), e.major * std::cos(angle));
        }
        if (n % 2 == 1)
            poles.emplace_back(-e.minor, 0);
        break;
    }
    case Response::Bessel:
    case Response::BesselDelay: {
        const auto i = static_cast<std::size_t>(n);
        const long double scale = p.response == Response::Bessel ? bessel().corner[i] : 1.0L;
        for (const Complex& r : bessel().roots[i]) {
            // The conjugate comes as a root of its own: keep the upper one, and the real one.
            if (r.imag() > 1e-9L * std::abs(r))
                poles.push_back(r / scale);
            else if (std::abs(r.imag()) <= 1e-9L * std::abs(r))
                poles.emplace_back(r.real() / scale, 0);
        }
        break;
    }
    }
    std::vector<std::complex<double>> result;
    result.reserve(poles.size());
    for (const Complex& pole : poles)
        result.emplace_back(static_cast<double>(pole.real()), static_cast<double>(pole.imag()));
    return result;
}

std::vector<PoleSection> prototypeSections(const Prototype& p)
{
    std::vector<PoleSection> sections;
    for (const std::complex<double>& pole : prototypePoles(p)) {
        const double w0 = std::abs(pole);
        sections.push_back({w0, pole.imag() == 0 ? 0.0 : w0 / (-2 * pole.real())});
    }
    std::sort(sections.begin(), sections.end(), [](const PoleSection& a, const PoleSection& b) { return a.q < b.q; });
    return sections;
}

double prototypeGain(const Prototype& p, double w)
{
    if (!valid(p))
        return 0;
    const long double x = w;
    switch (p.response) {
    case Response::Butterworth:
        return static_cast<double>(1 / std::sqrt(1 + std::pow(x, 2.0L * p.order)));
    case Response::Chebyshev: {
        const long double e2 = std::pow(10.0L, p.rippleDb / 10.0L) - 1;
        const long double atDc = chebyshevT(p.order, 0);
        const long double t = chebyshevT(p.order, x);
        return static_cast<double>(std::sqrt((1 + e2 * atDc * atDc) / (1 + e2 * t * t)));
    }
    case Response::Bessel:
    case Response::BesselDelay: {
        const auto i = static_cast<std::size_t>(p.order);
        const long double scale = p.response == Response::Bessel ? bessel().corner[i] : 1.0L;
        return static_cast<double>(std::sqrt(besselGainSquared(bessel().polynomial[i], x * scale)));
    }
    }
    return 0;
}

} // namespace values
