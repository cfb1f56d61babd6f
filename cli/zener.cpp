// SPDX-License-Identifier: MIT
#include "cli/amplifiers.h"

#include "cli/amplifiers_read.h"
#include "cli/json.h"
#include "cli/table.h"

#include "values/power.h"
#include "values/zener.h"

#include <ostream>
#include <string>

namespace cli {

namespace {

using amplifiers::five;

std::string optionOf(values::ZenerField field)
{
    using F = values::ZenerField;
    switch (field) {
    case F::Supply:
        return "--supply";
    case F::Vz:
        return "--vz";
    case F::VzTolerance:
        return "--vz-tolerance";
    case F::IzMin:
        return "--iz-min";
    case F::Pz:
        return "--pz";
    case F::Load:
        return "--load";
    case F::Tolerance:
        return "--tolerance";
    case F::Margin:
        return "--margin";
    case F::None:
        break;
    }
    return "zener";
}

const char* limitName(values::ZenerLimit limit)
{
    switch (limit) {
    case values::ZenerLimit::Supply:
        return "supply";
    case values::ZenerLimit::Power:
        return "power";
    case values::ZenerLimit::Series:
        return "series";
    case values::ZenerLimit::None:
        break;
    }
    return "none";
}

Json& number(Json& json, const values::Exact& v)
{
    return json.number(v.toDouble());
}

} // namespace

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option, in the order they are listed
int runZener(const Arguments& a, std::ostream& out, std::ostream& err)
{
    values::ZenerInput input;
    amplifiers::Reader read{a, {}};
    const auto supply = read.range("supply", values::Unit::Volt);
    const auto vz = read.value("vz", values::Unit::Volt);
    std::string error;
    if (read.error.empty() && a.value("vz-tolerance")) {
        const auto t = toleranceArgument("--vz-tolerance", *a.value("vz-tolerance"), true, read.error);
        input.vzTolerance = t.value_or(input.vzTolerance);
    }
    const auto izMin = read.value("iz-min", values::Unit::Ampere, input.izMin);
    const auto pz = read.value("pz", values::Unit::None, input.pzRating, false, "W");
    const auto load = read.range("load", values::Unit::Ampere, true);
    if (read.error.empty() && a.value("series")) {
        const auto s = seriesArgument("--series", *a.value("series"), read.error);
        input.series = s.value_or(input.series);
    }
    if (read.error.empty() && a.value("tolerance")) {
        const auto t = toleranceArgument("--tolerance", *a.value("tolerance"), true, read.error);
        input.tolerance = t.value_or(input.tolerance);
    }
    if (read.error.empty() && a.value("margin")) {
        const auto m = values::parseMargin(*a.value("margin"));
        if (!m)
            read.error =
                "--margin: '" + *a.value("margin") + "' is not a margin: write a factor from 1 to 10, such as 2";
        input.margin = m.value_or(input.margin);
    }
    if (read.error.empty() && a.value("top"))
        input.top = wholeArgument("--top", *a.value("top"), 1, 1000, read.error).value_or(input.top);
    if (!read.error.empty())
        return usage(err, read.error);
    input.supplyMin = supply->first;
    input.supplyMax = supply->second;
    input.vz = *vz;
    input.izMin = *izMin;
    input.pzRating = *pz;
    input.loadMin = load->first;
    input.loadMax = load->second;
    if (const values::ZenerCheck check = values::checkZener(input); check.change != values::ZenerField::None)
        return usage(err, optionOf(check.change) + ": " + check.message);
    const values::ZenerDesign design = *values::designZener(input);
    const bool open = design.limit == values::ZenerLimit::None;
    const bool closedEarly = design.limit == values::ZenerLimit::Supply;

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("open").boolean(open).key("limit").string(limitName(design.limit));
        json.key("why").string(design.why).key("r_min_ohm");
        closedEarly ? json.null() : json.number(design.rMin);
        json.key("r_max_ohm");
        closedEarly ? json.null() : number(json, design.rMax);
        json.key("pz_at_r_max_w");
        closedEarly ? json.null() : number(json, design.pzAtRMax);
        json.key("choices").beginArray();
        for (const values::ZenerChoice& c : design.choices) {
            json.beginObject().key("r_ohm").number(c.ohms).key("iz_min_a");
            number(json, c.izMin).key("iz_max_a");
            number(json, c.izMax).key("pz_max_w");
            number(json, c.pzMax).key("power_w");
            number(json, c.power).key("power_max_w");
            number(json, c.powerMax).key("rating_w");
            c.rating ? json.number(*c.rating) : json.null();
            json.endObject();
        }
        json.endArray().key("more").number(static_cast<long long>(design.more)).endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    const auto range = [](const values::Decimal& lo, const values::Decimal& hi, const char* unit) {
        return lo == hi ? five(lo, unit) : values::format(lo, 5) + " to " + five(hi, unit);
    };
    out << "Supply " << range(input.supplyMin, input.supplyMax, "V") << ", V z " << five(input.vz, "V") << " ± "
        << values::format(input.vzTolerance, 6) << " %, I z at least " << five(input.izMin, "A") << ", P z "
        << five(input.pzRating, "W") << ", load " << range(input.loadMin, input.loadMax, "A") << '\n';
    if (open || design.limit == values::ZenerLimit::Series)
        out << "Window: " << shown(design.rMin, "Ω") << " to " << five(design.rMax, "Ω") << "; "
            << values::name(input.series) << " of " << values::format(input.tolerance, 6) << " %, margin "
            << values::format(input.margin, 6) << "x\n";
    if (!open) {
        out << design.why << '\n';
        return exitOk;
    }
    using A = Table::Align;
    Table t({"R", "I z least", "I z most", "P z most", "P R", "P R worst", "rating"},
            {A::Right, A::Right, A::Right, A::Right, A::Right, A::Right, A::Right});
    for (const values::ZenerChoice& c : design.choices)
        t.add({five(c.ohms, "Ω"), five(c.izMin, "A"), five(c.izMax, "A"), five(c.pzMax, "W"), five(c.power, "W"),
               five(c.powerMax, "W"), c.rating ? values::ratingText(*c.rating) : "above 5 W"});
    t.print(out);
    if (design.more > 0)
        out << "and " << design.more << " more inside the window\n";
    return exitOk;
}

} // namespace cli
