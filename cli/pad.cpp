// SPDX-License-Identifier: MIT
#include "cli/pad.h"

#include "cli/arguments.h"
#include "cli/json.h"
#include "cli/table.h"

#include "numeric/exact.h"
#include "numeric/format.h"
#include "values/pads.h"
#include "values/series.h"

#include <array>
#include <ostream>

namespace cli {

namespace {

constexpr Option padOptions[] = {
    {"db", "DB", "", "the attenuation in decibels", "give the attenuation, for example --db 6"},
    {"z", "OHMS", "50", "the impedance on both sides"},
    {"series", "SERIES", "E96", "the resistors' series"},
    jsonOption,
};

constexpr std::string_view padExamples[] = {"--db 6", "--db 20 --z 75"};

constexpr std::array<Command, 1> table{{
    {"pad", {.options = padOptions, .examples = padExamples}, runPad},
}};

// The JSON names of the pads and their resistors, in the order designPads gives them.
constexpr const char* padKeys[] = {"pi", "tee", "bridged_tee"};

std::string ohmKey(std::string_view role)
{
    return std::string(role) + "_ohm";
}

void writeJson(Json& json, const values::Pad& pad)
{
    json.beginObject();
    for (const values::PadResistor& r : pad.resistors)
        json.key(ohmKey(r.role)).number(r.exact);
    json.key("standard").beginObject();
    for (const values::PadResistor& r : pad.resistors)
        json.key(ohmKey(r.role)).number(r.standard);
    const values::PadPerformance& p = pad.standard;
    json.key("attenuation_db").number(p.db).key("z_in_ohm").number(p.zIn);
    // JSON has no infinity: a perfect match writes null and says why.
    json.key("return_loss_db");
    if (p.returnLossDb)
        json.number(*p.returnLossDb);
    else
        json.null();
    json.key("perfect_match").boolean(!p.returnLossDb);
    json.endObject().endObject();
}

} // namespace

std::span<const Command> padCommands()
{
    return table;
}

int runPad(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const values::ParsedAttenuation db = values::parseAttenuation(*a.value("db"));
    if (!db.db)
        return usage(err, "--db: " + db.error);
    values::Decimal z = values::Decimal::of(50, 0);
    if (const auto zText = a.value("z")) {
        const values::Parsed parsed = values::parse(*zText);
        if (!parsed.value)
            return usage(err, "--z: " + parsed.error);
        if (parsed.unit != values::Unit::None && parsed.unit != values::Unit::Ohm)
            return usage(err, "--z: '" + *zText + "' is not an impedance: write 50, 75 or 600");
        z = *parsed.value;
    }
    values::Series series = values::Series::E96;
    if (const auto named = a.value("series")) {
        std::string error;
        const auto chosen = seriesArgument("--series", *named, error);
        if (!chosen)
            return usage(err, error);
        series = *chosen;
    }

    const auto pads = values::designPads(*db.db, z, series);
    if (a.flag("json")) {
        Json json;
        json.beginObject();
        for (std::size_t i = 0; i < pads.size(); ++i) {
            json.key(padKeys[i]);
            writeJson(json, pads[i]);
        }
        json.endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    out << values::withUnit(*db.db, "dB", values::allDigits) << ", " << values::withUnit(z, "Ω", values::allDigits)
        << ", " << values::name(series) << '\n';
    using A = Table::Align;
    Table t({"pad", "resistor", "exact", std::string(values::name(series)), "attenuation", "Z in", "return loss"},
            {A::Left, A::Left, A::Right, A::Right, A::Right, A::Right, A::Right});
    for (const values::Pad& pad : pads) {
        bool first = true;
        for (const values::PadResistor& r : pad.resistors) {
            const std::string role = std::string(r.role) + (r.count > 1 ? " (x" + std::to_string(r.count) + ")" : "");
            const values::PadPerformance& p = pad.standard;
            t.add({first ? std::string(values::name(pad.kind)) : "", role, values::figure(r.exact, "Ω"),
                   values::withUnit(r.standard, "Ω"), first ? values::figure(p.db, "dB") : "",
                   first ? values::figure(p.zIn, "Ω") : "",
                   first ? (p.returnLossDb ? values::figure(*p.returnLossDb, "dB") : "infinite") : ""});
            first = false;
        }
    }
    t.print(out);
    return exitOk;
}

} // namespace cli
