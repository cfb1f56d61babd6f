// SPDX-License-Identifier: MIT
// Filters: the sections' pole frequencies and Qs against published values, the cascade against
// the prototype's own polynomial at every order, each circuit's transfer against its nodes solved
// numerically, the designers against every combination tried, and the tolerance bands.
#include "numeric/parse.h"
#include "values/filters.h"
#include "values/series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace values;
using Complex = std::complex<double>;

Decimal v(const char* text)
{
    return *parse(text).value;
}

std::vector<Decimal> range(Series series, const char* lo, const char* hi)
{
    return valuesInRange(series, v(lo), v(hi));
}

std::string nameOf(const Prototype& p)
{
    const char* names[] = {"Butterworth", "Bessel", "Bessel (delay)", "Chebyshev"};
    return std::string(names[static_cast<int>(p.response)]) + " order " + std::to_string(p.order) +
        (p.response == Response::Chebyshev ? " " + std::to_string(p.rippleDb) + " dB" : "");
}

struct Published {
    Prototype prototype;
    std::vector<PoleSection> sections; // to four decimals
};

TEST(FilterPrototype, SectionsHaveThePublishedPoleFrequenciesAndQs)
{
    const Published published[] = {
        {{Response::Butterworth, 2}, {{1, 0.7071}}},
        {{Response::Butterworth, 3}, {{1, 0}, {1, 1}}},
        {{Response::Butterworth, 4}, {{1, 0.5412}, {1, 1.3066}}},
        {{Response::Bessel, 2}, {{1.2720, 0.5774}}},
        {{Response::BesselDelay, 2}, {{1.7321, 0.5774}}},
        {{Response::BesselDelay, 3}, {{2.3222, 0}, {2.5415, 0.6910}}},
        {{Response::BesselDelay, 4}, {{3.0233, 0.5219}, {3.3894, 0.8055}}},
        {{Response::Chebyshev, 2, 1}, {{1.0500, 0.9565}}},
        {{Response::Chebyshev, 2, 3}, {{0.8414, 1.3047}}},
        {{Response::Chebyshev, 3, 0.5}, {{0.6265, 0}, {1.0689, 1.7062}}},
    };
    for (const Published& p : published) {
        const std::vector<PoleSection> sections = prototypeSections(p.prototype);
        ASSERT_EQ(sections.size(), p.sections.size()) << nameOf(p.prototype);
        for (std::size_t i = 0; i < sections.size(); ++i) {
            EXPECT_NEAR(sections[i].w0, p.sections[i].w0, 6e-5) << nameOf(p.prototype) << " section " << i;
            EXPECT_NEAR(sections[i].q, p.sections[i].q, 6e-5) << nameOf(p.prototype) << " section " << i;
        }
    }
    EXPECT_NEAR(besselCorner(2), 1.3617, 5e-5);
    EXPECT_NEAR(besselCorner(4), 2.1139, 5e-5);
}

std::vector<Prototype> everyPrototype()
{
    std::vector<Prototype> all;
    for (int n = 1; n <= maxOrder; ++n) {
        for (const Response r : {Response::Butterworth, Response::Bessel, Response::BesselDelay})
            all.push_back({r, n});
        for (const double ripple : {0.5, 1.0, 3.0})
            all.push_back({Response::Chebyshev, n, ripple});
    }
    return all;
}

TEST(FilterPrototype, TheCascadeIsThePolynomialAtEveryOrder)
{
    const double halfPower = -10 * std::log10(2.0);
    for (const Prototype& p : everyPrototype()) {
        SCOPED_TRACE(nameOf(p));
        const FilterGoal goal{p, Pass::LowPass, FilterTopology::SallenKey, 1};
        for (double w = 0.01; w < 100; w *= 1.07)
            ASSERT_NEAR(std::abs(idealResponse(goal, w)) / prototypeGain(p, w), 1, 1e-11) << "at " << w;
        // The high pass is the low pass with f / fc turned over.
        const FilterGoal high{p, Pass::HighPass, FilterTopology::SallenKey, 1};
        EXPECT_NEAR(std::abs(idealResponse(high, 4)), prototypeGain(p, 0.25), 1e-12);
        if (p.response == Response::Butterworth || p.response == Response::Bessel) {
            EXPECT_NEAR(decibels(idealResponse(goal, 1)), halfPower, 1e-9);
        }
        if (p.response != Response::Chebyshev)
            continue;
        // The extremes of the ripple fall where T_n is 0 or +-1, the last at the corner.
        double top = -1e9;
        double bottom = 1e9;
        for (int k = 0; k <= p.order; ++k) {
            const double db = decibels(idealResponse(goal, std::cos(k * std::numbers::pi / (2 * p.order))));
            top = std::max(top, db);
            bottom = std::min(bottom, db);
        }
        EXPECT_NEAR(top - bottom, p.rippleDb, 1e-9);
        EXPECT_NEAR(decibels(idealResponse(goal, 1)), bottom, 1e-9);
        for (double w = 0; w <= 1; w += 1.0 / 512) {
            const double db = decibels(idealResponse(goal, w));
            ASSERT_TRUE(db <= top + 1e-9 && db >= bottom - 1e-9) << "at " << w;
        }
    }
}

// A circuit's nodes solved at one frequency, with the op-amps ideal: node 0 is ground, node 1 the
// source at 1 V; each op-amp's output node is held by its inputs being equal instead of by the
// currents into it.
struct Element {
    char kind; // R, L, C
    int a;
    int b;
    double value;
};
struct OpAmp {
    int plus;
    int minus;
    int out;
};

// Gauss-Jordan with partial pivoting: each row ends with its unknown's multiple on the diagonal.
void eliminate(std::vector<std::vector<Complex>>& m)
{
    const std::size_t n = m.size();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < n; ++r) {
            if (std::abs(m[r][col]) > std::abs(m[pivot][col]))
                pivot = r;
        }
        std::swap(m[col], m[pivot]);
        for (std::size_t r = 0; r < n; ++r) {
            if (r == col)
                continue;
            const Complex k = m[r][col] / m[col][col];
            for (std::size_t c = col; c <= n; ++c)
                m[r][c] -= k * m[col][c];
        }
    }
}

Complex solveNodes(const std::vector<Element>& elements, const std::vector<OpAmp>& amps, int output, double fHz)
{
    int nodes = 2;
    for (const Element& e : elements)
        nodes = std::max({nodes, e.a + 1, e.b + 1});
    for (const OpAmp& a : amps)
        nodes = std::max({nodes, a.plus + 1, a.minus + 1, a.out + 1});
    const int n = nodes - 2; // unknowns: nodes 2 ...
    std::vector<std::vector<Complex>> m(n, std::vector<Complex>(n + 1));
    const Complex s(0, 2 * std::numbers::pi * fHz);
    const auto held = [&amps](int node) {
        for (const OpAmp& a : amps) {
            if (a.out == node)
                return &a;
        }
        return static_cast<const OpAmp*>(nullptr);
    };
    const auto add = [&m](int row, int node, Complex y) {
        if (node == 1)
            m[row][m[row].size() - 1] -= y; // the source's 1 V to the right-hand side
        else if (node >= 2)
            m[row][node - 2] += y;
    };
    for (int node = 2; node < nodes; ++node) {
        const int row = node - 2;
        if (const OpAmp* a = held(node)) {
            add(row, a->plus, 1);
            add(row, a->minus, -1);
            continue;
        }
        for (const Element& e : elements) {
            if (e.a != node && e.b != node)
                continue;
            const Complex y = e.kind == 'R' ? 1.0 / e.value : e.kind == 'C' ? s * e.value : 1.0 / (s * e.value);
            add(row, node, y);
            add(row, e.a == node ? e.b : e.a, -y);
        }
    }
    eliminate(m);
    return m[output - 2][n] / m[output - 2][output - 2];
}

struct Netlist {
    std::vector<Element> elements;
    std::vector<OpAmp> amps;
    int output;
};

// Each section's circuit from the values in partNames' order, as drawn in values/filters.h.
Netlist netlist(Circuit circuit, const std::vector<double>& p)
{
    switch (circuit) {
    case Circuit::RcLow:
        return {{{'R', 1, 2, p[0]}, {'C', 2, 0, p[1]}}, {{2, 3, 3}}, 3};
    case Circuit::RcHigh:
        return {{{'C', 1, 2, p[0]}, {'R', 2, 0, p[1]}}, {{2, 3, 3}}, 3};
    case Circuit::SallenKeyLow:
        return {{{'R', 1, 2, p[0]}, {'R', 2, 3, p[1]}, {'C', 2, 4, p[2]}, {'C', 3, 0, p[3]}}, {{3, 4, 4}}, 4};
    case Circuit::SallenKeyHigh:
        return {{{'C', 1, 2, p[0]}, {'C', 2, 3, p[1]}, {'R', 2, 4, p[2]}, {'R', 3, 0, p[3]}}, {{3, 4, 4}}, 4};
    case Circuit::SallenKeyEqualLow:
        return {{{'R', 1, 2, p[0]},
                 {'R', 2, 3, p[1]},
                 {'C', 2, 4, p[2]},
                 {'C', 3, 0, p[3]},
                 {'R', 4, 5, p[4]},
                 {'R', 5, 0, p[5]}},
                {{3, 5, 4}},
                4};
    case Circuit::SallenKeyEqualHigh:
        return {{{'C', 1, 2, p[0]},
                 {'C', 2, 3, p[1]},
                 {'R', 2, 4, p[2]},
                 {'R', 3, 0, p[3]},
                 {'R', 4, 5, p[4]},
                 {'R', 5, 0, p[5]}},
                {{3, 5, 4}},
                4};
    case Circuit::MultipleFeedbackLow:
        return {{{'R', 1, 2, p[0]}, {'R', 2, 4, p[1]}, {'R', 2, 3, p[2]}, {'C', 2, 0, p[3]}, {'C', 3, 4, p[4]}},
                {{0, 3, 4}},
                4};
    case Circuit::MultipleFeedbackHigh:
        return {{{'C', 1, 2, p[0]}, {'C', 2, 4, p[1]}, {'C', 2, 3, p[2]}, {'R', 2, 0, p[3]}, {'R', 3, 4, p[4]}},
                {{0, 3, 4}},
                4};
    }
    return {};
}

Netlist passiveNetlist(PassiveForm form, const PassiveParts& p)
{
    switch (form) {
    case PassiveForm::RcLow:
        return {{{'R', 1, 2, p.r}, {'C', 2, 0, p.c}}, {}, 2};
    case PassiveForm::RcHigh:
        return {{{'C', 1, 2, p.c}, {'R', 2, 0, p.r}}, {}, 2};
    case PassiveForm::RlLow:
        return {{{'L', 1, 2, p.l}, {'R', 2, 0, p.r}}, {}, 2};
    case PassiveForm::RlHigh:
        return {{{'R', 1, 2, p.r}, {'L', 2, 0, p.l}}, {}, 2};
    case PassiveForm::LcLow:
        return {{{'L', 1, 2, p.l}, {'C', 2, 0, p.c}, {'R', 2, 0, p.r}}, {}, 2};
    case PassiveForm::LcHigh:
        return {{{'C', 1, 2, p.c}, {'L', 2, 0, p.l}, {'R', 2, 0, p.r}}, {}, 2};
    case PassiveForm::LcBand:
        return {{{'R', 1, 2, p.r}, {'L', 2, 0, p.l}, {'C', 2, 0, p.c}}, {}, 2};
    case PassiveForm::RlcLow:
        return {{{'R', 1, 2, p.r}, {'L', 2, 3, p.l}, {'C', 3, 0, p.c}}, {}, 3};
    case PassiveForm::RlcHigh:
        return {{{'R', 1, 2, p.r}, {'C', 2, 3, p.c}, {'L', 3, 0, p.l}}, {}, 3};
    case PassiveForm::RlcBand:
        return {{{'L', 1, 2, p.l}, {'C', 2, 3, p.c}, {'R', 3, 0, p.r}}, {}, 3};
    case PassiveForm::RlcNotch:
        return {{{'R', 1, 2, p.r}, {'L', 2, 3, p.l}, {'C', 3, 0, p.c}}, {}, 2};
    }
    return {};
}

Complex solve(const Netlist& n, double fHz)
{
    return solveNodes(n.elements, n.amps, n.output, fHz);
}

constexpr Circuit everyCircuit[] = {
    Circuit::RcLow,
    Circuit::RcHigh,
    Circuit::SallenKeyLow,
    Circuit::SallenKeyHigh,
    Circuit::SallenKeyEqualLow,
    Circuit::SallenKeyEqualHigh,
    Circuit::MultipleFeedbackLow,
    Circuit::MultipleFeedbackHigh,
};

TEST(FilterCircuits, EachTransferIsWhatItsNodesGive)
{
    // Unlike parts, so that a swapped pair shows.
    const std::vector<double> rs = {4.7e3, 12e3, 2.2e3, 10e3};
    const std::vector<double> cs = {33e-9, 6.8e-9, 15e-9};
    for (const Circuit c : everyCircuit) {
        std::vector<double> p;
        std::size_t r = 0;
        std::size_t k = 0;
        for (const std::string& name : partNames(c))
            p.push_back(isCapacitor(name) ? cs[k++] : rs[r++]);
        for (const double f : {100.0, 1e3, 3.3e3, 20e3}) {
            const Complex want = solve(netlist(c, p), f);
            EXPECT_NEAR(std::abs(biquadOf(c, p).at(f) - want), 0, 1e-12 * std::abs(want))
                << static_cast<int>(c) << " at " << f;
        }
    }
    const PassiveParts passive{470, 10e-3, 100e-9};
    for (int form = 0; form <= static_cast<int>(PassiveForm::RlcNotch); ++form) {
        const auto f = static_cast<PassiveForm>(form);
        for (const double hz : {300.0, 5033.0, 20e3}) {
            const Complex want = solve(passiveNetlist(f, passive), hz);
            EXPECT_NEAR(std::abs(passiveBiquad(f, passive).at(hz) - want), 0, 1e-12 * std::abs(want) + 1e-15)
                << "passive form " << form << " at " << hz;
        }
    }
}

TEST(FilterCircuits, PassiveHalfPowerPointsAreThreeDecibelsDown)
{
    const PassiveParts parts{47, 1e-3, 220e-9};
    for (int form = 0; form <= static_cast<int>(PassiveForm::RlcNotch); ++form) {
        const auto f = static_cast<PassiveForm>(form);
        const Biquad h = passiveBiquad(f, parts);
        const PassiveAnswer a = analysePassive(f, parts);
        const bool low =
            f == PassiveForm::RcLow || f == PassiveForm::RlLow || f == PassiveForm::LcLow || f == PassiveForm::RlcLow;
        // The reference: DC for a low pass, far above for a high pass and a notch, f0 for a band pass.
        const double reference = isBandPass(f) ? std::abs(h.at(a.f0Hz)) : std::abs(h.at(low ? 0 : 1e12));
        ASSERT_EQ(a.minus3dbHz.size(), isBandPass(f) || isNotch(f) ? 2U : 1U) << form;
        for (const double hz : a.minus3dbHz)
            EXPECT_NEAR(decibels(h.at(hz) / reference), -10 * std::log10(2.0), 1e-9) << form << " at " << hz;
    }
}

struct Goal {
    Circuit circuit = Circuit::RcLow;
    SectionGoal goal;
};

TEST(FilterDesign, SectionsAreTheBestOfEveryCombinationTried)
{
    const Goal goals[] = {
        {Circuit::RcLow, {1234, 0}},
        {Circuit::SallenKeyLow, {1000, 0.7071}},
        {Circuit::SallenKeyLow, {1391, 3.5}},
        {Circuit::SallenKeyHigh, {770, 1.3066}},
        {Circuit::SallenKeyEqualLow, {2500, 0.5412}},
        {Circuit::SallenKeyEqualHigh, {480, 2.2}},
        {Circuit::MultipleFeedbackLow, {1000, 1.3066}},
        {Circuit::MultipleFeedbackHigh, {3300, 0.58}},
    };
    const std::vector<Decimal> rs = range(Series::E12, "1k", "100k");
    const std::vector<Decimal> cs = range(Series::E6, "1n", "1u");
    for (const Goal& g : goals) {
        const auto fast = designSection(g.circuit, g.goal, rs, cs, 5);
        const auto slow = designSectionBruteForce(g.circuit, g.goal, rs, cs, 5);
        ASSERT_EQ(fast.size(), 5U) << static_cast<int>(g.circuit);
        ASSERT_EQ(fast.size(), slow.size());
        for (std::size_t i = 0; i < fast.size(); ++i) {
            ASSERT_EQ(fast[i].parts.size(), slow[i].parts.size());
            for (std::size_t k = 0; k < fast[i].parts.size(); ++k)
                EXPECT_EQ(fast[i].parts[k].value, slow[i].parts[k].value)
                    << static_cast<int>(g.circuit) << " row " << i << " " << fast[i].parts[k].name;
            const Biquad h = fast[i].biquad();
            EXPECT_DOUBLE_EQ(fast[i].f0Hz, h.f0Hz());
            EXPECT_NEAR(fast[i].f0ErrorPct, 100 * (h.f0Hz() / g.goal.f0Hz - 1), 1e-9);
        }
    }
}

TEST(FilterDesign, AFourthOrderButterworthFromE24AndE12)
{
    const FilterGoal goal{{Response::Butterworth, 4}, Pass::LowPass, FilterTopology::SallenKey, 1000};
    const FilterDesign d = designFilter(goal, range(Series::E24, "1k", "1M"), range(Series::E12, "1n", "1u"));
    ASSERT_EQ(d.sections.size(), 2U);
    EXPECT_FALSE(d.limited);
    std::vector<std::string> names;
    for (const SectionDesign& s : d.sections) {
        EXPECT_LT(s.worstPct(), 0.5);
        for (const SectionPart& p : s.parts)
            names.push_back(p.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"R1", "R2", "C1", "C2", "R3", "R4", "C3", "C4"}));
    EXPECT_NEAR(d.sections[0].goal.q, 0.5412, 1e-4);
    EXPECT_NEAR(decibels(designResponse(d, 1000)), -3.0103, 0.05);
}

TEST(FilterResponse, HalfPowerLiesAtTheCornerOrWhereTheRippleEndsAtEveryOrder)
{
    for (const Prototype& p : everyPrototype()) {
        if (p.response == Response::BesselDelay)
            continue;
        // Chebyshev's is half the power at DC: (1 + e^2 T_n(0)^2) / (1 + e^2 T_n(w)^2) = 1 / 2, so
        // T_n(w) = sqrt(1 + 2 e^2 T_n(0)^2) / e, T_n(0)^2 being 1 for an even order and 0 for an odd.
        const double epsilon = std::sqrt(std::pow(10.0, p.rippleDb / 10) - 1);
        const double atDc = p.order % 2 == 0 ? 1 : 0;
        const double t = std::sqrt(1 + 2 * epsilon * epsilon * atDc) / epsilon;
        const double w = p.response == Response::Chebyshev ? std::cosh(std::acosh(t) / p.order) : 1.0;
        for (const Pass pass : {Pass::LowPass, Pass::HighPass}) {
            SCOPED_TRACE(nameOf(p) + (pass == Pass::LowPass ? " low pass" : " high pass"));
            const FilterGoal goal{p, pass, FilterTopology::SallenKey, 2000};
            const auto half = halfPowerHz(goal, [&goal](double f) { return idealResponse(goal, f); });
            ASSERT_TRUE(half.has_value());
            EXPECT_NEAR(*half / 2000, pass == Pass::LowPass ? w : 1 / w, 1e-9);
        }
    }
    // A response that is nowhere below half power in the span has no such point.
    const FilterGoal goal{{Response::Butterworth, 2}, Pass::LowPass, FilterTopology::SallenKey, 1000};
    EXPECT_FALSE(halfPowerHz(goal, [](double) { return std::complex<double>(1); }).has_value());
}

TEST(FilterDesign, EveryTopologyOfEitherPassGivesTheIdealResponse)
{
    const std::vector<Decimal> rs = range(Series::E96, "100", "10M");
    const std::vector<Decimal> cs = range(Series::E12, "100p", "10u");
    for (const FilterTopology t :
         {FilterTopology::SallenKey, FilterTopology::SallenKeyEqual, FilterTopology::MultipleFeedback}) {
        for (const Pass pass : {Pass::LowPass, Pass::HighPass}) {
            for (const Prototype& p : {Prototype{Response::Butterworth, 5}, Prototype{Response::Chebyshev, 4, 1},
                                       Prototype{Response::BesselDelay, 3}}) {
                SCOPED_TRACE(nameOf(p) + " topology " + std::to_string(static_cast<int>(t)) +
                             (pass == Pass::LowPass ? " low" : " high"));
                const FilterGoal goal{p, pass, t, 3300};
                const FilterDesign d = designFilter(goal, rs, cs);
                ASSERT_EQ(d.sections.size(), static_cast<std::size_t>((p.order + 1) / 2));
                const double gain = std::abs(passBandGain(d));
                for (double f = 330; f < 33000; f *= 1.1) {
                    const double ideal = decibels(idealResponse(goal, f));
                    if (ideal > -40)
                        ASSERT_NEAR(decibels(designResponse(d, f) / gain), ideal, 0.5) << "at " << f;
                }
            }
        }
    }
}

TEST(FilterDesign, AStopOrASpentBudgetEndsTheSearch)
{
    const FilterGoal goal{{Response::Butterworth, 8}, Pass::HighPass, FilterTopology::SallenKey, 1000};
    const std::vector<Decimal> rs = range(Series::E192, "1", "10M");
    const std::vector<Decimal> cs = range(Series::E192, "1p", "1m");
    DesignBudget tight;
    tight.maxSteps = 1000;
    const FilterDesign limited = designFilter(goal, rs, cs, {}, &tight);
    EXPECT_TRUE(tight.limited);
    EXPECT_TRUE(limited.limited);
    EXPECT_LE(tight.steps, 1000 + 8);
    std::stop_source stop;
    stop.request_stop();
    EXPECT_TRUE(designFilter(goal, rs, cs, stop.get_token()).sections.empty());
}

TEST(FilterDesign, AHighPassTurnsEachStageOverAboutTheCorner)
{
    for (const Prototype& p : everyPrototype()) {
        const auto low = sectionGoals({p, Pass::LowPass, FilterTopology::SallenKey, 500});
        const auto high = sectionGoals({p, Pass::HighPass, FilterTopology::MultipleFeedback, 500});
        ASSERT_EQ(low.size(), high.size()) << nameOf(p);
        for (std::size_t i = 0; i < low.size(); ++i) {
            EXPECT_NEAR(low[i].f0Hz * high[i].f0Hz, 500.0 * 500.0, 1e-6) << nameOf(p);
            EXPECT_EQ(low[i].q, high[i].q) << nameOf(p);
        }
    }
}

TEST(FilterTolerance, TheBandHoldsEveryCornerOfASectionAndTheNominalFilter)
{
    const std::vector<double> f = logFrequencies(100, 10e3, 40);
    const Tolerances t{1, 5};
    for (const FilterTopology topology :
         {FilterTopology::SallenKey, FilterTopology::SallenKeyEqual, FilterTopology::MultipleFeedback}) {
        const FilterGoal goal{{Response::Chebyshev, 3, 1}, Pass::HighPass, topology, 1000};
        const FilterDesign d = designFilter(goal, range(Series::E24, "1k", "1M"), range(Series::E12, "1n", "1u"));
        ASSERT_EQ(d.sections.size(), 2U);
        for (const SectionDesign& s : d.sections) {
            const Band band = sectionBand(s, t, f);
            const std::vector<double> nominal = s.values();
            for (unsigned corner = 0; corner < (1U << nominal.size()); ++corner) {
                std::vector<double> p = nominal;
                for (std::size_t i = 0; i < p.size(); ++i)
                    p[i] *= 1 + ((corner >> i & 1) != 0 ? 1 : -1) * (isCapacitor(s.parts[i].name) ? 0.05 : 0.01);
                for (std::size_t k = 0; k < f.size(); ++k) {
                    const double db = decibels(solve(netlist(s.circuit, p), f[k]));
                    ASSERT_TRUE(db >= band.lowDb[k] - 1e-9 && db <= band.highDb[k] + 1e-9)
                        << static_cast<int>(s.circuit) << " corner " << corner << " at " << f[k];
                }
            }
        }
        const Band whole = filterBand(d, t, f);
        EXPECT_EQ(filterBand(d, t, f).lowDb, whole.lowDb); // seeded: the same every run
        for (std::size_t k = 0; k < f.size(); ++k) {
            const double db = decibels(designResponse(d, f[k]) / std::abs(passBandGain(d)));
            EXPECT_TRUE(db >= whole.lowDb[k] && db <= whole.highDb[k]) << f[k];
            EXPECT_GT(whole.highDb[k] - whole.lowDb[k], 0) << f[k];
        }
    }
}

TEST(PassiveDesign, FindsTheBestOfEveryCombinationForEveryForm)
{
    const auto rs = range(Series::E24, "10", "100k");
    const auto ls = range(Series::E12, "1u", "100m");
    const auto cs = range(Series::E12, "1n", "10u");
    const Decimal load = v("600");
    const auto worst = [](double f0Pct, double qPct) { return std::max(std::abs(f0Pct), std::abs(qPct)); };
    for (int form = 0; form <= static_cast<int>(PassiveForm::RlcNotch); ++form) {
        const auto f = static_cast<PassiveForm>(form);
        const SectionGoal goal{1234, isSecondOrder(f) ? 0.8 : 0};
        const auto found = designPassive(f, goal, load, rs, ls, cs, 5);
        ASSERT_EQ(found.size(), 5U) << form;
        const bool loaded = f == PassiveForm::LcLow || f == PassiveForm::LcHigh || f == PassiveForm::LcBand;
        double least = 1e300;
        for (const Decimal& r : loaded ? std::vector<Decimal>{load} : rs) {
            for (const Decimal& l : usesInductor(f) ? ls : std::vector<Decimal>{Decimal{}}) {
                for (const Decimal& c : usesCapacitor(f) ? cs : std::vector<Decimal>{Decimal{}}) {
                    const Biquad h = passiveBiquad(f, {r.nearestDouble(), l.nearestDouble(), c.nearestDouble()});
                    const double qPct = isSecondOrder(f) ? 100 * (h.q() / goal.q - 1) : 0;
                    least = std::min(least, worst(100 * (h.f0Hz() / goal.f0Hz - 1), qPct));
                }
            }
        }
        EXPECT_NEAR(worst(found[0].f0ErrorPct, found[0].qErrorPct), least, 1e-9) << form;
        if (loaded) {
            EXPECT_EQ(found[0].r, load) << form;
        }
        for (std::size_t i = 1; i < found.size(); ++i)
            EXPECT_LE(worst(found[i - 1].f0ErrorPct, found[i - 1].qErrorPct),
                      worst(found[i].f0ErrorPct, found[i].qErrorPct) + 1e-12)
                << form;
    }
}

} // namespace
