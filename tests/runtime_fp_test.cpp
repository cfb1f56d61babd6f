// SPDX-License-Identifier: MIT
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/fp.h"

#include "errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

using runtime::Fp;

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double maxDouble = std::numeric_limits<double>::max();

struct ExpressionCase {
    const char* name;
    std::function<Fp()> expression;
    const char* text; // StrR8 of the checked result
    std::optional<ErrorNumber> error;
};

TEST(Checked, Expressions)
{
    const std::vector<ExpressionCase> cases = {
        {"1/0", [] { return Fp(1) / 0; }, "", divisionByZero},
        {"-5/0", [] { return Fp(-5) / 0; }, "", divisionByZero},
        {"0/0", [] { return Fp(0) / 0; }, "", overflow},
        {"1/(1/0)", [] { return Fp(1) / (Fp(1) / 0); }, "", divisionByZero},
        {"(1/0)-(1/0)", [] { return Fp(1) / 0 - Fp(1) / 0; }, "", divisionByZero},
        {"0*(1/0)", [] { return Fp(0) * (Fp(1) / 0); }, "", divisionByZero},
        {"(0/0)/0", [] { return Fp(0) / 0 / 0; }, "", overflow},
        {"inf/0", [] { return Fp(inf) / 0; }, "", divisionByZero},
        {"inf-inf", [] { return Fp(inf) - inf; }, "", overflow},
        {"inf+inf", [] { return Fp(inf) + inf; }, "", overflow},
        {"0*inf", [] { return Fp(0) * inf; }, "", overflow},
        {"inf/inf", [] { return Fp(inf) / -inf; }, "", overflow},
        {"NaN+1", [] { return Fp(nan) + 1; }, "", overflow},
        {"1/inf", [] { return Fp(1) / inf; }, "0", ok},
        {"0+5", [] { return Fp(0) + 5; }, "5", ok},
        {"0-5", [] { return Fp(0) - 5; }, "-5", ok},
        {"5-0", [] { return Fp(5) - 0; }, "5", ok},
        {"1E308*10", [] { return Fp(1e308) * 10; }, "", overflow},
        {"1E308*10/100", [] { return Fp(1e308) * 10 / 100; }, "1E+307", ok},
        {"1E-308*1E-308*1E308*1E308", [] { return Fp(1e-308) * 1e-308 * 1e308 * 1e308; }, "1", ok},
        {"1E200*1E200/(1E200+1E200)", [] { return Fp(1e200) * 1e200 / (Fp(1e200) + 1e200); }, "5E+199", ok},
        {"1/(1/2+1/2+1/(-1))", [] { return 1 / ((1 / Fp(2) + 1 / Fp(2)) + 1 / Fp(-1)); }, "", divisionByZero},
        {"1/(1/3+1/3+1/3)", [] { return 1 / ((1 / Fp(3) + 1 / Fp(3)) + 1 / Fp(3)); }, "1", ok},
        {"10*22/(10+22)", [] { return Fp(10) * 22 / (Fp(10) + 22); }, "6.875", ok},
        {"4.7*10/(4.7+10)", [] { return Fp(4.7) * 10 / (Fp(4.7) + 10); }, "3.19727891156463", ok},
        {"1/(1/10+1/22+1/47)", [] { return 1 / ((1 / Fp(10) + 1 / Fp(22)) + 1 / Fp(47)); }, "5.99767981438515", ok},
        {"1/(1/10+1/10+1/10)", [] { return 1 / ((1 / Fp(10) + 1 / Fp(10)) + 1 / Fp(10)); }, "3.33333333333333", ok},
        {"2E15*2E15/(2E15+2E15)", [] { return Fp(2e15) * 2e15 / (Fp(2e15) + 2e15); }, "1E+15", ok},
        {"1E15*1E15/2E15", [] { return Fp(1e15) * 1e15 / 2e15; }, "500000000000000", ok},
        {"10*(-5)/(10-5)", [] { return Fp(10) * -5 / (Fp(10) - 5); }, "-10", ok},
        {"0.01*0.022/0.032", [] { return Fp(0.01) * 0.022 / 0.032; }, "0.006875", ok},
        // Terms far apart: the small one vanishes without disturbing the large one's sign.
        {"(-1E600+1)/1E600", [] { return (Fp(-1e300) * 1e300 + 1) / 1e300 / 1e300; }, "-1", ok},
        {"(1-1E600)/1E600", [] { return (Fp(1) - Fp(1e300) * 1e300) / 1e300 / 1e300; }, "-1", ok},
        {"1E600-1E600", [] { return Fp(1e300) * 1e300 - Fp(1e300) * 1e300; }, "0", ok},
        {"1+1E-30-1", [] { return Fp(1) + 1e-30 - 1; }, "0", ok},
        {"1E-30+1-1", [] { return Fp(1e-30) + 1 - 1; }, "0", ok},
        {"1E-300*1E-300*1E300", [] { return Fp(1e-300) * 1e-300 * 1e300; }, "1E-300", ok},
        {"1E1200/1E900", [] { return Fp(1e300) * 1e300 * 1e300 * 1e300 / (Fp(1e300) * 1e300 * 1e300); }, "1E+300", ok},
        // Underflow raises nothing.
        {"1E-200*1E-200", [] { return Fp(1e-200) * 1e-200; }, "0", ok},
        {"-1E-200*1E-200", [] { return Fp(-1e-200) * 1e-200; }, "0", ok},
        {"max*2/2", [] { return Fp(maxDouble) * 2 / 2; }, "1.79769313486232E+308", ok},
        {"max+max", [] { return Fp(maxDouble) + maxDouble; }, "", overflow},
        {"-max-max", [] { return Fp(-maxDouble) - maxDouble; }, "", overflow},
    };
    for (const ExpressionCase& c : cases) {
        SCOPED_TRACE(c.name);
        double value = 0;
        EXPECT_EQ(errorOf([&] { value = runtime::Checked(c.expression()); }), c.error);
        if (c.error == ok) {
            EXPECT_EQ(runtime::StrR8(value), c.text);
        }
    }
}

struct RoundingCase {
    const char* name;
    std::function<Fp()> expression;
    double value;
};

TEST(Checked, RoundsOnceToTheNearestDouble)
{
    const std::vector<RoundingCase> cases = {
        // Sums: ties to even, anything beyond a tie decides it.
        {"1+2^-53", [] { return Fp(1) + 0x1p-53; }, 1.0},
        {"1+(2^-53+2^-105)", [] { return Fp(1) + 0x1.0000000000001p-53; }, 0x1.0000000000001p+0},
        {"(1+2^-52)+2^-53", [] { return Fp(0x1.0000000000001p+0) + 0x1p-53; }, 0x1.0000000000002p+0},
        {"-1-2^-53", [] { return Fp(-1) - 0x1p-53; }, -1.0},
        {"1+2^-899", [] { return Fp(1) + 0x1p-899; }, 1.0},
        {"1-2^-2000", [] { return Fp(1) - Fp(0x1p-1000) * 0x1p-1000; }, 1.0},
        // The largest Double plus half its last unit is a tie that rounds up and out of range;
        // a quarter unit stays in.
        {"max+2^969", [] { return Fp(maxDouble) + 0x1p969; }, maxDouble},
        {"max+2^970", [] { return Fp(maxDouble) + 0x1p970; }, inf},
        // Into the subnormal range, rounded once.
        {"1.5 units", [] { return Fp(0x1.8p-1000) * 0x1p-74; }, 0x1p-1073},
        {"1.25 units", [] { return Fp(0x1.4p-1000) * 0x1p-74; }, 0x1p-1074},
        {"0.5 units", [] { return Fp(0x1p-1000) * 0x1p-75; }, 0.0},
        {"just over 0.5 units", [] { return Fp(0x1.0000000000001p-1000) * 0x1p-75; }, 0x1p-1074},
        {"2^51 - 1/4 units", [] { return Fp(0x1.fffffffffffffp-1000) * 0x1p-24; }, 0x1p-1023},
        {"2^-1800 x 2^730", [] { return Fp(0x1p-900) * 0x1p-900 * 0x1p730; }, 0x1p-1070},
    };
    for (const RoundingCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expression().rounded(), c.value);
    }
}

TEST(Checked, ExponentsSaturateInsteadOfWrapping)
{
    Fp huge(1e300);
    Fp tiny(1e-300);
    for (int i = 0; i < 80; ++i) {
        huge = huge * huge;
        tiny = tiny * tiny;
    }
    EXPECT_EQ(huge.rounded(), inf);
    EXPECT_EQ(tiny.rounded(), 0.0);
    EXPECT_EQ(errorOf([&] { runtime::Checked(huge); }), overflow);
    EXPECT_EQ(runtime::Checked(tiny), 0.0);
    EXPECT_EQ((huge * tiny).conditions(), runtime::FpConditions{});
}

TEST(Fp, ConditionsCarryThroughLaterOperations)
{
    const runtime::FpConditions none{};
    const runtime::FpConditions zeroDivide{true, false};
    const runtime::FpConditions invalid{false, true};
    const runtime::FpConditions both{true, true};
    EXPECT_EQ((Fp(1) + 2).conditions(), none);
    EXPECT_EQ((Fp(1) / 0).conditions(), zeroDivide);
    EXPECT_EQ((Fp(2) + Fp(1) / 0 * 3).conditions(), zeroDivide);
    EXPECT_EQ((Fp(0) / 0 - 1).conditions(), invalid);
    EXPECT_EQ((Fp(1) / 0 - Fp(1) / 0).conditions(), both);
    EXPECT_EQ((Fp(1) / 0 + Fp(0) / 0).conditions(), both);
    EXPECT_EQ((Fp(nan) * 0).conditions(), none);
}

TEST(FPException, DivisionByZeroWins)
{
    const std::vector<std::pair<runtime::FpConditions, std::optional<ErrorNumber>>> cases = {
        {{false, false}, ok},
        {{true, false}, divisionByZero},
        {{false, true}, overflow},
        {{true, true}, divisionByZero},
    };
    for (const auto& [conditions, error] : cases) {
        SCOPED_TRACE(std::to_string(conditions.divisionByZero) + std::to_string(conditions.invalid));
        EXPECT_EQ(errorOf([&, conditions = conditions] { runtime::FPException(conditions); }), error);
    }
}

} // namespace
