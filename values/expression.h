// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/format.h"
#include "values/nearest.h"
#include "values/networks.h"
#include "values/series.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace values {

// A network as people write it: "4k7 + (10k || 22k)", "100n || 47n + 10p". "||" binds tighter
// than "+", brackets nest, each value reads as parse() reads it, and a part may carry its own
// tolerance ("4k7/5%"). "+" is series and "||" parallel for both kinds, as the finder writes them.
//
// Bounded, so no text can hang or exhaust memory: the exact value of n parts needs about 170 n
// bits, and the nesting is walked recursively.
inline constexpr std::size_t maxExpressionLength = 4096;
inline constexpr int maxExpressionParts = 200;
inline constexpr int maxExpressionDepth = 32;

struct NetworkExpression {
    // Groups of the same join flattened, each group's parts before its sub-groups and both larger
    // first: the finder's order, so the text written back from it is the finder's text.
    NetworkNode tree;
    // The tolerance in percent written after each part, in the order the tree's text writes the
    // parts; empty where none was written.
    std::vector<std::optional<Decimal>> tolerances;
};

struct ExpressionError {
    std::size_t position = 0; // in bytes from the start of the text
    std::size_t length = 0;   // of what is wrong, 0 for "here"
    std::string message;      // "expected a value after '+'"
};

struct ParsedExpression {
    std::optional<NetworkExpression> network; // empty when refused
    ExpressionError error;
};

// Units must suit the kind (Ω or none for resistors, F or none for capacitors).
ParsedExpression parseNetwork(std::string_view text, Kind kind, char decimalSeparator = '.');

// The finder's text of a network: "4.7k + (22k || 10k)", every part with all its digits, each
// nested group bracketed; with the tolerances (as NetworkExpression keeps them) after their parts.
std::string networkText(const NetworkNode& tree, std::span<const std::optional<Decimal>> tolerances = {});

struct NetworkValue {
    std::optional<Decimal> exact; // the value itself, when it is a decimal of at most exactDigits digits
    Decimal value;                // as it is shown: to shownDigits significant digits
    double nearest = 0;           // the double nearest the exact value
    // Every part at the low, then the high end of its tolerance: series and parallel both rise
    // with each part, so these are the extremes.
    Decimal low;  // to shownDigits significant digits, as the range is shown
    Decimal high; // the same
    double lowNearest = 0;
    double highNearest = 0;
    Decimal centre;            // (low + high) / 2 to 18 significant digits, for the standard value
    Nearest standard;          // the nearest value of the chosen series to that centre
    bool hasTolerance = false; // some part has a tolerance above zero
};

// `tolerance` (percent) applies to every part written without its own; it and each part's lie in
// [0, 100).
NetworkValue evaluate(const NetworkExpression& network, Kind kind, const Decimal& tolerance, Series series);

// "11.459-11.691 k" style: the two ends in one prefix where they share it, each with its own
// otherwise ("999.95-1.0005k" does not read; "999.95 - 1.0005k" is written "999.95 Ω-1.0005 kΩ").
std::string rangeText(const Decimal& low, const Decimal& high, std::string_view unit);

} // namespace values
