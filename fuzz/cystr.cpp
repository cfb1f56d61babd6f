// SPDX-License-Identifier: MIT
// CyStr against the exact-decimal judge: the same count of ten-thousandths, or the same error;
// and what it reads, StrCy writes back to the same Currency.
#include "decimal.h"
#include "support.h"

#include "runtime/convert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    const fuzz::TextInput input = fuzz::textInput(data, size);
    runtime::Currency value;
    const fuzz::Raised error = fuzz::errorOf([&] { value = runtime::CyStr(input.text, input.separator); });
    const fuzz::Expected expected = fuzz::expectedCurrency(input.text, input.separator);
    if (error != expected.error)
        fuzz::fail("CyStr raised " + fuzz::describe(error) + ", expected " + fuzz::describe(expected.error),
                   {input.text});
    if (error)
        return 0;
    if (std::to_string(value.scaled()) != expected.value)
        fuzz::fail("CyStr gave " + std::to_string(value.scaled()) + " ten-thousandths, expected " + expected.value,
                   {input.text});
    const std::string written = runtime::StrCy(value, input.separator);
    if (runtime::CyStr(written, input.separator) != value)
        fuzz::fail("StrCy wrote \"" + written + "\", which reads back differently", {input.text});
    return 0;
}
