// SPDX-License-Identifier: MIT
#include "cli/amplifiers.h"

#include "cli/amplifiers_read.h"
#include "cli/json.h"
#include "cli/table.h"

#include "values/opamp.h"
#include "values/regulator.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <ostream>
#include <string>

namespace cli {

namespace {

using amplifiers::five;
using values::Decimal;

constexpr Option seriesOption{"series", "SERIES", "E24", "the resistors' series, or a union of them"};
constexpr Option toleranceOption{"tolerance", "PERCENT", "1", "the resistors' tolerance, for the worst case"};
constexpr Option topOption{"top", "N", "10", "how many pairs to list"};

constexpr Option opampOptions[] = {
    {"gain", "G", "", "the gain; a negative one is inverting", "give it, for example --gain 10"},
    {"inverting", "", "", "the inverting amplifier, G = -Rf / Rg"},
    {"difference", "", "", "the difference amplifier, matched pairs: V out = Rf / Rg (V+ - V-)"},
    seriesOption,
    {"range", "LO..HI", "1k..1M", "the values both resistors may take"},
    toleranceOption,
    {"rf", "R", "", "the feedback resistor, already chosen"},
    {"rg", "R", "", "the resistor to ground or from the input, already chosen"},
    topOption,
    jsonOption,
};
constexpr OneOf opampOneOf[] = {
    {"inverting", "difference", "--difference: give --inverting or --difference, not both", ""},
    {"rf", "rg", "--rg: give --rf or --rg, the resistor already chosen, not both", ""},
};

constexpr Option regulatorOptions[] = {
    {"vout", "V", "", "the output voltage wanted; negative for a negative regulator", "give it, for example --vout 5"},
    {"part", "KIND", "lm317", "the parameters: lm317, lm337 (negative), lm1117 (low dropout), tl431 (shunt)"},
    {"vref", "V", "", "instead of the part's: the reference voltage"},
    {"vref-range", "V..V", "", "its lowest and highest, for the worst case"},
    {"iadj", "A", "", "instead of the part's: the adjust-pin current, 0 for none"},
    {"iadj-range", "A..A", "", "its lowest and highest, for the worst case"},
    {"min-load", "A", "", "instead of the part's: the least output current it regulates at"},
    {"series", "SERIES", "E96", "the resistors' series, or a union of them"},
    {"range", "LO..HI", "10..100k", "the values both resistors may take"},
    toleranceOption,
    {"r1", "R", "", "the resistor across V ref, already chosen (240 is the usual)"},
    {"r2", "R", "", "the other resistor, already chosen"},
    topOption,
    jsonOption,
};
constexpr OneOf regulatorOneOf[] = {
    {"r1", "r2", "--r2: give --r1 or --r2, the resistor already chosen, not both", ""},
};

constexpr Option zenerOptions[] = {
    {"supply", "V..V", "", "the supply's lowest and highest voltage, or one voltage",
     "give it, for example --supply 9..12"},
    {"vz", "V", "", "the Zener's nominal voltage", "give it, for example --vz 5.1"},
    {"vz-tolerance", "PERCENT", "5", "how far V z strays either way"},
    {"iz-min", "A", "5m", "the least Zener current that holds V z"},
    {"pz", "W", "500m", "the Zener's power rating"},
    {"load", "A..A", "", "the load's least and largest current, or one current", "give it, for example --load 0..20m"},
    {"series", "SERIES", "E24", "the resistor's series"},
    {"tolerance", "PERCENT", "5", "the resistor's tolerance"},
    marginOption,
    {"top", "N", "20", "how many values to list"},
    jsonOption,
};

constexpr Option heatsinkOptions[] = {
    {"power", "W", "", "the power the part dissipates"},
    {"vin", "V", "", "instead of --power: a linear regulator's input, with --vout and --current"},
    {"vout", "V", "", "its output"},
    {"current", "A", "", "its load current"},
    {"tj-max", "CELSIUS", "125", "the junction's highest temperature"},
    {"ambient", "CELSIUS", "25", "the air's temperature"},
    {"theta-jc", "K/W", "", "junction to case, from the data sheet", "give it, for example --theta-jc 5"},
    {"theta-cs", "K/W", "0.5", "case to heat sink: the grease, pad or mica"},
    {"theta-ja", "K/W", "", "junction to air without a heat sink, for the part alone"},
    jsonOption,
};

constexpr Option switchOptions[] = {
    {"load", "A", "", "the current the bipolar transistor switches"},
    {"drive", "V", "", "the logic high that drives it", "give it, for example --drive 5"},
    {"vbe", "V", "0.7", "V BE at saturation"},
    {"gain", "G", "10", "the forced gain Ic / Ib"},
    {"hfe", "HFE", "", "instead of --gain: the transistor's least hFE, with --overdrive"},
    {"overdrive", "FACTOR", "2", "the base current over what hFE min needs"},
    {"qg", "C", "", "instead of --load: an N-MOSFET's gate charge"},
    {"time", "S", "", "the switching time wanted, with --qg"},
    {"plateau", "V", "", "the gate's Miller plateau, with --qg"},
    {"series", "SERIES", "E24", "the resistors' series"},
    jsonOption,
};
constexpr OneOf switchOneOf[] = {
    {"gain", "hfe", "switch --hfe: --gain does not apply; leave it out", ""},
};

constexpr std::string_view opampExamples[] = {"--gain 10", "--gain -4.7", "--gain 2 --difference --tolerance 0.1",
                                              "--gain 11 --rf 100k"};
constexpr std::string_view regulatorExamples[] = {"--vout 5 --r1 240", "--vout 5 --r1 240 --series E24",
                                                  "--vout -12 --part lm337",
                                                  "--vout 2.5 --part tl431 --iadj-range 0..4u"};
constexpr std::string_view zenerExamples[] = {"--supply 9..12 --vz 5.1 --load 0..20m",
                                              "--supply 12 --vz 3.3 --load 5m..10m --pz 1.3"};
constexpr std::string_view heatsinkExamples[] = {"--vin 12 --vout 5 --current 0.5 --theta-jc 5 --theta-ja 50",
                                                 "--power 20 --theta-jc 1.5"};
constexpr std::string_view switchExamples[] = {"--load 100m --drive 5", "--load 500m --drive 3.3 --hfe 100",
                                               "--qg 10n --time 100n --drive 5 --plateau 3"};

constexpr std::array<Command, 5> table{{
    {"opamp", {.options = opampOptions, .oneOf = opampOneOf, .examples = opampExamples}, runOpAmp},
    {"regulator", {.options = regulatorOptions, .oneOf = regulatorOneOf, .examples = regulatorExamples}, runRegulator},
    {"zener", {.options = zenerOptions, .examples = zenerExamples}, runZener},
    {"heatsink",
     {.forms = "--power W | --vin V --vout V --current A", .options = heatsinkOptions, .examples = heatsinkExamples},
     runHeatSink},
    {"switch",
     {.forms = "--load A --drive V [--vbe 0.7] | --qg C --time S --drive V --plateau V",
      .options = switchOptions,
      .oneOf = switchOneOf,
      .examples = switchExamples},
     runSwitch},
}};

std::string circuitName(values::OpAmpCircuit circuit)
{
    switch (circuit) {
    case values::OpAmpCircuit::NonInverting:
        return "non-inverting";
    case values::OpAmpCircuit::Inverting:
        return "inverting";
    case values::OpAmpCircuit::Difference:
        return "difference";
    }
    return {};
}

std::string ohms(const Decimal& v)
{
    return five(v, "Ω");
}

std::string reachText(const values::Reach& reach, const std::string& what, const std::string& limit)
{
    return "Out of reach: pairs of these parts give " + what + " no " +
        (reach.side == values::Reach::Side::Below ? "lower" : "higher") + " than " + limit;
}

// Series, range, tolerance and top, as both pair designers read them; false with the message
// when one is refused.
template <class Options>
bool readPairOptions(const Arguments& a, Options& options, std::string& error)
{
    if (const auto named = a.value("series")) {
        const auto chosen = seriesSetArgument("--series", *named, error);
        if (!chosen)
            return false;
        options.series = *chosen;
    }
    if (const auto range = a.value("range")) {
        const auto r = rangeArgument("--range", *range, values::Unit::Ohm, error);
        if (!r)
            return false;
        options.lo = r->lo;
        options.hi = r->hi;
    }
    if (const auto tolerance = a.value("tolerance")) {
        const auto t = toleranceArgument("--tolerance", *tolerance, true, error);
        if (!t)
            return false;
        options.tolerancePercent = *t;
    }
    if (const auto top = a.value("top")) {
        const auto n = wholeArgument("--top", *top, 1, 1000, error);
        if (!n)
            return false;
        options.top = *n;
    }
    if (valuesInRange(options.series, options.lo, options.hi).empty()) {
        error = "--range: " + values::name(options.series) + " has no value from " + values::format(options.lo) +
            " to " + values::format(options.hi);
        return false;
    }
    return true;
}

// The resistor already chosen, if any; false with the message when it does not read.
bool readFixed(const Arguments& a, const char* name, std::optional<Decimal>& fixed, std::string& error)
{
    const auto text = a.value(name);
    if (!text)
        return true;
    fixed = valueArgument("--" + std::string(name), *text, values::Unit::Ohm, error);
    return fixed.has_value();
}

} // namespace

std::span<const Command> amplifiersCommands()
{
    return table;
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option, in the order they are listed
int runOpAmp(const Arguments& a, std::ostream& out, std::ostream& err)
{
    std::string error;
    const values::Parsed gain = values::parseSigned(*a.value("gain"));
    if (!gain.value && gain.error.find(" is not a value") == std::string::npos)
        return usage(err, "--gain: " + gain.error);
    if (!gain.value || gain.unit != values::Unit::None || gain.value->mantissa == 0)
        return usage(err, "--gain: '" + *a.value("gain") + "' is not a gain: write 10, -4.7 or 2.5");
    values::OpAmpGoal goal;
    const bool negative = gain.value->mantissa < 0;
    goal.gain = Decimal::of(negative ? -gain.value->mantissa : gain.value->mantissa, gain.value->exponent);
    goal.circuit = a.flag("difference")     ? values::OpAmpCircuit::Difference
        : (a.flag("inverting") || negative) ? values::OpAmpCircuit::Inverting
                                            : values::OpAmpCircuit::NonInverting;
    if (negative && goal.circuit == values::OpAmpCircuit::Difference)
        return usage(err, "--gain: the difference amplifier's gain is Rf / Rg: give it without a sign");

    values::OpAmpOptions options;
    if (!readPairOptions(a, options, error) || !readFixed(a, "rf", options.fixedRf, error) ||
        !readFixed(a, "rg", options.fixedRg, error))
        return usage(err, error);
    if (const values::OpAmpCheck check = values::checkOpAmp(goal, options); check.change != values::OpAmpField::None)
        return usage(err, (check.change == values::OpAmpField::Gain ? "--gain: " : "opamp: ") + check.message);
    const values::OpAmpDesign design = values::designOpAmp(goal, options);
    const bool inverting = goal.circuit == values::OpAmpCircuit::Inverting;
    const bool difference = goal.circuit == values::OpAmpCircuit::Difference;

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("circuit").string(circuitName(goal.circuit)).key("gain").number(goal.gain);
        // A gain has no unit: its limit's key has none either.
        using Side = values::Reach::Side;
        const Side side = design.reach.side;
        json.key("reach").string(side == Side::Below ? "below" : side == Side::Above ? "above" : "within");
        json.key("reach_limit");
        side == Side::Within ? json.null() : json.number(design.reach.precise);
        json.key("partner_ohm");
        design.partner ? json.number(design.partner->toDouble()) : json.null();
        json.key("pairs").beginArray();
        for (const values::OpAmpPair& p : design.pairs) {
            json.beginObject().key("rf_ohm").number(p.rf).key("rg_ohm").number(p.rg).key("gain").number(p.gain);
            json.key("error_pct").percent(p.deviation.precise).key("exact").boolean(p.deviation.exact);
            json.key("gain_min").number(p.worstCase.min).key("gain_max").number(p.worstCase.max);
            json.key("input_ohm");
            p.inputOhms ? json.number(*p.inputOhms) : json.null();
            json.key("balance_ohm");
            p.balanceOhms ? json.number(*p.balanceOhms) : json.null();
            json.key("balance_standard_ohm");
            p.balance ? json.number(*p.balance) : json.null();
            json.key("cmrr_db");
            p.cmrrDb ? json.number(*p.cmrrDb) : json.null();
            json.endObject();
        }
        json.endArray().endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    const std::string formula = inverting ? "G = -Rf / Rg" : difference ? "G = Rf / Rg" : "G = 1 + Rf / Rg";
    out << (inverting        ? "Inverting"
                : difference ? "Difference"
                             : "Non-inverting")
        << ", " << formula << " = " << (inverting ? "-" : "") << values::format(goal.gain, 6) << "; "
        << values::name(options.series) << " from " << ohms(options.lo) << " to " << ohms(options.hi) << ", "
        << values::format(options.tolerancePercent, 6) << " % parts";
    if (options.fixedRf || options.fixedRg)
        out << "; "
            << (options.fixedRf ? "Rf " + ohms(*options.fixedRf) + ": exact Rg "
                                : "Rg " + ohms(*options.fixedRg) + ": exact Rf ")
            << five(*design.partner, "Ω");
    out << '\n';
    if (design.reach.side != values::Reach::Side::Within)
        out << reachText(design.reach, "a gain", values::format(design.reach.limit)) << '\n';
    std::vector<std::string> header{"Rf", "Rg", "gain", "deviation", "lowest", "highest"};
    if (inverting || difference)
        header.emplace_back(difference ? "input (between)" : "input");
    if (difference)
        header.emplace_back("CMRR");
    else {
        header.emplace_back("Rf || Rg");
        header.emplace_back("nearest");
    }
    Table t(header, std::vector<Table::Align>(header.size(), Table::Align::Right));
    for (const values::OpAmpPair& p : design.pairs) {
        std::vector<std::string> row{ohms(p.rf),
                                     ohms(p.rg),
                                     figure(p.gain),
                                     p.deviation.text(),
                                     figure(p.worstCase.min),
                                     figure(p.worstCase.max)};
        if (p.inputOhms)
            row.push_back(ohms(*p.inputOhms));
        if (difference)
            row.push_back(p.cmrrDb ? figure(*p.cmrrDb) + " dB" : "no limit");
        else {
            row.push_back(shown(*p.balanceOhms, "Ω"));
            row.push_back(p.balance ? ohms(*p.balance) : "none");
        }
        t.add(row);
    }
    t.print(out);
    return exitOk;
}

namespace {

const values::RegulatorPart* partNamed(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    constexpr const char* names[] = {"lm317", "lm337", "lm1117", "tl431"};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        if (name == names[i])
            return &values::regulatorParts()[i];
    }
    return nullptr;
}

std::string optionOf(values::RegulatorField field)
{
    using F = values::RegulatorField;
    switch (field) {
    case F::Vout:
        return "--vout";
    case F::Vref:
        return "--vref";
    case F::VrefRange:
        return "--vref-range";
    case F::Iadj:
        return "--iadj";
    case F::IadjRange:
        return "--iadj-range";
    case F::MinLoad:
        return "--min-load";
    case F::Range:
        return "--range";
    case F::Tolerance:
        return "--tolerance";
    case F::Fixed:
        return "--r1";
    case F::None:
        break;
    }
    return "regulator";
}

} // namespace

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option, in the order they are listed
int runRegulator(const Arguments& a, std::ostream& out, std::ostream& err)
{
    std::string error;
    const values::RegulatorPart* part = partNamed(a.value("part").value_or("lm317"));
    if (part == nullptr)
        return usage(err, "--part: '" + *a.value("part") + "' is not a part: write lm317, lm337, lm1117 or tl431");
    const values::Parsed vout = values::parseSigned(*a.value("vout"));
    if (!vout.value || (vout.unit != values::Unit::None && vout.unit != values::Unit::Volt) ||
        vout.value->mantissa == 0)
        return usage(err,
                     "--vout: " +
                         (vout.value || vout.error.find(" is not a value") != std::string::npos
                              ? "'" + *a.value("vout") + "' is not a voltage: write 5, -12 or 3.3V"
                              : vout.error));
    // A negative output asks for a negative regulator; the arithmetic is the same in sizes.
    const bool negative = part->negative || vout.value->mantissa < 0;
    values::RegulatorInput input = values::regulatorInput(
        *part,
        Decimal::of(vout.value->mantissa < 0 ? -vout.value->mantissa : vout.value->mantissa, vout.value->exponent));
    amplifiers::Reader read{a, {}};
    // A V ref or I adj typed stands alone: its range is what --vref-range or --iadj-range gives.
    if (const auto vref = read.value("vref", values::Unit::Volt))
        input.vref = input.vrefMin = input.vrefMax = *vref;
    if (const auto range = read.range("vref-range", values::Unit::Volt)) {
        input.vrefMin = range->first;
        input.vrefMax = range->second;
    }
    if (const auto iadj = read.value("iadj", values::Unit::Ampere, std::nullopt, true))
        input.iadj = input.iadjMin = input.iadjMax = *iadj;
    if (const auto range = read.range("iadj-range", values::Unit::Ampere, true)) {
        input.iadjMin = range->first;
        input.iadjMax = range->second;
    }
    if (const auto load = read.value("min-load", values::Unit::Ampere, std::nullopt, true))
        input.minLoad = *load;
    if (!read.error.empty())
        return usage(err, read.error);
    values::RegulatorOptions options;
    if (!readPairOptions(a, options, error) || !readFixed(a, "r1", options.fixedR1, error) ||
        !readFixed(a, "r2", options.fixedR2, error))
        return usage(err, error);
    if (const values::RegulatorCheck check = values::checkRegulator(input, options);
        check.change != values::RegulatorField::None)
        return usage(err, optionOf(check.change) + ": " + check.message);
    const values::RegulatorDesign design = values::designRegulator(input, options);
    const std::string sign = negative ? "-" : "";
    const double signs = negative ? -1 : 1;

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("part").string(part->name).key("negative").boolean(negative);
        json.key("vref_v").number(input.vref).key("vref_min_v").number(input.vrefMin);
        json.key("vref_max_v").number(input.vrefMax).key("iadj_a").number(input.iadj);
        json.key("iadj_min_a").number(input.iadjMin).key("iadj_max_a").number(input.iadjMax);
        json.key("min_load_a").number(input.minLoad).key("vout_v").number(signs * input.vout.nearestDouble());
        json.reach(design.reach, "v").key("partner_ohm");
        design.partner ? json.number(design.partner->toDouble()) : json.null();
        json.key("largest_r1_ohm");
        design.largestR1 ? json.number(design.largestR1->toDouble()) : json.null();
        json.key("pairs").beginArray();
        for (const values::RegulatorPair& p : design.pairs) {
            json.beginObject().key("r1_ohm").number(p.r1).key("r2_ohm").number(p.r2);
            json.key("vout_v").number(signs * p.vout).key("error_pct").percent(p.deviation.precise);
            json.key("exact").boolean(p.deviation.exact);
            json.key("vout_min_v").number(signs * (negative ? p.worstCase.max : p.worstCase.min));
            json.key("vout_max_v").number(signs * (negative ? p.worstCase.min : p.worstCase.max));
            json.key("r1_current_a").number(p.r1CurrentA).key("below_min_load").boolean(p.belowMinLoad);
            json.endObject();
        }
        json.endArray().endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    const auto volts = [&](const Decimal& v) { return sign + five(v, "V"); };
    const auto amps = [](const Decimal& v) { return v.mantissa == 0 ? std::string("0") : five(v, "A"); };
    const bool typed = a.value("vref") || a.value("iadj");
    out << (typed ? std::string("Typed") : std::string(part->name)) << ": V ref " << volts(input.vref) << " ("
        << volts(input.vrefMin) << " to " << volts(input.vrefMax) << "), I adj " << amps(input.iadj) << " ("
        << amps(input.iadjMin) << " to " << amps(input.iadjMax) << ")";
    if (input.minLoad.mantissa > 0)
        out << ", minimum load " << amps(input.minLoad);
    out << '\n'
        << "V out " << volts(input.vout) << ", " << values::name(options.series) << " from " << ohms(options.lo)
        << " to " << ohms(options.hi) << ", " << values::format(options.tolerancePercent, 6) << " % parts";
    if (options.fixedR1 || options.fixedR2) {
        out << "; "
            << (options.fixedR1 ? "R1 " + ohms(*options.fixedR1) + ": exact R2 "
                                : "R2 " + ohms(*options.fixedR2) + ": exact R1 ");
        out << (design.partner ? five(*design.partner, "Ω") : std::string("none reaches V out"));
    }
    out << '\n';
    if (design.reach.side != values::Reach::Side::Within)
        out << reachText(design.reach, "V out", volts(design.reach.limit)) << '\n';
    using A = Table::Align;
    Table t({"R1", "R2", "V out", "deviation", "lowest", "highest", "R1 current"},
            {A::Right, A::Right, A::Right, A::Right, A::Right, A::Right, A::Left});
    bool belowLoad = false;
    for (const values::RegulatorPair& p : design.pairs) {
        const double lo = negative ? -p.worstCase.max : p.worstCase.min;
        const double hi = negative ? -p.worstCase.min : p.worstCase.max;
        t.add({ohms(p.r1), ohms(p.r2), shown(signs * p.vout, "V"), p.deviation.text(), shown(lo, "V"), shown(hi, "V"),
               shown(p.r1CurrentA, "A") + (p.belowMinLoad ? " (below the minimum load)" : "")});
        belowLoad = belowLoad || p.belowMinLoad;
    }
    t.print(out);
    if (belowLoad && design.largestR1)
        out << "R1 above " << five(*design.largestR1, "Ω") << " draws less than the " << amps(input.minLoad)
            << " minimum load: the load must always draw the rest\n";
    return exitOk;
}

} // namespace cli
