// SPDX-License-Identifier: MIT
#include "cli/filter.h"

#include "cli/arguments.h"
#include "cli/json.h"
#include "cli/measured.h"
#include "cli/table.h"

#include "numeric/format.h"
#include "values/series.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <fstream>
#include <optional>
#include <ostream>

namespace cli {

namespace {

using values::Decimal;

constexpr Option filterOptions[] = {
    {"kind", "lowpass|highpass", "", "a low pass or a high pass", "give it, for example --kind lowpass"},
    {"response", "NAME", "", "butterworth, bessel (-3 dB at the corner), bessel-delay or chebyshev",
     "give it, for example --response butterworth"},
    {"ripple", "DB", "1", "Chebyshev's ripple: 0.5, 1 or 3"},
    {"order", "N", "", "1 to 8; sections of two poles, and one of one for an odd order",
     "give it, for example --order 4"},
    {"f", "F", "", "the corner frequency", "give it, for example --f 1k"},
    {"topology", "NAME", "sallen-key", "sallen-key (unity gain), sallen-key-equal (equal parts) or mfb"},
    {"series", "SERIES", "E24", "the resistors' series"},
    {"cap-series", "SERIES", "E12", "the capacitors' series"},
    {"r-range", "LO..HI", "1k..1M", "the values the resistors may take"},
    {"c-range", "LO..HI", "1n..1u", "the values the capacitors may take"},
    {"r-tolerance", "PERCENT", "1", "the resistors' tolerance, for the band"},
    {"c-tolerance", "PERCENT", "5", "the capacitors' tolerance, for the band"},
    {"plot", "FILE", "", "write the response to FILE.csv, FILE.svg or FILE.png"},
    jsonOption,
};

// The Chebyshev example takes --ripple's default; the others take every other default.
constexpr std::string_view filterExamples[] = {
    "--kind lowpass --response butterworth --order 4 --f 1k",
    "--kind highpass --response chebyshev --order 3 --f 100 --topology mfb",
    "--kind lowpass --response bessel --order 2 --f 10k --topology sallen-key-equal --series E96 --cap-series E6",
};

constexpr Syntax syntax{.options = filterOptions, .examples = filterExamples};

int runWithoutPictures(const Arguments& a, std::ostream& out, std::ostream& err)
{
    return runFilter(a, out, err, nullptr);
}

constexpr std::array<Command, 1> table{{
    {"filter", syntax, runWithoutPictures},
}};

struct Named {
    const char* name;
    int value;
};
constexpr Named responses[] = {
    {"butterworth", static_cast<int>(values::Response::Butterworth)},
    {"bessel", static_cast<int>(values::Response::Bessel)},
    {"bessel-delay", static_cast<int>(values::Response::BesselDelay)},
    {"chebyshev", static_cast<int>(values::Response::Chebyshev)},
};
constexpr Named topologies[] = {
    {"sallen-key", static_cast<int>(values::FilterTopology::SallenKey)},
    {"sallen-key-equal", static_cast<int>(values::FilterTopology::SallenKeyEqual)},
    {"mfb", static_cast<int>(values::FilterTopology::MultipleFeedback)},
};

template <std::size_t n>
std::optional<int> named(const Named (&names)[n], const std::string& text)
{
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const Named& k : names) {
        if (lower == k.name)
            return k.value;
    }
    return std::nullopt;
}

template <std::size_t n>
const char* nameOf(const Named (&names)[n], int value)
{
    for (const Named& k : names) {
        if (k.value == value)
            return k.name;
    }
    return "";
}

std::string responseText(const values::Prototype& p)
{
    switch (p.response) {
    case values::Response::Butterworth:
        return "Butterworth";
    case values::Response::Bessel:
        return "Bessel";
    case values::Response::BesselDelay:
        return "Bessel (delay-normalised)";
    case values::Response::Chebyshev:
        return "Chebyshev " + figure(p.rippleDb) + " dB";
    }
    return {};
}

std::string topologyText(values::FilterTopology t)
{
    switch (t) {
    case values::FilterTopology::SallenKey:
        return "Sallen-Key, unity gain";
    case values::FilterTopology::SallenKeyEqual:
        return "Sallen-Key, equal parts";
    case values::FilterTopology::MultipleFeedback:
        return "multiple feedback";
    }
    return {};
}

std::string unitOf(const values::SectionPart& p)
{
    return values::isCapacitor(p.name) ? "F" : "Ω";
}

std::string percentText(double p)
{
    return (p > 0 ? "+" : "") + figure(p) + " %";
}

// The parts and the options read; the first mistake ends the reading with its line.
struct Request {
    values::FilterGoal goal;
    std::vector<Decimal> resistors;
    std::vector<Decimal> capacitors;
    values::Tolerances tolerances;
    std::optional<std::string> plot;
};

std::optional<std::vector<Decimal>> parts(const Arguments& a, const char* seriesOption, const char* rangeOption,
                                          values::Series series, const char* lo, const char* hi, values::Unit unit,
                                          std::string& error)
{
    values::SeriesSet set{series};
    if (const auto text = a.value(seriesOption)) {
        const auto chosen = seriesSetArgument(std::string("--") + seriesOption, *text, error);
        if (!chosen)
            return std::nullopt;
        set = *chosen;
    }
    Range range{*values::parse(lo).value, *values::parse(hi).value};
    if (const auto text = a.value(rangeOption)) {
        const auto chosen = rangeArgument(std::string("--") + rangeOption, *text, unit, error);
        if (!chosen)
            return std::nullopt;
        range = *chosen;
    }
    std::vector<Decimal> found = values::valuesInRange(set, range.lo, range.hi);
    if (found.empty()) {
        error = std::string("--") + rangeOption + ": " + values::name(set) + " has no value from " +
            values::format(range.lo) + " to " + values::format(range.hi);
        return std::nullopt;
    }
    return found;
}

std::optional<double> tolerance(const Arguments& a, const char* option, double fallback, std::string& error)
{
    const auto text = a.value(option);
    if (!text)
        return fallback;
    const auto t = toleranceArgument(std::string("--") + option, *text, true, error);
    if (!t)
        return std::nullopt;
    return t->nearestDouble();
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option
std::optional<Request> read(const Arguments& a, std::string& error)
{
    Request r;
    const std::string kind = *a.value("kind");
    if (kind != "lowpass" && kind != "highpass") {
        error = "--kind: '" + kind + "' is not a kind of filter: write lowpass or highpass";
        return std::nullopt;
    }
    r.goal.pass = kind == "lowpass" ? values::Pass::LowPass : values::Pass::HighPass;
    const auto response = named(responses, *a.value("response"));
    if (!response) {
        error = "--response: '" + *a.value("response") +
            "' is not a response: write butterworth, bessel, bessel-delay or chebyshev";
        return std::nullopt;
    }
    r.goal.prototype.response = static_cast<values::Response>(*response);
    if (const auto ripple = a.value("ripple")) {
        if (r.goal.prototype.response != values::Response::Chebyshev) {
            error = "filter with --response " + *a.value("response") +
                ": --ripple does not apply; leave it out or give --response chebyshev";
            return std::nullopt;
        }
        std::string text = *ripple;
        if (text.size() > 2 && text.substr(text.size() - 2) == "dB")
            text.resize(text.size() - 2);
        const values::Parsed p = values::parse(text);
        if (!p.value || p.unit != values::Unit::None ||
            (*p.value != Decimal::of(5, -1) && *p.value != Decimal::of(1, 0) && *p.value != Decimal::of(3, 0))) {
            error = "--ripple: '" + *ripple + "' is not a ripple offered: write 0.5, 1 or 3";
            return std::nullopt;
        }
        r.goal.prototype.rippleDb = p.value->nearestDouble();
    } else if (r.goal.prototype.response == values::Response::Chebyshev) {
        r.goal.prototype.rippleDb = 1;
    }
    const auto order = wholeArgument("--order", *a.value("order"), 1, values::maxOrder, error);
    if (!order)
        return std::nullopt;
    r.goal.prototype.order = *order;
    const values::Parsed f = values::parseMeasure(*a.value("f"), values::Measure::Frequency);
    if (!f.value) {
        error = "--f: " + f.error;
        return std::nullopt;
    }
    r.goal.fcHz = f.value->nearestDouble();
    if (const auto topology = a.value("topology")) {
        const auto t = named(topologies, *topology);
        if (!t) {
            error = "--topology: '" + *topology + "' is not a topology: write sallen-key, sallen-key-equal or mfb";
            return std::nullopt;
        }
        r.goal.topology = static_cast<values::FilterTopology>(*t);
    }
    const auto resistors = parts(a, "series", "r-range", values::Series::E24, "1k", "1M", values::Unit::Ohm, error);
    if (!resistors)
        return std::nullopt;
    const auto capacitors =
        parts(a, "cap-series", "c-range", values::Series::E12, "1n", "1u", values::Unit::Farad, error);
    if (!capacitors)
        return std::nullopt;
    r.resistors = *resistors;
    r.capacitors = *capacitors;
    const auto rt = tolerance(a, "r-tolerance", 1, error);
    const auto ct = rt ? tolerance(a, "c-tolerance", 5, error) : std::nullopt;
    if (!rt || !ct)
        return std::nullopt;
    r.tolerances = {*rt, *ct};
    if (const auto plot = a.value("plot")) {
        std::string lower = *plot;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        if (!lower.ends_with(".csv") && !lower.ends_with(".svg") && !lower.ends_with(".png")) {
            error = "--plot: '" + *plot + "' does not end in .csv, .svg or .png";
            return std::nullopt;
        }
        r.plot = plot;
    }
    return r;
}

void writeJson(std::ostream& out, const Request& r, const values::FilterDesign& d, std::optional<double> halfPower)
{
    Json j;
    j.beginObject()
        .key("kind")
        .string(r.goal.pass == values::Pass::LowPass ? "lowpass" : "highpass")
        .key("response")
        .string(nameOf(responses, static_cast<int>(r.goal.prototype.response)))
        .key("ripple_db");
    if (r.goal.prototype.response == values::Response::Chebyshev)
        j.number(r.goal.prototype.rippleDb);
    else
        j.null();
    j.key("order").number(static_cast<long long>(r.goal.prototype.order));
    j.key("topology").string(nameOf(topologies, static_cast<int>(r.goal.topology)));
    j.key("fc_hz").number(r.goal.fcHz);
    j.key("sections").beginArray();
    for (const values::SectionDesign& s : d.sections) {
        // A first-order section has no Q.
        const bool first = values::isFirstOrder(s.circuit);
        const auto q = [&j, first](double value) -> Json& { return first ? j.null() : j.number(value); };
        j.beginObject().key("order").number(static_cast<long long>(first ? 1 : 2));
        j.key("f0_goal_hz").number(s.goal.f0Hz).key("q_goal");
        q(s.goal.q);
        j.key("parts").beginArray();
        for (const values::SectionPart& p : s.parts) {
            j.beginObject().key("name").string(p.name);
            j.key(values::isCapacitor(p.name) ? "value_f" : "value_ohm").number(p.value).endObject();
        }
        j.endArray();
        j.key("f0_hz").number(s.f0Hz).key("q");
        q(s.q).key("gain").number(s.gain);
        j.key("f0_error_pct").percent(s.f0ErrorPct).key("q_error_pct");
        first ? j.null() : j.percent(s.qErrorPct);
        j.endObject();
    }
    j.endArray();
    const values::Band atFc = values::filterBand(d, r.tolerances, std::array{r.goal.fcHz});
    const double gain = values::passBandGain(d);
    j.key("pass_band_gain").number(gain);
    j.key("response_at_fc_db").number(values::decibels(values::designResponse(d, r.goal.fcHz) / gain));
    j.key("ideal_at_fc_db").number(values::decibels(values::idealResponse(r.goal, r.goal.fcHz)));
    j.key("band_at_fc_db").beginArray().number(atFc.lowDb[0]).number(atFc.highDb[0]).endArray();
    j.key("half_power_hz");
    halfPower ? j.number(*halfPower) : j.null();
    j.key("r_tolerance_pct").percent(r.tolerances.resistorPct);
    j.key("c_tolerance_pct").percent(r.tolerances.capacitorPct);
    out << j.endObject().text() << '\n';
}

void writeText(std::ostream& out, const Request& r, const values::FilterDesign& d, std::optional<double> halfPower)
{
    const values::FilterGoal& g = r.goal;
    out << responseText(g.prototype) << (g.pass == values::Pass::LowPass ? " low pass" : " high pass") << ", order "
        << g.prototype.order << ", corner " << shown(g.fcHz, "Hz") << "; " << topologyText(g.topology) << '\n';
    using A = Table::Align;
    Table t({"section", "f0 goal", "Q goal", "parts", "f0", "Q", "f0 error", "Q error"},
            {A::Left, A::Right, A::Right, A::Left, A::Right, A::Right, A::Right, A::Right});
    int index = 0;
    for (const values::SectionDesign& s : d.sections) {
        std::string parts;
        for (const values::SectionPart& p : s.parts)
            parts += (parts.empty() ? "" : ", ") + p.name + " " + values::withUnit(p.value, unitOf(p));
        const bool first = values::isFirstOrder(s.circuit);
        t.add({std::to_string(++index), shown(s.goal.f0Hz, "Hz"), first ? "-" : figure(s.goal.q), parts,
               shown(s.f0Hz, "Hz"), first ? "-" : figure(s.q), percentText(s.f0ErrorPct),
               first ? "-" : percentText(s.qErrorPct)});
    }
    t.print(out);
    const values::Band atFc = values::filterBand(d, r.tolerances, std::array{g.fcHz});
    const double gain = values::passBandGain(d);
    if (std::abs(gain) != 1)
        out << "pass-band gain " << figure(gain) << " (" << values::decibelText(values::decibels(gain)) << ")\n";
    out << "at " << shown(g.fcHz, "Hz") << ": "
        << values::decibelText(values::decibels(values::designResponse(d, g.fcHz) / gain)) << " (ideal "
        << values::decibelText(values::decibels(values::idealResponse(g, g.fcHz))) << "); "
        << values::decibelText(atFc.lowDb[0]) << " to " << values::decibelText(atFc.highDb[0])
        << " over the tolerances (R " << figure(r.tolerances.resistorPct) << " %, C "
        << figure(r.tolerances.capacitorPct) << " %)\n";
    if (halfPower)
        out << "-3 dB at " << shown(*halfPower, "Hz") << '\n';
    else
        out << "-3 dB: not between a hundredth of the corner and a hundred times it\n";
}

} // namespace

const Syntax& filterSyntax()
{
    return syntax;
}

std::span<const Command> filterCommands()
{
    return table;
}

std::string filterCsv(const values::FilterCurves& c)
{
    std::string text = "f_hz,ideal_db,response_db,phase_deg,band_low_db,band_high_db\n";
    for (std::size_t i = 0; i < c.frequencies.size(); ++i) {
        for (const double x :
             {c.frequencies[i], c.idealDb[i], c.realDb[i], c.realDegrees[i], c.band.lowDb[i], c.band.highDb[i]})
            text += jsonNumber(x) + ',';
        text.back() = '\n';
    }
    return text;
}

int runFilter(const Arguments& a, std::ostream& out, std::ostream& err, PictureWriter pictures)
{
    const double started = values::threadCpuSeconds();
    std::string error;
    const std::optional<Request> r = read(a, error);
    if (!r)
        return usage(err, error);
    const bool picture = r->plot && !r->plot->ends_with(".csv") && !r->plot->ends_with(".CSV");
    if (picture && pictures == nullptr)
        return usage(err, "--plot: this command line writes .csv only");
    values::DesignBudget budget;
    budget.maxCpuSeconds = values::Budget::leftAfter(values::threadCpuSeconds() - started);
    const values::FilterDesign d = values::designFilter(r->goal, r->resistors, r->capacitors, {}, &budget);
    const int status = budget.limited ? exitUsage : exitOk;
    if (budget.limited)
        message(err, "filter: the search stopped at its limit: better parts may exist");
    const values::FilterCurves c = values::filterCurves(d, r->tolerances);
    const std::optional<double> halfPower =
        values::halfPowerHz(r->goal, [&d](double f) { return values::designResponse(d, f); });
    if (r->plot) {
        if (picture) {
            if (const std::string why = pictures(*r->plot, d, c); !why.empty()) {
                message(err, "--plot: " + why);
                return exitFailure;
            }
        } else {
            std::ofstream file(*r->plot, std::ios::binary | std::ios::trunc);
            file << filterCsv(c);
            file.close();
            if (!file) {
                message(err, "--plot: cannot write '" + *r->plot + "'");
                return exitFailure;
            }
        }
    }
    if (a.flag("json"))
        writeJson(out, *r, d, halfPower);
    else
        writeText(out, *r, d, halfPower);
    return status;
}

} // namespace cli
