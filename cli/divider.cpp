// SPDX-License-Identifier: MIT
#include "cli/divider.h"

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/json.h"
#include "cli/table.h"

#include "numeric/format.h"
#include "values/dividerdesign.h"
#include "values/power.h"
#include "values/series.h"

#include <optional>
#include <ostream>

namespace cli {

namespace {

std::string reachText(const values::Reach& reach)
{
    return std::string("Out of reach: pairs of these parts give V out no ") +
        (reach.side == values::Reach::Side::Below ? "lower" : "higher") + " than " + values::withUnit(reach.limit, "V");
}

} // namespace

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option, in the order they are listed
int runDivider(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const auto vin = a.value("vin");
    const auto vref = a.value("vref");
    const auto vout = a.value("vout");

    std::string error;
    values::DividerGoal goal;
    goal.mode = vin ? values::DividerMode::Output : values::DividerMode::Feedback;
    const std::string sourceOption = vin ? "--vin" : "--vref";
    const auto source = valueArgument(sourceOption, vin ? *vin : *vref, values::Unit::Volt, error);
    if (!source)
        return usage(err, error);
    const auto target = valueArgument("--vout", *vout, values::Unit::Volt, error);
    if (!target)
        return usage(err, error);
    goal.source = *source;
    goal.vout = *target;
    if (const values::GoalCheck check = values::checkGoal(goal); check.change != values::DividerField::None)
        return usage(err,
                     (check.change == values::DividerField::Vout ? "--vout: " : sourceOption + ": ") + check.message);

    values::SeriesSet set{values::Series::E24, values::Series::E96};
    if (const auto named = a.value("series")) {
        const auto chosen = seriesSetArgument("--series", *named, error);
        if (!chosen)
            return usage(err, error);
        set = *chosen;
    }
    values::DividerOptions options;
    options.hi = values::Decimal::of(1, 6);
    if (const auto range = a.value("range")) {
        const auto r = rangeArgument("--range", *range, values::Unit::Ohm, error);
        if (!r)
            return usage(err, error);
        options.lo = r->lo;
        options.hi = r->hi;
    }
    if (const auto tolerance = a.value("tolerance")) {
        const auto t = toleranceArgument("--tolerance", *tolerance, true, error);
        if (!t)
            return usage(err, error);
        options.tolerancePercent = *t;
    }
    const auto r1 = a.value("r1");
    const auto r2 = a.value("r2");
    if (r1 || r2) {
        const auto fixed = valueArgument(r1 ? "--r1" : "--r2", r1 ? *r1 : *r2, values::Unit::Ohm, error);
        if (!fixed)
            return usage(err, error);
        (r1 ? options.fixedR1 : options.fixedR2) = *fixed;
    }
    if (const auto top = a.value("top")) {
        const auto n = wholeArgument("--top", *top, 1, 1000, error);
        if (!n)
            return usage(err, error);
        options.top = *n;
    }

    values::Decimal margin = values::Decimal::of(2, 0);
    if (const auto m = a.value("margin")) {
        const auto parsed = values::parseMargin(*m);
        if (!parsed)
            return usage(err, "--margin: '" + *m + "' is not a margin: write a factor from 1 to 10, such as 2");
        margin = *parsed;
    }

    const auto parts = values::unlimitedParts(values::valuesInRange(set, options.lo, options.hi));
    if (parts.empty())
        return usage(err,
                     "--range: " + values::name(set) + " has no value from " +
                         values::format(options.lo, values::allDigits) + " to " +
                         values::format(options.hi, values::allDigits));
    const auto pairs = values::designDivider(goal, parts, options);
    const double ratio = values::dividerRatio(goal);
    const values::Reach reach = values::dividerReach(goal, parts, options);

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("ratio").number(ratio).reach(reach, "v").key("pairs").beginArray();
        for (const values::DividerPair& p : pairs) {
            json.beginObject()
                .key("r1_ohm")
                .number(p.r1)
                .key("r2_ohm")
                .number(p.r2)
                .key("vout_v")
                .number(p.vout)
                .key("error_pct")
                .percent(p.deviation.precise)
                .key("exact")
                .boolean(p.deviation.exact)
                .key("vout_min_v")
                .number(p.worstCase.min)
                .key("vout_max_v")
                .number(p.worstCase.max)
                .key("current_a")
                .number(p.currentA);
            const auto power = values::dividerPower(goal, p.r1, p.r2, margin);
            for (std::size_t i = 0; i < power.size(); ++i)
                json.key(i == 0 ? "power_r1_w" : "power_r2_w").number(power[i].watts.toDouble());
            for (std::size_t i = 0; i < power.size(); ++i) {
                json.key(i == 0 ? "rating_r1_w" : "rating_r2_w");
                if (power[i].rating)
                    json.number(*power[i].rating);
                else
                    json.null();
            }
            json.endObject();
        }
        json.endArray().endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    const bool output = goal.mode == values::DividerMode::Output;
    constexpr int all = values::allDigits; // what was typed, as it was typed
    out << (output ? "V in " : "V ref ") << values::withUnit(goal.source, "V", all) << ", V out "
        << values::withUnit(goal.vout, "V", all) << ": k = " << jsonNumber(values::approximate(ratio)) << ", "
        << values::name(set) << " from " << values::withUnit(options.lo, "Ω", all) << " to "
        << values::withUnit(options.hi, "Ω", all) << ", " << values::format(options.tolerancePercent, all)
        << " % parts";
    if (options.fixedR1 || options.fixedR2)
        out << ", " << (options.fixedR1 ? "R1 " : "R2 ")
            << values::withUnit(options.fixedR1 ? *options.fixedR1 : *options.fixedR2, "Ω", all);
    out << '\n';
    if (reach.side != values::Reach::Side::Within)
        out << reachText(reach) << '\n';
    using A = Table::Align;
    Table table(
        {"R1", "R2", "V out", "deviation", "lowest", "highest", "current", "P R1", "P R2", "rating R1", "rating R2"},
        {A::Right, A::Right, A::Right, A::Right, A::Right, A::Right, A::Right, A::Right, A::Right, A::Right, A::Right});
    for (const values::DividerPair& p : pairs) {
        const auto power = values::dividerPower(goal, p.r1, p.r2, margin);
        // A resistor already chosen may have more digits than a series value.
        table.add({values::withUnit(p.r1, "Ω", values::allDigits), values::withUnit(p.r2, "Ω", values::allDigits),
                   values::figure(p.vout, "V"), p.deviation.text(), values::figure(p.worstCase.min, "V"),
                   values::figure(p.worstCase.max, "V"), values::figure(p.currentA, "A"),
                   values::withUnit(power[0].watts.rounded(values::shownDigits), "W"),
                   values::withUnit(power[1].watts.rounded(values::shownDigits), "W"),
                   power[0].rating ? values::ratingText(*power[0].rating) : "above 5 W",
                   power[1].rating ? values::ratingText(*power[1].rating) : "above 5 W"});
    }
    table.print(out);
    return exitOk;
}

std::span<const Command> dividerCommands()
{
    static constexpr Option options[] = {
        {"vin", "V", "", "the voltage across the divider"},
        {"vref", "V", "", "instead of --vin: the regulator's feedback reference"},
        {"vout", "V", "", "the output voltage wanted", "give the output voltage, for example --vout 3.3"},
        {"series", "SERIES", "E24+E96", "the resistors' series, or a union of them"},
        {"range", "LO..HI", "1k..1M", "the values both resistors may take"},
        {"tolerance", "PERCENT", "1", "the resistors' tolerance, for the worst case"},
        {"r1", "R", "", "the upper resistor, already chosen"},
        {"r2", "R", "", "the lower resistor, already chosen"},
        {"top", "N", "10", "how many pairs to list"},
        marginOption,
        jsonOption,
    };
    static constexpr OneOf oneOf[] = {
        {"vin", "vref", "--vref: give --vin for a divider or --vref for a regulator's feedback, not both",
         "divider: give --vin and --vout, or --vref and --vout"},
        {"r1", "r2", "--r2: give --r1 or --r2, the resistor already chosen, not both", ""},
    };
    static constexpr std::string_view examples[] = {"--vin 5 --vout 3.3", "--vref 0.8 --vout 3.3",
                                                    "--vin 12 --vout 5 --r2 10k"};
    static constexpr Command commands[] = {
        {"divider",
         {.forms = "--vin V --vout V | --vref V --vout V", .options = options, .oneOf = oneOf, .examples = examples},
         runDivider},
    };
    return commands;
}

} // namespace cli
