// SPDX-License-Identifier: MIT
#include "values/expression.h"

#include "numeric/big.h"
#include "numeric/format.h"
#include "numeric/text.h"
#include "numeric/wide.h"
#include "values/measure.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace values {

namespace {

using detail::Big;
using detail::Fraction;
using Join = NetworkNode::Join;

enum class Tok { Value, Plus, Parallel, Bar, Open, Close, Slash, End };

struct Token {
    Tok kind = Tok::End;
    std::size_t position = 0;
    std::size_t length = 0;
    std::string_view text;
};

bool isOperator(char c)
{
    return c == '+' || c == '|' || c == '(' || c == ')' || c == '/';
}

// "1e+3" keeps its '+': an 'e' right after a digit and a digit right after the sign.
bool isExponentSign(std::string_view s, std::size_t i, char separator)
{
    if (s[i] != '+' || i < 2 || i + 1 >= s.size())
        return false;
    const auto digitOrPoint = [&](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '.' || c == separator;
    };
    return (s[i - 1] == 'e' || s[i - 1] == 'E') && digitOrPoint(s[i - 2]) &&
        std::isdigit(static_cast<unsigned char>(s[i + 1])) != 0;
}

std::vector<Token> tokens(std::string_view s, char separator)
{
    std::vector<Token> out;
    std::size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (std::isspace(static_cast<unsigned char>(c)) != 0) {
            ++i;
            continue;
        }
        Token t;
        t.position = i;
        t.length = 1;
        switch (c) {
        case '+':
            t.kind = Tok::Plus;
            break;
        case '|':
            t.kind = i + 1 < s.size() && s[i + 1] == '|' ? Tok::Parallel : Tok::Bar;
            t.length = t.kind == Tok::Parallel ? 2 : 1;
            break;
        case '(':
            t.kind = Tok::Open;
            break;
        case ')':
            t.kind = Tok::Close;
            break;
        case '/':
            t.kind = Tok::Slash;
            break;
        default: {
            std::size_t end = i;
            while (end < s.size() && (!isOperator(s[end]) || isExponentSign(s, end, separator)))
                ++end;
            const std::string_view text = trim(s.substr(i, end - i));
            t.kind = Tok::Value;
            t.length = text.size();
            t.text = text;
            out.push_back(t);
            i = end;
            continue;
        }
        }
        t.text = s.substr(i, t.length);
        out.push_back(t);
        i += t.length;
    }
    out.push_back({Tok::End, s.size(), 0, {}});
    return out;
}

// A typed network before it is put in the finder's order.
struct Node {
    Join join = Join::Part;
    Decimal value;
    std::optional<Decimal> tolerance;
    std::vector<Node> parts;
};

class Parser {
public:
    Parser(std::string_view text, Kind kind, char separator)
        : tokens_(tokens(text, separator))
        , kind_(kind)
        , separator_(separator)
    {
    }

    std::optional<Node> run()
    {
        if (peek().kind == Tok::End)
            return fail(peek(), "type a network, such as 4k7 + (10k || 22k)");
        std::optional<Node> node = expression(0);
        if (!node)
            return std::nullopt;
        if (peek().kind != Tok::End)
            return unexpected(peek());
        return node;
    }

    const ExpressionError& error() const { return error_; }

private:
    const Token& peek() const { return tokens_[next_]; }
    const Token& take() { return tokens_[next_++]; }

    std::nullopt_t fail(const Token& at, std::string message)
    {
        if (error_.message.empty())
            error_ = {at.position, at.length, std::move(message)};
        return std::nullopt;
    }

    // Something where an operator or the end should be.
    std::nullopt_t unexpected(const Token& t)
    {
        switch (t.kind) {
        case Tok::Close:
            return fail(t, "')' has no '(' to close");
        case Tok::Slash:
            return fail(t, "a tolerance goes right after a part's value, such as 10k/1%");
        case Tok::Bar:
            return fail(t, "write '||' for parallel");
        default:
            return fail(t, "expected '+' or '||' before " + quoted(t.text));
        }
    }

    static bool startsPart(const Token& t) { return t.kind == Tok::Value || t.kind == Tok::Open; }

    // A list of operands joined by `op`: "+" joins terms, "||" joins factors.
    std::optional<Node> joined(Tok op, Join join, int depth)
    {
        std::optional<Node> first = op == Tok::Plus ? joined(Tok::Parallel, Join::Parallel, depth) : factor(depth);
        if (!first)
            return std::nullopt;
        if (op == Tok::Parallel && peek().kind == Tok::Bar)
            return unexpected(peek());
        if (peek().kind != op)
            return first;
        Node group{join, {}, {}, {}};
        group.parts.push_back(std::move(*first));
        while (peek().kind == op) {
            const Token& sign = take();
            if (!startsPart(peek()))
                return fail(sign, "expected a value after " + quoted(sign.text));
            std::optional<Node> next = op == Tok::Plus ? joined(Tok::Parallel, Join::Parallel, depth) : factor(depth);
            if (!next)
                return std::nullopt;
            group.parts.push_back(std::move(*next));
            if (op == Tok::Parallel && peek().kind == Tok::Bar)
                return unexpected(peek());
        }
        return group;
    }

    std::optional<Node> expression(int depth) { return joined(Tok::Plus, Join::Series, depth); }

    std::optional<Node> factor(int depth)
    {
        const Token& t = peek();
        switch (t.kind) {
        case Tok::Open: {
            if (depth + 1 > maxExpressionDepth)
                return fail(t, "brackets nested deeper than " + std::to_string(maxExpressionDepth));
            const Token& open = take();
            if (!startsPart(peek()))
                return peek().kind == Tok::End ? fail(open, "'(' is never closed")
                                               : fail(open, "expected a value after '('");
            std::optional<Node> inner = expression(depth + 1);
            if (!inner)
                return std::nullopt;
            if (peek().kind == Tok::End)
                return fail(open, "'(' is never closed");
            if (peek().kind != Tok::Close)
                return unexpected(peek());
            take();
            if (startsPart(peek()))
                return unexpected(peek());
            return inner;
        }
        case Tok::Value:
            return part();
        case Tok::Close:
            return fail(t, "')' has no '(' to close");
        case Tok::End:
            return fail(t, "expected a value");
        case Tok::Bar:
            return fail(t, "write '||' for parallel");
        default:
            return fail(t, "expected a value before " + quoted(t.text));
        }
    }

    std::optional<Node> part()
    {
        const Token& t = take();
        if (++parts_ > maxExpressionParts)
            return fail(t,
                        "more than " + std::to_string(maxExpressionParts) + " parts: a network holds at most " +
                            std::to_string(maxExpressionParts));
        const Parsed parsed = parse(t.text, separator_);
        const bool resistor = kind_ == Kind::Resistor;
        if (!parsed.value)
            return fail(t, refusal(parsed, t.text, t.text, resistor ? Measure::Resistance : Measure::Capacitance));
        if (parsed.unit != Unit::None && parsed.unit != (resistor ? Unit::Ohm : Unit::Farad))
            return fail(t, quoted(t.text) + (resistor ? " is not a resistance" : " is not a capacitance"));
        Node node{Join::Part, *parsed.value, {}, {}};
        if (peek().kind == Tok::Slash) {
            const Token& slash = take();
            if (peek().kind != Tok::Value)
                return fail(slash, "expected a tolerance after '/', such as 5%");
            const Token& written = take();
            node.tolerance = parseTolerance(written.text, separator_);
            if (!node.tolerance)
                return fail(written,
                            quoted(written.text) + " is not a tolerance: write a percentage below 100, such as 5%");
        }
        if (startsPart(peek()))
            return unexpected(peek());
        return node;
    }

    std::vector<Token> tokens_;
    std::size_t next_ = 0;
    Kind kind_;
    char separator_;
    int parts_ = 0;
    ExpressionError error_;
};

// The join that adds the values: series for resistors, parallel for capacitors.
Fraction joinValues(Join join, Kind kind, const Fraction& a, const Fraction& b)
{
    const bool adds = (join == Join::Series) == (kind == Kind::Resistor);
    return adds ? a + b : detail::parallel(a, b);
}

// A part's value scaled by (100 + sign t) / 100, t in percent.
Fraction scaled(const Decimal& value, const Decimal& t, int sign)
{
    Fraction v = Fraction::of(value);
    if (t.mantissa == 0 || sign == 0)
        return v;
    // t = m 10^e: (100 10^-e +- m) / (100 10^-e) when e < 0, else (100 +- m 10^e) / 100.
    const int fractionDigits = std::max(-t.exponent, 0);
    const Big hundred = Big(100) * Big::pow10(fractionDigits);
    const Big m = Big(static_cast<std::uint64_t>(t.mantissa)) * Big::pow10(std::max(t.exponent, 0));
    const Big factor = sign > 0 ? hundred + m : hundred - m;
    return {v.num * factor, v.den * hundred};
}

struct Ordered {
    NetworkNode node;
    std::vector<std::optional<Decimal>> tolerances;
    Fraction value;
};

// Groups of the same join as their parent join it: "(1 + 2) + 3" is "1 + 2 + 3".
void flatten(Node& node)
{
    std::vector<Node> flat;
    for (Node& child : node.parts) {
        flatten(child);
        if (child.join == node.join) {
            for (Node& grandchild : child.parts)
                flat.push_back(std::move(grandchild));
        } else {
            flat.push_back(std::move(child));
        }
    }
    node.parts = std::move(flat);
}

// Sorts each group of a flattened tree: parts, then groups, larger first.
// NOLINTNEXTLINE(cppcoreguidelines-rvalue-reference-param-not-moved): its parts are, one by one
Ordered order(Node&& node, Kind kind)
{
    if (node.join == Join::Part)
        return {{Join::Part, node.value, {}}, {node.tolerance}, Fraction::of(node.value)};
    std::vector<Node>& flat = node.parts;
    std::vector<Ordered> children;
    children.reserve(flat.size());
    for (Node& child : flat)
        children.push_back(order(std::move(child), kind));
    std::stable_sort(children.begin(), children.end(), [](const Ordered& a, const Ordered& b) {
        const bool aPart = a.node.join == Join::Part;
        const bool bPart = b.node.join == Join::Part;
        if (aPart != bPart)
            return aPart;
        return std::is_gt(detail::compare(a.value, b.value));
    });
    Ordered out;
    out.node.join = node.join;
    out.value = children.front().value;
    for (std::size_t i = 1; i < children.size(); ++i)
        out.value = joinValues(node.join, kind, out.value, children[i].value);
    for (Ordered& child : children) {
        out.node.parts.push_back(std::move(child.node));
        for (auto& t : child.tolerances)
            out.tolerances.push_back(t);
    }
    return out;
}

void writeText(const NetworkNode& node, std::span<const std::optional<Decimal>> tolerances, std::size_t& leaf,
               std::string& out)
{
    if (node.join == Join::Part) {
        out += format(node.value, allDigits);
        if (leaf < tolerances.size() && tolerances[leaf])
            out += "/" + plain(*tolerances[leaf]) + "%";
        ++leaf;
        return;
    }
    bool first = true;
    for (const NetworkNode& child : node.parts) {
        if (!first)
            out += node.join == Join::Series ? " + " : " || ";
        first = false;
        const bool group = child.join != Join::Part;
        if (group)
            out += '(';
        writeText(child, tolerances, leaf, out);
        if (group)
            out += ')';
    }
}

struct Corners {
    Fraction value;
    Fraction low;
    Fraction high;
};

Corners corners(const NetworkNode& node, Kind kind, std::span<const std::optional<Decimal>> tolerances,
                const Decimal& common, std::size_t& leaf, bool& tolerant)
{
    if (node.join == Join::Part) {
        const std::optional<Decimal>& own = leaf < tolerances.size() ? tolerances[leaf] : std::nullopt;
        ++leaf;
        const Decimal t = own.value_or(common);
        tolerant = tolerant || t.mantissa != 0;
        return {Fraction::of(node.value), scaled(node.value, t, -1), scaled(node.value, t, +1)};
    }
    Corners total = corners(node.parts.front(), kind, tolerances, common, leaf, tolerant);
    for (std::size_t i = 1; i < node.parts.size(); ++i) {
        const Corners c = corners(node.parts[i], kind, tolerances, common, leaf, tolerant);
        total.value = joinValues(node.join, kind, total.value, c.value);
        total.low = joinValues(node.join, kind, total.low, c.low);
        total.high = joinValues(node.join, kind, total.high, c.high);
    }
    return total;
}

} // namespace

ParsedExpression parseNetwork(std::string_view text, Kind kind, char decimalSeparator)
{
    ParsedExpression result;
    if (text.size() > maxExpressionLength) {
        result.error = {maxExpressionLength, text.size() - maxExpressionLength,
                        "the network is longer than " + std::to_string(maxExpressionLength) + " characters"};
        return result;
    }
    Parser parser(text, kind, decimalSeparator);
    std::optional<Node> node = parser.run();
    if (!node) {
        result.error = parser.error();
        return result;
    }
    flatten(*node);
    Ordered ordered = order(std::move(*node), kind);
    result.network = NetworkExpression{std::move(ordered.node), std::move(ordered.tolerances)};
    return result;
}

std::string networkText(const NetworkNode& tree, std::span<const std::optional<Decimal>> tolerances)
{
    std::string out;
    std::size_t leaf = 0;
    writeText(tree, tolerances, leaf, out);
    return out;
}

NetworkValue evaluate(const NetworkExpression& network, Kind kind, const Decimal& tolerance, Series series)
{
    NetworkValue v;
    std::size_t leaf = 0;
    const Corners c = corners(network.tree, kind, network.tolerances, tolerance, leaf, v.hasTolerance);
    const Decimal shown = detail::roundToDigits(c.value.num, c.value.den, exactDigits);
    if (std::is_eq(detail::compare(Fraction::of(shown), c.value)))
        v.exact = shown;
    v.value = detail::roundToDigits(c.value.num, c.value.den, shownDigits);
    v.nearest = detail::nearestDouble(c.value);
    v.low = detail::roundToDigits(c.low.num, c.low.den, shownDigits);
    v.high = detail::roundToDigits(c.high.num, c.high.den, shownDigits);
    v.lowNearest = detail::nearestDouble(c.low);
    v.highNearest = detail::nearestDouble(c.high);
    Fraction sum = c.low + c.high;
    sum.den = sum.den * Big(2);
    v.centre = detail::roundToDigits(sum.num, sum.den, 18);
    v.standard = nearest(v.centre, series);
    return v;
}

std::string rangeText(const Decimal& low, const Decimal& high, std::string_view unit)
{
    const std::string a = withUnit(low, unit);
    const std::string b = withUnit(high, unit);
    // Both as "<number> <prefix><unit>": one unit at the end when the prefixes agree.
    const std::size_t aBlank = a.find(' ');
    const std::size_t bBlank = b.find(' ');
    if (a.substr(aBlank) == b.substr(bBlank))
        return a.substr(0, aBlank) + "-" + b;
    return a + " - " + b;
}

} // namespace values
