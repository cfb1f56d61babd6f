// SPDX-License-Identifier: MIT
// R8Str against glibc's strtod on the same digits: the same Double, or the same error; and the
// 15 significant digits StrR8 writes for it read back to a Double with the same 15 digits.
#include "decimal.h"
#include "support.h"

#include "runtime/convert.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    const fuzz::TextInput input = fuzz::textInput(data, size);
    double value = 0;
    const fuzz::Raised error = fuzz::errorOf([&] { value = runtime::R8Str(input.text, input.separator); });
    const fuzz::ExpectedDouble expected = fuzz::expectedDouble(input.text, input.separator);
    if (error != expected.error)
        fuzz::fail("R8Str raised " + fuzz::describe(error) + ", expected " + fuzz::describe(expected.error),
                   {input.text});
    if (error)
        return 0;
    if (!(value == expected.value))
        fuzz::fail("R8Str gave " + runtime::StrR8(value) + ", not the nearest Double", {input.text});

    const std::string written = runtime::StrR8(value, input.separator);
    double again = 0;
    const fuzz::Raised againError = fuzz::errorOf([&] { again = runtime::R8Str(written, input.separator); });
    // Only the largest Doubles round up past the range at 15 digits (1.79769313486232E+308).
    const fuzz::Raised expectedAgain = fuzz::expectedDouble(written, input.separator).error;
    if (againError != expectedAgain ||
        (againError == runtime::ErrorNumber::Overflow && std::fabs(value) < 1.797693134862315e308))
        fuzz::fail("StrR8 wrote \"" + written + "\", which R8Str cannot read back", {input.text});
    if (!againError && runtime::StrR8(again, input.separator) != written)
        fuzz::fail("StrR8 wrote \"" + written + "\", which reads back as " + runtime::StrR8(again, input.separator),
                   {input.text});
    return 0;
}
