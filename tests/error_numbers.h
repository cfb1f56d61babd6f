// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/error.h"

namespace {

constexpr int ok = 0;
constexpr int overflow = 6;
constexpr int divisionByZero = 11;
constexpr int mismatch = 13;

// The error number a call raises, 0 when it returns.
template <class F>
int errorOf(F&& call)
{
    try {
        call();
    } catch (const runtime::Error& e) {
        return e.number();
    }
    return ok;
}

} // namespace
