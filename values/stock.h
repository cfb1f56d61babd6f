// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/parse.h"
#include "values/networks.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <unordered_map>
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
// A unit written with a value must be the parts' own: `kind` is Unit::Ohm for resistors,
// Unit::Farad for capacitors, Unit::None for either; a voltage or a current is never a part.
std::vector<StockEntry> parseStock(std::string_view text, char decimalSeparator = '.', Unit kind = Unit::None);

// A list as a search needs it: the parts (equal values merged, counts added) and the first of the
// entries left out, with how many there were in all, so a list of a million bad lines costs no
// more memory than a good one.
struct StockRead {
    std::vector<Part> parts;
    std::vector<StockEntry> problems; // at most the number asked for, in line order
    std::size_t problemCount = 0;
    bool stopped = false; // the stop token fired; nothing else is meaningful
};

// Reads lists again and again as they are edited: each line's reading is remembered, so after an
// edit only the lines that changed are parsed. Not thread-safe; one reader a worker.
class StockReader {
public:
    StockReader(char decimalSeparator, Unit kind);
    StockRead read(std::string_view text, std::size_t maxProblems, const std::stop_token& stop = {});

private:
    char decimalSeparator_;
    Unit kind_;
    std::unordered_map<std::string, std::vector<StockEntry>> lines_; // line numbers left at 0
};

// A parts file's bytes as UTF-8 text, line by line: a line that is not UTF-8 is taken as Latin-1,
// so one stray byte spoils no other line. `latin1Lines` (0-based) says which, so they can be
// written back as they came.
struct DecodedParts {
    std::string text;
    std::vector<std::size_t> latin1Lines;
};
DecodedParts decodeParts(std::string_view bytes);

// The one way a parts file is read for a search, by the window and the command line alike:
// readPartsFile, decodeParts, importParts, then StockReader.
std::optional<StockRead> readStockFile(const std::string& path, Unit kind, std::size_t maxProblems, std::string& error);

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
