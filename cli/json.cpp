// SPDX-License-Identifier: MIT
#include "cli/json.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace cli {

std::string jsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null"; // JSON has no infinity; no exact value of the program is one
    if (value == 0)
        return "0";
    // Scientific gives the shortest round-trip digits and their order; lay them out from there.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::abs(value), std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    std::string digits = text.substr(0, e);
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
    const int order = std::stoi(text.substr(e + 1));
    const std::string sign = value < 0 ? "-" : "";
    const int exponent = order - static_cast<int>(digits.size()) + 1; // of the last digit
    // Plain where a reader sees it at a glance, exponent form for the very small and large.
    if (order >= -4 && order <= 15) {
        if (exponent >= 0)
            return sign + digits + std::string(static_cast<std::size_t>(exponent), '0');
        const auto fraction = static_cast<std::size_t>(-exponent);
        if (fraction < digits.size())
            return sign + digits.substr(0, digits.size() - fraction) + "." + digits.substr(digits.size() - fraction);
        return sign + "0." + std::string(fraction - digits.size(), '0') + digits;
    }
    std::string out = sign + digits.substr(0, 1);
    if (digits.size() > 1)
        out += "." + digits.substr(1);
    return out + "e" + std::to_string(order);
}

std::string jsonNumber(const values::Decimal& value)
{
    return jsonNumber(value.nearestDouble());
}

std::string jsonEscape(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
                out += buffer;
            } else {
                out += c; // UTF-8 passes through: JSON is UTF-8
            }
        }
    }
    return out + "\"";
}

void Json::separate()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back())
            text_ += ", ";
        first_.back() = false;
    }
}

Json& Json::beginObject()
{
    separate();
    text_ += '{';
    first_.push_back(true);
    return *this;
}

Json& Json::endObject()
{
    first_.pop_back();
    text_ += '}';
    return *this;
}

Json& Json::beginArray()
{
    separate();
    text_ += '[';
    first_.push_back(true);
    return *this;
}

Json& Json::endArray()
{
    first_.pop_back();
    text_ += ']';
    return *this;
}

Json& Json::key(std::string_view name)
{
    separate();
    text_ += jsonEscape(name) + ": ";
    afterKey_ = true;
    return *this;
}

Json& Json::string(std::string_view text)
{
    separate();
    text_ += jsonEscape(text);
    return *this;
}

Json& Json::number(const values::Decimal& value)
{
    separate();
    text_ += jsonNumber(value);
    return *this;
}

Json& Json::number(double value)
{
    separate();
    text_ += jsonNumber(value);
    return *this;
}

Json& Json::number(long long value)
{
    separate();
    text_ += std::to_string(value);
    return *this;
}

Json& Json::percent(double value)
{
    separate();
    std::string text = jsonNumber(value);
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    text_ += text;
    return *this;
}

Json& Json::boolean(bool value)
{
    separate();
    text_ += value ? "true" : "false";
    return *this;
}

Json& Json::null()
{
    separate();
    text_ += "null";
    return *this;
}

Json& Json::reach(const values::Reach& reach)
{
    using Side = values::Reach::Side;
    key("reach").string(reach.side == Side::Below ? "below" : reach.side == Side::Above ? "above" : "within");
    key("reach_limit");
    return reach.side == Side::Within ? null() : number(reach.precise);
}

} // namespace cli
