// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace runtime {

// Only empty, 16-bit integer and text Variants occur in this program.
using Variant = std::variant<std::monostate, std::int16_t, std::string>;

std::string StrCat(std::string_view a, std::string_view b);
// Exact and case-sensitive; 0 when equal, negative or positive as for a byte-wise compare.
int StrCmp(std::string_view a, std::string_view b);
// The text of a Variant: an integer gives its decimal digits, an empty Variant nothing.
std::string StrVarVal(const Variant& value);
Variant VarCat(const Variant& a, const Variant& b);

} // namespace runtime
