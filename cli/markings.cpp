// SPDX-License-Identifier: MIT
#include "cli/markings.h"

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/json.h"
#include "cli/table.h"

#include "numeric/format.h"
#include "values/markings.h"

#include <limits>
#include <ostream>

namespace cli {

namespace {

std::string bandNames(const std::vector<values::Colour>& bands)
{
    std::string out;
    for (values::Colour c : bands)
        out += (out.empty() ? "" : " ") + std::string(values::facts(c).name);
    return out;
}

std::string_view markingName(values::MarkingKind kind)
{
    switch (kind) {
    case values::MarkingKind::Bands4:
        return "4 bands";
    case values::MarkingKind::Bands5:
        return "5 bands";
    case values::MarkingKind::Bands6:
        return "6 bands";
    case values::MarkingKind::Smd3:
        return "SMD 3 digits";
    case values::MarkingKind::Smd4:
        return "SMD 4 digits";
    case values::MarkingKind::Eia96:
        return "EIA-96";
    case values::MarkingKind::Rkm:
        return "RKM";
    }
    return "";
}

} // namespace

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option, in the order they are listed
int runMark(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const values::Parsed parsed = values::parse(a.positionals()[0]);
    if (!parsed.value)
        return usage(err, "mark: " + parsed.error);
    if (parsed.unit != values::Unit::None && parsed.unit != values::Unit::Ohm)
        return usage(err, "mark: '" + a.positionals()[0] + "' is not a resistance: the markings are a resistor's");

    values::Decimal tolerance = values::Decimal::of(5, 0);
    if (const auto text = a.value("tolerance")) {
        std::string error;
        const auto t = toleranceArgument("--tolerance", *text, false, error);
        if (!t)
            return usage(err, error);
        tolerance = *t;
    }
    std::optional<int> tcr;
    if (const auto text = a.value("tcr")) {
        const auto n = values::parseWhole(*text, 1, std::numeric_limits<int>::max());
        if (!n)
            return usage(err, "--tcr: '" + *text + "' is not a whole number of ppm/K such as 50");
        tcr = n;
    }

    const values::MarkResult result = values::mark(*parsed.value, tolerance, tcr);
    if (!result.error.empty()) {
        std::string nearest;
        for (const values::Nearest& n : result.nearest)
            nearest += (nearest.empty() ? "" : ", ") + values::format(n.nearest) + " (" +
                std::string(values::name(n.series)) + ")";
        return usage(err, "mark: " + result.error + "; nearest: " + nearest);
    }

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("value_ohm").number(*parsed.value).key("tolerance_pct").number(tolerance);
        for (const values::Marking& m : result.markings) {
            json.key(values::keyOf(m.kind));
            if (!m.carries()) {
                json.null();
            } else if (!m.bands.empty()) {
                json.beginArray();
                for (values::Colour c : m.bands)
                    json.string(values::facts(c).name);
                json.endArray();
            } else {
                json.string(m.code);
            }
        }
        json.key("why_not").beginObject();
        for (const values::Marking& m : result.markings) {
            if (!m.carries())
                json.key(values::keyOf(m.kind)).string(m.whyNot);
        }
        json.endObject().endObject();
        out << json.text() << '\n';
        return exitOk;
    }
    out << values::quantity(*parsed.value, values::Unit::Ohm) << " at "
        << values::describe(values::Tolerance::percent(tolerance));
    if (tcr)
        out << ", " << *tcr << " ppm/K";
    out << '\n';
    Table table({"marking", "code"});
    for (const values::Marking& m : result.markings) {
        table.add({std::string(markingName(m.kind)),
                   !m.carries()          ? "none: " + m.whyNot
                       : m.bands.empty() ? m.code
                                         : bandNames(m.bands)});
    }
    table.print(out);
    return exitOk;
}

int runRead(const Arguments& a, std::ostream& out, std::ostream& err)
{
    // Unquoted colour names arrive as several arguments; they are one marking.
    std::string text;
    for (const std::string& p : a.positionals())
        text += (text.empty() ? "" : " ") + p;

    const values::ReadResult result = values::read(text);
    if (result.readings.empty())
        return usage(err, "read: " + result.error);

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("readings").beginArray();
        for (const values::Reading& r : result.readings) {
            json.beginObject()
                .key("kind")
                .string(values::kindName(r.kind))
                .key(r.unit == values::Unit::Farad ? "value_f" : "value_ohm")
                .number(r.value);
            json.key("tolerance_pct");
            if (r.tolerance && r.tolerance->symmetricPercent())
                json.number(r.tolerance->plus);
            else
                json.null();
            json.key("tcr_ppm");
            if (r.tcr)
                json.number(static_cast<long long>(*r.tcr));
            else
                json.null();
            json.key("tolerance");
            if (r.tolerance)
                json.string(values::describe(*r.tolerance));
            else
                json.null();
            json.endObject();
        }
        json.endArray().endObject();
        out << json.text() << '\n';
        return exitOk;
    }
    Table table({"reading", "value", "tolerance", "temperature coefficient"});
    for (const values::Reading& r : result.readings) {
        table.add({std::string(values::kindName(r.kind)), values::quantity(r.value, r.unit, r.figures),
                   r.tolerance ? values::describe(*r.tolerance) : "", r.tcr ? std::to_string(*r.tcr) + " ppm/K" : ""});
    }
    table.print(out);
    return exitOk;
}

std::span<const Command> markingsCommands()
{
    static constexpr Option markOptions[] = {
        {"tolerance", "PERCENT", "5", "the tolerance the bands or the code carry"},
        {"tcr", "PPM", "", "the temperature coefficient in ppm/K, for six bands"},
        jsonOption,
    };
    static constexpr Option readOptions[] = {jsonOption};
    static constexpr std::string_view markExamples[] = {"4k7", "4.99k --tolerance 1 --tcr 50"};
    static constexpr std::string_view readExamples[] = {"\"yellow violet red gold\"", "104", "4K7J"};
    static constexpr Command commands[] = {
        {"mark",
         {.positional = "VALUE",
          .missing = "the value, for example: voltiva mark 4k7",
          .options = markOptions,
          .examples = markExamples},
         runMark},
        {"read",
         {.positional = "MARKING",
          .many = true,
          .missing = "the marking, for example: voltiva read \"yellow violet red gold\"",
          .options = readOptions,
          .examples = readExamples},
         runRead},
    };
    return commands;
}

} // namespace cli
