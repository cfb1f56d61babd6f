// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/parse.h"
#include "values/series.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// A command's arguments: positionals and --options, each option either a flag or taking the next
// argument ("--series E24") or an attached one ("--series=E24"). Every mistake becomes one line
// naming the argument, so each command reports it the same way.
class Arguments {
public:
    // `withValue` and `flags` list the options the command knows, without the leading "--".
    Arguments(const std::vector<std::string>& args, const std::vector<std::string_view>& withValue,
              const std::vector<std::string_view>& flags);

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; } // "unknown option '--sereis'"
    const std::vector<std::string>& positionals() const { return positionals_; }
    std::optional<std::string> value(std::string_view option) const;
    bool flag(std::string_view option) const;

    // When options outside `taken` (what one variant of a command reads) were given, the line
    // that refuses them: "timer --mono: --f and --duty do not apply". A command that ignored
    // them would answer a question other than the one asked.
    std::optional<std::string> unused(std::string_view variant, std::initializer_list<std::string_view> taken) const;

private:
    std::vector<std::string> given_; // option names, once each, in the order typed
    std::vector<std::string> positionals_;
    std::vector<std::pair<std::string, std::string>> values_;
    std::vector<std::string> flags_;
    std::string error_;
};

// A value for an option, in the unit it may carry (Unit::None: any unit). The messages start
// with `option` ("--vout", or the command's name for its positional value).
std::optional<values::Decimal> valueArgument(const std::string& option, const std::string& text, values::Unit unit,
                                             std::string& error);

// One series, "E24", for the commands whose parts come from a single one.
std::optional<values::Series> seriesArgument(const std::string& option, const std::string& text, std::string& error);

// A series or a union of them, "E24+E96".
std::optional<values::SeriesSet> seriesSetArgument(const std::string& option, const std::string& text,
                                                   std::string& error);

// A whole number from lo to hi, digits only.
std::optional<int> wholeArgument(const std::string& option, const std::string& text, int lo, int hi,
                                 std::string& error);

// "10..1M": two values, the lower first, around "..", in the unit they may carry.
struct Range {
    values::Decimal lo;
    values::Decimal hi;
};
std::optional<Range> rangeArgument(const std::string& option, const std::string& text, values::Unit unit,
                                   std::string& error);

// A percentage below 100 ("1", "0.5 %"); zero, however written, only where `zero` allows it.
std::optional<values::Decimal> toleranceArgument(const std::string& option, const std::string& text, bool zero,
                                                 std::string& error);

} // namespace cli
