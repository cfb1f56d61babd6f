// SPDX-License-Identifier: MIT
#pragma once

#include <exception>
#include <string>

namespace runtime {

// The numbered run-time errors the program can raise; the numbers are the ones users see.
enum class ErrorNumber : int {
    Overflow = 6,
    DivisionByZero = 11,
    TypeMismatch = 13,
};

class Error : public std::exception {
public:
    explicit Error(ErrorNumber number);

    int number() const noexcept { return static_cast<int>(number_); }
    ErrorNumber code() const noexcept { return number_; }
    // "Overflow", "Division by zero" or "Type mismatch".
    const std::string& description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    ErrorNumber number_;
    std::string description_;
};

// How every numbered error is raised.
[[noreturn]] void raise(ErrorNumber number);

} // namespace runtime
