// SPDX-License-Identifier: MIT
#include "cli/standard.h"

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/json.h"
#include "cli/table.h"

#include "numeric/format.h"
#include "values/nearest.h"
#include "values/networks.h"
#include "values/series.h"
#include "values/stock.h"

#include <fstream>
#include <new>
#include <ostream>
#include <sstream>
#include <string_view>

namespace cli {

namespace {

// What follows "is not a resistance": capacitors need the flag.
std::string withoutCapacitor(const std::string& text)
{
    const values::Parsed parsed = values::parse(text);
    return parsed.value && parsed.unit == values::Unit::Farad ? " (add --capacitor for capacitors)" : "";
}

std::string reachText(const values::Reach& reach, std::string_view unit)
{
    return std::string("Out of reach: networks of these parts go no ") +
        (reach.side == values::Reach::Side::Below ? "lower" : "higher") + " than " +
        values::withUnit(reach.limit, unit);
}

} // namespace

int runNearest(const Arguments& a, std::ostream& out, std::ostream& err)
{
    std::string error;
    const auto target = valueArgument("nearest", a.positionals()[0], values::Unit::None, error);
    if (!target)
        return usage(err, error);
    values::SeriesSet set(values::allSeries.begin(), values::allSeries.end());
    if (const auto named = a.value("series")) {
        const auto chosen = seriesSetArgument("--series", *named, error);
        if (!chosen)
            return usage(err, error);
        set = *chosen;
    }
    if (a.flag("json")) {
        Json json;
        json.beginObject().key("target").number(*target).key("series").beginArray();
        for (const values::Series s : set) {
            const values::Nearest n = values::nearest(*target, s);
            json.beginObject()
                .key("name")
                .string(values::name(s))
                .key("nearest")
                .number(n.nearest)
                .key("error_pct")
                .percent(values::deviation(n.nearest, *target).precise)
                .key("below")
                .number(n.below)
                .key("above")
                .number(n.above)
                .key("exact")
                .boolean(n.exact)
                .endObject();
        }
        json.endArray().endObject();
        out << json.text() << '\n';
        return exitOk;
    }
    out << "Target " << values::format(*target, values::allDigits) << '\n';
    using A = Table::Align;
    Table table({"series", "nearest", "deviation", "below", "deviation", "above", "deviation", "exact"},
                {A::Left, A::Right, A::Right, A::Right, A::Right, A::Right, A::Right, A::Left});
    for (const values::Series s : set) {
        const values::Nearest n = values::nearest(*target, s);
        table.add({std::string(values::name(s)), values::format(n.nearest),
                   values::deviation(n.nearest, *target).text(), values::format(n.below),
                   values::deviation(n.below, *target).text(), values::format(n.above),
                   values::deviation(n.above, *target).text(), n.exact ? "yes" : ""});
    }
    table.print(out);
    return exitOk;
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option, in the order they are listed
int runCombine(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const double started = values::threadCpuSeconds(); // reading a large stock takes its share
    values::SearchOptions options;
    options.kind = a.flag("capacitor") ? values::Kind::Capacitor : values::Kind::Resistor;
    const bool capacitor = options.kind == values::Kind::Capacitor;
    const values::Unit unit = capacitor ? values::Unit::Farad : values::Unit::Ohm;
    std::string error;
    const auto target = valueArgument("combine", a.positionals()[0], unit, error);
    if (!target)
        return usage(err, capacitor ? error : error + withoutCapacitor(a.positionals()[0]));
    if (const auto parts = a.value("parts")) {
        const auto n = wholeArgument("--parts", *parts, 1, 4, error);
        if (!n)
            return usage(err, error);
        options.maxParts = *n;
    }
    if (const auto top = a.value("top")) {
        const auto n = wholeArgument("--top", *top, 1, 1000, error);
        if (!n)
            return usage(err, error);
        options.top = *n;
    }

    std::vector<values::Part> parts;
    if (const auto file = a.value("stock")) {
        if (a.value("series") || a.value("range"))
            return usage(err, "--stock: the parts come from the file, so --series and --range do not apply");
        // A file of thousands of bad lines says the first few and how many more.
        constexpr std::size_t problemsShown = 20;
        const std::optional<values::StockRead> stock = values::readStockFile(*file, unit, problemsShown, error);
        if (!stock)
            return usage(err, "--stock: " + error);
        for (const values::StockEntry& e : stock->problems)
            message(err, *file + ", line " + std::to_string(e.line) + ": left out: " + e.reason);
        if (stock->problemCount > stock->problems.size())
            message(err,
                    *file + ": " + std::to_string(stock->problemCount - stock->problems.size()) +
                        " more lines left out");
        parts = stock->parts;
    } else {
        values::SeriesSet set{capacitor ? values::Series::E12 : values::Series::E24};
        if (const auto named = a.value("series")) {
            const auto chosen = seriesSetArgument("--series", *named, error);
            if (!chosen)
                return usage(err, error);
            set = *chosen;
        }
        values::Decimal lo = capacitor ? values::Decimal::of(1, -12) : values::Decimal::of(10, 0);
        values::Decimal hi = capacitor ? values::Decimal::of(10, -3) : values::Decimal::of(1, 6);
        if (const auto range = a.value("range")) {
            const auto r = rangeArgument("--range", *range, unit, error);
            if (!r)
                return usage(err, error);
            lo = r->lo;
            hi = r->hi;
        }
        parts = values::unlimitedParts(values::valuesInRange(set, lo, hi));
    }
    if (parts.empty())
        return usage(err, "combine: there are no parts to combine");

    values::SearchResult found;
    options.maxCpuSeconds = values::Budget::leftAfter(values::threadCpuSeconds() - started);
    try {
        found = values::findNetworks(*target, parts, options);
    } catch (const std::bad_alloc&) {
        return usage(err, "combine: the search ran out of memory");
    }
    // The best of what was tried is still worth showing, beside the warning and the status.
    const int status = found.limited ? exitUsage : exitOk;
    if (found.limited)
        message(err, "combine: the search stopped at its limit: a better network may exist");
    const values::Reach reach = values::networkReach(*target, parts, options);
    if (a.flag("json")) {
        const std::string unitKey = capacitor ? "f" : "ohm";
        Json json;
        json.beginObject().key("target_" + unitKey).number(*target).reach(reach, unitKey).key("networks").beginArray();
        for (const values::Network& n : found.networks) {
            json.beginObject()
                .key("network")
                .string(n.text)
                .key("value_" + unitKey)
                .number(n.precise)
                .key("error_pct")
                .percent(n.deviation.precise)
                .key("exact")
                .boolean(n.deviation.exact)
                .key("parts")
                .number(static_cast<long long>(n.partCount))
                .endObject();
        }
        json.endArray().endObject();
        out << json.text() << '\n';
        return status;
    }
    out << "Target " << values::format(*target, values::allDigits) << '\n';
    if (reach.side != values::Reach::Side::Within)
        out << reachText(reach, capacitor ? "F" : "Ω") << '\n';
    Table table({"network", "value", "deviation"}, {Table::Align::Left, Table::Align::Right, Table::Align::Right});
    for (const values::Network& n : found.networks)
        table.add({n.text, values::format(n.value, values::allDigits), n.deviation.text()});
    table.print(out);
    return status;
}

std::span<const Command> standardCommands()
{
    static constexpr Option nearestOptions[] = {
        {"series", "SERIES", "", "one series or a union such as E24+E96; every series when left out"},
        jsonOption,
    };
    static constexpr Option combineOptions[] = {
        {"series", "SERIES", "E24", "the parts' series or a union such as E24+E96", "", {"capacitor", "E12"}},
        {"range", "LO..HI", "10..1M", "the values the parts may take", "", {"capacitor", "1p..10m"}},
        {"parts", "N", "3", "the most parts in a network, 1 to 4"},
        {"top", "N", "10", "how many networks to list"},
        {"capacitor", "", "", "the target and the parts are capacitors"},
        {"stock", "FILE", "", "take the parts from this file instead of a series"},
        jsonOption,
    };
    static constexpr std::string_view nearestExamples[] = {"5k", "4.99k --series E96+E192"};
    static constexpr std::string_view combineExamples[] = {"5k", "5k --series E12 --parts 2", "147n --capacitor"};
    static constexpr Command commands[] = {
        {"nearest",
         {.positional = "VALUE",
          .missing = "the target value, for example: voltiva nearest 5k",
          .options = nearestOptions,
          .examples = nearestExamples},
         runNearest},
        {"combine",
         {.positional = "VALUE",
          .missing = "the target value, for example: voltiva combine 5k",
          .options = combineOptions,
          .examples = combineExamples},
         runCombine},
    };
    return commands;
}

} // namespace cli
