// SPDX-License-Identifier: MIT
#include "runtime/error.h"

namespace runtime {

namespace {

const char* describe(ErrorNumber number)
{
    switch (number) {
    case ErrorNumber::Overflow:
        return "Overflow";
    case ErrorNumber::DivisionByZero:
        return "Division by zero";
    case ErrorNumber::TypeMismatch:
        return "Type mismatch";
    }
    // Only reachable through a cast from an unlisted number; still give it a text.
    return "Error";
}

} // namespace

Error::Error(ErrorNumber number)
    : number_(number)
    , description_(describe(number))
{
}

void raise(ErrorNumber number)
{
    throw Error(number);
}

} // namespace runtime
