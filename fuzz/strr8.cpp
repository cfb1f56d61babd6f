// SPDX-License-Identifier: MIT
// StrR8 of any finite Double: the 15 significant digits glibc's printf rounds it to, in E
// notation exactly where fixed notation is not allowed, read back by R8Str to a Double with
// the same 15 digits.
#include "decimal.h"
#include "support.h"

#include "runtime/convert.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// The value of a number text with its trailing fractional zeros dropped, for comparing two
// spellings of one decimal.
std::string canonical(const fuzz::ExactDecimal& value)
{
    std::string digits = value.digits;
    std::int64_t exponent = value.exponent;
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    if (digits.empty())
        return "0";
    return (value.negative ? "-" : "") + digits + "e" + std::to_string(exponent);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    double value = 0;
    if (size != 1 + sizeof value)
        return -1;
    const std::string_view separator = fuzz::separatorFor(data[0]);
    std::memcpy(&value, data + 1, sizeof value);
    if (!std::isfinite(value))
        return -1;

    const std::string written = runtime::StrR8(value, separator);
    const std::vector<std::string> shown{written};
    const auto read = fuzz::readNumber(written, separator);
    if (!read)
        fuzz::fail("StrR8 wrote no number text", shown);

    // printf's %.14e is correctly rounded, ties to even on the binary value, as StrR8 must be.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    const auto rounded = fuzz::readNumber(buffer, ".");
    if (canonical(*read) != canonical(*rounded))
        fuzz::fail("StrR8 wrote " + written + " where 15 digits are " + buffer, shown);

    if (value != 0) {
        // d.ddd...e±x: the decimal exponent, and the decimals fixed notation would need.
        const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
        std::string digits(buffer + (value < 0 ? 1 : 0), std::strchr(buffer, 'e'));
        digits.erase(1, 1);
        digits.erase(digits.find_last_not_of('0') + 1);
        const int decimals = static_cast<int>(digits.size()) - 1 - exponent;
        const bool scientific = exponent >= 15 || exponent < -4 || decimals > 15;
        if (scientific != (written.find('E') != std::string::npos))
            fuzz::fail("StrR8 chose the wrong notation", shown);
    }

    double again = 0;
    const fuzz::Raised error = fuzz::errorOf([&] { again = runtime::R8Str(written, separator); });
    // Only the largest Doubles round up past the range at 15 digits (1.79769313486232E+308).
    if (error == runtime::ErrorNumber::Overflow && std::fabs(value) >= 1.797693134862315e308)
        return 0;
    if (error)
        fuzz::fail("R8Str cannot read back what StrR8 wrote", shown);
    if (runtime::StrR8(again, separator) != written)
        fuzz::fail("reads back as " + runtime::StrR8(again, separator), shown);
    return 0;
}
