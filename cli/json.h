// SPDX-License-Identifier: MIT
#pragma once

#include "values/decimal.h"

#include <string>
#include <string_view>
#include <vector>

namespace cli {

// A small streaming JSON writer: one line, objects and arrays nested by begin/end, strings
// escaped, numbers from exact decimals so 4.7 nF prints as 4.7e-9 and never as 4.7000000000000005e-09.
class Json {
public:
    Json& beginObject();
    Json& endObject();
    Json& beginArray();
    Json& endArray();
    Json& key(std::string_view name); // inside an object, before each value
    Json& string(std::string_view text);
    Json& number(const values::Decimal& value);
    Json& number(long long value);
    Json& percent(const values::Decimal& value); // always with a fraction: 2.0, -0.2
    Json& boolean(bool value);
    Json& null();
    const std::string& text() const { return text_; }

private:
    void separate();
    std::string text_;
    std::vector<bool> first_; // per open container: no value written yet
    bool afterKey_ = false;
};

// The exact decimal as JSON number text: plain where short ("5000", "0.47"), else with an
// exponent ("4.7e-9", "1.5e12").
std::string jsonNumber(const values::Decimal& value);
std::string jsonEscape(std::string_view text); // with the quotes

} // namespace cli
