// SPDX-License-Identifier: MIT
// I4Str against the exact-decimal judge: the same Long, or the same error, 6 or 13.
#include "decimal.h"
#include "support.h"

#include "runtime/convert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    const fuzz::TextInput input = fuzz::textInput(data, size);
    std::int32_t value = 0;
    const fuzz::Raised error = fuzz::errorOf([&] { value = runtime::I4Str(input.text, input.separator); });
    const fuzz::Expected expected = fuzz::expectedLong(input.text, input.separator);
    if (error != expected.error)
        fuzz::fail("I4Str raised " + fuzz::describe(error) + ", expected " + fuzz::describe(expected.error),
                   {input.text});
    if (!error && std::to_string(value) != expected.value)
        fuzz::fail("I4Str gave " + std::to_string(value) + ", expected " + expected.value, {input.text});
    return 0;
}
