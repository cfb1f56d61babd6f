// SPDX-License-Identifier: MIT
#include "cli/led.h"

#include "cli/arguments.h"
#include "cli/json.h"
#include "cli/table.h"

#include "numeric/format.h"
#include "values/led.h"
#include "values/ohm.h"
#include "values/power.h"

#include <array>
#include <optional>
#include <ostream>

namespace cli {

namespace {

constexpr Option ledOptions[] = {
    {"supply", "V", "", "the supply voltage", "for example led --supply 5 --vf 2 --current 10m"},
    {"vf", "V", "", "each LED's typical forward voltage", "for example led --supply 5 --vf 2 --current 10m"},
    {"current", "A", "", "the current wanted", "for example led --supply 5 --vf 2 --current 10m"},
    {"count", "N", "1", "LEDs in series"},
    {"series", "SERIES", "E24", "the resistor's series"},
    {"supply-tolerance", "PERCENT", "0", "how far the supply strays either way"},
    {"vf-range", "V..V", "", "the lowest and highest forward voltage, for the worst case"},
    {"tolerance", "PERCENT", "5", "the resistor's tolerance"},
    marginOption,
    jsonOption,
};

constexpr Option ohmOptions[] = {
    {"v", "V", "", "the voltage"},
    {"i", "A", "", "the current"},
    {"r", "OHMS", "", "the resistance"},
    {"p", "W", "", "the power"},
    jsonOption,
};

constexpr std::string_view ledExamples[] = {"--supply 5 --vf 2 --current 10m",
                                            "--supply 12 --vf 3.2 --count 3 --current 20m --vf-range 3..3.4"};
constexpr std::string_view ohmExamples[] = {"--v 5 --r 220", "--v 12 --p 5"};

constexpr std::array<Command, 2> table{{
    {"led", {.options = ledOptions, .examples = ledExamples}, runLed},
    {"ohm",
     {.forms = "with two of --v V --i A --r OHMS --p W", .options = ohmOptions, .examples = ohmExamples},
     runOhm},
}};

std::string optionOf(values::LedField field)
{
    switch (field) {
    case values::LedField::Supply:
        return "--supply";
    case values::LedField::SupplyTolerance:
        return "--supply-tolerance";
    case values::LedField::Forward:
        return "--vf";
    case values::LedField::ForwardRange:
        return "--vf-range";
    case values::LedField::Count:
        return "--count";
    case values::LedField::Current:
        return "--current";
    case values::LedField::Tolerance:
        return "--tolerance";
    case values::LedField::Margin:
        return "--margin";
    case values::LedField::None:
        break;
    }
    return "led";
}

Json& number(Json& json, const values::Exact& v)
{
    return json.number(v.toDouble());
}

std::string shown(const values::Exact& v, const char* unit)
{
    return values::withUnit(v.rounded(values::shownDigits), unit);
}

std::string percentText(const values::Exact& fraction)
{
    return values::format((fraction * values::Exact::of(100)).rounded(values::shownDigits)) + " %";
}

std::string ratingOf(const values::LedChoice& c)
{
    return c.rating ? values::ratingText(*c.rating) : "above 5 W";
}

} // namespace

std::span<const Command> ledCommands()
{
    return std::span<const Command>(table).first(1);
}

std::span<const Command> ohmCommands()
{
    return std::span<const Command>(table).subspan(1);
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option, in the order they are listed
int runLed(const Arguments& a, std::ostream& out, std::ostream& err)
{
    std::string error;
    values::LedInput input;
    const auto supply = valueArgument("--supply", *a.value("supply"), values::Unit::Volt, error);
    if (!supply)
        return usage(err, error);
    input.supply = *supply;
    const auto vf = valueArgument("--vf", *a.value("vf"), values::Unit::Volt, error);
    if (!vf)
        return usage(err, error);
    input.forward = *vf;
    const auto current = valueArgument("--current", *a.value("current"), values::Unit::Ampere, error);
    if (!current)
        return usage(err, error);
    input.current = *current;
    if (const auto count = a.value("count")) {
        const auto n = wholeArgument("--count", *count, 1, values::maxLedCount, error);
        if (!n)
            return usage(err, error);
        input.count = *n;
    }
    if (const auto named = a.value("series")) {
        const auto series = seriesArgument("--series", *named, error);
        if (!series)
            return usage(err, error);
        input.series = *series;
    }
    if (const auto t = a.value("supply-tolerance")) {
        const auto p = toleranceArgument("--supply-tolerance", *t, true, error);
        if (!p)
            return usage(err, error);
        input.supplyTolerance = *p;
    }
    if (const auto range = a.value("vf-range")) {
        const auto r = rangeArgument("--vf-range", *range, values::Unit::Volt, error);
        if (!r)
            return usage(err, error);
        input.forwardMin = r->lo;
        input.forwardMax = r->hi;
    }
    if (const auto t = a.value("tolerance")) {
        const auto p = toleranceArgument("--tolerance", *t, true, error);
        if (!p)
            return usage(err, error);
        input.tolerance = *p;
    }
    if (const auto m = a.value("margin")) {
        const auto margin = values::parseMargin(*m);
        if (!margin)
            return usage(err, "--margin: '" + *m + "' is not a margin: write a factor from 1 to 10, such as 2");
        input.margin = *margin;
    }
    if (const values::LedCheck check = values::checkLed(input); check.change != values::LedField::None)
        return usage(err, optionOf(check.change) + ": " + check.message);
    const std::optional<values::LedDesign> design = values::designLed(input);
    if (!design)
        return usage(err, "led: no design for this input");

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("exact_r_ohm");
        number(json, design->exact.ohms).key("choices").beginArray();
        for (const values::LedChoice& c : design->choices) {
            json.beginObject().key("r_ohm");
            number(json, c.ohms).key("current_a");
            number(json, c.current).key("current_min_a");
            number(json, c.currentMin).key("current_max_a");
            number(json, c.currentMax).key("power_w");
            number(json, c.power).key("power_max_w");
            number(json, c.powerMax).key("rating_w");
            if (c.rating)
                json.number(*c.rating);
            else
                json.null();
            json.key("led_power_w");
            number(json, c.ledPower).key("efficiency_pct");
            number(json, c.efficiency * values::Exact::of(100)).endObject();
        }
        json.endArray().endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    constexpr int all = values::allDigits; // what was typed, as it was typed
    out << "Supply " << values::withUnit(input.supply, "V", all);
    if (input.supplyTolerance.mantissa != 0)
        out << " ± " << values::format(input.supplyTolerance, all) << " %";
    out << ", " << input.count << (input.count == 1 ? " LED of " : " LEDs of ")
        << values::withUnit(input.forward, "V", all);
    if (input.forwardMin || input.forwardMax)
        out << " (" << values::format(*input.forwardMin, all) << " to " << values::withUnit(*input.forwardMax, "V", all)
            << ")";
    out << " at " << values::withUnit(input.current, "A", all) << "; " << values::name(input.series) << ", "
        << values::format(input.tolerance, all) << " % resistors, margin " << values::format(input.margin, all)
        << "x\n";
    using A = Table::Align;
    Table t({"", "R", "current", "lowest", "highest", "power", "worst", "rating", "LED power", "efficiency"},
            {A::Left, A::Right, A::Right, A::Right, A::Right, A::Right, A::Right, A::Right, A::Right, A::Right});
    const auto row = [&](const std::string& label, const values::LedChoice& c, const std::string& ohms) {
        t.add({label, ohms, shown(c.current, "A"), shown(c.currentMin, "A"), shown(c.currentMax, "A"),
               shown(c.power, "W"), shown(c.powerMax, "W"), ratingOf(c), shown(c.ledPower, "W"),
               percentText(c.efficiency)});
    };
    // The exact resistor in full when it is a decimal; the others are series values.
    const values::Exact& exact = design->exact.ohms;
    if (exact.isDecimal(values::exactDigits))
        row("exact", design->exact, values::withUnit(exact.rounded(values::exactDigits), "Ω", values::exactDigits));
    else
        row("exact (rounded)", design->exact, shown(exact, "Ω"));
    if (!design->choices.empty())
        row("at or above", design->choices.front(), shown(design->choices.front().ohms, "Ω"));
    if (design->choices.size() > 1)
        row("below", design->choices[1], shown(design->choices[1].ohms, "Ω"));
    t.print(out);
    return exitOk;
}

int runOhm(const Arguments& a, std::ostream& out, std::ostream& err)
{
    using Q = values::Quantity;
    constexpr std::array<std::pair<const char*, Q>, 4> options{
        {{"v", Q::Voltage}, {"i", Q::Current}, {"r", Q::Resistance}, {"p", Q::Power}}};
    // In the order of Quantity, which indexes the answer.
    constexpr std::array<const char*, 4> keys{"voltage_v", "current_a", "resistance_ohm", "power_w"};
    std::vector<values::OhmGiven> given;
    std::vector<std::string> names;
    for (const auto& [name, quantity] : options) {
        const auto text = a.value(name);
        if (!text)
            continue;
        const values::OhmParsed parsed = values::parseQuantity(*text, quantity);
        if (!parsed.value)
            return usage(err, std::string("--") + name + ": " + parsed.error);
        given.push_back({quantity, values::Exact::of(*parsed.value)});
        names.push_back(std::string("--") + name);
    }
    if (given.size() != 2)
        return usage(err, "ohm: give exactly two of --v, --i, --r and --p, for example --v 5 --r 220");
    const values::OhmResult result = values::ohmsLaw(given[0], given[1]);
    if (!result.ok()) {
        const std::size_t blamed = given[0].quantity == *result.refused ? 0 : 1;
        return usage(err, names[blamed] + ": " + result.message);
    }

    if (a.flag("json")) {
        Json json;
        json.beginObject();
        for (std::size_t q = 0; q < keys.size(); ++q)
            json.key(keys[q]).number(result.values[q].toDouble());
        json.endObject();
        out << json.text() << '\n';
        return exitOk;
    }
    for (const auto& [name, quantity] : options) {
        const values::OhmValue& v = result.values[static_cast<std::size_t>(quantity)];
        out << values::symbol(quantity) << (v.exact() ? " = " : " ≈ ")
            << values::withUnit(v.shown(), values::unit(quantity), values::exactDigits) << '\n';
    }
    return exitOk;
}

} // namespace cli
