// SPDX-License-Identifier: MIT
#include "runtime/text.h"

#include <string>
#include <type_traits>

namespace runtime {

std::string StrCat(std::string_view a, std::string_view b)
{
    std::string result;
    result.reserve(a.size() + b.size());
    result.append(a);
    result.append(b);
    return result;
}

int StrCmp(std::string_view a, std::string_view b)
{
    // char_traits<char> compares as unsigned bytes, so UTF-8 sorts by byte value.
    const int c = a.compare(b);
    return (c > 0) - (c < 0);
}

std::string StrVarVal(const Variant& value)
{
    return std::visit(
        [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return {};
            else if constexpr (std::is_same_v<T, std::int16_t>)
                return std::to_string(v);
            else
                return v;
        },
        value);
}

Variant VarCat(const Variant& a, const Variant& b)
{
    return Variant{StrCat(StrVarVal(a), StrVarVal(b))};
}

} // namespace runtime
