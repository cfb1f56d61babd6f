// SPDX-License-Identifier: MIT
#include "cli/timing.h"

#include "cli/arguments.h"
#include "cli/json.h"
#include "cli/table.h"

#include "numeric/format.h"
#include "values/dividerdesign.h"
#include "values/series.h"
#include "values/timing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <ostream>

namespace cli {

namespace {

using values::Decimal;
using values::Measure;

// What the designers of rc and timer share; resonance picks only a capacitor, from its own range.
constexpr Option rSeriesOption{"r-series", "SERIES", "E24", "the resistors' series, when designing"};
constexpr Option rRangeOption{"r-range", "LO..HI", "1k..1M", "the values the resistors may take, when designing"};
constexpr Option cSeriesOption{"c-series", "SERIES", "E6", "the capacitors' series, when designing"};
constexpr Option topOption{"top", "N", "10", "how many to list"};

constexpr Option rcOptions[] = {
    {"r", "R", "", "the resistor"},
    {"c", "C", "", "the capacitor"},
    {"vs", "V", "", "the supply the capacitor charges from, with --v"},
    {"v", "V", "", "the level whose charge time is wanted, with --vs"},
    {"fc", "F", "", "the corner frequency to design for"},
    {"tau", "T", "", "the time constant to design for"},
    rSeriesOption,
    rRangeOption,
    cSeriesOption,
    {"c-range", "LO..HI", "1n..1u", "the values the capacitor may take, when designing"},
    topOption,
    jsonOption,
};

constexpr Option reactanceOptions[] = {
    {"f", "F", "", "the frequency", "give it, for example --f 1k"},
    {"c", "C", "", "a capacitor"},
    {"l", "L", "", "an inductor"},
    jsonOption,
};
constexpr OneOf reactanceOneOf[] = {
    {"c", "l", "--l: give a capacitor with --c or an inductor with --l, not both",
     "reactance: give --f and a capacitor with --c or an inductor with --l"},
};

constexpr Option resonanceOptions[] = {
    {"l", "L", "", "the inductor", "give it, for example --l 10u"},
    {"c", "C", "", "the capacitor"},
    {"f0", "F", "", "the resonant frequency to design for"},
    {"c-series", "SERIES", "E12", "the capacitors' series, when designing"},
    {"c-range", "LO..HI", "1p..10u", "the values the capacitor may take, when designing"},
    topOption,
    jsonOption,
};

constexpr Option timerOptions[] = {
    {"r1", "R", "", "the astable's resistor from the supply"},
    {"r2", "R", "", "the astable's resistor between discharge and threshold"},
    {"c", "C", "", "the timing capacitor"},
    {"diode", "", "", "a diode across R2, so the duty may be 50 % or less"},
    {"mono", "", "", "the monostable"},
    {"r", "R", "", "the monostable's resistor"},
    {"f", "F", "", "the astable's frequency to design for"},
    {"duty", "D", "", "the share of the period the output is high, with --f"},
    rSeriesOption,
    rRangeOption,
    cSeriesOption,
    {"c-range", "LO..HI", "1n..10u", "the values the capacitor may take, when designing"},
    topOption,
    jsonOption,
};

constexpr std::string_view rcExamples[] = {"--r 10k --c 100n", "--r 10k --c 100n --vs 5 --v 3.3", "--fc 1k",
                                           "--tau 1m --c-series E12"};
constexpr std::string_view reactanceExamples[] = {"--f 1k --c 100n", "--f 1k --l 10m"};
constexpr std::string_view resonanceExamples[] = {"--l 10u --c 100n", "--l 10u --f0 159k"};
constexpr std::string_view timerExamples[] = {"--r1 10k --r2 1M --c 300n", "--r1 10k --r2 10k --c 100n --diode",
                                              "--mono --r 100k --c 10u", "--f 1k --duty 60", "--f 1 --duty 50 --diode"};

constexpr std::array<Command, 4> table{{
    {"rc",
     {.forms = "--r R --c C [--vs V --v V] | --fc F | --tau T", .options = rcOptions, .examples = rcExamples},
     runRc},
    {"reactance", {.options = reactanceOptions, .oneOf = reactanceOneOf, .examples = reactanceExamples}, runReactance},
    {"resonance",
     {.forms = "--l L --c C | --l L --f0 F", .options = resonanceOptions, .examples = resonanceExamples},
     runResonance},
    {"timer",
     {.forms = "--r1 R --r2 R --c C [--diode] | --mono --r R --c C | --f F --duty D [--diode]",
      .options = timerOptions,
      .examples = timerExamples},
     runTimer},
}};

// What was typed, as it was typed.
std::string typed(const Decimal& value, const char* unit)
{
    return values::withUnit(value, unit, values::allDigits);
}

// Reads the options of one command; the first mistake is kept and ends the reading.
class Reader {
public:
    explicit Reader(const Arguments& a)
        : a_(a)
    {
    }

    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }
    bool has(std::string_view option) const { return a_.value(option).has_value(); }
    void fail(std::string message)
    {
        if (error_.empty())
            error_ = std::move(message);
    }

    // Empty when missing (no error) or refused (error).
    std::optional<Decimal> value(const std::string& option, Measure quantity)
    {
        const auto text = a_.value(option);
        if (!text || failed())
            return std::nullopt;
        const values::Parsed parsed = values::parseMeasure(*text, quantity);
        if (!parsed.value)
            fail("--" + option + ": " + parsed.error);
        return parsed.value;
    }

    std::optional<Decimal> required(const std::string& option, Measure quantity, const char* example)
    {
        if (!has(option)) {
            fail("--" + option + ": missing; give it, for example --" + option + " " + example);
            return std::nullopt;
        }
        return value(option, quantity);
    }

    // The values of a series within a range, from --X-series and --X-range.
    std::vector<Decimal> parts(const std::string& which, Measure quantity, values::Series series, const char* from,
                               const char* to)
    {
        if (failed())
            return {};
        values::SeriesSet set{series};
        const std::string seriesOption = which + "-series";
        const std::string rangeOption = which + "-range";
        if (const auto named = a_.value(seriesOption)) {
            std::string error;
            const auto chosen = seriesSetArgument("--" + seriesOption, *named, error);
            if (!chosen) {
                fail(error);
                return {};
            }
            set = *chosen;
        }
        Decimal lo = *values::parse(from).value;
        Decimal hi = *values::parse(to).value;
        if (const auto range = a_.value(rangeOption)) {
            const std::size_t dots = range->find("..");
            if (dots == std::string::npos) {
                fail("--" + rangeOption + ": '" + *range + "' is not a range: write it as " + from + ".." + to);
                return {};
            }
            const values::Parsed a = values::parseMeasure(range->substr(0, dots), quantity);
            const values::Parsed b = values::parseMeasure(range->substr(dots + 2), quantity);
            if (!a.value || !b.value) {
                fail("--" + rangeOption + ": " + (a.value ? b.error : a.error));
                return {};
            }
            if (*b.value < *a.value) {
                fail("--" + rangeOption + ": '" + *range + "' ends below where it starts");
                return {};
            }
            lo = *a.value;
            hi = *b.value;
        }
        std::vector<Decimal> found = values::valuesInRange(set, lo, hi);
        if (found.empty())
            fail("--" + rangeOption + ": " + values::name(set) + " has no value from " +
                 values::format(lo, values::allDigits) + " to " + values::format(hi, values::allDigits));
        return found;
    }

    int top()
    {
        const auto text = a_.value("top");
        if (!text || failed())
            return 10;
        std::string error;
        const auto n = wholeArgument("--top", *text, 1, 1000, error);
        if (!n)
            fail(error);
        return n.value_or(0);
    }

private:
    const Arguments& a_;
    std::string error_;
};

void writeMiss(Json& json, const char* key, const values::Miss& miss)
{
    json.key(key).percent(miss.exact ? 0.0 : miss.percent);
}

} // namespace

std::span<const Command> timingCommands()
{
    return table;
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option
int runRc(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const double started = values::threadCpuSeconds();
    Reader read(a);
    const bool json = a.flag("json");
    const bool design = read.has("fc") || read.has("tau");
    if (!design) {
        if (!read.has("r") && !read.has("c"))
            return usage(err, "rc: give --r and --c, or a target with --fc or --tau");
        if (const auto extra = a.unused("rc --r --c", {"r", "c", "vs", "v", "json"}))
            return usage(err, *extra);
        const auto r = read.required("r", Measure::Resistance, "10k");
        const auto c = read.required("c", Measure::Capacitance, "100n");
        std::optional<Decimal> supply;
        std::optional<Decimal> level;
        if (read.has("vs") || read.has("v")) {
            supply = read.required("vs", Measure::Voltage, "5");
            level = read.required("v", Measure::Voltage, "3.3");
            if (supply && level && !(*level < *supply))
                read.fail("--v: the level must lie below the supply --vs");
        }
        if (read.failed())
            return usage(err, read.error());
        const double tau = values::timeConstant(*r, *c);
        const double fc = values::cornerFrequency(*r, *c);
        std::optional<double> charge;
        if (supply)
            charge = values::chargeTime(*r, *c, *supply, *level);
        if (json) {
            Json j;
            j.beginObject().key("tau_s").number(tau).key("fc_hz").number(fc);
            if (charge)
                j.key("charge_s").number(*charge);
            out << j.endObject().text() << '\n';
            return exitOk;
        }
        out << "time constant      " << values::figure(tau, "s") << '\n'
            << "corner frequency   " << values::figure(fc, "Hz") << '\n';
        if (charge)
            out << "to " << typed(*level, "V") << " of " << typed(*supply, "V") << "  " << values::figure(*charge, "s")
                << '\n';
        return exitOk;
    }

    if (read.has("fc") && read.has("tau"))
        return usage(err, "--tau: give a corner with --fc or a time constant with --tau, not both");
    if (read.has("r") || read.has("c"))
        return usage(err,
                     std::string(read.has("r") ? "--r" : "--c") +
                         ": the designer picks the parts; give --r-range or --c-range instead");
    const bool corner = read.has("fc");
    if (const auto extra = a.unused(corner ? "rc --fc" : "rc --tau",
                                    {"fc", "tau", "r-series", "r-range", "c-series", "c-range", "top", "json"}))
        return usage(err, *extra);
    const auto target = corner ? read.value("fc", Measure::Frequency) : read.value("tau", Measure::Time);
    const auto resistors = read.parts("r", Measure::Resistance, values::Series::E24, "1k", "1M");
    const auto capacitors = read.parts("c", Measure::Capacitance, values::Series::E6, "1n", "1u");
    const int top = read.top();
    if (read.failed())
        return usage(err, read.error());
    values::DesignBudget budget;
    budget.maxCpuSeconds = values::Budget::leftAfter(values::threadCpuSeconds() - started);
    const auto pairs = values::designRc(corner ? values::RcTarget::Corner : values::RcTarget::TimeConstant, *target,
                                        resistors, capacitors, top, {}, &budget);
    // The best of what was tried is still worth showing, beside the warning and the status.
    const int status = budget.limited ? exitUsage : exitOk;
    if (budget.limited)
        message(err, "rc: the search stopped at its limit: a better pair may exist");
    if (json) {
        Json j;
        j.beginObject().key("pairs").beginArray();
        for (const values::RcPair& p : pairs) {
            j.beginObject()
                .key("r_ohm")
                .number(p.r)
                .key("c_f")
                .number(p.c)
                .key(corner ? "fc_hz" : "tau_s")
                .number(p.value);
            writeMiss(j, "error_pct", p.miss);
            j.key("exact").boolean(p.miss.exact).endObject();
        }
        out << j.endArray().endObject().text() << '\n';
        return status;
    }
    out << (corner ? "corner " + typed(*target, "Hz") : "time constant " + typed(*target, "s")) << '\n';
    using A = Table::Align;
    Table t({"R", "C", corner ? "corner" : "time constant", "deviation"}, {A::Right, A::Right, A::Right, A::Right});
    for (const values::RcPair& p : pairs)
        t.add({values::withUnit(p.r, "Ω"), values::withUnit(p.c, "F"), values::figure(p.value, corner ? "Hz" : "s"),
               p.miss.rounded.text()});
    t.print(out);
    return status;
}

int runReactance(const Arguments& a, std::ostream& out, std::ostream& err)
{
    Reader read(a);
    const auto f = read.required("f", Measure::Frequency, "1k");
    const bool capacitor = read.has("c");
    const auto part = capacitor ? read.value("c", Measure::Capacitance) : read.value("l", Measure::Inductance);
    if (read.failed())
        return usage(err, read.error());
    const double ohms = capacitor ? values::capacitiveReactance(*f, *part) : values::inductiveReactance(*f, *part);
    const double partner = values::resonantPartner(*f, *part);
    if (a.flag("json")) {
        Json j;
        j.beginObject()
            .key("reactance_ohm")
            .number(ohms)
            .key(capacitor ? "resonant_l_h" : "resonant_c_f")
            .number(partner);
        out << j.endObject().text() << '\n';
        return exitOk;
    }
    out << "reactance        " << values::figure(ohms, "Ω") << '\n'
        << "resonant with    " << values::figure(partner, capacitor ? "H" : "F") << '\n';
    return exitOk;
}

int runResonance(const Arguments& a, std::ostream& out, std::ostream& err)
{
    Reader read(a);
    const bool json = a.flag("json");
    const auto l = read.required("l", Measure::Inductance, "10u");
    if (!read.has("f0")) {
        if (const auto extra = a.unused("resonance --l --c", {"l", "c", "json"}))
            return usage(err, *extra);
        const auto c = read.required("c", Measure::Capacitance, "100n");
        if (read.failed())
            return usage(err, read.error());
        const double f0 = values::resonance(*l, *c);
        const double z0 = values::characteristicImpedance(*l, *c);
        if (json) {
            Json j;
            j.beginObject().key("f0_hz").number(f0).key("z0_ohm").number(z0);
            out << j.endObject().text() << '\n';
            return exitOk;
        }
        out << "resonance        " << values::figure(f0, "Hz") << '\n'
            << "impedance        " << values::figure(z0, "Ω") << '\n';
        return exitOk;
    }
    if (read.has("c"))
        return usage(err, "--c: the designer picks the capacitor; give --c-range instead");
    const auto f0 = read.value("f0", Measure::Frequency);
    const auto capacitors = read.parts("c", Measure::Capacitance, values::Series::E12, "1p", "10u");
    const int top = read.top();
    if (read.failed())
        return usage(err, read.error());
    const auto found = values::designTank(*f0, *l, capacitors, top);
    if (json) {
        Json j;
        j.beginObject().key("capacitors").beginArray();
        for (const values::TankCapacitor& t : found) {
            j.beginObject().key("c_f").number(t.c).key("f0_hz").number(t.f0Hz);
            writeMiss(j, "error_pct", t.miss);
            j.endObject();
        }
        out << j.endArray().endObject().text() << '\n';
        return exitOk;
    }
    out << "resonance " << typed(*f0, "Hz") << " with " << typed(*l, "H") << '\n';
    using A = Table::Align;
    Table t({"C", "resonance", "deviation"}, {A::Right, A::Right, A::Right});
    for (const values::TankCapacitor& c : found)
        t.add({values::withUnit(c.c, "F"), values::figure(c.f0Hz, "Hz"), c.miss.rounded.text()});
    t.print(out);
    return exitOk;
}

namespace {

std::optional<Decimal> dutyArgument(Reader& read, const Arguments& a, bool diode)
{
    const auto text = a.value("duty");
    if (!text) {
        read.fail("--duty: missing; give the share of the period the output is high, for example --duty 60");
        return std::nullopt;
    }
    std::string number = *text;
    if (!number.empty() && number.back() == '%')
        number.pop_back();
    const values::Parsed parsed = values::parse(number);
    if (!parsed.value || parsed.unit != values::Unit::None || !(*parsed.value < Decimal::of(100, 0))) {
        read.fail("--duty: '" + *text + "' is not a duty cycle: write a percentage above 0 and below 100, such as 60");
        return std::nullopt;
    }
    if (!diode && !(*parsed.value > Decimal::of(50, 0))) {
        read.fail("--duty: '" + *text +
                  "' needs --diode: without it the high time is always the longer, so the duty lies above 50 %");
        return std::nullopt;
    }
    return parsed.value;
}

} // namespace

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option
int runTimer(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const double started = values::threadCpuSeconds();
    Reader read(a);
    const bool json = a.flag("json");
    const bool diode = a.flag("diode");

    if (a.flag("mono")) {
        if (diode)
            return usage(err, "--diode: the monostable has no diode; leave it out with --mono");
        if (const auto extra = a.unused("timer --mono", {"mono", "r", "c", "json"}))
            return usage(err, *extra);
        const auto r = read.required("r", Measure::Resistance, "100k");
        const auto c = read.required("c", Measure::Capacitance, "10u");
        if (read.failed())
            return usage(err, read.error());
        const double pulse = values::monostable(*r, *c);
        if (json) {
            Json j;
            out << j.beginObject().key("pulse_s").number(pulse).endObject().text() << '\n';
            return exitOk;
        }
        out << "pulse            " << values::figure(pulse, "s") << '\n';
        return exitOk;
    }

    if (!read.has("f")) {
        if (!read.has("r1") && !read.has("r2"))
            return usage(err,
                         "timer: give --r1, --r2 and --c; --mono with --r and --c; or a target with --f and --duty");
        if (const auto extra = a.unused("timer --r1 --r2", {"r1", "r2", "c", "diode", "json"}))
            return usage(err, *extra);
        const auto r1 = read.required("r1", Measure::Resistance, "10k");
        const auto r2 = read.required("r2", Measure::Resistance, "100k");
        const auto c = read.required("c", Measure::Capacitance, "10n");
        if (read.failed())
            return usage(err, read.error());
        const values::Astable t = values::astable(*r1, *r2, *c, diode);
        if (json) {
            Json j;
            j.beginObject()
                .key("f_hz")
                .number(t.frequencyHz)
                .key("duty_pct")
                .number(t.dutyPercent)
                .key("high_s")
                .number(t.highS)
                .key("low_s")
                .number(t.lowS);
            out << j.endObject().text() << '\n';
            return exitOk;
        }
        out << "frequency        " << values::figure(t.frequencyHz, "Hz") << '\n'
            << "duty             " << values::plain(t.dutyPercent) << " %" << '\n'
            << "high             " << values::figure(t.highS, "s") << '\n'
            << "low              " << values::figure(t.lowS, "s") << '\n';
        if (diode)
            out << "(the diode's forward drop neglected)\n";
        return exitOk;
    }

    for (const char* part : {"r1", "r2", "r", "c"}) {
        if (read.has(part))
            return usage(
                err, std::string("--") + part + ": the designer picks the parts; give --r-range or --c-range instead");
    }
    const auto f = read.value("f", Measure::Frequency);
    const auto duty = read.failed() ? std::nullopt : dutyArgument(read, a, diode);
    const auto resistors = read.parts("r", Measure::Resistance, values::Series::E24, "1k", "1M");
    const auto capacitors = read.parts("c", Measure::Capacitance, values::Series::E6, "1n", "10u");
    const int top = read.top();
    if (!read.failed() && (resistors.empty() || resistors.back() < values::leastR1))
        read.fail("--r-range: R1 needs a value of at least 1 kΩ");
    if (read.failed())
        return usage(err, read.error());
    const values::TimerGoal goal{*f, *duty, diode};
    values::DesignBudget budget;
    budget.maxCpuSeconds = values::Budget::leftAfter(values::threadCpuSeconds() - started);
    const auto designs = values::designTimer(goal, resistors, capacitors, top, {}, &budget);
    const int status = budget.limited ? exitUsage : exitOk;
    if (budget.limited)
        message(err, "timer: the search stopped at its limit: a better design may exist");
    if (json) {
        Json j;
        j.beginObject().key("designs").beginArray();
        for (const values::TimerDesign& d : designs) {
            j.beginObject()
                .key("r1_ohm")
                .number(d.r1)
                .key("r2_ohm")
                .number(d.r2)
                .key("c_f")
                .number(d.c)
                .key("f_hz")
                .number(d.result.frequencyHz)
                .key("duty_pct")
                .number(d.result.dutyPercent);
            writeMiss(j, "error_pct", d.worst);
            j.key("high_s").number(d.result.highS).key("low_s").number(d.result.lowS);
            writeMiss(j, "high_error_pct", d.high);
            writeMiss(j, "low_error_pct", d.low);
            writeMiss(j, "f_error_pct", d.frequency);
            j.key("duty_exact").boolean(d.duty.exact).endObject();
        }
        out << j.endArray().endObject().text() << '\n';
        return status;
    }
    out << typed(*f, "Hz") << " at " << values::plain(*duty) << " %"
        << (diode ? ", diode across R2 (its forward drop neglected)" : "") << '\n';
    using A = Table::Align;
    Table t({"R1", "R2", "C", "frequency", "duty", "high", "low", "worst time"},
            {A::Right, A::Right, A::Right, A::Right, A::Right, A::Right, A::Right, A::Right});
    for (const values::TimerDesign& d : designs) {
        t.add({values::withUnit(d.r1, "Ω"), values::withUnit(d.r2, "Ω"), values::withUnit(d.c, "F"),
               values::figure(d.result.frequencyHz, "Hz"),
               values::plain(d.dutyRounded) + " %" + (d.duty.exact ? " exact" : ""), d.high.rounded.text(),
               d.low.rounded.text(), d.worst.rounded.text()});
    }
    t.print(out);
    return status;
}

} // namespace cli
