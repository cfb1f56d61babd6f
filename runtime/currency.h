// SPDX-License-Identifier: MIT
#pragma once

#include <compare>
#include <cstdint>

namespace runtime {

// Fixed point with four decimals: a 64-bit count of ten-thousandths.
class Currency {
public:
    static constexpr std::int64_t scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromScaled(std::int64_t tenThousandths)
    {
        Currency c;
        c.scaled_ = tenThousandths;
        return c;
    }

    constexpr std::int64_t scaled() const { return scaled_; }

    friend constexpr auto operator<=>(Currency, Currency) = default;

private:
    std::int64_t scaled_ = 0;
};

} // namespace runtime
