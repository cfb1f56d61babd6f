// SPDX-License-Identifier: MIT
// StrCy of any Currency: every digit, no E notation, no trailing fractional zeros; and CyStr
// reads it back to the very same Currency.
#include "support.h"

#include "runtime/convert.h"

#include <cstring>

namespace {

// The count of ten-thousandths written out by hand: the point goes four digits from the right.
std::string expectedText(std::int64_t scaled, std::string_view separator)
{
    std::string digits = std::to_string(scaled);
    const bool negative = digits.front() == '-';
    if (negative)
        digits.erase(0, 1);
    if (digits.size() < 5)
        digits.insert(0, 5 - digits.size(), '0');
    std::string whole = digits.substr(0, digits.size() - 4);
    std::string fraction = digits.substr(digits.size() - 4);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    std::string text = negative ? "-" + whole : whole;
    if (!fraction.empty())
        text += std::string(separator) + fraction;
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::int64_t scaled = 0;
    if (size != 1 + sizeof scaled)
        return -1;
    const std::string_view separator = fuzz::separatorFor(data[0]);
    std::memcpy(&scaled, data + 1, sizeof scaled);
    const runtime::Currency value = runtime::Currency::fromScaled(scaled);

    const std::string written = runtime::StrCy(value, separator);
    const std::vector<std::string> shown{written};
    if (written != expectedText(scaled, separator))
        fuzz::fail("StrCy of " + std::to_string(scaled) + " ten-thousandths wrote the wrong text", shown);
    runtime::Currency again;
    if (fuzz::errorOf([&] { again = runtime::CyStr(written, separator); }) || again != value)
        fuzz::fail("CyStr does not read back what StrCy wrote", shown);
    return 0;
}
