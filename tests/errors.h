// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/error.h"

#include <optional>
#include <ostream>

namespace {

using runtime::ErrorNumber;
constexpr std::optional<ErrorNumber> ok;
constexpr ErrorNumber overflow = ErrorNumber::Overflow;
constexpr ErrorNumber divisionByZero = ErrorNumber::DivisionByZero;
constexpr ErrorNumber mismatch = ErrorNumber::TypeMismatch;

// The error a call raises, none when it returns.
template <class F>
std::optional<ErrorNumber> errorOf(F&& call)
{
    try {
        call();
    } catch (const runtime::Error& e) {
        return e.code();
    }
    return ok;
}

} // namespace

namespace runtime {
inline void PrintTo(ErrorNumber number, std::ostream* os)
{
    *os << "error " << static_cast<int>(number);
}
} // namespace runtime
