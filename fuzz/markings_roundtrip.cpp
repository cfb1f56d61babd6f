// SPDX-License-Identifier: MIT
// mark then read: every marking that carries a value reads back to that value in ohms, the colour
// bands with the tolerance and temperature coefficient they were given. Input: 8 bytes of
// mantissa, one of exponent, one picking the tolerance, one the coefficient.
#include "support.h"

#include "numeric/format.h"
#include "values/markings.h"

#include <array>
#include <cstring>

namespace {

std::string bandNames(const std::vector<values::Colour>& bands)
{
    std::string out;
    for (values::Colour c : bands)
        out += (out.empty() ? "" : " ") + std::string(values::facts(c).name);
    return out;
}

const std::array<int, 10> coefficients{0, 250, 100, 50, 25, 20, 15, 10, 5, 1};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 11)
        return -1;
    std::uint64_t raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    // Values within the parser's range, 1e-15 up to (not including) 1e15: one decade more and
    // the reader rightly refuses what the marker wrote.
    const auto mantissa = static_cast<std::int64_t>(raw % 1000000000000000000ULL) + 1;
    const int exponent = static_cast<int>(data[8] % 30) - 15 - static_cast<int>(std::to_string(mantissa).size()) + 1;
    const values::Decimal value = values::Decimal::of(mantissa, exponent);

    std::vector<values::Decimal> tolerances{values::Decimal::of(20, 0), values::Decimal::of(3, 0)};
    for (const values::ColourFacts& f : values::colourTable()) {
        if (f.tolerance)
            tolerances.push_back(*f.tolerance);
    }
    const values::Decimal tolerance = tolerances[data[9] % tolerances.size()];
    const int ppm = coefficients[data[10] % coefficients.size()];
    const std::optional<int> tcr = ppm != 0 ? std::optional<int>(ppm) : std::nullopt;

    const values::MarkResult m = values::mark(value, tolerance, tcr);
    const std::vector<std::string> texts{values::format(value, 18)};
    if (m.error.empty() == m.markings.empty())
        fuzz::fail("either markings or a refusal", texts);
    if (!m.error.empty() && value.digits() <= values::maxMarkedDigits)
        fuzz::fail("a value of few enough digits was refused", texts);
    for (const values::Marking& marking : m.markings) {
        if (!marking.carries())
            continue;
        const std::string text = marking.bands.empty() ? marking.code : bandNames(marking.bands);
        bool found = false;
        for (const values::Reading& r : values::read(text).readings) {
            if (r.value != value || r.unit != values::Unit::Ohm)
                continue;
            found = true;
            if (!marking.bands.empty()) {
                const bool noBand = marking.bands.size() == 3;
                if (!noBand && r.tolerance != values::Tolerance::percent(tolerance))
                    fuzz::fail("the tolerance of " + text + " reads back otherwise", texts);
                if (marking.kind == values::MarkingKind::Bands6 && r.tcr != tcr)
                    fuzz::fail("the coefficient of " + text + " reads back otherwise", texts);
            }
        }
        if (!found)
            fuzz::fail(std::string(values::keyOf(marking.kind)) + " " + text + " does not read back", texts);
    }
    return 0;
}
