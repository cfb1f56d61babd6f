// SPDX-License-Identifier: MIT
#pragma once

#include "values/decimal.h"
#include "values/networks.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace values {

// One entry of "My parts": a value with how many there are, or text that is not a value, kept so
// the user sees it and can fix it, but left out of the search.
struct StockEntry {
    int line = 0;                 // 1-based line of the text it came from
    std::string text;             // as typed, trimmed
    std::optional<Decimal> value; // empty when the entry is not a value
    int count = 1;                // "4k7 x3" and "3x 4k7" give 3
    std::string reason;           // why it is left out, when value is empty
};

// Values one per line, or separated by commas, semicolons, tabs or blanks ("4.7 k" still reads as
// one value); "4k7 x3" or "3x 4k7" says how many. A line whose comma, semicolon or tab separated
// fields do not all read as values is taken as a CSV row: its first field that reads as a value is
// the part, and a row without one is a bad entry. Blank lines give nothing. With a decimal comma,
// commas do not separate.
std::vector<StockEntry> parseStock(std::string_view text, char decimalSeparator = '.');

// A parts file as people keep one, as list text for parseStock: a UTF-8 byte-order mark is dropped;
// a CSV table (comma, semicolon or tab separated, quoted cells allowed) whose first row is a
// heading (no cell reads as a value) becomes one line a row, the part from its "Value" column
// (else the row's first cell that reads as a value) and a count from its "Qty" column ("4k7 x3").
// A bill of materials starts with designators such as "R1", which read as values too, so only a
// heading says which column holds the part. The heading becomes a blank line, so line numbers
// stay those of the file. Any other text is a list and stays as it is.
std::string importParts(std::string_view text, char decimalSeparator = '.');

// The largest parts file read: a list of every value of E192 over thirty decades is 40 kB.
inline constexpr std::uintmax_t maxPartsFileBytes = 4'000'000;

// Reads a parts file whole, refusing what is not a regular file (a device, a folder) or is larger
// than maxPartsFileBytes. The bytes as they are; on failure nothing and a message naming the file.
std::optional<std::string> readPartsFile(const std::string& path, std::string& error);

// The good entries as parts for the finder, equal values merged and counts added.
std::vector<Part> stockParts(const std::vector<StockEntry>& entries);

// Back to text, one entry a line: good entries as "4.7k" or "4.7k x3" with every digit they have,
// so parseStock reads them back unchanged; bad ones as typed.
std::string writeStock(const std::vector<StockEntry>& entries);

} // namespace values
