// SPDX-License-Identifier: MIT
#include "values/markings.h"

#include "values/markings_detail.h"

#include "numeric/format.h"

#include "numeric/text.h"
#include "values/nearest.h"
#include "values/series.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace values::detail::markings {

Decimal pct(std::int64_t mantissa, int exponent)
{
    return Decimal::of(mantissa, exponent);
}

char upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A whole number of at most 18 digits, or nothing.
std::optional<std::int64_t> digitsValue(std::string_view digits)
{
    if (digits.size() > 18)
        return std::nullopt;
    std::int64_t n = 0;
    for (char c : digits)
        n = n * 10 + (c - '0');
    return n;
}

// --- Tolerance letters -----------------------------------------------------------------------

std::optional<Tolerance> percentLetter(char letter)
{
    switch (upper(letter)) {
    case 'B':
        return Tolerance::percent(pct(1, -1));
    case 'C':
        return Tolerance::percent(pct(25, -2));
    case 'D':
        return Tolerance::percent(pct(5, -1));
    case 'F':
        return Tolerance::percent(pct(1, 0));
    case 'G':
        return Tolerance::percent(pct(2, 0));
    case 'J':
        return Tolerance::percent(pct(5, 0));
    case 'K':
        return Tolerance::percent(pct(10, 0));
    case 'M':
        return Tolerance::percent(pct(20, 0));
    default:
        return std::nullopt;
    }
}

namespace {

Tolerance picofarads(Decimal amount)
{
    return {amount, amount, true};
}

} // namespace

std::optional<Tolerance> capacitorLetter(char letter, bool absolute)
{
    switch (upper(letter)) {
    case 'B':
        return absolute ? picofarads(pct(1, -1)) : percentLetter(letter);
    case 'C':
        return absolute ? picofarads(pct(25, -2)) : percentLetter(letter);
    case 'D':
        return absolute ? picofarads(pct(5, -1)) : percentLetter(letter);
    case 'Z':
        return Tolerance{pct(80, 0), pct(20, 0), false};
    default:
        return percentLetter(letter);
    }
}

const Decimal tenPicofarads = pct(1, -11);

std::int64_t power10(int n)
{
    std::int64_t p = 1;
    for (int k = 0; k < n; ++k)
        p *= 10;
    return p;
}

Scaled scaled(const Decimal& v, int digits)
{
    const int pad = digits - v.digits();
    return {v.mantissa * power10(pad), v.exponent - pad};
}

} // namespace values::detail::markings

namespace values {

namespace {

using namespace detail::markings;

constexpr char noLetter = 0;

// IEC 60062:2016. Older tables give grey ±0.05 % and no orange or yellow tolerance.
const std::array<ColourFacts, 13> table{{
    {Colour::Pink, "pink", std::nullopt, -3, std::nullopt, noLetter, std::nullopt},
    {Colour::Silver, "silver", std::nullopt, -2, pct(10, 0), 'K', std::nullopt},
    {Colour::Gold, "gold", std::nullopt, -1, pct(5, 0), 'J', std::nullopt},
    {Colour::Black, "black", 0, 0, std::nullopt, noLetter, 250},
    {Colour::Brown, "brown", 1, 1, pct(1, 0), 'F', 100},
    {Colour::Red, "red", 2, 2, pct(2, 0), 'G', 50},
    {Colour::Orange, "orange", 3, 3, pct(5, -2), 'W', 15},
    {Colour::Yellow, "yellow", 4, 4, pct(2, -2), 'P', 25},
    {Colour::Green, "green", 5, 5, pct(5, -1), 'D', 20},
    {Colour::Blue, "blue", 6, 6, pct(25, -2), 'C', 10},
    {Colour::Violet, "violet", 7, 7, pct(1, -1), 'B', 5},
    {Colour::Grey, "grey", 8, 8, pct(1, -2), 'L', 1},
    {Colour::White, "white", 9, 9, std::nullopt, noLetter, std::nullopt},
}};

const Tolerance noBand = Tolerance::percent(pct(20, 0));

char lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}
bool isLetter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
        std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

std::string ordinal(std::size_t band)
{
    return "band " + std::to_string(band + 1);
}

// --- Colour bands ----------------------------------------------------------------------------

std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> out;
    std::size_t k = 0;
    const auto separator = [](char c) {
        return c == ' ' || c == ',' || c == '-' || c == '\t' || c == '\n' || c == '\r';
    };
    while (k < text.size()) {
        while (k < text.size() && separator(text[k]))
            ++k;
        const std::size_t start = k;
        while (k < text.size() && !separator(text[k]))
            ++k;
        if (k > start)
            out.push_back(text.substr(start, k - start));
    }
    return out;
}

bool allLetters(std::string_view word)
{
    return std::all_of(word.begin(), word.end(), isLetter);
}

// --- Marking ---------------------------------------------------------------------------------

std::optional<Colour> toleranceColour(const Decimal& percent)
{
    for (const ColourFacts& f : table) {
        if (f.tolerance && *f.tolerance == percent)
            return f.colour;
    }
    return std::nullopt;
}

std::optional<Colour> tcrColour(int ppm)
{
    for (const ColourFacts& f : table) {
        if (f.tcr && *f.tcr == ppm)
            return f.colour;
    }
    return std::nullopt;
}

Colour digitColour(int digit)
{
    return table[static_cast<std::size_t>(digit) + 3].colour;
}
Colour multiplierColour(int exponent)
{
    return table[static_cast<std::size_t>(exponent) + 3].colour;
}

std::string percentText(const Decimal& p)
{
    return "±" + plain(p) + " %";
}

Marking bands(MarkingKind kind, const Decimal& v, const Decimal& tolerance, std::optional<int> tcr)
{
    Marking m{kind, {}, {}, {}};
    const int digits = kind == MarkingKind::Bands4 ? 2 : 3;
    const int count = kind == MarkingKind::Bands4 ? 4 : kind == MarkingKind::Bands5 ? 5 : 6;
    const std::string name = std::to_string(count) + " bands";
    if (v.digits() > digits) {
        m.whyNot = format(v, allDigits) + " needs 3 significant digits: use 5 bands";
        return m;
    }
    const Scaled s = scaled(v, digits);
    if (s.exponent < -3 || s.exponent > 9) {
        const bool below = s.exponent < -3;
        const Decimal limit = below ? Decimal::of(power10(digits - 1), -3) : Decimal::of(power10(digits) - 1, 9);
        m.whyNot = format(v, allDigits) + (below ? " is below the smallest " : " is above the largest ") +
            std::to_string(count) + "-band value, " + format(limit, allDigits);
        return m;
    }
    const std::optional<Colour> tol = toleranceColour(tolerance);
    if (!tol && !(kind == MarkingKind::Bands4 && tolerance == noBand.plus)) {
        m.whyNot = tolerance == noBand.plus
            ? percentText(tolerance) + " has no band: " + name + " need a tolerance band"
            : percentText(tolerance) + " has no tolerance colour";
        return m;
    }
    std::optional<Colour> tcrBand;
    if (kind == MarkingKind::Bands6) {
        if (!tcr) {
            m.whyNot = "6 bands need a temperature coefficient";
            return m;
        }
        tcrBand = tcrColour(*tcr);
        if (!tcrBand) {
            m.whyNot = std::to_string(*tcr) + " ppm/K has no colour";
            return m;
        }
    }
    const std::string figures = std::to_string(s.digits);
    for (char c : figures)
        m.bands.push_back(digitColour(c - '0'));
    m.bands.push_back(multiplierColour(s.exponent));
    if (tol)
        m.bands.push_back(*tol);
    if (tcrBand)
        m.bands.push_back(*tcrBand);
    return m;
}

} // namespace

const std::array<ColourFacts, 13>& colourTable()
{
    return table;
}

const ColourFacts& facts(Colour colour)
{
    return table[static_cast<std::size_t>(colour)];
}

std::optional<Colour> colourNamed(std::string_view name)
{
    if (equalsIgnoringCase(name, "gray"))
        return Colour::Grey;
    for (const ColourFacts& f : table) {
        if (equalsIgnoringCase(name, f.name))
            return f.colour;
    }
    return std::nullopt;
}

std::string describe(const Tolerance& t)
{
    if (t.picofarads)
        return "±" + plain(t.plus) + " pF";
    if (t.plus == t.minus)
        return percentText(t.plus);
    return "+" + plain(t.plus) + "/-" + plain(t.minus) + " %";
}

std::string quantity(const Decimal& value, Unit unit, int figures)
{
    std::string text = format(value, allDigits);
    // Split off the SI prefix ("k", or the two bytes of "µ").
    std::size_t end = text.size();
    while (end > 0 && !isDigit(text[end - 1]))
        --end;
    std::string number = text.substr(0, end);
    const std::string prefix = text.substr(end);
    int shown = 0;
    bool started = false;
    for (char c : number) {
        if (isDigit(c) && (c != '0' || started)) {
            started = true;
            ++shown;
        } else if (c == '0' && started) {
            ++shown;
        }
    }
    if (shown < figures && number.find('.') == std::string::npos)
        number += '.';
    number.append(static_cast<std::size_t>(std::max(0, figures - shown)), '0');
    if (number.back() == '.')
        number.pop_back();
    const char* symbol = unit == Unit::Farad ? "F" : unit == Unit::Ohm ? "Ω" : "";
    return number + " " + prefix + symbol;
}

std::string_view kindName(ReadingKind kind)
{
    switch (kind) {
    case ReadingKind::ColourBands:
        return "colour bands";
    case ReadingKind::Rkm:
        return "RKM";
    case ReadingKind::Smd3:
        return "SMD 3-digit";
    case ReadingKind::Smd4:
        return "SMD 4-digit";
    case ReadingKind::Eia96:
        return "EIA-96";
    case ReadingKind::CapacitorCode:
        return "capacitor code";
    case ReadingKind::PlainValue:
        return "value";
    }
    return "";
}

std::string_view keyOf(MarkingKind kind)
{
    switch (kind) {
    case MarkingKind::Bands4:
        return "bands4";
    case MarkingKind::Bands5:
        return "bands5";
    case MarkingKind::Bands6:
        return "bands6";
    case MarkingKind::Smd3:
        return "smd3";
    case MarkingKind::Smd4:
        return "smd4";
    case MarkingKind::Eia96:
        return "eia96";
    case MarkingKind::Rkm:
        return "rkm";
    }
    return "";
}

std::optional<std::vector<Colour>> colourWords(std::string_view text)
{
    std::vector<Colour> bands;
    for (std::string_view w : words(text)) {
        const std::optional<Colour> c = colourNamed(w);
        if (!c)
            return std::nullopt;
        bands.push_back(*c);
    }
    if (bands.empty())
        return std::nullopt;
    return bands;
}

ReadResult readBands(const std::vector<Colour>& bands)
{
    ReadResult result;
    const std::size_t n = bands.size();
    if (n < 3 || n > 6) {
        result.error = std::to_string(n) + (n == 1 ? " colour band" : " colour bands") + ": a marking has 3 to 6";
        return result;
    }
    const std::size_t digitBands = n >= 5 ? 3 : 2;
    std::int64_t digits = 0;
    for (std::size_t k = 0; k < digitBands; ++k) {
        const ColourFacts& f = facts(bands[k]);
        if (!f.digit) {
            result.error = std::string(f.name) + " is not a digit colour (" + ordinal(k) + ")";
            return result;
        }
        digits = digits * 10 + *f.digit;
    }
    if (digits == 0) {
        result.error = "the digit bands are all black: that is no resistance";
        return result;
    }
    Reading r{ReadingKind::ColourBands,
              Decimal::of(digits, facts(bands[digitBands]).multiplierExponent),
              Unit::Ohm,
              noBand,
              std::nullopt,
              bands,
              static_cast<int>(digitBands)};
    if (n >= 4) {
        const ColourFacts& f = facts(bands[digitBands + 1]);
        if (!f.tolerance) {
            result.error = std::string(f.name) + " is not a tolerance colour (" + ordinal(digitBands + 1) + ")";
            return result;
        }
        r.tolerance = Tolerance::percent(*f.tolerance);
    }
    if (n == 6) {
        const ColourFacts& f = facts(bands[5]);
        if (!f.tcr) {
            result.error = std::string(f.name) + " is not a temperature-coefficient colour (band 6)";
            return result;
        }
        r.tcr = f.tcr;
    }
    result.readings.push_back(std::move(r));
    return result;
}

ReadResult read(std::string_view text, char decimalSeparator)
{
    text = trim(text);
    ReadResult result;
    if (text.empty()) {
        result.error = "Type a marking: colours, a code or a value";
        return result;
    }

    // Words made only of letters are colour bands when one of them names a colour or there
    // is more than one; a single unknown word falls through to the codes ("R" alone, say).
    const std::vector<std::string_view> ws = words(text);
    if (!ws.empty() && std::all_of(ws.begin(), ws.end(), allLetters) && (ws.size() > 1 || colourNamed(ws.front()))) {
        std::vector<Colour> bands;
        for (std::string_view w : ws) {
            const std::optional<Colour> c = colourNamed(w);
            if (!c) {
                result.error = quoted(w) + " is not a band colour";
                return result;
            }
            bands.push_back(*c);
        }
        return readBands(bands);
    }

    // The likelier reading first: a letter after three digits is far more often a capacitor's
    // tolerance than an RKM multiplier ("104K").
    for (auto reader : {readSmd, readCapacitorCode, readRkm, readEia96}) {
        if (std::optional<Reading> r = reader(text))
            result.readings.push_back(std::move(*r));
    }
    // A code can spell more than a value holds: 999999999999999999T is no 1e30 Ω.
    const bool tooLarge = std::any_of(result.readings.begin(), result.readings.end(),
                                      [](const Reading& r) { return r.value > Decimal::of(1, 15); });
    const bool tooSmall = std::any_of(result.readings.begin(), result.readings.end(),
                                      [](const Reading& r) { return r.value < Decimal::of(1, -15); });
    std::erase_if(result.readings,
                  [](const Reading& r) { return r.value > Decimal::of(1, 15) || r.value < Decimal::of(1, -15); });
    if (!result.readings.empty())
        return result;
    if (tooLarge || tooSmall) {
        result.error = quoted(text) +
            (tooLarge ? " is too large: the largest value is 1e15" : " is too small: the smallest value is 1e-15");
        return result;
    }

    const Parsed parsed = parse(text, decimalSeparator);
    if (!parsed.value) {
        const bool numeric = isDigit(text.front()) || text.front() == '-' || text.front() == '+' ||
            text.front() == '.' || text.front() == decimalSeparator;
        result.error = numeric ? parsed.error
                               : quoted(text) +
                " is not a marking: write colours (yellow violet red gold), a code "
                "(4K7, 472, 4701, 68X, 104K) or a value (4.7k)";
        return result;
    }
    if (parsed.unit != Unit::None && parsed.unit != Unit::Ohm && parsed.unit != Unit::Farad) {
        result.error = quoted(text) + " is not a resistance or a capacitance";
        return result;
    }
    result.readings.push_back(
        {ReadingKind::PlainValue, *parsed.value, parsed.unit == Unit::Farad ? Unit::Farad : Unit::Ohm, {}, {}, {}, 0});
    return result;
}

MarkResult mark(const Decimal& ohms, const Decimal& tolerancePercent, std::optional<int> tcr)
{
    MarkResult result;
    if (ohms.digits() > maxMarkedDigits) {
        result.error = format(ohms, allDigits) + " has " + std::to_string(ohms.digits()) +
            " significant digits: markings hold " + std::to_string(maxMarkedDigits) + " at most";
        for (const Nearest& n : nearestInEverySeries(ohms)) {
            if (n.series == Series::E24 || n.series == Series::E96 || n.series == Series::E192)
                result.nearest.push_back(n);
        }
        return result;
    }
    for (MarkingKind kind : allMarkingKinds) {
        switch (kind) {
        case MarkingKind::Bands4:
        case MarkingKind::Bands5:
        case MarkingKind::Bands6:
            result.markings.push_back(bands(kind, ohms, tolerancePercent, tcr));
            break;
        case MarkingKind::Smd3:
        case MarkingKind::Smd4:
            result.markings.push_back(smd(kind, ohms));
            break;
        case MarkingKind::Eia96:
            result.markings.push_back(eia96(ohms));
            break;
        case MarkingKind::Rkm: {
            Marking m{kind, {}, formatRkm(ohms, Unit::Ohm, maxMarkedDigits), {}};
            if (m.code.empty())
                m.whyNot = format(ohms, allDigits) + " has no RKM code";
            result.markings.push_back(std::move(m));
            break;
        }
        }
    }
    return result;
}

} // namespace values
