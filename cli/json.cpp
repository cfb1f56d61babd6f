// SPDX-License-Identifier: MIT
#include "cli/json.h"

#include <cstdio>
#include <cstdlib>

namespace cli {

std::string jsonNumber(const values::Decimal& value)
{
    if (value.mantissa == 0)
        return "0";
    std::string digits = std::to_string(value.mantissa < 0 ? -static_cast<unsigned long long>(value.mantissa)
                                                           : static_cast<unsigned long long>(value.mantissa));
    const std::string sign = value.mantissa < 0 ? "-" : "";
    const int order = static_cast<int>(digits.size()) - 1 + value.exponent;
    // Plain where a reader sees it at a glance, exponent form for the very small and large.
    if (order >= -4 && order <= 15) {
        if (value.exponent >= 0)
            return sign + digits + std::string(static_cast<std::size_t>(value.exponent), '0');
        const auto fraction = static_cast<std::size_t>(-value.exponent);
        if (fraction < digits.size())
            return sign + digits.substr(0, digits.size() - fraction) + "." + digits.substr(digits.size() - fraction);
        return sign + "0." + std::string(fraction - digits.size(), '0') + digits;
    }
    std::string text = sign + digits.substr(0, 1);
    if (digits.size() > 1)
        text += "." + digits.substr(1);
    return text + "e" + std::to_string(order);
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

Json& Json::number(long long value)
{
    separate();
    text_ += std::to_string(value);
    return *this;
}

Json& Json::percent(const values::Decimal& value)
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

} // namespace cli
