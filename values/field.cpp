// SPDX-License-Identifier: MIT
// Finite volumes on a tensor grid: a node's box reaches halfway to its neighbours, the flux across
// each face is the permittivity of the cells beside it times the potential difference over the
// spacing, and the permittivity is constant in each cell, so a dielectric interface on a grid line
// needs nothing of its own. This is the stiffness of linear elements on the cells cut in two
// triangles, so C comes from above and falls smoothly as the grid is refined, which is what the
// extrapolation to a grid of no size relies on. Where a sloped side of a conductor crosses a link,
// the link is shortened to the crossing (Shortley and Weller's boundary treatment), which keeps
// the smoothness if not the bound.
#include "values/field.h"
#include "values/field_detail.h"

#include "numeric/format.h"
#include "values/budget.h"

#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace values::lines::field {

namespace detail {

bool Conductor::inside(double x, double z, double tolerance) const
{
    if (z < z0 - tolerance || z > z0 + t + tolerance)
        return false;
    return x >= left(z) - tolerance && x <= right(z) + tolerance;
}

double Conductor::left(double z) const
{
    return t > 0 ? xl + insetL * std::clamp((z - z0) / t, 0.0, 1.0) : xl;
}

double Conductor::right(double z) const
{
    return t > 0 ? xr - insetR * std::clamp((z - z0) / t, 0.0, 1.0) : xr;
}

} // namespace detail

namespace {

using namespace detail;

// The grid at density 1: cells at a key a tenth of the distance to the next key (at a conductor's
// edge, a tenth of the section's smallest width, gap or height), each e^0.5 times the one before
// away from it. Denser grids shrink the cells at the keys as the square of the density and slow
// the growth as the density, so the cells at an edge, where the field is singular, shrink fast
// enough for the error to fall as the square of the density. Measured over every type, the
// estimates of the third grid lie within 0.15 % of the converged figures.
constexpr double fineAtKeys = 0.1;
constexpr double growthPerCell = 0.5;
constexpr double thinnest = 0.3; // of the cells at an edge: the least any key asks for
constexpr double densityStep = 1.4;
// At most this many cells a grid: a solve of about 50 ms and 20 MB here. The first grid is never
// coarser than at minDensity.
constexpr int maxCells = 30'000;
constexpr double minDensity = 0.4;

// The box's open sides, as multiples of the cross-section's extent, and how far the field of a
// strip between planes reaches sideways (it falls by e^-pi every b).
constexpr double openDistance = 40;
constexpr double betweenPlanes = 6;

double etchInset(double t, const Options& o)
{
    return t * std::tan(o.etchDeg * std::numbers::pi / 180);
}

// Conductors on a substrate h thick whose underside is z = 0, with or without a plane there.
Section surfaceSection(double h, double er, bool plane, double extent, const Options& o)
{
    Section s;
    s.layers = {{0, h, er}};
    s.surface = h;
    if (o.mask) {
        s.maskT = o.maskT;
        s.maskEr = o.maskEr;
        s.zKeys.push_back({h + o.maskT});
    }
    const double far = openDistance * extent;
    s.xOpen = far;
    s.zLow = plane ? 0 : -far;
    s.zHigh = h + far;
    s.zKeys.push_back({0});
    s.zKeys.push_back({h});
    return s;
}

Section betweenPlanesSection(double b, double er, double outerX)
{
    Section s;
    s.layers = {{0, b, er}};
    s.zLow = 0;
    s.zHigh = b;
    s.xOpen = outerX + betweenPlanes * b;
    s.surface = b; // nothing is on an outer surface
    return s;
}

void addConductor(Section& s, Conductor c, bool onSurface)
{
    s.xKeys.push_back({c.xl, c.xl > 0});
    s.xKeys.push_back({c.xl + c.insetL, c.xl > 0});
    if (c.xr < unbounded) {
        s.xKeys.push_back({c.xr, true});
        s.xKeys.push_back({c.xr - c.insetR, true});
    }
    s.zKeys.push_back({c.z0, true});
    s.zKeys.push_back({c.z0 + c.t, true});
    if (onSurface && s.maskT > 0) {
        if (c.xl > 0)
            s.xKeys.push_back({c.xl - s.maskT});
        if (c.xr < unbounded)
            s.xKeys.push_back({c.xr + s.maskT});
        s.zKeys.push_back({c.z0 + c.t + s.maskT});
    }
    s.conductors.push_back(c);
}

// The smallest of the widths, gaps and heights, which the cells at a conductor's edge follow. The
// copper's thickness, its etched slope and the mask have grid lines at both of their sides, and a
// layer far thinner than the cells around it is crossed by a cell or two (gradedAxis).
void setScale(Section& s)
{
    double least = s.zHigh - s.zLow;
    const auto take = [&](double d) {
        if (d > 0)
            least = std::min(least, d);
    };
    for (const Conductor& c : s.conductors) {
        if (c.xr < unbounded)
            take(c.xr - c.xl);
        take(c.xl);
        for (const Conductor& d : s.conductors) {
            if (d.xl > c.xr)
                take(d.xl - c.xr);
        }
        take(c.z0 - s.zLow);
        take(s.zHigh - c.z0 - c.t);
    }
    for (const Layer& l : s.layers)
        take(l.z1 - l.z0);
    s.scale = least;
}

// A single strip, cut in half at x = 0.
Section single(Section s, double w, double z0, double t, double d, bool onSurface)
{
    addConductor(s, {0, w / 2, z0, t, 0, d, 1}, onSurface);
    setScale(s);
    return s;
}

// A coupled pair's right strip, the gap's middle at x = 0: the odd mode and the even mode.
std::vector<Section> pair(Section s, double w, double gap, double z0, double t, double d, bool onSurface)
{
    addConductor(s, {gap / 2, gap / 2 + w, z0, t, d, d, 1}, onSurface);
    setScale(s);
    s.halves = 1;
    Section odd = s;
    odd.odd = true;
    return {odd, s};
}

template <class C>
Section coplanar(const C& c, bool plane, const Options& o)
{
    const double d = etchInset(c.t, o);
    Section s = single(surfaceSection(c.h, c.er, plane, c.w / 2 + c.s + c.h, o), c.w, c.h, c.t, d, true);
    addConductor(s, {c.w / 2 + c.s, unbounded, c.h, c.t, d, 0, 0}, true);
    setScale(s);
    return s;
}

} // namespace

namespace detail {

std::vector<Section> sections(const Line& line, const Options& options)
{
    const Options& o = options;
    struct Visit {
        const Options& o;
        std::vector<Section> operator()(const Microstrip& m) const
        {
            return {single(surfaceSection(m.h, m.er, true, m.w / 2 + m.h, o), m.w, m.h, m.t, etchInset(m.t, o), true)};
        }
        std::vector<Section> operator()(const Stripline& s) const
        {
            return {
                single(betweenPlanesSection(s.b, s.er, s.w / 2), s.w, (s.b - s.t) / 2, s.t, etchInset(s.t, o), false)};
        }
        std::vector<Section> operator()(const OffsetStripline& s) const
        {
            return {single(betweenPlanesSection(s.b, s.er, s.w / 2), s.w, s.h, s.t, etchInset(s.t, o), false)};
        }
        std::vector<Section> operator()(const Cpw& c) const { return {coplanar(c, false, o)}; }
        std::vector<Section> operator()(const Gcpw& c) const { return {coplanar(c, true, o)}; }
        std::vector<Section> operator()(const CoupledMicrostrip& c) const
        {
            return pair(surfaceSection(c.h, c.er, true, c.s / 2 + c.w + c.h, o), c.w, c.s, c.h, c.t, etchInset(c.t, o),
                        true);
        }
        std::vector<Section> operator()(const CoupledStripline& c) const
        {
            return pair(betweenPlanesSection(c.b, c.er, c.s / 2 + c.w), c.w, c.s, (c.b - c.t) / 2, c.t,
                        etchInset(c.t, o), false);
        }
        std::vector<Section> operator()(const Coax&) const { return {}; }
        std::vector<Section> operator()(const TwistedPair&) const { return {}; }
    };
    return std::visit(Visit{o}, line);
}

std::vector<double> gradedAxis(std::vector<Key> keys, double lo, double hi, double edgeCell, double share,
                               double growth)
{
    keys.push_back({lo});
    keys.push_back({hi});
    std::erase_if(keys, [&](const Key& k) { return k.at < lo || k.at > hi; });
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a.at < b.at; });
    // Keys closer than rounding are one, an edge if either is.
    const double same = (hi - lo) * 1e-12;
    std::vector<Key> merged;
    for (const Key& k : keys) {
        if (!merged.empty() && k.at - merged.back().at <= same)
            merged.back().edge = merged.back().edge || k.edge;
        else
            merged.push_back(k);
    }

    // The cell wanted at each key: a share of its distance to the nearest other key, but never much
    // below an edge's, so that a layer far thinner than that (a thin mask, thin copper) is crossed
    // by a cell or two instead of setting the size of every cell around it.
    std::vector<double> at;
    std::vector<double> wanted;
    for (std::size_t k = 0; k < merged.size(); ++k) {
        double gap = hi - lo;
        if (k > 0)
            gap = std::min(gap, merged[k].at - merged[k - 1].at);
        if (k + 1 < merged.size())
            gap = std::min(gap, merged[k + 1].at - merged[k].at);
        at.push_back(merged[k].at);
        const double cell = merged[k].edge ? std::min(edgeCell, share * gap) : share * gap;
        wanted.push_back(std::max(cell, thinnest * edgeCell));
    }
    const auto size = [&](double x) {
        double s = hi - lo;
        for (std::size_t k = 0; k < at.size(); ++k)
            s = std::min(s, wanted[k] + growth * std::abs(x - at[k]));
        return s;
    };

    // Between two keys, the nodes at equal steps of the integral of 1 / size: cells of the wanted
    // size wherever it changes slowly against a cell, as it does here.
    std::vector<double> axis{at.front()};
    std::vector<double> xs;
    std::vector<double> integral;
    for (std::size_t k = 0; k + 1 < at.size(); ++k) {
        const double a = at[k];
        const double b = at[k + 1];
        xs.assign(1, a);
        integral.assign(1, 0);
        for (double x = a; x < b;) {
            const double step = std::min(size(x) / 8, b - x);
            const double next = step < b - x ? x + step : b;
            integral.push_back(integral.back() + step * (1 / size(x) + 1 / size(next)) / 2);
            xs.push_back(next);
            x = next;
        }
        const int cells = std::max(1, static_cast<int>(std::ceil(integral.back() - 1e-9)));
        std::size_t at = 0;
        for (int m = 1; m < cells; ++m) {
            const double goal = integral.back() * m / cells;
            while (integral[at + 1] < goal)
                ++at;
            const double f = (goal - integral[at]) / (integral[at + 1] - integral[at]);
            axis.push_back(xs[at] + f * (xs[at + 1] - xs[at]));
        }
        axis.push_back(b);
    }
    return axis;
}

Grid grid(const Section& s, double density)
{
    const double fine = fineAtKeys / (density * density);
    const double growth = growthPerCell / density;
    return {gradedAxis(s.xKeys, 0, s.xOpen, fine * s.scale, fine, growth),
            gradedAxis(s.zKeys, s.zLow, s.zHigh, fine * s.scale, fine, growth)};
}

} // namespace detail

namespace {

// The grid's nodes, numbered row by row, with who holds each: a conductor (its index), the box's
// 0 V sides, or nobody (an unknown, numbered apart).
constexpr int held = -2;
constexpr int loose = -1;

struct Mesh {
    const Section& s;
    Grid g;
    int nx;
    int nz;
    double tolerance;
    std::vector<int> owner;
    std::vector<int> unknown;
    int unknowns = 0;

    Mesh(const Section& section, Grid grid)
        : s(section)
        , g(std::move(grid))
        , nx(static_cast<int>(g.x.size()))
        , nz(static_cast<int>(g.z.size()))
        , tolerance(1e-12 * (s.xOpen + s.zHigh - s.zLow))
        , owner(static_cast<std::size_t>(nx) * nz, loose)
        , unknown(owner.size(), -1)
    {
        for (int j = 0; j < nz; ++j) {
            for (int i = 0; i < nx; ++i) {
                int& o = owner[node(i, j)];
                if (i == nx - 1 || j == 0 || j == nz - 1 || (i == 0 && s.odd))
                    o = held;
                for (std::size_t c = 0; c < s.conductors.size() && o == loose; ++c) {
                    if (s.conductors[c].inside(g.x[i], g.z[j], tolerance))
                        o = static_cast<int>(c);
                }
                if (o == loose)
                    unknown[node(i, j)] = unknowns++;
            }
        }
    }
    int node(int i, int j) const { return j * nx + i; }
    double volts(int n) const { return owner[n] >= 0 ? s.conductors[owner[n]].volts : 0.0; }

    // How far along from a to b a conductor's side crosses, when one end is loose and the other
    // on a conductor (its sloped side cuts the link short); 1 elsewhere.
    double reach(int a, int b, double xa, double za, double xb, double zb) const
    {
        if (owner[a] >= 0 && owner[b] == loose) {
            std::swap(a, b);
            std::swap(xa, xb);
            std::swap(za, zb);
        }
        if (owner[a] != loose || owner[b] < 0)
            return 1.0;
        const Conductor& c = s.conductors[owner[b]];
        double in = 1;
        double out = 0;
        for (int k = 0; k < 40; ++k) {
            const double m = (in + out) / 2;
            (c.inside(xa + m * (xb - xa), za + m * (zb - za), tolerance) ? in : out) = m;
        }
        return std::max(in, 0.05);
    }
};

// Each cell's permittivity, from its middle: the layer's, or the mask's over the surface and round
// the conductors on it.
std::vector<double> permittivities(const Mesh& m)
{
    const Section& s = m.s;
    const auto inMask = [&](double cx, double cz) {
        if (s.maskT <= 0 || cz < s.surface)
            return false;
        if (cz < s.surface + s.maskT)
            return true;
        return std::any_of(s.conductors.begin(), s.conductors.end(), [&](const Conductor& c) {
            return c.z0 >= s.surface - m.tolerance && cz < c.z0 + c.t + s.maskT && cx > c.left(cz) - s.maskT &&
                cx < c.right(cz) + s.maskT;
        });
    };
    std::vector<double> er(static_cast<std::size_t>(m.nx - 1) * (m.nz - 1), 1.0);
    for (int j = 0; j + 1 < m.nz; ++j) {
        const double cz = (m.g.z[j] + m.g.z[j + 1]) / 2;
        double layer = 1;
        for (const Layer& l : s.layers) {
            if (cz > l.z0 && cz < l.z1)
                layer = l.er;
        }
        for (int i = 0; i + 1 < m.nx; ++i) {
            const double cx = (m.g.x[i] + m.g.x[i + 1]) / 2;
            er[static_cast<std::size_t>(j) * (m.nx - 1) + i] = inMask(cx, cz) ? s.maskEr : layer;
        }
    }
    return er;
}

// A link between neighbours with its conductance in air and with the dielectrics: the faces of
// the two half cells beside it over its length.
struct Link {
    int a;
    int b;
    double air;
    double dielectric;
};

std::vector<Link> links(const Mesh& m, const std::vector<double>& er)
{
    const std::vector<double>& x = m.g.x;
    const std::vector<double>& z = m.g.z;
    const auto cellEr = [&](int i, int j) { return er[static_cast<std::size_t>(j) * (m.nx - 1) + i]; };
    std::vector<Link> out;
    out.reserve(2 * m.owner.size());
    const auto add = [&](int a, int b, double air, double dielectric, double reach) {
        if (m.owner[a] != loose && m.owner[b] != loose && m.volts(a) == m.volts(b))
            return;
        out.push_back({a, b, air / reach, dielectric / reach});
    };
    for (int j = 0; j < m.nz; ++j) {
        const double below = j > 0 ? z[j] - z[j - 1] : 0;
        const double above = j + 1 < m.nz ? z[j + 1] - z[j] : 0;
        for (int i = 0; i + 1 < m.nx; ++i) {
            const double dx = x[i + 1] - x[i];
            const double erBelow = j > 0 ? cellEr(i, j - 1) : 0;
            const double erAbove = j + 1 < m.nz ? cellEr(i, j) : 0;
            const int a = m.node(i, j);
            const int b = m.node(i + 1, j);
            add(a, b, (below + above) / (2 * dx), (erBelow * below + erAbove * above) / (2 * dx),
                m.reach(a, b, x[i], z[j], x[i + 1], z[j]));
        }
    }
    for (int i = 0; i < m.nx; ++i) {
        const double left = i > 0 ? x[i] - x[i - 1] : 0;
        const double right = i + 1 < m.nx ? x[i + 1] - x[i] : 0;
        for (int j = 0; j + 1 < m.nz; ++j) {
            const double dz = z[j + 1] - z[j];
            const double erLeft = i > 0 ? cellEr(i - 1, j) : 0;
            const double erRight = i + 1 < m.nx ? cellEr(i, j) : 0;
            const int a = m.node(i, j);
            const int b = m.node(i, j + 1);
            add(a, b, (left + right) / (2 * dz), (erLeft * left + erRight * right) / (2 * dz),
                m.reach(a, b, x[i], z[j], x[i], z[j + 1]));
        }
    }
    return out;
}

using Matrix = Eigen::SparseMatrix<double>;

// The energy of the field with the signal at 1 V, C = the sum of g (Va - Vb)^2 over the links, or
// nothing once `stop` says so. Only the matrix's lower triangle is built: the solver reads no
// more. `stop` is asked between the steps, the longest of which, the factorisation, takes up to
// about 50 ms at maxCells; the pattern is analysed only when `analyse`, the dielectric's matrix
// having the same as air's.
template <class Stop>
std::optional<double> energy(const Mesh& m, const std::vector<Link>& links, bool dielectric, bool analyse,
                             Eigen::SimplicialLDLT<Matrix>& solver, Stop stop)
{
    std::vector<Eigen::Triplet<double>> entries;
    entries.reserve(3 * links.size());
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(m.unknowns);
    for (const Link& l : links) {
        const double g = dielectric ? l.dielectric : l.air;
        const int ua = m.unknown[l.a];
        const int ub = m.unknown[l.b];
        if (ua >= 0)
            entries.emplace_back(ua, ua, g);
        if (ub >= 0)
            entries.emplace_back(ub, ub, g);
        if (ua >= 0 && ub >= 0)
            entries.emplace_back(std::max(ua, ub), std::min(ua, ub), -g);
        else if (ua >= 0)
            rhs[ua] += g * m.volts(l.b);
        else if (ub >= 0)
            rhs[ub] += g * m.volts(l.a);
    }
    Matrix matrix(m.unknowns, m.unknowns);
    matrix.setFromTriplets(entries.begin(), entries.end());
    if (stop())
        return std::nullopt;
    if (analyse) {
        solver.analyzePattern(matrix);
        if (stop())
            return std::nullopt;
    }
    solver.factorize(matrix);
    if (stop())
        return std::nullopt;
    const Eigen::VectorXd v = solver.solve(rhs);
    const auto at = [&](int n) { return m.unknown[n] >= 0 ? v[m.unknown[n]] : m.volts(n); };
    double sum = 0;
    for (const Link& l : links) {
        const double dv = at(l.a) - at(l.b);
        sum += (dielectric ? l.dielectric : l.air) * dv * dv;
    }
    return m.s.halves * sum;
}

} // namespace

namespace detail {

Capacitance capacitance(const Section& s, double density, const std::atomic<bool>* cancel)
{
    Capacitance answer;
    const auto stop = [&] { return answer.cancelled = cancel && cancel->load(); };
    if (stop())
        return answer;
    const Mesh mesh(s, grid(s, density));
    answer.cells = mesh.g.cells();
    const std::vector<double> er = permittivities(mesh);
    const bool uniform = std::all_of(er.begin(), er.end(), [&](double e) { return e == er.front(); });
    const std::vector<Link> all = links(mesh, er);

    Eigen::SimplicialLDLT<Matrix> solver;
    const std::optional<double> inAir = energy(mesh, all, false, true, solver, stop);
    if (!inAir)
        return answer;
    answer.inAir = *inAir;
    // One dielectric everywhere scales C0; otherwise a second solve on the same pattern.
    const std::optional<double> withDielectric =
        uniform ? er.front() * *inAir : energy(mesh, all, true, false, solver, stop);
    if (withDielectric)
        answer.withDielectric = *withDielectric;
    return answer;
}

} // namespace detail

double percentApart(double closedForm, double field)
{
    return (closedForm - field) / field * 100;
}

std::string apartText(double closedForm, double field)
{
    return fixed(approximate(std::round(std::abs(percentApart(closedForm, field)) * 10) / 10), 1) + " %";
}

std::string convergedText(double percent)
{
    if (!(percent > 0))
        return "0 %";
    const double digit = std::pow(10, std::floor(std::log10(percent)));
    return plain(std::ceil(percent / digit * (1 - 1e-12)) * digit, 1) + " %";
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

std::optional<Refused> range(const char* name, double value, double lo, double hi, Dim dim)
{
    if (within(value, lo, hi))
        return std::nullopt;
    return Refused{dim,
                   std::string(name) + " is " + ratio(value) + ": the field solution takes " + name + " from " +
                       ratio(lo) + " to " + ratio(hi)};
}

// The ratios of a cross-section: each within a range whose grid stays small and whose conductors
// and layers the grid's cells can tell apart.
constexpr double least = 0.01;
constexpr double most = 100;

// A strip whose faces stand off each plane by at least `least` of b.
std::optional<Refused> clearance(double below, double above, double b, Dim low, Dim high)
{
    if (below / b < least * (1 - 1e-9))
        return Refused{low,
                       "the strip is " + ratio(below / b) + " b over the lower plane: the field solution takes " +
                           ratio(least) + " b or more"};
    if (above / b < least * (1 - 1e-9))
        return Refused{high,
                       "the strip is " + ratio(above / b) + " b under the upper plane: the field solution takes " +
                           ratio(least) + " b or more"};
    return std::nullopt;
}

std::optional<Refused> first(std::initializer_list<std::optional<Refused>> checks)
{
    for (const auto& c : checks) {
        if (c)
            return c;
    }
    return std::nullopt;
}

} // namespace

std::optional<Refused> refusal(const Line& line, const Options& options)
{
    const Type type = typeOf(line);
    if (type == Type::Coax || type == Type::TwistedPair)
        return std::nullopt;
    if (er(line) < 1)
        return Refused{Dim::Er, "er is " + ratio(er(line)) + ": a dielectric's er is 1 or more"};
    const double w = get(line, Dim::W);
    const double t = get(line, Dim::T);
    const double h = get(line, Dim::H);
    const double b = get(line, Dim::B);
    if (!(options.etchDeg >= 0 && options.etchDeg < 90))
        return Refused{std::nullopt,
                       "the etch angle is " + ratio(options.etchDeg) + "°: it must be from 0° to under 90°",
                       Setting::Etch};
    if (t > 0 && w - 2 * t * std::tan(options.etchDeg * std::numbers::pi / 180) <= 0)
        return Refused{std::nullopt, "the etch angle leaves the strip no top: w - 2 t tan(angle) must be more than 0",
                       Setting::Etch};

    // Between planes: the strip must lie well inside them.
    if (type == Type::Stripline || type == Type::CoupledStripline || type == Type::OffsetStripline) {
        const double below = type == Type::OffsetStripline ? h : (b - t) / 2;
        if (below + t >= b)
            return Refused{type == Type::OffsetStripline ? Dim::H : Dim::T,
                           std::string(type == Type::OffsetStripline ? "h + t" : "t") +
                               " is b or more: the strip must lie between the planes"};
        const bool gap = type == Type::CoupledStripline;
        return first({range("w/b", w / b, least, most, Dim::W),
                      gap ? range("s/b", get(line, Dim::S) / b, least, most, Dim::S) : std::nullopt,
                      gap ? range("w/s", w / get(line, Dim::S), 0.001, 1000, Dim::S) : std::nullopt,
                      type == Type::OffsetStripline ? clearance(below, b - below - t, b, Dim::H, Dim::B)
                                                    : clearance(below, b - below - t, b, Dim::T, Dim::T)});
    }
    // On a surface: the mask over it too.
    if (options.mask && !(options.maskEr >= 1))
        return Refused{std::nullopt, "the mask's er is " + ratio(options.maskEr) + ": a dielectric's er is 1 or more",
                       Setting::MaskEr};
    if (options.mask && !within(options.maskT / h, 0, 10))
        return Refused{std::nullopt,
                       "the mask is " + ratio(options.maskT / h) +
                           " h thick: the field solution takes a mask from 0 to 10 h thick",
                       Setting::MaskT};
    const bool gap = type != Type::Microstrip;
    return first({range("w/h", w / h, least, most, Dim::W),
                  gap ? range("s/h", get(line, Dim::S) / h, least, most, Dim::S) : std::nullopt,
                  gap ? range("w/s", w / get(line, Dim::S), 0.001, 1000, Dim::S) : std::nullopt,
                  range("t/h", t / h, 0, 10, Dim::T)});
}

Solution solve(const Line& line, const Options& options, const std::atomic<bool>* cancel)
{
    Solution answer;
    if (const auto r = refusal(line, options)) {
        answer.error = r->message;
        return answer;
    }
    const std::vector<Section> parts = sections(line, options);
    if (parts.empty()) {
        const Impedance exact = impedance(line);
        answer.line = exact.line;
        answer.even = exact.even;
        return answer;
    }

    // Each grid's capacitances give, with the grid's before, an estimate extrapolated to a grid of
    // no size: the error falls as the square of the density (Richardson). Two successive estimates
    // that agree end the refinement. No grid has more than maxCells: where the third grid would,
    // the grids start coarser, and the agreement reached is what the answer says.
    const auto cellsAt = [&](double density) {
        int most = 0;
        for (const Section& s : parts)
            most = std::max(most, grid(s, density).cells());
        return most;
    };
    double start = 1;
    while (start / densityStep >= minDensity && cellsAt(start * densityStep * densityStep) > maxCells)
        start /= densityStep;
    const auto modeOf = [](double c, double c0) { return Mode{eta0 / std::sqrt(c * c0), c / c0}; };
    std::vector<Capacitance> before;
    std::vector<Mode> estimate;
    double previousDensity = 0;
    for (double density = start;; density *= densityStep) {
        std::vector<Capacitance> now;
        for (const Section& s : parts) {
            now.push_back(capacitance(s, density, cancel));
            if (now.back().cancelled)
                return Solution{{}, {}, 0, 0, "Cancelled"};
        }
        answer.gridCells = now.front().cells;
        if (!before.empty()) {
            const double r = density / previousDensity;
            const double k = 1 / (r * r - 1);
            std::vector<Mode> modes;
            double apart = 0;
            for (std::size_t m = 0; m < parts.size(); ++m) {
                const Capacitance& a = now[m];
                const Capacitance& b = before[m];
                modes.push_back(modeOf(a.withDielectric + (a.withDielectric - b.withDielectric) * k,
                                       a.inAir + (a.inAir - b.inAir) * k));
                if (!estimate.empty())
                    apart = std::max({apart, std::abs(modes[m].z0 / estimate[m].z0 - 1),
                                      std::abs(modes[m].erEff / estimate[m].erEff - 1)});
            }
            answer.line = modes.front();
            if (modes.size() > 1)
                answer.even = modes[1];
            const bool first = estimate.empty();
            estimate = modes;
            answer.convergedPercent = apart * 100;
            const bool bounded = cellsAt(density * densityStep) > maxCells;
            if (!first && (apart <= agreement || bounded))
                return answer;
        }
        before = now;
        previousDensity = density;
    }
}

Synthesis synthesise(const Line& line, Dim solveFor, double goalOhm, double stepM, const Options& options,
                     const std::atomic<bool>* cancel)
{
    Synthesis answer;
    const lines::Synthesis closed = lines::synthesise(line, solveFor, goalOhm, stepM);
    if (!closed.error.empty()) {
        answer.error = closed.error;
        return answer;
    }
    answer.closedFormM = closed.exactM;
    const double started = threadCpuSeconds();
    double longest = 0; // of the solves so far, in processor seconds
    Line trial = line;
    // The field's designed figure less the goal at a dimension, or nothing with answer.error set.
    const auto at = [&](double x) -> std::optional<double> {
        set(trial, solveFor, x);
        ++answer.solves;
        const double before = threadCpuSeconds();
        answer.rounded = solve(trial, options, cancel);
        longest = std::max(longest, threadCpuSeconds() - before);
        if (!answer.rounded.error.empty()) {
            answer.error = answer.rounded.error;
            return std::nullopt;
        }
        return designed(answer.rounded.impedance()) - goalOhm;
    };
    const double tolerance = goalOhm * synthesisAgreement;
    double x0 = closed.exactM;
    auto f0 = at(x0);
    if (!f0)
        return answer;
    // Lowering the impedance takes a wider strip, or a narrower gap.
    const double lower = solveFor == Dim::S ? -1 : 1;
    double a = std::log(x0); // the older point
    double fa = *f0;
    double b = a; // the newer, whose solution answer.rounded holds
    double fb = fa;
    if (std::abs(fb) > tolerance) {
        // The closed form is off by about the same share nearby: ask it for the goal moved by that.
        const lines::Synthesis moved = lines::synthesise(line, solveFor, goalOhm * goalOhm / (fa + goalOhm), stepM);
        b = moved.error.empty() && moved.exactM != x0 ? std::log(moved.exactM) : a + lower * (fa > 0 ? 0.1 : -0.1);
        const auto f = at(std::exp(b));
        if (!f)
            return answer;
        fb = *f;
    }
    // Secant steps on log x, no more than doubling or halving it at once; once two figures differ in
    // sign, regula falsi inside that bracket with the Illinois step (an end kept twice has its figure
    // halved), bisection when a step would leave it.
    bool bracketed = (fa > 0) != (fb > 0);
    // Another step only while it and the rounded dimension's solve fit in the time allowed.
    const auto timeFor = [&] { return threadCpuSeconds() - started + 2 * longest <= synthesisCpuSeconds; };
    while (std::abs(fb) > tolerance && answer.solves < synthesisSolves - 1 && timeFor()) {
        double next = b - fb * (b - a) / (fb - fa);
        if (bracketed && !(next > std::min(a, b) && next < std::max(a, b)))
            next = (a + b) / 2;
        else if (!bracketed)
            next = std::isfinite(next) ? std::clamp(next, b - std::log(2.0), b + std::log(2.0))
                                       : b + lower * (fb > 0 ? 0.1 : -0.1);
        const auto f = at(std::exp(next));
        if (!f)
            return answer;
        if (bracketed && (*f > 0) == (fb > 0)) {
            fa /= 2;
        } else {
            a = b;
            fa = fb;
        }
        b = next;
        fb = *f;
        bracketed = bracketed || (fa > 0) != (fb > 0);
    }
    answer.exactM = std::exp(b);
    answer.roundedM = std::max(stepM, std::round(answer.exactM / stepM) * stepM);
    if (answer.roundedM != answer.exactM)
        at(answer.roundedM);
    return answer;
}
} // namespace values::lines::field
