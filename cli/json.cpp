// SPDX-License-Identifier: MIT
#include "cli/json.h"

#include "numeric/format.h"

#include <cmath>
#include <cstdio>

namespace cli {

std::string jsonNumber(double value)
{
    // JSON has no infinity; no exact value of the program is one.
    return std::isfinite(value) ? values::shortestText(value) : "null";
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

Json& Json::reach(const values::Reach& reach, std::string_view unit)
{
    using Side = values::Reach::Side;
    key("reach").string(reach.side == Side::Below ? "below" : reach.side == Side::Above ? "above" : "within");
    key("reach_limit_" + std::string(unit));
    return reach.side == Side::Within ? null() : number(reach.precise);
}

} // namespace cli
