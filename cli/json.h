// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "values/nearest.h"

#include <string>
#include <string_view>
#include <vector>

namespace cli {

// A small streaming JSON writer: one line, objects and arrays nested by begin/end, strings
// escaped, every number through jsonNumber: the double nearest the exact value in the shortest
// text that reads back as that double, so 4.7 nF prints as 4.7e-9, never 4.7000000000000005e-09.
class Json {
public:
    Json& beginObject();
    Json& endObject();
    Json& beginArray();
    Json& endArray();
    Json& key(std::string_view name); // inside an object, before each value
    Json& string(std::string_view text);
    Json& number(const values::Decimal& value);
    Json& number(double value); // already the double nearest the exact value
    Json& number(long long value);
    Json& percent(double value); // always with a fraction or an exponent: 2.0, -0.2, -1.2e-5
    Json& boolean(bool value);
    Json& null();
    // "reach": "within", "below" or "above"; "reach_limit" and the unit ("reach_limit_ohm"): the
    // end beyond the target, or null.
    Json& reach(const values::Reach& reach, std::string_view unit);
    const std::string& text() const { return text_; }

private:
    void separate();
    std::string text_;
    std::vector<bool> first_; // per open container: no value written yet
    bool afterKey_ = false;
};

// A number as JSON text, the one function every command writes numbers with: the shortest
// digits that read back as the same double, plain where short ("5000", "0.47", "-0.0012"),
// else with an exponent ("4.7e-9", "1.5e16"). A Decimal goes through the double nearest it.
std::string jsonNumber(double value);
std::string jsonNumber(const values::Decimal& value);
std::string jsonEscape(std::string_view text); // with the quotes

} // namespace cli
