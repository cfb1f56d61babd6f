// SPDX-License-Identifier: MIT
#pragma once

#include "arithmetic/calculation.h"
#include "runtime/error.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the fuzz targets read their input and report a broken property.
namespace fuzz {

// Longer texts add nothing the judges can tell apart, only time.
constexpr std::size_t maxInputSize = 4096;

// The first byte picks the decimal separator: ',' a comma, 0xD9 the two-byte Arabic one, any
// other byte a full stop. Seeds therefore read as the separator followed by the text.
std::string_view separatorFor(std::uint8_t selector);

struct TextInput {
    std::string_view separator;
    std::string text;
};
TextInput textInput(const std::uint8_t* data, std::size_t size);

// A calculator's input: the separator byte, a precision byte ('2' or '3' as under Options, any
// other none), then the fields separated by newlines; missing fields are empty and the last
// field takes whatever follows.
struct CalculatorInput {
    arithmetic::Display display;
    std::vector<std::string> fields;
};
CalculatorInput calculatorInput(const std::uint8_t* data, std::size_t size, std::size_t fieldCount);

[[noreturn]] void fail(std::string_view property, const std::vector<std::string>& texts);

using runtime::ErrorNumber;
// The run-time error a call raised; none when it returned.
using Raised = std::optional<ErrorNumber>;
// "6", "13", ... or "none", for messages.
std::string describe(Raised error);

// What a call did. Any exception but a run-time error breaks the contract and ends the run.
template <class Call>
Raised errorOf(Call&& call)
{
    try {
        call();
    } catch (const runtime::Error& error) {
        return error.code();
    } catch (const std::exception& other) {
        fail(std::string("unexpected exception: ") + other.what(), {});
    }
    return std::nullopt;
}

// What a calculator did: its line, or the error and, for a field that did not convert, which.
struct Outcome {
    std::string line;
    Raised error;
    std::optional<std::size_t> field;
};

template <class Call>
Outcome outcomeOf(Call&& call, const std::vector<std::string>& texts)
{
    Outcome outcome;
    try {
        outcome.line = call();
    } catch (const arithmetic::FieldError& error) {
        outcome.error = error.code();
        outcome.field = error.field;
    } catch (const runtime::Error& error) {
        outcome.error = error.code();
    } catch (const std::exception& other) {
        fail(std::string("unexpected exception: ") + other.what(), texts);
    }
    return outcome;
}

// The first field the judge expects to fail, with its error; nullopt when all convert.
struct FieldFailure {
    std::size_t field;
    ErrorNumber error;
};
std::optional<FieldFailure> firstFailure(const std::vector<Raised>& fieldErrors);

// Checks that a failed conversion is reported as that field's, and an arithmetic error as no
// field's, so the screen selects the right field to retype.
void checkFailure(const Outcome& outcome, std::optional<FieldFailure> expected, const std::vector<std::string>& texts);

// The number a result line shows between its fixed prefix and suffix; a line of any other shape,
// or whose number is not one the program itself would read back, ends the run.
std::string_view shownNumber(const Outcome& outcome, std::string_view prefix, std::string_view suffix,
                             const arithmetic::Display& display, const std::vector<std::string>& texts);

// A shown number as a long double, for comparing with a result computed apart.
long double numericValue(std::string_view number, std::string_view separator);

} // namespace fuzz
