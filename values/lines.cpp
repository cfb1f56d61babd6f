// SPDX-License-Identifier: MIT
#include "values/lines.h"
#include "values/lines_detail.h"

#include "numeric/format.h"
#include "numeric/parse.h"
#include "numeric/text.h"
#include "values/board.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <tuple>
#include <type_traits>
#include <vector>

namespace values::lines {

namespace {

using std::numbers::pi;

constexpr double nepersToDb = 8.685889638065037; // 20 / ln 10

// Every dimension of a cross-section with what it is, for the generic code below.
template <class S, class F>
void eachDim(S& s, F f)
{
    using T = std::remove_const_t<S>;
    if constexpr (std::is_same_v<T, Microstrip>) {
        f(Dim::W, s.w), f(Dim::H, s.h), f(Dim::T, s.t);
    } else if constexpr (std::is_same_v<T, Stripline>) {
        f(Dim::W, s.w), f(Dim::B, s.b), f(Dim::T, s.t);
    } else if constexpr (std::is_same_v<T, OffsetStripline>) {
        f(Dim::W, s.w), f(Dim::H, s.h), f(Dim::B, s.b), f(Dim::T, s.t);
    } else if constexpr (std::is_same_v<T, Cpw> || std::is_same_v<T, Gcpw> || std::is_same_v<T, CoupledMicrostrip>) {
        f(Dim::W, s.w), f(Dim::S, s.s), f(Dim::H, s.h), f(Dim::T, s.t);
    } else if constexpr (std::is_same_v<T, CoupledStripline>) {
        f(Dim::W, s.w), f(Dim::S, s.s), f(Dim::B, s.b), f(Dim::T, s.t);
    } else {
        f(Dim::D, s.d), f(Dim::Outer, s.D);
    }
}

constexpr Dim microstripDims[] = {Dim::W, Dim::H, Dim::T};
constexpr Dim striplineDims[] = {Dim::W, Dim::B, Dim::T};
constexpr Dim offsetDims[] = {Dim::W, Dim::H, Dim::B, Dim::T};
constexpr Dim gapDims[] = {Dim::W, Dim::S, Dim::H, Dim::T};
constexpr Dim coupledStriplineDims[] = {Dim::W, Dim::S, Dim::B, Dim::T};
constexpr Dim roundDims[] = {Dim::D, Dim::Outer};

} // namespace

bool coupled(Type type)
{
    return type == Type::CoupledMicrostrip || type == Type::CoupledStripline;
}

Line lineOf(Type type)
{
    static const std::array<Line, typeCount> lines{Microstrip{}, Stripline{},         OffsetStripline{},  Cpw{},
                                                   Gcpw{},       CoupledMicrostrip{}, CoupledStripline{}, Coax{},
                                                   TwistedPair{}};
    return lines[static_cast<std::size_t>(type)];
}

std::span<const Dim> dimsOf(Type type)
{
    switch (type) {
    case Type::Microstrip:
        return microstripDims;
    case Type::Stripline:
        return striplineDims;
    case Type::OffsetStripline:
        return offsetDims;
    case Type::CoupledStripline:
        return coupledStriplineDims;
    case Type::Coax:
    case Type::TwistedPair:
        return roundDims;
    default:
        return gapDims;
    }
}

double get(const Line& line, Dim dim)
{
    double value = 0;
    std::visit([&](const auto& s) { eachDim(s, [&](Dim d, double v) { value = d == dim ? v : value; }); }, line);
    return dim == Dim::Er ? er(line) : value;
}

void set(Line& line, Dim dim, double metres)
{
    if (dim == Dim::Er) {
        setEr(line, metres);
        return;
    }
    std::visit([&](auto& s) { eachDim(s, [&](Dim d, double& v) { v = d == dim ? metres : v; }); }, line);
}

double er(const Line& line)
{
    return std::visit([](const auto& s) { return s.er; }, line);
}

void setEr(Line& line, double er)
{
    std::visit([er](auto& s) { s.er = er; }, line);
}

const TypeName& typeName(Type type)
{
    static constexpr TypeName names[typeCount] = {
        {"microstrip", "Microstrip"},
        {"stripline", "Stripline"},
        {"offset-stripline", "Offset stripline"},
        {"cpw", "Coplanar waveguide (CPW)"},
        {"gcpw", "Grounded coplanar waveguide (GCPW)"},
        {"coupled-microstrip", "Edge-coupled microstrip"},
        {"coupled-stripline", "Edge-coupled stripline"},
        {"coax", "Coax"},
        {"twisted-pair", "Twisted pair"},
    };
    return names[static_cast<std::size_t>(type)];
}

std::optional<Type> typeNamed(std::string_view command)
{
    for (std::size_t i = 0; i < typeCount; ++i) {
        if (command == typeName(static_cast<Type>(i)).command)
            return static_cast<Type>(i);
    }
    return std::nullopt;
}

double designed(const Impedance& z)
{
    return z.even ? 2 * z.line.z0 : z.line.z0;
}

double skinDepth(double frequencyHz)
{
    return std::sqrt(copperResistivity / (pi * frequencyHz * mu0));
}

namespace detail {

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat recession per type
ConductorLoss conductorLoss(const Line& line, double rs)
{
    const bool round = std::holds_alternative<Coax>(line) || std::holds_alternative<TwistedPair>(line);
    if (!round && get(line, Dim::T) <= 0)
        return {};
    // Every surface recedes by n into its conductor: strips narrow and thin, gaps and spacings to
    // planes widen; a round wire's diameter shrinks and a shield's grows, the pair's centres stay.
    double least = get(line, Dim::T) > 0 ? get(line, Dim::T) : get(line, Dim::D);
    for (const Dim dim : dimsOf(typeOf(line)))
        least = std::min(least, get(line, dim));
    const double n = least * 1e-5;
    const auto receded = [&](double by) {
        Line air = line;
        setEr(air, 1);
        std::visit(
            [&](auto& s) {
                using T = std::decay_t<decltype(s)>;
                eachDim(s, [&](Dim dim, double& v) {
                    const bool plane = dim == Dim::B || (dim == Dim::H && !std::is_same_v<T, Cpw>) ||
                        (dim == Dim::Outer && std::is_same_v<T, Coax>);
                    if (dim == Dim::W || dim == Dim::T || dim == Dim::D)
                        v -= 2 * by;
                    else if (dim == Dim::S || plane)
                        v += 2 * by;
                });
            },
            air);
        return quasiStatic(air);
    };
    const Impedance out = receded(n);
    const Impedance in = receded(-n);
    const Impedance z = quasiStatic(line);
    ConductorLoss loss;
    // alpha = Rs / (2 eta0 Z0) dZ0(air)/dn.
    loss.line = rs / (2 * eta0 * z.line.z0) * (out.line.z0 - in.line.z0) / (2 * n);
    if (z.even)
        loss.even = rs / (2 * eta0 * z.even->z0) * (out.even->z0 - in.even->z0) / (2 * n);
    return loss;
}

} // namespace detail

Analysis analyse(const Line& line, const Conditions& conditions)
{
    const Impedance z = impedance(line);
    const double f = conditions.frequencyHz;
    Analysis a;
    a.skinDepthM = skinDepth(f);
    const detail::ConductorLoss conductor = detail::conductorLoss(line, copperResistivity / a.skinDepthM);
    const double permittivity = er(line);
    const auto answer = [&](const Mode& mode, std::optional<double> conductorNp) {
        ModeAnswer m;
        m.mode = mode;
        m.erEffAtF = mode.erEff;
        if (const auto* ms = std::get_if<Microstrip>(&line)) {
            const double u = ms->w / ms->h;
            m.erEffAtF = detail::dispersedErEff(u, ms->er, mode.erEff, f * ms->h * 1e-6);
            a.dispersionOutside = u < 0.1 || ms->er > 20 || ms->h * f / c0 > 0.13;
        }
        const double root = std::sqrt(m.erEffAtF);
        m.delaySPerM = root / c0;
        m.wavelengthM = c0 / (f * root);
        // The share of the field in the dielectric sets how much of its loss the line takes.
        const double filling = permittivity > 1 ? (m.erEffAtF - 1) / (permittivity - 1) : 1;
        m.dielectricDbPerM = nepersToDb * pi * f / c0 * permittivity / root * filling * conditions.tanD;
        if (conductorNp)
            m.conductorDbPerM = nepersToDb * *conductorNp;
        return m;
    };
    a.line = answer(z.line, conductor.line);
    if (z.even)
        a.even = answer(*z.even, conductor.even);
    return a;
}

namespace {

// Where the model holds for the dimension solved for (a width, a gap or d), from its ratios' ranges.
std::pair<double, double> solvable(const Line& line)
{
    struct Visit {
        std::pair<double, double> operator()(const Microstrip& m) const { return {0.01 * m.h, 100 * m.h}; }
        std::pair<double, double> operator()(const Stripline& s) const
        {
            return {0.01 * (s.b - s.t), 10 * (s.b - s.t)};
        }
        std::pair<double, double> operator()(const OffsetStripline& o) const
        {
            const double near = std::min(o.h, o.b - o.h - o.t);
            const double far = std::max(o.h, o.b - o.h - o.t);
            return {0.02 * far, 20 * near};
        }
        std::pair<double, double> operator()(const Cpw& c) const { return {0.01 * c.h, 100 * c.h}; }
        std::pair<double, double> operator()(const Gcpw& c) const { return {0.01 * c.h, 100 * c.h}; }
        std::pair<double, double> operator()(const CoupledMicrostrip& c) const { return {0.1 * c.h, 10 * c.h}; }
        std::pair<double, double> operator()(const CoupledStripline& c) const
        {
            return {0.01 * (c.b - c.t), 10 * (c.b - c.t)};
        }
        std::pair<double, double> operator()(const Coax& c) const { return {c.D * 1e-6, c.D * (1 - 1e-9)}; }
        std::pair<double, double> operator()(const TwistedPair& p) const { return {p.D * 1e-6, p.D * (1 - 1e-9)}; }
    };
    return std::visit(Visit{}, line);
}

// A root of f, which changes sign between lo and hi: regula falsi with the Illinois step, which
// halves the weight of an end that stays, and bisection whenever the step would leave the bracket.
template <class F>
double root(F f, double lo, double hi, double flo, double fhi, double tolerance)
{
    int kept = 0; // which end stayed last: -1 lo, 1 hi
    for (int i = 0; i < 200 && hi - lo > 1e-15 * std::abs(hi); ++i) {
        double x = (lo * fhi - hi * flo) / (fhi - flo);
        if (!(x > lo && x < hi))
            x = (lo + hi) / 2;
        const double fx = f(x);
        if (std::abs(fx) <= tolerance)
            return x;
        if ((fx > 0) == (fhi > 0)) {
            hi = x;
            fhi = fx;
            if (kept == -1)
                flo /= 2;
            kept = -1;
        } else {
            lo = x;
            flo = fx;
            if (kept == 1)
                fhi /= 2;
            kept = 1;
        }
    }
    return (lo + hi) / 2;
}

std::string ohms(double value)
{
    return withUnit(approximate(value, 5), "Ω", 5);
}

std::string mm(double metres)
{
    return plain(metres * 1e3, 5) + " mm";
}

} // namespace

Synthesis synthesise(const Line& line, Dim solveFor, double goalOhm, double stepM)
{
    const auto [lo, hi] = solvable(line);
    Synthesis s;
    Line trial = line;
    const auto at = [&](double logDim) {
        set(trial, solveFor, std::exp(logDim));
        return designed(detail::quasiStatic(trial)) - goalOhm;
    };
    double logLo = std::log(lo);
    double logHi = std::log(hi);
    double flo = at(logLo);
    double fhi = at(logHi);
    // Thick copper beside a narrow gap leaves the model no answer at that end of its range: the
    // search starts where it has one again.
    for (auto [bad, good, f] : {std::tuple{&logLo, logHi, &flo}, std::tuple{&logHi, logLo, &fhi}}) {
        if (std::isfinite(*f) || !std::isfinite(at(good)))
            continue;
        double from = *bad;
        for (int i = 0; i < 60; ++i) {
            const double mid = (from + good) / 2;
            (std::isfinite(at(mid)) ? good : from) = mid;
        }
        *bad = good;
        *f = at(good);
    }
    if (!std::isfinite(flo) || !std::isfinite(fhi)) {
        s.error = "The copper is too thick for any gap the model takes";
        return s;
    }
    if ((flo > 0) == (fhi > 0)) {
        const char* what = solveFor == Dim::S ? "gap" : solveFor == Dim::D ? "diameter" : "width";
        s.error = "No " + std::string(what) + " the model takes gives " + ohms(goalOhm) + ": from " +
            mm(std::exp(logLo)) + " to " + mm(std::exp(logHi)) + " it gives " + ohms(std::min(flo, fhi) + goalOhm) +
            " to " + ohms(std::max(flo, fhi) + goalOhm);
        return s;
    }
    // A tenth of what is promised, so the rounding of the exponential cannot spoil it.
    s.exactM = std::exp(root(at, logLo, logHi, flo, fhi, goalOhm * synthesisTolerance / 10));
    s.roundedM = std::max(stepM, std::round(s.exactM / stepM) * stepM);
    set(trial, solveFor, s.roundedM);
    s.roundedOhm = designed(detail::quasiStatic(trial));
    return s;
}

Toleranced toleranced(Dim dim)
{
    switch (dim) {
    case Dim::W:
    case Dim::S:
    case Dim::D:
        return Toleranced::Width;
    case Dim::T:
        return Toleranced::Thickness;
    case Dim::Er:
        return Toleranced::Er;
    default:
        return Toleranced::Height;
    }
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): the corners, then the refusals
Bands bands(const Line& line, const Tolerances& tolerances)
{
    const auto spread = [&](Toleranced t) -> const Spread& {
        switch (t) {
        case Toleranced::Width:
            return tolerances.width;
        case Toleranced::Height:
            return tolerances.height;
        case Toleranced::Er:
            return tolerances.er;
        case Toleranced::Thickness:
            break;
        }
        return tolerances.thickness;
    };
    // The offset strip's two dielectric layers are built apart, each with its own tolerance: vary
    // the one above the strip rather than b, which would move the strip towards the middle, where
    // the impedance peaks.
    const bool offset = std::holds_alternative<OffsetStripline>(line);
    struct Axis {
        Dim dim;
        double lo, hi;
    };
    std::vector<Axis> axes;
    Bands result;
    std::vector<Dim> dims(dimsOf(typeOf(line)).begin(), dimsOf(typeOf(line)).end());
    dims.push_back(Dim::Er);
    for (const Dim dim : dims) {
        const double value =
            offset && dim == Dim::B ? get(line, Dim::B) - get(line, Dim::H) - get(line, Dim::T) : get(line, dim);
        const double by = spread(toleranced(dim)).of(value);
        if (by <= 0)
            continue;
        double lo = value - by;
        if (dim == Dim::T || dim == Dim::Er) {
            lo = std::max(lo, dim == Dim::T ? 0.0 : 1.0); // no less copper than none, nothing below vacuum
        } else if (lo <= 0) {
            result.refused = toleranced(dim);
            result.error = "The tolerance leaves nothing of " + mm(value) + ": make it smaller";
            return result;
        }
        axes.push_back({dim, lo, value + by});
    }
    bool first = true;
    for (std::size_t corner = 0; corner < (std::size_t{1} << axes.size()); ++corner) {
        Line c = line;
        const double above = get(line, Dim::B) - get(line, Dim::H) - get(line, Dim::T);
        double gapAbove = above;
        for (std::size_t i = 0; i < axes.size(); ++i) {
            const double v = (corner >> i & 1) != 0 ? axes[i].hi : axes[i].lo;
            if (offset && axes[i].dim == Dim::B)
                gapAbove = v;
            else
                set(c, axes[i].dim, v);
        }
        if (offset)
            set(c, Dim::B, get(c, Dim::H) + get(c, Dim::T) + gapAbove);
        const Impedance z = detail::quasiStatic(c);
        const bool exists =
            std::isfinite(z.line.z0) && z.line.z0 > 0 && (!z.even || (std::isfinite(z.even->z0) && z.even->z0 > 0));
        if (!exists) {
            result.refused = Toleranced::Width;
            result.error = "At a corner of the tolerances the conductors meet: make the tolerances smaller";
            return result;
        }
        const auto widen = [first](Band& b, double v) {
            b.lo = first ? v : std::min(b.lo, v);
            b.hi = first ? v : std::max(b.hi, v);
        };
        widen(result.line, z.line.z0);
        if (z.even) {
            if (!result.even)
                result.even = Band{};
            widen(*result.even, z.even->z0);
        }
        first = false;
    }
    return result;
}

std::span<const Material> materials()
{
    static constexpr Material list[] = {
        {"FR-4, er 4.3", 4.3, 0.02},
        {"FR-4, er 4.5", 4.5, 0.02},
        {"FR-4, er 4.6", 4.6, 0.02},
        {"Hydrocarbon ceramic, er 3.38", 3.38, 0.0027},
        {"Hydrocarbon ceramic, er 3.55", 3.55, 0.0037},
        {"PTFE, er 2.1", 2.1, 0.0002},
        {"PTFE and glass, er 2.2", 2.2, 0.0009},
        {"Alumina, er 9.8", 9.8, 0.0001},
        {"Air, er 1", 1.0, 0},
    };
    return list;
}

Measured parseLineLength(std::string_view text, bool zero, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    if (zero) {
        std::string_view number = typed;
        while (!number.empty() &&
               std::string_view("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ\"\xC2\xB5\xCE\xBC ")
                       .find(number.back()) != std::string_view::npos)
            number.remove_suffix(1);
        if (!number.empty() && isZeroText(number, decimalSeparator))
            return {0.0, {}};
    }
    const QuantityReading r = parseLength(typed, BareLength::Millimetre, false, decimalSeparator);
    if (!r.value)
        return {std::nullopt, r.error};
    const double metres = nearestDouble(*r.value);
    if (metres < 1e-7 || metres > 1)
        return {std::nullopt, quoted(typed) + " is outside the lengths given: 0.0001 to 1000 mm"};
    return {metres, {}};
}

namespace {

Measured inRange(Measured m, std::string_view text, double lo, double hi, const std::string& range)
{
    if (m.value && (*m.value < lo || *m.value > hi))
        return {std::nullopt, quoted(trim(text)) + " is outside " + range};
    return m;
}

} // namespace

Measured parsePermittivity(std::string_view text, char decimalSeparator)
{
    return inRange(parseAmount(text, {Unit::None, {}, "a permittivity", "4.5 or 3.38"}, decimalSeparator), text, 1, 200,
                   "1 to 200 (vacuum is 1, FR-4 about 4.5)");
}

Measured parseLossTangent(std::string_view text, char decimalSeparator)
{
    return inRange(parseAmount(text, {Unit::None, {}, "a loss tangent", "0.02 or 0.0009", true}, decimalSeparator),
                   text, 0, 1, "0 to 1 (FR-4 is about 0.02)");
}

Measured parseFrequency(std::string_view text, char decimalSeparator)
{
    return inRange(parseAmount(text, {Unit::None, "Hz", "a frequency", "1G, 2.4GHz or 100M"}, decimalSeparator), text,
                   1, 1e12, "1 Hz to 1 THz");
}

Measured parseImpedance(std::string_view text, char decimalSeparator)
{
    return inRange(parseAmount(text, {Unit::Ohm, {}, "an impedance", "50, 50 Ω or 100"}, decimalSeparator), text, 1,
                   2000, "1 to 2000 Ω");
}

Measured parseEtchAngle(std::string_view text, char decimalSeparator)
{
    return inRange(parseAmount(text, {Unit::None, "°", "an angle", "0, 30 or 30°", true}, decimalSeparator), text, 0,
                   60, "0° (upright) to 60°");
}

SpreadReading parseSpread(std::string_view text, bool length, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    if (typed.ends_with('%')) {
        const Measured share = parsePercent(typed, 0, 50, decimalSeparator);
        return {share.value ? std::optional(Spread{*share.value, true}) : std::nullopt, share.error};
    }
    const Measured amount = length
        ? parseLineLength(typed, true, decimalSeparator)
        : parseAmount(typed, {Unit::None, {}, "a tolerance", "0.2 or 5%", true}, decimalSeparator);
    return {amount.value ? std::optional(Spread{*amount.value, false}) : std::nullopt, amount.error};
}

} // namespace values::lines
