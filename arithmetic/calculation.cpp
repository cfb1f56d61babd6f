// SPDX-License-Identifier: MIT
#include "arithmetic/calculation.h"

#include "runtime/convert.h"

namespace arithmetic {

namespace {
template <class Convert>
auto convertField(std::size_t field, Convert convert)
{
    try {
        return convert();
    } catch (const runtime::Error& error) {
        throw FieldError(error, field);
    }
}
} // namespace

std::int32_t longField(std::size_t field, std::string_view text, const Display& display)
{
    return convertField(field, [&] { return runtime::I4Str(text, display.separator); });
}

double doubleField(std::size_t field, std::string_view text, const Display& display)
{
    return convertField(field, [&] { return runtime::R8Str(text, display.separator); });
}

runtime::Currency currencyField(std::size_t field, std::string_view text, const Display& display)
{
    return convertField(field, [&] { return runtime::CyStr(text, display.separator); });
}

std::string showDouble(double value, const Display& display)
{
    if (display.decimals)
        value = runtime::RoundR8(value, *display.decimals);
    return runtime::StrR8(value, display.separator);
}

std::string showCurrency(runtime::Currency value, const Display& display)
{
    if (display.decimals)
        value = runtime::RoundCy(value, *display.decimals);
    return runtime::StrCy(value, display.separator);
}

Arithmetic arithmeticOf(TwoFields calculator)
{
    return
        [calculator](const std::vector<std::string>& t, const Display& d) { return calculator(t.at(0), t.at(1), d); };
}

Arithmetic arithmeticOf(ThreeFields calculator)
{
    return [calculator](const std::vector<std::string>& t, const Display& d) {
        return calculator(t.at(0), t.at(1), t.at(2), d);
    };
}

} // namespace arithmetic
