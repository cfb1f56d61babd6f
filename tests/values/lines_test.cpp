// SPDX-License-Identifier: MIT
#include "values/lines.h"
#include "values/lines_detail.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

using namespace values::lines;
using std::numbers::pi;

namespace {

constexpr double mm = 1e-3;

double z0(const Line& line)
{
    return impedance(line).line.z0;
}

double erEff(const Line& line)
{
    return impedance(line).line.erEff;
}

double widthFor(Line line, double ohms)
{
    return synthesise(line, Dim::W, ohms, 1e-6 * mm).exactM;
}

// The figures users gave: from the closed forms to 0.5 %, or from a field solution to 2 %.
struct Worked {
    const char* name;
    double (*value)();
    double figure;
    double within; // relative
};

class LineWorkedFigure : public testing::TestWithParam<Worked> {};

TEST_P(LineWorkedFigure, HoldsWithinItsMargin)
{
    const Worked& w = GetParam();
    EXPECT_NEAR(w.value() / w.figure, 1, w.within) << w.value();
}

INSTANTIATE_TEST_SUITE_P(
    Users, LineWorkedFigure,
    testing::Values(Worked{"MicrostripZ0",
                           [] {
                               return z0(Microstrip{3 * mm, 1.6 * mm, 0, 4.5});
                           },
                           50.11, 0.005},
                    Worked{"MicrostripErEff",
                           [] {
                               return erEff(Microstrip{3 * mm, 1.6 * mm, 0, 4.5});
                           },
                           3.393, 0.005},
                    Worked{"MicrostripAgainstTheField",
                           [] {
                               return z0(Microstrip{3 * mm, 1.6 * mm, 0, 4.5});
                           },
                           50.0, 0.02},
                    Worked{"MicrostripWidthFor50",
                           [] {
                               return widthFor(Microstrip{1 * mm, 1.6 * mm, 0, 4.5}, 50) / mm;
                           },
                           3.011, 0.005},
                    Worked{"StriplineZ0",
                           [] {
                               return z0(Stripline{0.3 * mm, 1 * mm, 0, 4.5});
                           },
                           60.96, 0.005},
                    Worked{"StriplineWidthFor50",
                           [] {
                               return widthFor(Stripline{1 * mm, 1 * mm, 0, 4.5}, 50) / mm;
                           },
                           0.4515, 0.005},
                    Worked{"CpwZ0",
                           [] {
                               return z0(Cpw{1 * mm, 0.2 * mm, 1.6 * mm, 0, 4.5});
                           },
                           56.91, 0.005},
                    Worked{"CpwErEff",
                           [] {
                               return erEff(Cpw{1 * mm, 0.2 * mm, 1.6 * mm, 0, 4.5});
                           },
                           2.692, 0.005},
                    Worked{"GcpwZ0",
                           [] {
                               return z0(Gcpw{1 * mm, 0.2 * mm, 1.6 * mm, 0, 4.5});
                           },
                           53.87, 0.005},
                    Worked{"GcpwErEff",
                           [] {
                               return erEff(Gcpw{1 * mm, 0.2 * mm, 1.6 * mm, 0, 4.5});
                           },
                           2.808, 0.005},
                    Worked{"GcpwAgainstTheField",
                           [] {
                               return z0(Gcpw{1 * mm, 0.2 * mm, 1.6 * mm, 0, 4.5});
                           },
                           53.7, 0.02},
                    Worked{"Coax",
                           [] {
                               return z0(Coax{0.9 * mm, 2.95 * mm, 2.25});
                           },
                           47.45, 0.005},
                    Worked{"TwistedPair",
                           [] {
                               return z0(TwistedPair{0.5 * mm, 1 * mm, 1});
                           },
                           157.9, 0.005},
                    Worked{"CoupledMicrostripZdiffAgainstTheField",
                           [] {
                               return designed(impedance(CoupledMicrostrip{0.2 * mm, 0.2 * mm, 0.2 * mm, 0, 4.3}));
                           },
                           121, 0.02},
                    Worked{"CoupledMicrostripZoddAgainstTheField",
                           [] {
                               return z0(CoupledMicrostrip{0.2 * mm, 0.2 * mm, 0.2 * mm, 0, 4.3});
                           },
                           61, 0.02},
                    Worked{"CoupledMicrostripZevenAgainstTheField",
                           [] {
                               return impedance(CoupledMicrostrip{0.2 * mm, 0.2 * mm, 0.2 * mm, 0, 4.3}).even->z0;
                           },
                           81, 0.02}),
    [](const auto& info) { return std::string(info.param.name); });

// Properties the papers and textbooks state of their own forms, each a check no fitted constant
// can pass by accident.
TEST(LineModels, MeetWhatTheirSourcesState)
{
    // Cohn: K(k) = K(k') at k = 1/sqrt 2, where sech(pi w / 2b) = 1/sqrt 2: Z0 = eta0 / (4 sqrt er).
    const double square = 2 / pi * std::acosh(std::sqrt(2.0));
    EXPECT_NEAR(z0(Stripline{square * mm, 1 * mm, 0, 2.2}), eta0 / (4 * std::sqrt(2.2)), 1e-9);
    // Cohn's coupled strips far apart are two single striplines, odd and even alike.
    const Impedance apart = impedance(CoupledStripline{0.3 * mm, 8 * mm, 1 * mm, 0, 4.5});
    EXPECT_NEAR(apart.line.z0, 60.955, 0.01);
    EXPECT_NEAR(apart.even->z0, 60.955, 0.01);
    // Wen: on a substrate far thicker than the line, er eff = (er + 1) / 2; and a plane far under
    // it changes nothing.
    EXPECT_NEAR(erEff(Cpw{1 * mm, 0.2 * mm, 1000 * mm, 0, 4.5}), 2.75, 1e-6);
    EXPECT_NEAR(z0(Gcpw{1 * mm, 0.2 * mm, 1000 * mm, 0, 4.5}) / z0(Cpw{1 * mm, 0.2 * mm, 1000 * mm, 0, 4.5}), 1, 1e-6);
    // Hammerstad and Jensen: a thicker strip acts wider, so its impedance is lower.
    EXPECT_LT(z0(Microstrip{3 * mm, 1.6 * mm, 70e-6, 4.5}), z0(Microstrip{3 * mm, 1.6 * mm, 35e-6, 4.5}));
    // Kirschning and Jansen: er eff rises with frequency from the static value towards er.
    const double u = 3.0 / 1.6;
    const double static0 = erEff(Microstrip{3 * mm, 1.6 * mm, 0, 4.5});
    EXPECT_DOUBLE_EQ(detail::dispersedErEff(u, 4.5, static0, 0), static0);
    double previous = static0;
    for (const double fh : {1.0, 5.0, 20.0, 100.0, 1000.0}) {
        const double e = detail::dispersedErEff(u, 4.5, static0, fh);
        EXPECT_GT(e, previous);
        EXPECT_LT(e, 4.5);
        previous = e;
    }
    EXPECT_NEAR(previous, 4.5, 0.01);
}

// Wheeler's incremental inductance rule against the exact losses of the round lines, and against
// Pozar's worked stripline (Microwave Engineering, 4th ed., example 3.5: b 3.2 mm, er 2.2,
// tan d 0.001, 10 GHz, t 0.01 mm; alpha d 0.155 Np/m, alpha c 0.122 Np/m from his fitted formula).
TEST(LineLoss, MatchesTheExactFormsAndPozarsExample)
{
    const double np = 20 / std::log(10.0);
    const double f = 1e9;
    const double rs = 1.72e-8 / skinDepth(f);
    const Analysis coax = analyse(Coax{0.9 * mm, 2.95 * mm, 2.25}, {0, f, 0});
    const double a = 0.45 * mm, b = 1.475 * mm;
    const double exact = rs * (1 / a + 1 / b) / (2 * eta0 / 1.5 * std::log(b / a));
    EXPECT_NEAR(*coax.line.conductorDbPerM / np / exact, 1, 1e-6);

    // Two wires: each carries Rs / (pi d) per metre, raised by the proximity of the other.
    const double d = 0.5 * mm, D = 1.2 * mm;
    const Analysis pair = analyse(TwistedPair{d, D, 1}, {0, f, 0});
    const double resistance = 2 * rs / (pi * d) * (D / d) / std::sqrt((D / d) * (D / d) - 1);
    EXPECT_NEAR(*pair.line.conductorDbPerM / np / (resistance / (2 * pair.line.mode.z0)), 1, 1e-6);

    const Analysis pozar = analyse(Stripline{2.66 * mm, 3.2 * mm, 0.01 * mm, 2.2}, {0.001, 10e9, 0});
    EXPECT_NEAR(pozar.line.dielectricDbPerM / np, 0.155, 0.001);
    EXPECT_NEAR(*pozar.line.conductorDbPerM / np, 0.122, 0.122 * 0.05);
    // A strip of no thickness has no finite conductor loss to give.
    EXPECT_FALSE(analyse(Microstrip{3 * mm, 1.6 * mm, 0, 4.5}, {0.02, f, 0}).line.conductorDbPerM);
}

// One geometry of each type, typical of a board or a cable.
std::vector<Line> everyType()
{
    return {Microstrip{0.3 * mm, 0.2 * mm, 35e-6, 4.3},
            Stripline{0.2 * mm, 0.6 * mm, 18e-6, 4.3},
            OffsetStripline{0.15 * mm, 0.8 * mm, 0.2 * mm, 18e-6, 3.5},
            Cpw{0.5 * mm, 0.15 * mm, 1 * mm, 35e-6, 4.5},
            Gcpw{0.5 * mm, 0.15 * mm, 0.4 * mm, 35e-6, 4.5},
            CoupledMicrostrip{0.15 * mm, 0.2 * mm, 0.12 * mm, 35e-6, 4.3},
            CoupledStripline{0.1 * mm, 0.15 * mm, 0.5 * mm, 18e-6, 3.5},
            Coax{0.5 * mm, 1.8 * mm, 1.5},
            TwistedPair{0.5 * mm, 0.9 * mm, 2.2}};
}

TEST(LineSynthesis, GivesTheGoalBackWithinOnePartInAMillion)
{
    for (const Line& line : everyType()) {
        const Type type = typeOf(line);
        SCOPED_TRACE(typeName(type).command);
        ASSERT_FALSE(refusal(line)) << refusal(line)->message;
        const double goal = std::round(designed(impedance(line)) * 0.9);
        std::vector<Dim> solved{coupled(type) ? Dim::W : dimsOf(type).front()};
        if (coupled(type))
            solved.push_back(Dim::S);
        for (const Dim dim : solved) {
            const Synthesis s = synthesise(line, dim, goal, 0.01 * mm);
            ASSERT_TRUE(s.error.empty()) << s.error;
            Line found = line;
            set(found, dim, s.exactM);
            EXPECT_NEAR(designed(impedance(found)) / goal, 1, synthesisTolerance);
            EXPECT_NEAR(s.roundedM / 0.01 / mm, std::round(s.exactM / 0.01 / mm), 1e-9);
            set(found, dim, s.roundedM);
            EXPECT_DOUBLE_EQ(s.roundedOhm, designed(impedance(found)));
        }
    }
    // Thick copper closes the narrowest gaps the model takes: the gap is found beyond them.
    const Synthesis gap = synthesise(CoupledMicrostrip{0.1 * mm, 0, 0.1 * mm, 35e-6, 4.3}, Dim::S, 100, 0.01 * mm);
    ASSERT_TRUE(gap.error.empty()) << gap.error;
    EXPECT_NEAR(designed(impedance(CoupledMicrostrip{0.1 * mm, gap.exactM, 0.1 * mm, 35e-6, 4.3})) / 100, 1,
                synthesisTolerance);
    const Synthesis far = synthesise(Microstrip{1 * mm, 1.6 * mm, 0, 4.5}, Dim::W, 500, 0.01 * mm);
    EXPECT_EQ(far.error, "No width the model takes gives 500 Ω: from 0.016 mm to 160 mm it gives 1.7238 Ω to 235.74 Ω");
}

// The band's ends against every point of a grid over the tolerances, the middles too: were any
// model to turn back inside a tolerance, a middle would beat the corners.
TEST(LineBands, CornersBoundEveryPointWithinTheTolerances)
{
    const Tolerances tolerances{{0.02 * mm}, {0.1, true}, {0.2}, {5e-6}};
    for (const Line& line : everyType()) {
        SCOPED_TRACE(typeName(typeOf(line)).command);
        const Bands b = bands(line, tolerances);
        ASSERT_TRUE(b.error.empty()) << b.error;
        std::vector<Dim> dims(dimsOf(typeOf(line)).begin(), dimsOf(typeOf(line)).end());
        dims.push_back(Dim::Er);
        double lo = INFINITY, hi = 0, evenLo = INFINITY, evenHi = 0;
        for (int point = 0; point < static_cast<int>(std::pow(3, dims.size())); ++point) {
            Line p = line;
            int digits = point;
            const double above = get(line, Dim::B) - get(line, Dim::H) - get(line, Dim::T);
            double gapAbove = above;
            for (const Dim dim : dims) {
                const int step = digits % 3 - 1;
                digits /= 3;
                const Toleranced t = toleranced(dim);
                const Spread& spread = t == Toleranced::Width ? tolerances.width
                    : t == Toleranced::Height                 ? tolerances.height
                    : t == Toleranced::Er                     ? tolerances.er
                                                              : tolerances.thickness;
                if (std::holds_alternative<OffsetStripline>(line) && dim == Dim::B)
                    gapAbove = above + step * spread.of(above);
                else
                    set(p, dim, get(line, dim) + step * spread.of(get(line, dim)));
            }
            if (std::holds_alternative<OffsetStripline>(line))
                set(p, Dim::B, get(p, Dim::H) + get(p, Dim::T) + gapAbove);
            const Impedance z = impedance(p);
            lo = std::min(lo, z.line.z0);
            hi = std::max(hi, z.line.z0);
            if (z.even) {
                evenLo = std::min(evenLo, z.even->z0);
                evenHi = std::max(evenHi, z.even->z0);
            }
        }
        EXPECT_NEAR(b.line.lo, lo, lo * 1e-12);
        EXPECT_NEAR(b.line.hi, hi, hi * 1e-12);
        if (b.even) {
            EXPECT_NEAR(b.even->lo, evenLo, evenLo * 1e-12);
            EXPECT_NEAR(b.even->hi, evenHi, evenHi * 1e-12);
        }
    }
    // Users' example: 3 mm on 1.6 mm of er 4.5 with the default tolerances.
    const Bands worked = bands(Microstrip{3 * mm, 1.6 * mm, 0, 4.5}, Tolerances{});
    EXPECT_NEAR(worked.line.lo, 45.852, 0.001);
    EXPECT_NEAR(worked.line.hi, 54.350, 0.001);
    const Bands none = bands(Microstrip{0.02 * mm, 1.6 * mm, 0, 4.5}, Tolerances{});
    EXPECT_EQ(none.refused, Toleranced::Width);
}

TEST(LineRefusals, NameTheDimensionAndTheRange)
{
    struct Case {
        Line line;
        Dim dim;
        std::string message;
    };
    const Case cases[] = {
        {Microstrip{200 * mm, 1 * mm, 0, 4.5}, Dim::W,
         "w/h is 200: Hammerstad and Jensen's model holds for w/h from 0.01 to 100"},
        {Microstrip{1 * mm, 0.06 * mm, 35e-6, 4.5}, Dim::T,
         "t is over half of h: the thickness correction is for thinner copper"},
        {Stripline{12 * mm, 1 * mm, 0, 4.5}, Dim::W, "w/(b - t) is 12: the model holds for it from 0.01 to 10"},
        {OffsetStripline{0.2 * mm, 1 * mm, 0.9 * mm, 0.1 * mm, 4.5}, Dim::H,
         "h + t is b or more: the strip must lie between the planes"},
        {CoupledMicrostrip{0.2 * mm, 0.01 * mm, 0.2 * mm, 0, 4.3}, Dim::S,
         "s/h is 0.05: Kirschning and Jansen's model holds for s/h from 0.1 to 10"},
        {CoupledMicrostrip{0.2 * mm, 0.2 * mm, 0.2 * mm, 0, 25}, Dim::Er,
         "Kirschning and Jansen's model holds for er up to 18"},
        {Cpw{1 * mm, 0.05 * mm, 1.6 * mm, 35e-6, 4.5}, Dim::T,
         "t is too thick for this gap: the thickness correction narrows it by 0.095859 mm"},
        {Coax{3 * mm, 2.95 * mm, 2.25}, Dim::Outer, "D must be more than d: the shield goes round the inner conductor"},
    };
    for (const Case& c : cases) {
        const auto r = refusal(c.line);
        ASSERT_TRUE(r) << c.message;
        EXPECT_EQ(r->dim, c.dim) << c.message;
        EXPECT_EQ(r->message, c.message);
    }
}

TEST(LineReadings, TakeEveryLengthUnitAndTheTolerancesForms)
{
    struct Case {
        const char* text;
        double metres;
    };
    for (const Case& c : {Case{"3", 3e-3}, Case{"3mm", 3e-3}, Case{"120mil", 3.048e-3}, Case{"35um", 35e-6},
                          Case{"35 µm", 35e-6}, Case{"0.1in", 2.54e-3}}) {
        EXPECT_DOUBLE_EQ(parseLineLength(c.text).value.value_or(0), c.metres) << c.text;
    }
    EXPECT_EQ(parseLineLength("0", true).value, 0.0);
    EXPECT_EQ(parseLineLength("0mm", true).value, 0.0);
    EXPECT_EQ(parseLineLength("0").error, "'0' is zero: write a value above zero");
    EXPECT_EQ(parseLineLength("2000mm").error, "'2000mm' is outside the lengths given: 0.0001 to 1000 mm");

    const SpreadReading share = parseSpread("10%", true);
    EXPECT_TRUE(share.spread && share.spread->relative && share.spread->amount == 0.1);
    const SpreadReading mil = parseSpread("1mil", true);
    EXPECT_TRUE(mil.spread && !mil.spread->relative && std::abs(mil.spread->amount - 25.4e-6) < 1e-18);
    EXPECT_EQ(parseSpread("0.2", false).spread->amount, 0.2);
    EXPECT_EQ(parseSpread("60%", true).error, "'60%' is outside from 0 to 50 %");

    EXPECT_EQ(parseFrequency("2.4GHz").value, 2.4e9);
    EXPECT_EQ(parseFrequency("1G").value, 1e9);
    EXPECT_EQ(parsePermittivity("0.5").error, "'0.5' is outside 1 to 200 (vacuum is 1, FR-4 about 4.5)");
    EXPECT_EQ(parseImpedance("100 Ω").value, 100.0);
    EXPECT_EQ(parseLossTangent("0").value, 0.0);
}

} // namespace
