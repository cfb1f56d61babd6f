// SPDX-License-Identifier: MIT
#include "values/board.h"

#include "numeric/format.h"
#include "numeric/parse.h"
#include "numeric/quad.h"
#include "numeric/text.h"
#include "numeric/wide.h"
#include "values/measure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace values {

namespace {

using detail::u128;

struct LengthUnit {
    std::string_view text;
    std::int64_t factor; // metres = number x factor x 10^exponent, exactly
    int exponent;
    bool copperOnly;
};

// Longest first where one ends another ("mils" before "mil").
constexpr LengthUnit lengthUnits[] = {
    {"mils", 254, -7, false}, {"mil", 254, -7, false},     {"thou", 254, -7, false},    {"mm", 1, -3, false},
    {"cm", 1, -2, false},     {"\xC2\xB5m", 1, -6, false}, {"\xCE\xBCm", 1, -6, false}, {"um", 1, -6, false},
    {"in", 254, -4, false},   {"\"", 254, -4, false},      {"oz", 35, -6, true},
};

// Whether the value parser will read an SI prefix (or RKM letter that multiplies) in the text.
bool hasPrefix(std::string_view s)
{
    if (s.find(microSign) != std::string_view::npos || s.find(greekMu) != std::string_view::npos)
        return true;
    return s.find_first_of("pnumkKMGT") != std::string_view::npos;
}

// value x factor x 10^exponent; past 18 digits it drops the last ones, rounding half up.
Decimal scaled(const Decimal& value, std::int64_t factor, int exponent)
{
    u128 m = detail::magnitude(value.mantissa) * static_cast<u128>(factor);
    int e = value.exponent + exponent;
    while (m > static_cast<u128>(INT64_MAX)) {
        m = (m + 5) / 10;
        ++e;
    }
    const auto mantissa = static_cast<std::int64_t>(m);
    return Decimal::of(value.mantissa < 0 ? -mantissa : mantissa, e);
}

double kOf(bool internal)
{
    return internal ? internalK : externalK;
}

FitLimits limits(double currentA, double widthM, double riseC, double thicknessM, bool internal)
{
    FitLimits f;
    f.current = currentA > (internal ? internalMaxA : externalMaxA);
    f.width = widthM > 400 * metresPerMil;
    f.rise = riseC < 10 || riseC > 100;
    // 0.5 to 3 oz as 17.5 to 105 µm, with room for the same weights written in mil.
    f.copper = thicknessM < 17.5e-6 * (1 - 1e-3) || thicknessM > 105e-6 * (1 + 1e-3);
    return f;
}

void addResistance(TrackResult& r, const Track& track)
{
    r.temperatureC = track.ambientC + track.riseC;
    if (track.lengthM <= 0)
        return;
    r.resistanceOhm = copperResistance(track.lengthM, r.widthM * track.thicknessM, r.temperatureC);
    r.dropV = r.currentA * *r.resistanceOhm;
    r.lossW = r.currentA * *r.dropV;
}

} // namespace

QuantityReading parseLength(std::string_view text, BareLength bare, bool copperWeight, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    const Measure measure = copperWeight ? Measure::CopperWeight : Measure::Length;
    const std::string notLength = notA(typed, measure);
    if (typed.empty())
        return {std::nullopt, typeA(measure)};
    const LengthUnit* unit = nullptr;
    std::string_view number = typed;
    for (const LengthUnit& u : lengthUnits) {
        if (takeSuffix(number, u.text)) {
            unit = &u;
            break;
        }
    }
    if (unit != nullptr && ((unit->copperOnly && !copperWeight) || number.empty() || hasPrefix(number)))
        return {std::nullopt, notLength};
    const Parsed parsed = parse(number, decimalSeparator);
    if (!parsed.value)
        return {std::nullopt, refusal(parsed, number, typed, measure)};
    if (parsed.unit != Unit::None)
        return {std::nullopt, notLength};
    if (unit != nullptr)
        return {scaled(*parsed.value, unit->factor, unit->exponent), {}};
    if (hasPrefix(number))
        return {parsed.value, {}};
    return {scaled(*parsed.value, 1, bare == BareLength::Millimetre ? -3 : -6), {}};
}

QuantityReading parseTemperature(std::string_view text, bool signedValue, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    const std::string notTemperature = notA(typed, Measure::Temperature);
    if (typed.empty())
        return {std::nullopt, typeA(Measure::Temperature)};
    std::string_view number = typed;
    for (const std::string_view suffix : {std::string_view("\xC2\xB0"
                                                           "C"),
                                          std::string_view("C")}) {
        if (takeSuffix(number, suffix, false))
            break;
    }
    const Parsed parsed = signedValue ? parseSigned(number, decimalSeparator) : parse(number, decimalSeparator);
    if (!parsed.value)
        return {std::nullopt, refusal(parsed, number, typed, Measure::Temperature)};
    if (parsed.unit != Unit::None || hasPrefix(number))
        return {std::nullopt, notTemperature};
    if (*parsed.value < Decimal::of(-27315, -2))
        return {std::nullopt, quoted(typed) + " is below absolute zero (-273.15 °C)"};
    return {parsed.value, {}};
}

QuantityReading parseVoltage(std::string_view text, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    if (typed.empty())
        return {std::nullopt, typeA(Measure::Voltage)};
    std::string_view number = typed;
    takeSuffix(number, "V", false);
    if (isZeroText(number, decimalSeparator))
        return {Decimal{}, {}};
    const std::string notVoltage = notA(typed, Measure::Voltage);
    const Parsed parsed = parse(typed, decimalSeparator);
    if (!parsed.value)
        return {std::nullopt, refusal(parsed, typed, typed, Measure::Voltage)};
    if (parsed.unit != Unit::None && parsed.unit != Unit::Volt)
        return {std::nullopt, notVoltage};
    return {parsed.value, {}};
}

double copperResistance(double lengthM, double sectionM2, double temperatureC)
{
    return copperResistivity * (1 + copperTempco * (temperatureC - 20)) * lengthM / sectionM2;
}

double ipcCurrent(double areaMil2, double riseC, bool internal)
{
    return kOf(internal) * std::pow(riseC, 0.44) * std::pow(areaMil2, 0.725);
}

double ipcArea(double currentA, double riseC, bool internal)
{
    return std::pow(currentA / (kOf(internal) * std::pow(riseC, 0.44)), 1 / 0.725);
}

TrackResult trackForCurrent(double currentA, const Track& track)
{
    TrackResult r;
    r.currentA = currentA;
    r.areaMil2 = ipcArea(currentA, track.riseC, track.internal);
    const double thicknessMil = track.thicknessM / metresPerMil;
    r.widthMil = r.areaMil2 / thicknessMil;
    r.widthM = r.widthMil * metresPerMil;
    r.outside = limits(currentA, r.widthM, track.riseC, track.thicknessM, track.internal);
    addResistance(r, track);
    return r;
}

TrackResult trackForWidth(double widthM, const Track& track)
{
    TrackResult r;
    r.widthM = widthM;
    r.widthMil = widthM / metresPerMil;
    r.areaMil2 = r.widthMil * (track.thicknessM / metresPerMil);
    r.currentA = ipcCurrent(r.areaMil2, track.riseC, track.internal);
    r.outside = limits(r.currentA, widthM, track.riseC, track.thicknessM, track.internal);
    addResistance(r, track);
    return r;
}

ViaCheck checkVia(const Via& v)
{
    // The barrel's copper ends at the hole plus the plating on both sides; a pad no wider is none.
    if (!(v.padM > v.holeM + 2 * v.platingM))
        return {ViaField::Pad,
                "The pad must be wider than the hole with its plating (" + plain((v.holeM + 2 * v.platingM) * 1e3, 4) +
                    " mm)"};
    if (!(v.antipadM > v.padM))
        return {ViaField::Antipad, "The antipad must be wider than the pad"};
    // ln(4h/d) + 1 must stay above zero for the inductance to mean anything.
    if (!(4 * v.lengthM / v.holeM > std::exp(-1.0)))
        return {ViaField::Length, "The board is too thin beside this hole for the inductance formula"};
    if (!(v.er >= 1))
        return {ViaField::Er, "The relative permittivity is 1 or more (FR-4 is about 4.5)"};
    return {};
}

ViaResult via(const Via& v)
{
    constexpr double metresPerInch = 0.0254;
    ViaResult r;
    r.sectionM2 = std::numbers::pi * (v.holeM + v.platingM) * v.platingM;
    r.resistanceOhm = copperResistance(v.lengthM, r.sectionM2, 20);
    if (v.currentA) {
        r.dropV = *v.currentA * r.resistanceOhm;
        r.lossW = *v.currentA * *r.dropV;
    }
    r.currentA = ipcCurrent(r.sectionM2 / (metresPerMil * metresPerMil), v.riseC, false);
    r.thermalKPerW = v.lengthM / (copperConductivity * r.sectionM2);
    const double thicknessIn = v.lengthM / metresPerInch;
    r.capacitanceF = 1.41 * v.er * thicknessIn * v.padM / (v.antipadM - v.padM) * 1e-12;
    r.inductanceH = 5.08 * thicknessIn * (std::log(4 * v.lengthM / v.holeM) + 1) * 1e-9;
    return r;
}

const std::array<SpacingCategory, spacingCategoryCount>& spacingCategories()
{
    static const std::array<SpacingCategory, spacingCategoryCount> categories{{
        {"B1", "Internal conductors"},
        {"B2", "External conductors, uncoated, sea level to 3050 m"},
        {"B3", "External conductors, uncoated, above 3050 m"},
        {"B4", "External conductors, with permanent polymer coating (any elevation)"},
        {"A5", "External conductors, with conformal coating over assembly (any elevation)"},
        {"A6", "External component lead or termination, uncoated, sea level to 3050 m"},
        {"A7", "External component lead or termination, with conformal coating (any elevation)"},
    }};
    return categories;
}

const std::array<SpacingRow, 10>& spacingTable()
{
    // IPC-2221B table 6-1, in mm; the last row is mm per volt above 500 V.
    static const std::array<SpacingRow, 10> table{{
        {0, 15, {"0.05", "0.1", "0.1", "0.05", "0.13", "0.13", "0.13"}},
        {16, 30, {"0.05", "0.1", "0.1", "0.05", "0.13", "0.25", "0.13"}},
        {31, 50, {"0.1", "0.6", "0.6", "0.13", "0.13", "0.4", "0.13"}},
        {51, 100, {"0.1", "0.6", "1.5", "0.13", "0.13", "0.5", "0.13"}},
        {101, 150, {"0.2", "0.6", "3.2", "0.4", "0.4", "0.8", "0.4"}},
        {151, 170, {"0.2", "1.25", "3.2", "0.4", "0.4", "0.8", "0.4"}},
        {171, 250, {"0.2", "1.25", "6.4", "0.4", "0.4", "0.8", "0.4"}},
        {251, 300, {"0.2", "1.25", "12.5", "0.4", "0.4", "0.8", "0.8"}},
        {301, 500, {"0.25", "2.5", "12.5", "0.8", "0.8", "1.5", "0.8"}},
        {501, 0, {"0.0025", "0.005", "0.025", "0.00305", "0.00305", "0.00305", "0.00305"}},
    }};
    return table;
}

SpacingResult spacing(const Decimal& voltage)
{
    const auto& table = spacingTable();
    const auto mm = [](const char* text) { return *parse(text).value; };
    SpacingResult result;
    while (result.row < 8 && voltage > Decimal::of(table[static_cast<std::size_t>(result.row)].toV, 0))
        ++result.row;
    if (voltage > Decimal::of(500, 0))
        result.row = 9;
    for (std::size_t c = 0; c < spacingCategoryCount; ++c) {
        if (result.row < 9) {
            const Decimal d = mm(table[static_cast<std::size_t>(result.row)].mm[c]);
            result.metres[c] = detail::nearestDouble(detail::magnitude(d.mantissa), d.exponent - 3);
            continue;
        }
        // base + (V - 500) x per volt, exactly: V has at most 18 digits and lies below 1e15, so
        // every term fits 128 bits at the common exponent.
        const Decimal base = mm(table[8].mm[c]);
        const Decimal perVolt = mm(table[9].mm[c]);
        const int ev = std::min(voltage.exponent, 0);
        const u128 excess =
            detail::magnitude(voltage.mantissa) * detail::pow10(voltage.exponent - ev) - u128(500) * detail::pow10(-ev);
        const int productExponent = ev + perVolt.exponent;
        const int e = std::min(productExponent, base.exponent);
        const u128 total = excess * detail::magnitude(perVolt.mantissa) * detail::pow10(productExponent - e) +
            detail::magnitude(base.mantissa) * detail::pow10(base.exponent - e);
        result.metres[c] = detail::nearestDouble(total, e - 3);
    }
    return result;
}

RmsSpacing spacingForRms(const Decimal& rms)
{
    using detail::quad;
    const auto& table = spacingTable();
    const quad peak = detail::toQuad(rms) * detail::squareRoot(2);
    RmsSpacing result;
    result.peakV = static_cast<double>(peak);
    if (peak <= 500) {
        // The first row whose end the peak does not pass gives the figures of that end.
        std::size_t row = 0;
        while (row < 8 && peak > table[row].toV)
            ++row;
        result.spacing = spacing(Decimal::of(table[row].toV, 0));
        return result;
    }
    result.spacing.row = 9;
    for (std::size_t c = 0; c < spacingCategoryCount; ++c) {
        const quad base = detail::toQuad(*parse(table[8].mm[c]).value);
        const quad perVolt = detail::toQuad(*parse(table[9].mm[c]).value);
        result.spacing.metres[c] = static_cast<double>((base + (peak - 500) * perVolt) / 1000);
    }
    return result;
}

} // namespace values
