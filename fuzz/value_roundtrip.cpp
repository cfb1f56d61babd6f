// SPDX-License-Identifier: MIT
// The value parser on any text: no crash, only values in range, and every value it gives reads
// back unchanged from its prefix writing (all digits, and 4 digits when that is exact) and from
// its RKM code in both habits. The first byte picks the decimal separator.
#include "support.h"

#include "numeric/format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    const char separator = size > 0 && data[0] == ',' ? ',' : '.';
    const std::string text = size > 0 ? std::string(data + 1, data + size) : std::string();
    const values::Parsed parsed = values::parse(text, separator);
    if (!parsed.value) {
        if (parsed.error.empty())
            fuzz::fail("refused without a message", {text});
        return 0;
    }
    const values::Decimal v = *parsed.value;
    if (v < values::Decimal::of(1, -15) || values::Decimal::of(1, 15) < v)
        fuzz::fail("gave a value beyond 1e-15 .. 1e15", {text});
    auto readsBack = [&](const std::string& written) {
        const values::Parsed again = values::parse(written);
        if (again.value != v)
            fuzz::fail("'" + written + "' does not read back as the value it was written from", {text});
    };
    readsBack(values::format(v, v.digits()));
    if (v.digits() <= 4)
        readsBack(values::format(v));
    for (const values::Unit unit : {values::Unit::Ohm, values::Unit::Farad}) {
        const std::string rkm = values::formatRkm(v, unit, 18);
        if (!rkm.empty())
            readsBack(rkm);
    }
    return 0;
}
