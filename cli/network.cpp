// SPDX-License-Identifier: MIT
#include "cli/network.h"

#include "cli/arguments.h"
#include "cli/json.h"

#include "numeric/exact.h"
#include "numeric/format.h"
#include "values/expression.h"
#include "values/pads.h"
#include "values/series.h"

#include <array>
#include <ostream>

namespace cli {

namespace {

constexpr Option evalOptions[] = {
    {"capacitor", "", "", "the parts are capacitors"},
    {"tolerance", "PERCENT", "0", "the tolerance of the parts written without one"},
    {"series", "SERIES", "E24", "the series the nearest standard value is taken from"},
    jsonOption,
};

constexpr std::string_view evalExamples[] = {"\"4k7 + (10k || 22k)\"", "\"4k7/5% + (10k/1% || 22k/1%)\"",
                                             "\"100n || 47n\" --capacitor"};

constexpr std::array<Command, 1> table{{
    {"eval",
     {.positional = "NETWORK",
      .many = true,
      .missing = "a network, for example voltiva eval \"4k7 + (10k || 22k)\"",
      .options = evalOptions,
      .examples = evalExamples},
     runEval},
}};

} // namespace

std::span<const Command> networkCommands()
{
    return table;
}

int runEval(const Arguments& a, std::ostream& out, std::ostream& err)
{
    // Unquoted, the shell splits the network at its blanks: put it back together.
    std::string text;
    for (const std::string& word : a.positionals())
        text += (text.empty() ? "" : " ") + word;

    const values::Kind kind = a.flag("capacitor") ? values::Kind::Capacitor : values::Kind::Resistor;
    values::Decimal tolerance;
    if (const auto t = a.value("tolerance")) {
        std::string error;
        const auto read = toleranceArgument("--tolerance", *t, true, error);
        if (!read)
            return usage(err, error);
        tolerance = *read;
    }
    values::Series series = values::Series::E24;
    if (const auto named = a.value("series")) {
        std::string error;
        const auto chosen = seriesArgument("--series", *named, error);
        if (!chosen)
            return usage(err, error);
        series = *chosen;
    }

    const values::ParsedExpression parsed = values::parseNetwork(text, kind);
    if (!parsed.network)
        return usage(err,
                     "eval: '" + text + "': " + parsed.error.message + " (at character " +
                         std::to_string(parsed.error.position + 1) + ")");
    const values::NetworkExpression& network = *parsed.network;
    const values::NetworkValue v = values::evaluate(network, kind, tolerance, series);
    const std::string written = values::networkText(network.tree, network.tolerances);

    if (a.flag("json")) {
        const std::string unitKey = kind == values::Kind::Resistor ? "_ohm" : "_f";
        Json json;
        json.beginObject()
            .key("text")
            .string(written)
            .key("kind")
            .string(kind == values::Kind::Resistor ? "resistor" : "capacitor")
            .key("value" + unitKey)
            .number(v.nearest)
            .key("exact")
            .boolean(v.exact.has_value())
            .key("min" + unitKey)
            .number(v.lowNearest)
            .key("max" + unitKey)
            .number(v.highNearest)
            .key("nearest")
            .beginObject()
            .key("series")
            .string(values::name(series))
            .key("value" + unitKey)
            .number(v.standard.nearest)
            .endObject()
            .endObject();
        out << json.text() << '\n';
        return exitOk;
    }
    const std::string unit = kind == values::Kind::Resistor ? "Ω" : "F";
    out << written << '\n';
    out << "value    "
        << (v.exact ? values::withUnit(*v.exact, unit, values::exactDigits) + " exact"
                    : values::withUnit(v.value, unit))
        << '\n';
    if (v.hasTolerance)
        out << "range    " << values::rangeText(v.low, v.high, unit) << '\n';
    out << "nearest  " << values::withUnit(v.standard.nearest, unit) << " (" << values::name(series)
        << (v.hasTolerance ? ", to the range's centre)" : ")") << '\n';
    return exitOk;
}

} // namespace cli
