// SPDX-License-Identifier: MIT
#include "cli/lines.h"

#include "cli/json.h"
#include "cli/measured.h"
#include "cli/table.h"

#include "values/field.h"
#include "values/lines.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace cli {

namespace {

namespace ln = values::lines;
namespace field = values::lines::field;
using ln::Dim;

constexpr Option lineOptions[] = {
    {"w", "W", "", "the strip's width (a bare number is in mm; mm, mil, um, in)"},
    {"s", "S", "", "the gap: between coupled strips, or from a CPW's strip to its grounds"},
    {"h", "H", "", "the substrate's thickness (offset stripline: from the lower plane to the strip)"},
    {"b", "B", "", "the spacing of a stripline's planes"},
    {"t", "T", "35u", "the copper's thickness; 0 for a thin sheet"},
    {"d", "D", "", "the diameter of a coax's inner conductor or of a pair's wires"},
    {"D", "D", "", "the inside diameter of a coax's shield, or the distance between a pair's centres"},
    {"er", "ER", "", "the dielectric's relative permittivity", "give it, for example --er 4.5"},
    {"tand", "TAN", "0", "the dielectric's loss tangent, for its loss (FR-4 about 0.02)"},
    {"f", "HZ", "1G", "the frequency, for the dispersion, the wavelength and the losses"},
    {"length", "L", "", "the line's length, for its whole delay and loss"},
    {"z0", "OHMS", "", "find the width (coax and pair: d) for this Z0"},
    {"zdiff", "OHMS", "", "a coupled pair: find the width at --s, or the gap at --w, for this Z diff"},
    {"step", "L", "0.01mm", "the step the width or gap found is rounded to"},
    {"dw", "TOL", "0.025mm", "the width's tolerance, gaps and diameters alike: a length or a share (5%)"},
    {"dh", "TOL", "10%", "the tolerance of h and b (D of a coax or a pair): a share or a length"},
    {"der", "TOL", "0.2", "the permittivity's tolerance, or a share (5%)"},
    {"dt", "TOL", "0", "the copper thickness's tolerance: a length or a share"},
    {"field", "", "", "also solve the cross-section as a field and say how far the formula is from it"},
    {"mask", "", "", "with --field, solder mask over the outer layer (microstrip, CPW, GCPW, coupled microstrip)"},
    {"mask-t", "L", "20u", "the mask's thickness over the substrate and round the strips"},
    {"mask-er", "ER", "3.8", "the mask's relative permittivity"},
    {"etch", "DEGREES", "0", "with --field, how far the strips' sides lean in from upright, 0 to 60 degrees"},
    jsonOption,
};
constexpr OneOf lineOneOf[] = {
    {"z0", "zdiff", "--zdiff: give --z0 for a single line or --zdiff for a coupled pair, not both"},
};

#define LINE_TYPES                                                                                                     \
    "microstrip, stripline, offset-stripline, cpw, gcpw, coupled-microstrip, coupled-stripline, coax or twisted-pair"

constexpr std::string_view lineExamples[] = {
    "microstrip --w 3mm --h 1.6mm --er 4.5 --t 0",
    "microstrip --z0 50 --h 1.6mm --er 4.5 --tand 0.02 --length 100mm",
    "coupled-microstrip --zdiff 100 --s 0.2mm --h 0.2mm --er 4.3",
    "coax --d 0.9mm --D 2.95mm --er 2.25",
    "microstrip --w 0.36mm --h 0.2mm --er 4.3 --field --mask",
    "coupled-microstrip --w 0.2mm --s 0.2mm --h 0.2mm --er 4.3 --t 0 --field",
};

constexpr std::array<Command, 1> table{{
    {"line",
     {.positional = "TYPE",
      .missing = "the line's type: " LINE_TYPES,
      .options = lineOptions,
      .oneOf = lineOneOf,
      .examples = lineExamples},
     runLine},
}};

const char* optionOf(Dim dim)
{
    switch (dim) {
    case Dim::W:
        return "w";
    case Dim::S:
        return "s";
    case Dim::H:
        return "h";
    case Dim::B:
        return "b";
    case Dim::T:
        return "t";
    case Dim::D:
        return "d";
    case Dim::Outer:
        return "D";
    case Dim::Er:
        break;
    }
    return "er";
}

const char* optionOf(field::Setting setting)
{
    switch (setting) {
    case field::Setting::MaskEr:
        return "mask-er";
    case field::Setting::MaskT:
        return "mask-t";
    case field::Setting::Etch:
        break;
    }
    return "etch";
}

const char* toleranceOf(ln::Toleranced t)
{
    switch (t) {
    case ln::Toleranced::Width:
        return "dw";
    case ln::Toleranced::Height:
        return "dh";
    case ln::Toleranced::Er:
        return "der";
    case ln::Toleranced::Thickness:
        break;
    }
    return "dt";
}

// JSON keys are snake_case: D, the outer dimension, is d_outer.
std::string jsonName(Dim dim)
{
    return dim == Dim::Outer ? "d_outer" : optionOf(dim);
}

std::string mm(double metres)
{
    return figure(metres * 1e3) + " mm";
}

std::string band(const ln::Band& b, double scale = 1)
{
    return figure(b.lo * scale) + "-" + shown(b.hi * scale, "Ω") + " over the tolerances";
}

// The key's unit goes last: "z_diff_min_ohm".
void bandKeys(Json& json, const std::string& stem, const ln::Band& b, double scale = 1)
{
    json.key(stem + "_min_ohm").number(b.lo * scale).key(stem + "_max_ohm").number(b.hi * scale);
}

struct Given {
    ln::Line line;
    ln::Conditions conditions;
    ln::Tolerances tolerances;
    std::optional<Dim> solved;
    double goalOhm = 0;
    double stepM = 0;
    double exactM = 0;
    bool field = false;
    field::Options options;
};

// Whether the type has an outer surface for a mask: the striplines are inside the board.
bool outer(ln::Type type)
{
    return type == ln::Type::Microstrip || type == ln::Type::Cpw || type == ln::Type::Gcpw ||
        type == ln::Type::CoupledMicrostrip;
}

bool isRound(ln::Type type)
{
    return type == ln::Type::Coax || type == ln::Type::TwistedPair;
}

std::string left(const std::string& option, const std::string& goal)
{
    return "--" + option + ": leave it out; it is what --" + goal + " finds";
}

std::string missing(const std::string& option)
{
    return "--" + option + ": missing; give it, for example --" + option + " 1mm";
}

// The options a type takes, with --help and those every type takes.
std::vector<std::string_view> taken(ln::Type type)
{
    std::vector<std::string_view> names{"er", "tand", "f", "length", "step", "dw", "dh", "der", "json", "field"};
    for (const Dim dim : ln::dimsOf(type))
        names.emplace_back(optionOf(dim));
    names.emplace_back(ln::coupled(type) ? "zdiff" : "z0");
    if (!isRound(type))
        names.insert(names.end(), {"dt", "etch"});
    if (outer(type))
        names.insert(names.end(), {"mask", "mask-t", "mask-er"});
    return names;
}

// --field and what shapes it: the mask and the etch only with it, the mask's figures only with it.
std::optional<std::string> readField(const Arguments& a, Given& g)
{
    g.field = a.flag("field");
    g.options.mask = a.flag("mask");
    for (const char* option : {"mask", "mask-t", "mask-er", "etch"}) {
        if (!g.field && (a.flag(option) || a.value(option)))
            return "--" + std::string(option) + ": does not apply without --field; add --field or leave it out";
    }
    for (const char* option : {"mask-t", "mask-er"}) {
        if (!g.options.mask && a.value(option))
            return "--" + std::string(option) + ": does not apply without --mask; add --mask or leave it out";
    }
    MeasuredOptions read{a, {}};
    const auto maskT = read.get(
        "mask-t", [](const std::string& t) { return ln::parseLineLength(t); }, g.options.maskT);
    const auto maskEr = read.get(
        "mask-er", [](const std::string& t) { return ln::parsePermittivity(t); }, g.options.maskEr);
    const auto etch = read.get(
        "etch", [](const std::string& t) { return ln::parseEtchAngle(t); }, 0.0);
    if (!read.error.empty())
        return read.error;
    g.options.maskT = maskT.value_or(g.options.maskT);
    g.options.maskEr = maskEr.value_or(g.options.maskEr);
    g.options.etchDeg = etch.value_or(0.0);
    return std::nullopt;
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option, in the order they are listed
std::optional<std::string> read(const Arguments& a, ln::Type type, Given& g)
{
    const std::vector<std::string_view> names = taken(type);
    std::vector<std::string> extra;
    for (const Option& o : lineOptions) {
        if ((a.value(o.name) || a.flag(o.name)) && std::find(names.begin(), names.end(), o.name) == names.end())
            extra.push_back("--" + std::string(o.name));
    }
    if (!extra.empty()) {
        std::string list = extra.front();
        for (std::size_t i = 1; i < extra.size(); ++i)
            list += (i + 1 == extra.size() ? " and " : ", ") + extra[i];
        return "line " + std::string(ln::typeName(type).command) + ": " + list + (extra.size() == 1 ? " does" : " do") +
            " not apply; leave " + (extra.size() == 1 ? "it" : "them") + " out";
    }

    MeasuredOptions read{a, {}};
    const std::string goalOption = ln::coupled(type) ? "zdiff" : "z0";
    if (const auto goal = read.get(goalOption, [](const std::string& t) { return ln::parseImpedance(t); })) {
        g.goalOhm = *goal;
        const std::span<const Dim> dims = ln::dimsOf(type);
        g.solved = dims.front();
        if (ln::coupled(type)) {
            if (a.value("w") && a.value("s"))
                return "--zdiff: give --s for the width, or --w for the gap, not both";
            g.solved = a.value("w") ? Dim::S : Dim::W;
        }
    }
    g.line = ln::lineOf(type);
    for (const Dim dim : ln::dimsOf(type)) {
        const std::string option = optionOf(dim);
        if (dim == g.solved) {
            if (a.value(option))
                return left(option, goalOption);
            continue;
        }
        const auto value = read.get(
            option, [dim](const std::string& t) { return ln::parseLineLength(t, dim == Dim::T); },
            dim == Dim::T ? std::optional(35e-6) : std::nullopt);
        if (!read.error.empty())
            return read.error;
        if (!value)
            return missing(option);
        ln::set(g.line, dim, *value);
    }
    const auto er = read.get("er", [](const std::string& t) { return ln::parsePermittivity(t); });
    const auto tanD = read.get(
        "tand", [](const std::string& t) { return ln::parseLossTangent(t); }, 0.0);
    const auto f = read.get(
        "f", [](const std::string& t) { return ln::parseFrequency(t); }, 1e9);
    const auto length = read.get(
        "length", [](const std::string& t) { return ln::parseLineLength(t); }, 0.0);
    const auto step = read.get(
        "step", [](const std::string& t) { return ln::parseLineLength(t); }, 1e-5);
    if (!read.error.empty())
        return read.error;
    ln::setEr(g.line, *er);
    g.conditions = {*tanD, *f, *length};
    g.stepM = *step;
    const auto spread = [&](const char* option, bool length, ln::Spread& into) -> std::optional<std::string> {
        const auto text = a.value(option);
        if (!text)
            return std::nullopt;
        const ln::SpreadReading r = ln::parseSpread(*text, length);
        if (!r.spread)
            return "--" + std::string(option) + ": " + r.error;
        into = *r.spread;
        return std::nullopt;
    };
    for (const auto& [option, length, into] :
         {std::tuple{"dw", true, &g.tolerances.width}, std::tuple{"dh", true, &g.tolerances.height},
          std::tuple{"der", false, &g.tolerances.er}, std::tuple{"dt", true, &g.tolerances.thickness}}) {
        if (auto refused = spread(option, length, *into))
            return refused;
    }
    if (auto refused = readField(a, g))
        return refused;
    if (g.solved) {
        const ln::Synthesis s = ln::synthesise(g.line, *g.solved, g.goalOhm, g.stepM);
        if (!s.error.empty())
            return "--" + goalOption + ": " + s.error;
        g.exactM = s.exactM;
        ln::set(g.line, *g.solved, s.roundedM);
    }
    if (const auto r = ln::refusal(g.line))
        return "--" + std::string(r->dim == g.solved ? goalOption : optionOf(r->dim)) + ": " + r->message;
    if (!g.field)
        return std::nullopt;
    if (const auto r = field::refusal(g.line, g.options)) {
        const std::string option = r->setting ? optionOf(*r->setting)
            : r->dim == g.solved              ? goalOption
                                              : optionOf(r->dim.value_or(Dim::Er));
        return "--" + option + ": " + r->message;
    }
    return std::nullopt;
}

} // namespace

std::span<const Command> linesCommands()
{
    return table;
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): the text and the JSON side by side
int runLine(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const std::string& typed = a.positionals().front();
    const std::optional<ln::Type> type = ln::typeNamed(typed);
    if (!type)
        return usage(err, "line: '" + typed + "' is no type of line: write " LINE_TYPES);
    Given g;
    if (const auto error = read(a, *type, g))
        return usage(err, *error);
    const ln::Bands bands = ln::bands(g.line, g.tolerances);
    if (!bands.error.empty())
        return usage(err, "--" + std::string(toleranceOf(*bands.refused)) + ": " + bands.error);
    const ln::Analysis an = ln::analyse(g.line, g.conditions);
    const ln::Model& model = ln::model(*type);
    const bool pair = ln::coupled(*type);
    const double length = g.conditions.lengthM;
    std::optional<field::Solution> solved;
    if (g.field) {
        solved = field::solve(g.line, g.options);
        if (!solved->error.empty())
            return usage(err, "--field: " + solved->error);
    }
    const ln::Impedance formula{an.line.mode, an.even ? std::optional(an.even->mode) : std::nullopt};

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("type").string(ln::typeName(*type).command);
        json.key("model").string(model.name).key("accuracy").string(model.accuracy);
        for (const Dim dim : ln::dimsOf(*type))
            json.key(jsonName(dim) + "_m").number(ln::get(g.line, dim));
        json.key("er").number(ln::er(g.line)).key("tan_d").number(g.conditions.tanD);
        json.key("frequency_hz").number(g.conditions.frequencyHz);
        if (g.solved) {
            json.key(pair ? "goal_z_diff_ohm" : "goal_z0_ohm").number(g.goalOhm);
            json.key(jsonName(*g.solved) + "_exact_m").number(g.exactM);
            json.key("step_m").number(g.stepM);
        }
        // A pair's modes each in an object of their own, with the keys a single line has.
        const auto mode = [&](const ln::ModeAnswer& m) {
            json.key("er_eff").number(m.mode.erEff).key("er_eff_at_frequency").number(m.erEffAtF);
            json.key("delay_s_per_m").number(m.delaySPerM);
            json.key("wavelength_m").number(m.wavelengthM).key("quarter_wave_m").number(m.wavelengthM / 4);
            json.key("conductor_loss_db_per_m");
            m.conductorDbPerM ? json.number(*m.conductorDbPerM) : json.null();
            json.key("dielectric_loss_db_per_m").number(m.dielectricDbPerM);
            if (length > 0) {
                json.key("delay_s").number(m.delaySPerM * length).key("loss_db");
                m.conductorDbPerM ? json.number((*m.conductorDbPerM + m.dielectricDbPerM) * length) : json.null();
            }
        };
        if (pair) {
            json.key("z_diff_ohm").number(2 * an.line.mode.z0);
            bandKeys(json, "z_diff", bands.line, 2);
            json.key("z_common_ohm").number(an.even->mode.z0 / 2);
            bandKeys(json, "z_common", *bands.even, 0.5);
            json.key("z_odd_ohm").number(an.line.mode.z0);
            bandKeys(json, "z_odd", bands.line);
            json.key("z_even_ohm").number(an.even->mode.z0);
            bandKeys(json, "z_even", *bands.even);
            json.key("odd").beginObject();
            mode(an.line);
            json.endObject().key("even").beginObject();
            mode(*an.even);
            json.endObject();
        } else {
            json.key("z0_ohm").number(an.line.mode.z0);
            bandKeys(json, "z0", bands.line);
            mode(an.line);
        }
        json.key("skin_depth_m").number(an.skinDepthM);
        if (length > 0)
            json.key("length_m").number(length);
        json.key("dispersion_outside_range").boolean(an.dispersionOutside);
        if (solved) {
            if (!isRound(*type)) {
                json.key("mask").boolean(g.options.mask);
                if (g.options.mask)
                    json.key("mask_t_m").number(g.options.maskT).key("mask_er").number(g.options.maskEr);
                json.key("etch_deg").number(g.options.etchDeg);
            }
            if (pair) {
                json.key("field_z_diff_ohm").number(2 * solved->line.z0);
                json.key("field_z_odd_ohm").number(solved->line.z0).key("field_z_even_ohm").number(solved->even->z0);
                json.key("field_er_eff_odd").number(solved->line.erEff);
                json.key("field_er_eff_even").number(solved->even->erEff);
            } else {
                json.key("field_z0_ohm").number(solved->line.z0).key("field_er_eff").number(solved->line.erEff);
            }
            json.key("field_grid_cells").number(static_cast<long long>(solved->gridCells));
            json.key("field_converged_percent").number(solved->convergedPercent);
            json.key("field_apart_pct")
                .number(field::percentApart(ln::designed(formula), ln::designed(solved->impedance())));
        }
        json.endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    out << ln::typeName(*type).shown << ":";
    const char* separator = " ";
    for (const Dim dim : ln::dimsOf(*type)) {
        out << separator << optionOf(dim) << ' ' << mm(ln::get(g.line, dim));
        separator = ", ";
    }
    out << ", er " << figure(ln::er(g.line)) << ", tan d " << figure(g.conditions.tanD) << ", at "
        << shown(g.conditions.frequencyHz, "Hz") << '\n';
    out << model.name << ". " << model.accuracy << ".\n";
    std::vector<std::vector<std::string>> rows;
    if (g.solved) {
        rows.push_back({optionOf(*g.solved),
                        mm(ln::get(g.line, *g.solved)) + " for " + shown(g.goalOhm, "Ω") + " (exactly " + mm(g.exactM) +
                            ", rounded to " + mm(g.stepM) + ")"});
    }
    if (pair) {
        rows.push_back({"Z diff", shown(2 * an.line.mode.z0, "Ω") + " (" + band(bands.line, 2) + ")"});
        rows.push_back({"Z common", shown(an.even->mode.z0 / 2, "Ω") + " (" + band(*bands.even, 0.5) + ")"});
        rows.push_back({"Z odd", shown(an.line.mode.z0, "Ω") + " (" + band(bands.line) + ")"});
        rows.push_back({"Z even", shown(an.even->mode.z0, "Ω") + " (" + band(*bands.even) + ")"});
    } else {
        rows.push_back({"Z0", shown(an.line.mode.z0, "Ω") + " (" + band(bands.line) + ")"});
    }
    const auto mode = [&](const std::string& name, const ln::ModeAnswer& m) {
        const std::string of = name.empty() ? std::string() : " " + name;
        rows.push_back({"er eff" + of,
                        figure(m.mode.erEff) +
                            (m.erEffAtF != m.mode.erEff
                                 ? " (" + figure(m.erEffAtF) + " at " + shown(g.conditions.frequencyHz, "Hz") + ")"
                                 : std::string())});
        rows.push_back(
            {"delay" + of,
             figure(m.delaySPerM * 1e9) + " ps/mm (" + figure(m.delaySPerM * 0.0254e12) + " ps/in)" +
                 (length > 0 ? ", " + shown(m.delaySPerM * length, "s") + " over " + mm(length) : std::string())});
        rows.push_back({"wavelength" + of, mm(m.wavelengthM) + ", a quarter " + mm(m.wavelengthM / 4)});
        const std::string whole = length > 0 && m.conductorDbPerM
            ? "; " + figure((*m.conductorDbPerM + m.dielectricDbPerM) * length) + " dB over " + mm(length)
            : std::string();
        rows.push_back({"loss" + of,
                        m.conductorDbPerM
                            ? figure(*m.conductorDbPerM) + " dB/m in the copper, " + figure(m.dielectricDbPerM) +
                                " dB/m in the dielectric" + whole
                            : figure(m.dielectricDbPerM) + " dB/m in the dielectric (the copper's needs t above 0)"});
    };
    mode(pair ? "odd" : "", an.line);
    if (an.even)
        mode("even", *an.even);
    rows.push_back({"skin depth", shown(an.skinDepthM, "m")});
    Table t(rows.front());
    for (std::size_t i = 1; i < rows.size(); ++i)
        t.add(rows[i]);
    t.print(out);
    if (an.dispersionOutside)
        out << "The dispersion is outside Kirschning and Jansen's range; treat er eff at the frequency as a rough "
               "guide.\n";
    if (solved && isRound(*type)) {
        out << "Field solution: the formula is exact for this line\n";
    } else if (solved) {
        const double scale = pair ? 2 : 1;
        out << "Field solution: " << (pair ? "Z diff " : "") << shown(solved->line.z0 * scale, "Ω") << " (formula "
            << shown(formula.line.z0 * scale, "Ω") << ", "
            << field::apartText(ln::designed(formula), ln::designed(solved->impedance())) << " apart, converged within "
            << field::convergedText(solved->convergedPercent) << ", " << solved->gridCells << " cells)";
        if (pair)
            out << "; Z odd " << shown(solved->line.z0, "Ω") << ", Z even " << shown(solved->even->z0, "Ω")
                << " (formula " << shown(formula.line.z0, "Ω") << ", " << shown(formula.even->z0, "Ω") << ")";
        out << '\n';
    }
    return exitOk;
}

} // namespace cli
