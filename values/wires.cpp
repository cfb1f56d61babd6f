// SPDX-License-Identifier: MIT
#include "values/wires.h"

#include "numeric/format.h"
#include "numeric/parse.h"
#include "numeric/text.h"
#include "numeric/wide.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace values {

namespace {

constexpr int awgCount = awgThinnest - awgThickest + 1;

// IEC 60228 nominal sections in mm², and the small ones of signal cable below 0.5 mm².
constexpr const char* metricNames[] = {"0.14", "0.25", "0.34", "0.5", "0.75", "1",  "1.5", "2.5", "4",   "6",  "10",
                                       "16",   "25",   "35",   "50",  "70",   "95", "120", "150", "185", "240"};

struct Suffix {
    std::string_view text;
    std::int64_t factor; // the unit is factor x 10^exponent of the reading's own unit, exactly
    int exponent;
    bool anyCase = true;
};

// value x factor x 10^exponent, correctly rounded: an 18-digit mantissa times a 16-digit factor
// fits 128 bits.
double scaled(const Decimal& value, std::int64_t factor, int exponent)
{
    return detail::nearestDouble(detail::magnitude(value.mantissa) * static_cast<detail::u128>(factor),
                                 value.exponent + exponent);
}

// The number before one of `units` (longest first where one ends another), or bare in `bare`;
// `notThis` when it is not such a value, `range` when it lies outside lo..hi.
Measured readWithUnits(std::string_view text, std::span<const Suffix> units, const Suffix& bare, char decimalSeparator,
                       const std::string& empty, const std::string& notThis, double lo, double hi,
                       const std::string& range)
{
    const std::string_view typed = trim(text);
    if (typed.empty())
        return {std::nullopt, empty};
    std::string_view number = typed;
    const Suffix* unit = &bare;
    for (const Suffix& u : units) {
        if (takeSuffix(number, u.text, u.anyCase)) {
            unit = &u;
            break;
        }
    }
    // A prefix letter beside a unit ("2.5kmm2") is a typing slip, not a scale.
    if (number.empty() || !plainNumber(number, decimalSeparator))
        return {std::nullopt, quoted(typed) + notThis};
    const Parsed parsed = parse(number, decimalSeparator);
    if (!parsed.value)
        return {std::nullopt, requoted(parsed.error, number, typed)};
    const double value = scaled(*parsed.value, unit->factor, unit->exponent);
    if (value < lo || value > hi)
        return {std::nullopt, quoted(typed) + range};
    return {value, {}};
}

} // namespace

const MetalData& metalData(Metal metal)
{
    static constexpr MetalData copper{"copper", 1.7241e-8, 0.00393};
    static constexpr MetalData aluminium{"aluminium", 2.8264e-8, 0.00403};
    return metal == Metal::Copper ? copper : aluminium;
}

double awgDiameter(int gauge)
{
    return 0.127e-3 * std::pow(92.0, (36.0 - gauge) / 39.0);
}

double roundArea(double diameterM)
{
    return std::numbers::pi / 4 * diameterM * diameterM;
}

std::string awgName(int gauge)
{
    return gauge >= 0 ? std::to_string(gauge) : std::string(static_cast<std::size_t>(1 - gauge), '0');
}

std::span<const WireSize> awgSizes()
{
    static const std::array<WireSize, awgCount> table = [] {
        std::array<WireSize, awgCount> sizes{};
        for (int i = 0; i < awgCount; ++i) {
            WireSize& s = sizes[static_cast<std::size_t>(i)];
            s.awg = awgThinnest - i;
            s.diameterM = awgDiameter(s.awg);
            s.areaM2 = roundArea(s.diameterM);
        }
        return sizes;
    }();
    return table;
}

std::span<const WireSize> metricSizes()
{
    static const std::array<WireSize, std::size(metricNames)> table = [] {
        std::array<WireSize, std::size(metricNames)> sizes{};
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            WireSize& s = sizes[i];
            s.metric = metricNames[i];
            s.areaM2 = scaled(*parse(metricNames[i]).value, 1, -6);
            s.diameterM = std::sqrt(s.areaM2 * 4 / std::numbers::pi);
        }
        return sizes;
    }();
    return table;
}

std::string sizeName(const WireSize& size)
{
    return size.isAwg() ? "AWG " + awgName(size.awg) : std::string(size.metric) + " mm²";
}

std::string sizeText(const WireSize* size)
{
    if (size == nullptr)
        return "none";
    return size->isAwg() ? sizeName(*size) + " (" + plain(size->areaM2 * 1e6, 5) + " mm²)" : sizeName(*size);
}

Around around(std::span<const WireSize> table, double areaM2)
{
    const auto at =
        std::lower_bound(table.begin(), table.end(), areaM2, [](const WireSize& s, double a) { return s.areaM2 < a; });
    Around r;
    if (at != table.end())
        r.above = &*at;
    if (at != table.begin())
        r.below = &*(at - 1);
    return r;
}

double resistancePerMetre(Metal metal, double areaM2, double temperatureC)
{
    const MetalData& m = metalData(metal);
    return m.resistivity * (1 + m.tempco * (temperatureC - 20)) / areaM2;
}

namespace {

// The drop is the conductors' resistance times this and the current.
double dropFactor(Feed feed)
{
    return feed == Feed::ThreePhase ? std::numbers::sqrt3 : 2;
}

} // namespace

Drop cableDrop(const Cable& cable, double areaM2)
{
    const double conductor = resistancePerMetre(cable.metal, areaM2, cable.temperatureC) * cable.lengthM;
    Drop d;
    const bool three = cable.feed == Feed::ThreePhase;
    d.resistanceOhm = three ? conductor : 2 * conductor;
    d.dropV = dropFactor(cable.feed) * conductor * cable.currentA;
    d.lossW = (three ? 3 : 2) * conductor * cable.currentA * cable.currentA;
    return d;
}

const WireSize* smallestSize(std::span<const WireSize> table, const Cable& cable, double limitV)
{
    const MetalData& m = metalData(cable.metal);
    const double needed = dropFactor(cable.feed) * cable.lengthM * cable.currentA * m.resistivity *
        (1 + m.tempco * (cable.temperatureC - 20)) / limitV;
    // The section the limit needs, then the table's own drops decide: rounding may put the
    // size at the border on either side of it.
    auto at =
        std::lower_bound(table.begin(), table.end(), needed, [](const WireSize& s, double a) { return s.areaM2 < a; });
    const auto fits = [&](const WireSize& s) { return cableDrop(cable, s.areaM2).dropV <= limitV; };
    while (at != table.begin() && fits(*(at - 1)))
        --at;
    while (at != table.end() && !fits(*at))
        ++at;
    return at == table.end() ? nullptr : &*at;
}

double onderdonkCurrent(double areaM2, double timeS, double ambientC)
{
    const double circularMils = areaM2 / m2PerCircularMil;
    return circularMils * std::sqrt(std::log10((copperMeltingC - ambientC) / (234 + ambientC) + 1) / (33 * timeS));
}

double preeceCurrent(double diameterM)
{
    return 10244 * std::pow(diameterM / 0.0254, 1.5);
}

GaugeReading parseGauge(std::string_view text)
{
    const std::string_view typed = trim(text);
    if (typed.empty())
        return {std::nullopt, "Type a gauge: write 24, 0000 or 4/0"};
    std::string_view s = typed;
    if (s.size() >= 3 && (s.substr(0, 3) == "AWG" || s.substr(0, 3) == "awg"))
        s = trim(s.substr(3));
    else
        takeSuffix(s, "AWG");
    const std::string notGauge = quoted(typed) + " is not a gauge: write a whole number from 0000 to 40, or 4/0";
    // 1/0 to 4/0 are 0 to 0000.
    if (s.size() == 3 && s[1] == '/' && s[2] == '0' && s[0] >= '1' && s[0] <= '4')
        return {1 - (s[0] - '0'), {}};
    if (!s.empty() && s.size() <= 4 && s.find_first_not_of('0') == std::string_view::npos)
        return {1 - static_cast<int>(s.size()), {}};
    const std::optional<int> n = parseWhole(s, 0, 99);
    if (!n || s.front() == '0')
        return {std::nullopt, notGauge};
    if (*n > awgThinnest)
        return {std::nullopt, quoted(typed) + " is thinner than AWG 40, the thinnest gauge given"};
    return {n, {}};
}

Measured parseSection(std::string_view text, char decimalSeparator)
{
    // A circular mil is π/4 x 25.4² µm², here to 16 digits.
    static constexpr Suffix units[] = {
        {"mm\xC2\xB2", 1, -6, false},
        {"mm2", 1, -6},
        {"mm^2", 1, -6},
        {"kcmil", 5067074790974977, -22},
        {"MCM", 5067074790974977, -22},
        {"cmil", 5067074790974977, -25},
    };
    return readWithUnits(text, units, {"", 1, -6}, decimalSeparator, "Type a section: write 2.5, 2.5mm2 or 250kcmil",
                         " is not a section: write 2.5, 2.5mm2 or 250kcmil", minSectionM2, maxSectionM2,
                         " is outside the sections given: 0.000001 to 10000 mm²");
}

Measured parseCableLength(std::string_view text, char decimalSeparator)
{
    static constexpr Suffix units[] = {
        {"km", 1, 3}, {"mm", 1, -3, false}, {"cm", 1, -2}, {"m", 1, 0, false}, {"ft", 3048, -4}, {"feet", 3048, -4},
    };
    return readWithUnits(text, units, {"", 1, 0}, decimalSeparator, "Type a length: write 10, 10m or 30ft",
                         " is not a length: write 10, 10m, 2.5km or 30ft", minCableM, maxCableM,
                         " is outside the lengths given: 1 mm to 100 km");
}

Measured parseDiameter(std::string_view text, char decimalSeparator)
{
    const QuantityReading r = parseLength(text, BareLength::Millimetre, false, decimalSeparator);
    if (!r.value)
        return {std::nullopt, r.error};
    const double d = nearestDouble(*r.value);
    if (d < minDiameterM || d > maxDiameterM)
        return {std::nullopt, quoted(trim(text)) + " is outside the diameters given: 0.001 to 100 mm"};
    return {d, {}};
}

DropLimit parseDropLimit(std::string_view text, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    if (typed.ends_with('V')) {
        const Measured v = parseAmount(typed, {Unit::Volt, {}, "a voltage", "0.5V or 500mV"}, decimalSeparator);
        return {std::nullopt, v.value, v.error};
    }
    const Measured share = parsePercent(typed, 0, 50, decimalSeparator);
    if (share.value && *share.value == 0)
        return {std::nullopt, std::nullopt, quoted(typed) + " is zero: allow a drop above zero"};
    return {share.value, std::nullopt, share.error};
}

Measured parseTemperatureIn(std::string_view text, double lo, double hi, char decimalSeparator)
{
    const QuantityReading r = parseTemperature(text, true, decimalSeparator);
    if (!r.value)
        return {std::nullopt, r.error};
    const double t = nearestDouble(*r.value);
    if (t < lo || t > hi)
        return {std::nullopt, quoted(trim(text)) + " is outside " + plain(lo, 6) + " to " + plain(hi, 6) + " °C"};
    return {t, {}};
}

} // namespace values
