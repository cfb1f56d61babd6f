// SPDX-License-Identifier: MIT
// The closed forms, each written from its paper or textbook.
#include "values/lines.h"
#include "values/lines_detail.h"

#include "numeric/format.h"

#include <cmath>
#include <numbers>

namespace values::lines {

namespace {

using std::numbers::pi;

// The arithmetic-geometric mean; quadratic convergence, so a few turns reach the last digit.
double agm(double a, double b)
{
    for (int i = 0; i < 64 && std::abs(a - b) > 1e-15 * a; ++i) {
        const double mean = (a + b) / 2;
        b = std::sqrt(a * b);
        a = mean;
    }
    return (a + b) / 2;
}

// A modulus k with its complement k' = sqrt(1 - k²), from k and 1 - k each computed without
// cancellation, since for wide strips or narrow gaps k lies within 1e-14 of 1.
struct Modulus {
    double k;
    double kp;
};
Modulus modulus(double k, double oneMinusK)
{
    return {k, std::sqrt(oneMinusK * (1 + k))};
}

// K(k) / K(k'), the complete elliptic integrals of the first kind: K(k) = pi / (2 agm(1, k')).
double ellipticRatio(const Modulus& m)
{
    return agm(1, m.k) / agm(1, m.kp);
}

// tanh(x) / tanh(y) and sinh(x) / sinh(y) for 0 < x < y, with 1 minus each.
Modulus tanhRatio(double x, double y)
{
    return modulus(std::tanh(x) / std::tanh(y), std::sinh(y - x) / (std::cosh(x) * std::sinh(y)));
}
Modulus sinhRatio(double x, double y)
{
    // sinh x / sinh y = e^(x - y) (1 - e^-2x) / (1 - e^-2y), which holds for any size of y.
    const double k = std::exp(x - y) * std::expm1(-2 * x) / std::expm1(-2 * y);
    return modulus(k, 2 * std::cosh((x + y) / 2) * std::sinh((y - x) / 2) / std::sinh(y));
}

// Hammerstad and Jensen (1980), "Accurate models for microstrip computer-aided design": the strip
// of no thickness in air, u = w / h.
double microstripAir(double u)
{
    const double f = 6 + (2 * pi - 6) * std::exp(-std::pow(30.666 / u, 0.7528));
    return eta0 / (2 * pi) * std::log(f / u + std::sqrt(1 + 4 / (u * u)));
}

double microstripErEff(double u, double er)
{
    const double u4 = u * u * u * u;
    const double a =
        1 + std::log((u4 + (u / 52) * (u / 52)) / (u4 + 0.432)) / 49 + std::log(1 + std::pow(u / 18.1, 3)) / 18.7;
    const double b = 0.564 * std::pow((er - 0.9) / (er + 3), 0.053);
    return (er + 1) / 2 + (er - 1) / 2 * std::pow(1 + 10 / u, -a * b);
}

// Their thickness correction: the widths of a strip of no thickness with the same impedance in
// air (u1) and in the dielectric (ur); tn = t / h.
struct Widened {
    double u1;
    double ur;
};
Widened widened(double u, double tn, double er)
{
    if (tn <= 0)
        return {u, u};
    const double coth = 1 / std::tanh(std::sqrt(6.517 * u));
    const double du1 = tn / pi * std::log(1 + 4 * std::numbers::e / (tn * coth * coth));
    const double dur = (1 + 1 / std::cosh(std::sqrt(er - 1))) / 2 * du1;
    return {u + du1, u + dur};
}

Mode microstrip(const Microstrip& m)
{
    const Widened wu = widened(m.w / m.h, m.t / m.h, m.er);
    const double zr = microstripAir(wu.ur);
    const double e = microstripErEff(wu.ur, m.er);
    const double ratio = microstripAir(wu.u1) / zr;
    return {zr / std::sqrt(e), e * ratio * ratio};
}

// Cohn (1954), "Characteristic impedance of the shielded-strip transmission line": exact by
// conformal mapping for a strip of no thickness, k = sech(pi w / 2b), in air.
double striplineAir(double w, double b)
{
    const double x = pi * w / (2 * b);
    return eta0 / 4 * ellipticRatio({1 / std::cosh(x), std::tanh(x)});
}

// Wheeler (1978), "Transmission-line properties of a strip line between parallel planes": a strip
// t thick acts as one of no thickness, w + dw wide, between planes b - t apart.
double wheelerWidening(double w, double b, double t)
{
    if (t <= 0)
        return 0;
    const double x = t / b;
    const double m = 2 / (1 + 2.0 / 3 * x / (1 - x));
    const double inner = (x / (2 - x)) * (x / (2 - x)) + std::pow(0.0796 * x / (w / b + 1.1 * x), m);
    return x / (pi * (1 - x)) * (1 - std::log(inner) / 2) * (b - t);
}

double stripline(double w, double b, double t)
{
    return striplineAir(w + wheelerWidening(w, b, t), b - t);
}

// An offset strip as the two halves of centred striplines in parallel, each with the spacing its
// gap would have if centred: 1/Z = 1/2Z1 + 1/2Z2, exact when the strip is centred.
double offsetAir(const OffsetStripline& o)
{
    const double z1 = stripline(o.w, 2 * o.h + o.t, o.t);
    const double z2 = stripline(o.w, 2 * (o.b - o.h - o.t) + o.t, o.t);
    return 2 * z1 * z2 / (z1 + z2);
}

// Gupta, Garg, Bahl and Bhartia, "Microstrip Lines and Slotlines": a strip t thick widens by
// 1.25 t / pi (1 + ln(4 pi w / t)), the grounds' edges coming nearer alike.
double coplanarWidening(double w, double t)
{
    return t > 0 ? 1.25 * t / pi * (1 + std::log(4 * pi * w / t)) : 0;
}

// Conformal mapping of the coplanar waveguide (Wen 1969) on a substrate h thick by partial
// capacitances: k0 for the air above, k1 (no plane) or k3 (a plane under it) for the substrate.
template <class Coplanar>
Mode coplanar(const Coplanar& c, bool plane)
{
    const double a = c.w / 2;
    const double b = c.w / 2 + c.s;
    const double r0 = ellipticRatio(modulus(a / b, c.s / b));
    const double d = coplanarWidening(c.w, c.t);
    const double re = ellipticRatio(modulus((a + d / 2) / (b - d / 2), (c.s - d) / (b - d / 2)));
    const double x = pi * a / (2 * c.h);
    const double y = pi * b / (2 * c.h);
    if (!plane) {
        const double e0 = 1 + (c.er - 1) / 2 * ellipticRatio(sinhRatio(x, y)) / r0;
        // Gupta et al.: the thickness adds air between the edges, lowering er eff.
        const double e = c.t > 0 ? e0 - 0.7 * (e0 - 1) * c.t / c.s / (r0 + 0.7 * c.t / c.s) : e0;
        return {30 * pi / std::sqrt(e) / re, e};
    }
    const double r3 = ellipticRatio(tanhRatio(x, y));
    const double e = (re + c.er * r3) / (re + r3);
    return {60 * pi / std::sqrt(e) / (re + r3), e};
}

// Kirschning and Jansen (1984), "Accurate wide-range design equations for the frequency-dependent
// characteristic of parallel coupled microstrip lines": the static odd and even modes of strips of
// no thickness, u = w / h, g = s / h.
Impedance coupledMicrostripThin(double u, double g, double er)
{
    const double e0 = microstripErEff(u, er);
    const double z0 = microstripAir(u) / std::sqrt(e0);

    const double v = u * (20 + g * g) / (10 + g * g) + g * std::exp(-g);
    const double v4 = v * v * v * v;
    const double ae =
        1 + std::log((v4 + (v / 52) * (v / 52)) / (v4 + 0.432)) / 49 + std::log(1 + std::pow(v / 18.1, 3)) / 18.7;
    const double be = 0.564 * std::pow((er - 0.9) / (er + 3), 0.053);
    const double ee = (er + 1) / 2 + (er - 1) / 2 * std::pow(1 + 10 / v, -ae * be);

    const double ao = 0.7287 * (e0 - (er + 1) / 2) * (1 - std::exp(-0.179 * u));
    const double bo = 0.747 * er / (0.15 + er);
    const double co = bo - (bo - 0.207) * std::exp(-0.414 * u);
    const double dodd = 0.593 + 0.694 * std::exp(-0.562 * u);
    const double eo = ((er + 1) / 2 + ao - e0) * std::exp(-co * std::pow(g, dodd)) + e0;

    const double q1 = 0.8695 * std::pow(u, 0.194);
    const double q2 = 1 + 0.7519 * g + 0.189 * std::pow(g, 2.31);
    const double q3 = 0.1975 + std::pow(16.6 + std::pow(8.4 / g, 6), -0.387) +
        std::log(std::pow(g, 10) / (1 + std::pow(g / 3.4, 10))) / 241;
    const double q4 = 2 * q1 / q2 / (std::exp(-g) * std::pow(u, q3) + (2 - std::exp(-g)) * std::pow(u, -q3));
    const double q5 = 1.794 + 1.14 * std::log(1 + 0.638 / (g + 0.517 * std::pow(g, 2.43)));
    const double q6 = 0.2305 + std::log(std::pow(g, 10) / (1 + std::pow(g / 5.8, 10))) / 281.3 +
        std::log(1 + 0.598 * std::pow(g, 1.154)) / 5.1;
    const double q7 = (10 + 190 * g * g) / (1 + 82.3 * g * g * g);
    const double q8 = std::exp(-6.5 - 0.95 * std::log(g) - std::pow(g / 0.15, 5));
    const double q9 = std::log(q7) * (q8 + 1 / 16.5);
    const double q10 = q4 - q5 / q2 * std::exp(q6 * std::log(u) * std::pow(u, -q9));

    const double scale = z0 / eta0 * std::sqrt(e0);
    const double ze = z0 * std::sqrt(e0 / ee) / (1 - scale * q4);
    const double zo = z0 * std::sqrt(e0 / eo) / (1 - scale * q10);
    return {{zo, eo}, Mode{ze, ee}};
}

// Cohn (1955), "Shielded coupled-strip transmission line": exact by conformal mapping for strips
// of no thickness, in air; the odd mode first.
std::pair<double, double> coupledStriplineAir(double w, double s, double b)
{
    const double x = pi * w / (2 * b);
    const double y = pi * (w + s) / (2 * b);
    // ke = tanh x tanh y, ko = tanh x / tanh y; 1 - each without cancellation.
    const Modulus ke = modulus(std::tanh(x) * std::tanh(y), std::cosh(x - y) / (std::cosh(x) * std::cosh(y)));
    const Modulus ko = tanhRatio(x, y);
    return {eta0 / 4 / ellipticRatio(ko), eta0 / 4 / ellipticRatio(ke)};
}

} // namespace

namespace detail {

double dispersedErEff(double u, double er, double erEff0, double fhGHzMm)
{
    // Kirschning and Jansen (1982), "Accurate model for effective dielectric constant of microstrip
    // with validity up to millimetre-wave frequencies".
    const double fn = fhGHzMm;
    const double p1 = 0.27488 + (0.6315 + 0.525 / std::pow(1 + 0.0157 * fn, 20)) * u - 0.065683 * std::exp(-8.7513 * u);
    const double p2 = 0.33622 * (1 - std::exp(-0.03442 * er));
    const double p3 = 0.0363 * std::exp(-4.6 * u) * (1 - std::exp(-std::pow(fn / 38.7, 4.97)));
    const double p4 = 1 + 2.751 * (1 - std::exp(-std::pow(er / 15.916, 8)));
    const double p = p1 * p2 * std::pow((0.1844 + p3 * p4) * fn, 1.5763);
    return er - (er - erEff0) / (1 + p);
}

double microstripWidening(double w, double h, double t, double er)
{
    return (widened(w / h, t / h, er).ur - w / h) * h;
}

double striplineWidening(double w, double b, double t)
{
    return wheelerWidening(w, b, t);
}

double coplanarWidening(double w, double t)
{
    return lines::coplanarWidening(w, t);
}

Impedance quasiStatic(const Line& line)
{
    struct Visit {
        Impedance operator()(const Microstrip& m) const { return {microstrip(m), {}}; }
        Impedance operator()(const Stripline& s) const
        {
            return {{stripline(s.w, s.b, s.t) / std::sqrt(s.er), s.er}, {}};
        }
        Impedance operator()(const OffsetStripline& o) const { return {{offsetAir(o) / std::sqrt(o.er), o.er}, {}}; }
        Impedance operator()(const Cpw& c) const { return {coplanar(c, false), {}}; }
        Impedance operator()(const Gcpw& c) const { return {coplanar(c, true), {}}; }
        Impedance operator()(const CoupledMicrostrip& c) const
        {
            // The single strip's equivalent width, the gap narrowed as much.
            const double dw = microstripWidening(c.w, c.h, c.t, c.er);
            return coupledMicrostripThin((c.w + dw) / c.h, (c.s - dw) / c.h, c.er);
        }
        Impedance operator()(const CoupledStripline& c) const
        {
            const double dw = wheelerWidening(c.w, c.b, c.t);
            const auto [odd, even] = coupledStriplineAir(c.w + dw, c.s - dw, c.b - c.t);
            const double root = std::sqrt(c.er);
            return {{odd / root, c.er}, Mode{even / root, c.er}};
        }
        Impedance operator()(const Coax& c) const
        {
            return {{eta0 / (2 * pi * std::sqrt(c.er)) * std::log(c.D / c.d), c.er}, {}};
        }
        Impedance operator()(const TwistedPair& p) const
        {
            return {{eta0 / (pi * std::sqrt(p.er)) * std::acosh(p.D / p.d), p.er}, {}};
        }
    };
    return std::visit(Visit{}, line);
}

} // namespace detail

Impedance impedance(const Line& line)
{
    return detail::quasiStatic(line);
}

const Model& model(Type type)
{
    static const Model models[typeCount] = {
        {"Hammerstad and Jensen (1980) with their thickness correction; dispersion by Kirschning and Jansen (1982)",
         "Z0 and er eff within 0.2 % for w/h 0.01 to 100 and er up to 128 (no thickness); dispersion within 0.6 % "
         "for w/h 0.1 to 100, er up to 20 and h up to 0.13 wavelengths in vacuum"},
        {"Cohn (1954), exact by conformal mapping; thickness by Wheeler's (1978) equivalent width",
         "Exact with no thickness; with thickness within 0.5 % for w/(b - t) up to 10"},
        {"Cohn's form for each side, as two halves of centred striplines in parallel; thickness by Wheeler (1978)",
         "Exact when centred; off centre high against the field solution (no thickness), by up to 0.6 % with the "
         "strip 0.4 b from a plane, 2.3 % at 0.3 b, 5.6 % at 0.2 b and 22 % nearer, narrow strips the most"},
        {"Conformal mapping (Wen 1969) on a substrate of finite thickness by partial capacitances; thickness by "
         "Gupta, Garg, Bahl and Bhartia",
         "Quasi-static, the grounds taken as wide; the thickness correction for copper well under the gap. Against "
         "the field solution (no thickness, er up to 20): within 0.15 % in air, else high by up to 1.7 % for s/h up "
         "to 1, 3 % at s/h 3, 9 % at 10 and 27 % at 100; thick copper in a narrow gap low, 11 % at t/s 0.23"},
        {"Conformal mapping by partial capacitances, with the plane under the substrate; thickness by Gupta, Garg, "
         "Bahl and Bhartia's equivalent edges",
         "Quasi-static, the grounds taken as wide; the thickness correction for copper well under the gap. Against "
         "the field solution (no thickness, er up to 20): high by up to 1.1 % for s/h up to 1, 7 % at s/h 3, 16 % at "
         "10 and 28 % at 100"},
        {"Kirschning and Jansen (1984); thickness by Hammerstad and Jensen's equivalent width, the gap narrowed "
         "alike",
         "Within 1 % for w/h and s/h 0.1 to 10 and er up to 18 (no thickness); quasi-static. Against the field "
         "solution within 1 % but for wide strips close together: 1.7 % at w/h 10, s/h 0.1"},
        {"Cohn (1955), exact by conformal mapping; thickness by Wheeler's (1978) equivalent width, the gap narrowed "
         "alike",
         "Exact with no thickness"},
        {"Exact: Z0 = eta0 / (2 pi sqrt(er)) ln(D/d)", "Exact"},
        {"Exact for two round wires in one dielectric: Z0 = eta0 / (pi sqrt(er)) acosh(D/d)",
         "Exact; with insulation and air around the wires er is an effective figure"},
    };
    return models[static_cast<std::size_t>(type)];
}

namespace {

std::string ratio(double value)
{
    return plain(value, 5);
}

// Whether value lies from lo to hi, allowing for the rounding of lengths typed in mil or inches.
bool within(double value, double lo, double hi)
{
    return value >= lo * (1 - 1e-9) && value <= hi * (1 + 1e-9);
}

std::optional<Refusal> microstripRange(double w, double h, double t, double er, double maxEr, double lo, double hi,
                                       const char* who)
{
    if (!within(w / h, lo, hi))
        return Refusal{Dim::W,
                       "w/h is " + ratio(w / h) + ": " + who + " holds for w/h from " + ratio(lo) + " to " + ratio(hi)};
    if (er > maxEr)
        return Refusal{Dim::Er, std::string(who) + " holds for er up to " + ratio(maxEr)};
    if (t > h / 2)
        return Refusal{Dim::T, "t is over half of h: the thickness correction is for thinner copper"};
    return std::nullopt;
}

// A strip of no thickness w wide between planes `spacing` apart (after the copper), as Wheeler's
// correction takes it.
std::optional<Refusal> striplineRange(double w, double spacing, Dim dim, const char* name)
{
    if (!within(w / spacing, 0.01, 10))
        return Refusal{dim,
                       std::string(name) + " is " + ratio(w / spacing) + ": the model holds for it from 0.01 to 10"};
    return std::nullopt;
}

std::optional<Refusal> gapLeft(double s, double widening)
{
    if (widening >= s)
        return Refusal{Dim::T,
                       "t is too thick for this gap: the thickness correction narrows it by " +
                           plain(widening * 1e3, 5) + " mm"};
    return std::nullopt;
}

} // namespace

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat list of checks per type
std::optional<Refusal> refusal(const Line& line)
{
    struct Visit {
        std::optional<Refusal> operator()(const Microstrip& m) const
        {
            return microstripRange(m.w, m.h, m.t, m.er, 128, 0.01, 100, "Hammerstad and Jensen's model");
        }
        std::optional<Refusal> operator()(const Stripline& s) const
        {
            if (s.t >= s.b / 2)
                return Refusal{Dim::T, "t is half of b or more: the strip must fit well between the planes"};
            return striplineRange(s.w, s.b - s.t, Dim::W, "w/(b - t)");
        }
        std::optional<Refusal> operator()(const OffsetStripline& o) const
        {
            if (o.h + o.t >= o.b)
                return Refusal{Dim::H, "h + t is b or more: the strip must lie between the planes"};
            if (auto r = striplineRange(o.w, 2 * o.h, Dim::H, "w/2h"))
                return r;
            return striplineRange(o.w, 2 * (o.b - o.h - o.t), Dim::B, "w/2(b - h - t)");
        }
        std::optional<Refusal> operator()(const Cpw& c) const { return coplanarRange(c.w, c.s, c.h, c.t); }
        std::optional<Refusal> operator()(const Gcpw& c) const { return coplanarRange(c.w, c.s, c.h, c.t); }
        std::optional<Refusal> operator()(const CoupledMicrostrip& c) const
        {
            if (auto r = microstripRange(c.w, c.h, c.t, c.er, 18, 0.1, 10, "Kirschning and Jansen's model"))
                return r;
            if (!within(c.s / c.h, 0.1, 10))
                return Refusal{Dim::S,
                               "s/h is " + ratio(c.s / c.h) +
                                   ": Kirschning and Jansen's model holds for s/h from 0.1 to 10"};
            return gapLeft(c.s, detail::microstripWidening(c.w, c.h, c.t, c.er));
        }
        std::optional<Refusal> operator()(const CoupledStripline& c) const
        {
            if (c.t >= c.b / 2)
                return Refusal{Dim::T, "t is half of b or more: the strips must fit well between the planes"};
            if (auto r = striplineRange(c.w, c.b - c.t, Dim::W, "w/(b - t)"))
                return r;
            if (auto r = striplineRange(c.s, c.b - c.t, Dim::S, "s/(b - t)"))
                return r;
            return gapLeft(c.s, detail::striplineWidening(c.w, c.b, c.t));
        }
        std::optional<Refusal> operator()(const Coax& c) const
        {
            if (c.D <= c.d)
                return Refusal{Dim::Outer, "D must be more than d: the shield goes round the inner conductor"};
            return std::nullopt;
        }
        std::optional<Refusal> operator()(const TwistedPair& p) const
        {
            if (p.D <= p.d)
                return Refusal{Dim::Outer, "D, between the wires' centres, must be more than d: the wires overlap"};
            return std::nullopt;
        }

        static std::optional<Refusal> coplanarRange(double w, double s, double h, double t)
        {
            if (!within(w / h, 0.01, 100))
                return Refusal{Dim::W, "w/h is " + ratio(w / h) + ": the model holds for w/h from 0.01 to 100"};
            if (!within(s / h, 0.01, 100))
                return Refusal{Dim::S, "s/h is " + ratio(s / h) + ": the model holds for s/h from 0.01 to 100"};
            return gapLeft(s, detail::coplanarWidening(w, t));
        }
    };
    return std::visit(Visit{}, line);
}

} // namespace values::lines
