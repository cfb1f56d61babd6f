// SPDX-License-Identifier: MIT
#include "runtime/error.h"
#include "runtime/ratio.h"

#include "errors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using runtime::Currency;

namespace {
Currency cy(std::int64_t scaled)
{
    return Currency::fromScaled(scaled);
}
constexpr std::int64_t maxScaled = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t minScaled = std::numeric_limits<std::int64_t>::min();
} // namespace

TEST(CyMulDiv, RoundsTheExactQuotientOnceTiesToEven)
{
    const struct {
        std::int64_t a, b, c, d, expected; // all in ten-thousandths
    } cases[] = {
        {10000, 10000, 10000, 10000, 5000}, // 1 x 1/2
        {1, 10000, 10000, 10000, 0},        // 0.00005: tie, to even
        {3, 10000, 10000, 10000, 2},        // 0.00015: tie, to even
        {-1, 10000, 10000, 10000, 0},       // -0.00005
        {-3, 10000, 10000, 10000, -2},      // -0.00015
        {5, 10000, 10000, 10000, 2},        // 0.00025 -> 0.0002
        {7, 10000, 10000, 10000, 4},        // 0.00035 -> 0.0004
        {20000, 10000, 10000, 20000, 6667}, // 2/3
        {-20000, 10000, 10000, 20000, -6667},
        {maxScaled, 10000, 0, 10000, maxScaled}, // x 1
        {minScaled, 10000, 0, 10000, minScaled},
        {maxScaled, maxScaled, maxScaled, maxScaled, maxScaled / 2 + 1}, // .5 tie up to even
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " " << c.b << " " << c.c << " " << c.d);
        EXPECT_EQ(runtime::CyMulDiv(cy(c.a), cy(c.b), cy(c.c), cy(c.d)).scaled(), c.expected);
    }
}

TEST(CyMulDiv, RaisesWhenTheResultCannotBeHeldOrTheSumIsZero)
{
    const struct {
        std::int64_t a, b, c, d;
        ErrorNumber error;
    } cases[] = {
        {maxScaled, 20000, 0, 10000, overflow},
        {minScaled, -10000, 0, 10000, overflow},
        {maxScaled, 10000, 5000, 0, overflow},
        {10000, 10000, -10000, 10000, divisionByZero},
        {0, 10000, -10000, 10000, divisionByZero}, // dividing first: b / 0 whatever a is
        {10000, 0, 0, 0, overflow},                // 0 / 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " " << c.b << " " << c.c << " " << c.d);
        try {
            runtime::CyMulDiv(cy(c.a), cy(c.b), cy(c.c), cy(c.d));
            ADD_FAILURE() << "no error";
        } catch (const runtime::Error& e) {
            EXPECT_EQ(e.code(), c.error);
        }
    }
}
