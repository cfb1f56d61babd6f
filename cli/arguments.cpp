// SPDX-License-Identifier: MIT
#include "cli/arguments.h"

#include <algorithm>

namespace cli {

namespace {

bool listed(const std::vector<std::string_view>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

Arguments::Arguments(const std::vector<std::string>& args, const std::vector<std::string_view>& withValue,
                     const std::vector<std::string_view>& flags)
{
    for (std::size_t i = 0; i < args.size() && error_.empty(); ++i) {
        const std::string& arg = args[i];
        // A lone "-" or a negative number is a positional; the value check refuses the latter.
        if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            positionals_.push_back(arg);
            continue;
        }
        std::string name = arg.substr(2);
        std::optional<std::string> attached;
        if (const auto equals = name.find('='); equals != std::string::npos) {
            attached = name.substr(equals + 1);
            name.resize(equals);
        }
        if (std::find(given_.begin(), given_.end(), name) == given_.end() &&
            (listed(flags, name) || listed(withValue, name)))
            given_.push_back(name);
        if (listed(flags, name)) {
            if (attached)
                error_ = "option '--" + name + "' takes no value";
            else
                flags_.push_back(name);
        } else if (listed(withValue, name)) {
            if (attached)
                values_.emplace_back(name, *attached);
            else if (i + 1 < args.size())
                values_.emplace_back(name, args[++i]);
            else
                error_ = "option '--" + name + "' needs a value";
        } else {
            error_ = "unknown option '" + arg + "'";
        }
    }
}

std::optional<std::string> Arguments::value(std::string_view option) const
{
    // The last one wins, as with most command-line tools.
    const auto last =
        std::find_if(values_.rbegin(), values_.rend(), [&](const auto& named) { return named.first == option; });
    if (last != values_.rend())
        return last->second;
    return std::nullopt;
}

bool Arguments::flag(std::string_view option) const
{
    return std::find(flags_.begin(), flags_.end(), option) != flags_.end();
}

std::optional<std::string> Arguments::unused(std::string_view variant,
                                             std::initializer_list<std::string_view> taken) const
{
    std::vector<std::string> extra;
    for (const std::string& name : given_) {
        if (name != "help" && std::find(taken.begin(), taken.end(), name) == taken.end())
            extra.push_back("--" + name);
    }
    if (extra.empty())
        return std::nullopt;
    std::string names = extra.front();
    for (std::size_t i = 1; i < extra.size(); ++i)
        names += (i + 1 == extra.size() ? " and " : ", ") + extra[i];
    return std::string(variant) + ": " + names + (extra.size() == 1 ? " does" : " do") + " not apply; leave " +
        (extra.size() == 1 ? "it" : "them") + " out";
}

std::optional<values::Decimal> valueArgument(const std::string& option, const std::string& text, values::Unit unit,
                                             std::string& error)
{
    const values::Parsed parsed = values::parseIn(text, unit);
    if (!parsed.value)
        error = option + ": " + parsed.error;
    return parsed.value;
}

std::optional<values::Series> seriesArgument(const std::string& option, const std::string& text, std::string& error)
{
    const std::optional<values::Series> series = values::seriesNamed(text);
    if (!series)
        error = option + ": '" + text + "' is not a series: write E3, E6, E12, E24, E48, E96 or E192";
    return series;
}

std::optional<values::SeriesSet> seriesSetArgument(const std::string& option, const std::string& text,
                                                   std::string& error)
{
    std::optional<values::SeriesSet> set = values::seriesSetNamed(text);
    if (!set)
        error = option + ": '" + text +
            "' is not a series: write E3, E6, E12, E24, E48, E96, E192 or a union such as E24+E96";
    return set;
}

std::optional<int> wholeArgument(const std::string& option, const std::string& text, int lo, int hi, std::string& error)
{
    const std::optional<int> n = values::parseWhole(text, lo, hi);
    if (!n)
        error =
            option + ": '" + text + "' is not a whole number from " + std::to_string(lo) + " to " + std::to_string(hi);
    return n;
}

std::optional<Range> rangeArgument(const std::string& option, const std::string& text, values::Unit unit,
                                   std::string& error)
{
    const values::ParsedRange parsed = values::parseRange(text, unit);
    if (!parsed.lo) {
        error = option + ": " + parsed.error;
        return std::nullopt;
    }
    return Range{*parsed.lo, *parsed.hi};
}

std::optional<values::Decimal> toleranceArgument(const std::string& option, const std::string& text, bool zero,
                                                 std::string& error)
{
    const std::optional<values::Decimal> tolerance = values::parseTolerance(text);
    if (!tolerance || (!zero && tolerance->mantissa == 0)) {
        error = option + ": '" + text + "' is not a tolerance: write a percentage below 100, such as 1 or 0.5";
        return std::nullopt;
    }
    return tolerance;
}

} // namespace cli
