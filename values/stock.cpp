// SPDX-License-Identifier: MIT
#include "values/stock.h"

#include "values/text.h"
#include "values/value.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <system_error>

namespace values {

namespace {

constexpr long long maxCount = 1'000'000;
const std::string times = "\xC3\x97"; // ×

std::vector<std::string_view> split(std::string_view s, std::string_view separators)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || separators.find(s[i]) != std::string_view::npos) {
            parts.push_back(trim(s.substr(start, i - start)));
            start = i + 1;
        }
    }
    return parts;
}

// Cells of a CSV row: the separators outside quotes split; a doubled quote inside stands for one.
std::vector<std::string> cellsOf(std::string_view row, char separator)
{
    std::vector<std::string> cells;
    std::string cell;
    bool quoted = false;
    for (std::size_t i = 0; i < row.size(); ++i) {
        const char c = row[i];
        if (c == '"' && quoted && i + 1 < row.size() && row[i + 1] == '"') {
            cell += c;
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            cells.emplace_back(trim(cell));
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells.emplace_back(trim(cell));
    return cells;
}

// A list line with quotes ("4k7","10k") reads as its cells without them.
std::string unquoted(std::string_view row, char separator)
{
    if (row.find('"') == std::string_view::npos)
        return std::string(row);
    std::string out;
    for (const std::string& cell : cellsOf(row, separator)) {
        if (!out.empty())
            out += separator;
        out += cell;
    }
    return out;
}

bool allDigits(std::string_view s)
{
    return !s.empty() && s.size() <= 7 &&
        std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// The count mark, "x", "X" or "×", at `at`; its length, or 0.
std::size_t markAt(std::string_view s, std::size_t at)
{
    if (at < s.size() && (s[at] == 'x' || s[at] == 'X'))
        return 1;
    if (s.substr(at).starts_with(times))
        return times.size();
    return 0;
}

struct Read {
    std::optional<Decimal> value;
    int count = 1;
    std::string reason;
};

Read readEntry(std::string_view text, char separator)
{
    Read read;
    std::string_view valueText = text;
    long long count = 1;
    bool counted = false;
    // "4k7 x3": a mark followed by digits only, at the end.
    for (std::size_t at = text.size(); at-- > 0;) {
        if (const std::size_t mark = markAt(text, at); mark != 0) {
            const std::string_view digits = text.substr(at + mark);
            if (allDigits(digits) && !trim(text.substr(0, at)).empty()) {
                count = std::stoll(std::string(digits));
                valueText = trim(text.substr(0, at));
                counted = true;
            }
            break;
        }
    }
    // "3x 4k7": digits, then the mark, at the start.
    if (!counted) {
        std::size_t n = 0;
        while (n < text.size() && std::isdigit(static_cast<unsigned char>(text[n])))
            ++n;
        const std::size_t afterDigits = text.size() - trim(text.substr(n)).size();
        const std::size_t mark = n > 0 ? markAt(text, afterDigits) : 0;
        if (mark != 0 && allDigits(text.substr(0, n)) && !trim(text.substr(afterDigits + mark)).empty()) {
            count = std::stoll(std::string(text.substr(0, n)));
            valueText = trim(text.substr(afterDigits + mark));
        }
    }
    const Parsed parsed = parse(valueText, separator);
    if (!parsed.value) {
        read.reason = parsed.error;
        return read;
    }
    if (count < 1 || count > maxCount) {
        read.reason =
            "'" + std::string(text) + "' has a count of " + std::to_string(count) + ": write from 1 to 1000000";
        return read;
    }
    read.value = parsed.value;
    read.count = static_cast<int>(count);
    return read;
}

StockEntry entryOf(int line, std::string_view text, const Read& read)
{
    StockEntry e;
    e.line = line;
    e.text = std::string(text);
    e.value = read.value;
    e.count = read.count;
    e.reason = read.reason;
    return e;
}

// Blank-separated values, where "4.7 k", "4k7 x3" and "3x 4k7" are each one entry: at each
// word the longest run of up to four words that reads as an entry wins. A field that does not
// come apart into entries this way is one bad entry, so the user sees the whole of it.
void readWords(int line, std::string_view field, char separator, std::vector<StockEntry>& out)
{
    const Read whole = readEntry(field, separator);
    if (whole.value) {
        out.push_back(entryOf(line, field, whole));
        return;
    }
    std::vector<std::string_view> words;
    for (std::string_view w : split(field, " \t")) {
        if (!w.empty())
            words.push_back(w);
    }
    std::vector<StockEntry> found;
    for (std::size_t i = 0; i < words.size();) {
        bool taken = false;
        for (std::size_t len = std::min<std::size_t>(4, words.size() - i); len >= 1 && !taken; --len) {
            const char* begin = words[i].data();
            const char* end = words[i + len - 1].data() + words[i + len - 1].size();
            const std::string_view run(begin, static_cast<std::size_t>(end - begin));
            const Read read = readEntry(run, separator);
            if (read.value) {
                found.push_back(entryOf(line, run, read));
                i += len;
                taken = true;
            }
        }
        if (!taken) {
            out.push_back(entryOf(line, field, whole));
            return;
        }
    }
    out.insert(out.end(), found.begin(), found.end());
}

} // namespace

std::vector<StockEntry> parseStock(std::string_view text, char decimalSeparator)
{
    std::vector<StockEntry> entries;
    const std::string fieldSeparators = decimalSeparator == ',' ? ";\t" : ",;\t";
    int line = 0;
    for (std::string_view quotedRow : split(text, "\n")) {
        ++line;
        if (quotedRow.empty())
            continue;
        const std::string kept = unquoted(quotedRow, decimalSeparator == ',' ? ';' : ',');
        const std::string_view row = kept;
        const std::vector<std::string_view> fields = split(row, fieldSeparators);
        if (fields.size() == 1) {
            readWords(line, row, decimalSeparator, entries);
            continue;
        }
        // A list of values, or a CSV row whose first field that reads as a value is the part.
        std::vector<StockEntry> listed;
        bool list = true;
        for (std::string_view field : fields) {
            if (field.empty())
                continue;
            const std::size_t before = listed.size();
            readWords(line, field, decimalSeparator, listed);
            list = list &&
                std::all_of(listed.begin() + static_cast<std::ptrdiff_t>(before), listed.end(),
                            [](const StockEntry& e) { return e.value.has_value(); });
        }
        if (list) {
            entries.insert(entries.end(), listed.begin(), listed.end());
            continue;
        }
        const auto first = std::find_if(fields.begin(), fields.end(), [&](std::string_view field) {
            return !field.empty() && readEntry(field, decimalSeparator).value.has_value();
        });
        if (first != fields.end()) {
            entries.push_back(entryOf(line, *first, readEntry(*first, decimalSeparator)));
        } else {
            Read none;
            none.reason = "no column reads as a value";
            entries.push_back(entryOf(line, row, none));
        }
    }
    return entries;
}

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

std::string lower(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

// Spreadsheets write semicolons between columns where the decimal separator is a comma.
char columnSeparator(std::string_view firstRow, char decimalSeparator)
{
    if (firstRow.find('\t') != std::string_view::npos)
        return '\t';
    if (firstRow.find(';') != std::string_view::npos || decimalSeparator == ',')
        return ';';
    return ',';
}

bool readsAsValue(const std::string& cell, char decimalSeparator)
{
    return !cell.empty() && parse(cell, decimalSeparator).value.has_value();
}

// The columns a table's heading names; -1 for one it does not.
struct Columns {
    std::ptrdiff_t value = -1;
    std::ptrdiff_t count = -1;
};

Columns namedColumns(const std::vector<std::string>& heading)
{
    Columns columns;
    for (std::size_t i = 0; i < heading.size(); ++i) {
        const std::string name = lower(heading[i]);
        if (columns.value < 0 && (name == "value" || name == "values"))
            columns.value = static_cast<std::ptrdiff_t>(i);
        if (columns.count < 0 && (name == "qty" || name == "quantity" || name == "count"))
            columns.count = static_cast<std::ptrdiff_t>(i);
    }
    return columns;
}

// A table row as a line of the list: its value, with " xN" for a count other than one. A row
// with no value is marked in the list: the row as typed could hold a designator or a count that
// reads as a value.
std::string lineOf(std::string_view row, const std::vector<std::string>& cells, Columns columns, char decimalSeparator)
{
    const auto cell = [&cells](std::ptrdiff_t column) -> const std::string* {
        return column >= 0 && static_cast<std::size_t>(column) < cells.size() ? &cells[static_cast<std::size_t>(column)]
                                                                              : nullptr;
    };
    std::string part;
    if (columns.value >= 0) {
        if (const std::string* value = cell(columns.value); value && readsAsValue(*value, decimalSeparator))
            part = *value;
    } else if (const auto found = std::find_if(cells.begin(), cells.end(),
                                               [&](const std::string& c) { return readsAsValue(c, decimalSeparator); });
               found != cells.end()) {
        part = *found;
    }
    if (part.empty()) {
        if (columns.value < 0)
            return std::string(row);
        if (const std::string* value = cell(columns.value); value && !value->empty())
            return *value;
        return (cells.front().empty() ? std::string() : cells.front() + ": ") + "no value";
    }
    if (const std::string* count = cell(columns.count); count && allDigits(*count) && std::stoll(*count) != 1)
        part += " x" + *count;
    return part;
}

} // namespace

std::string importParts(std::string_view text, char decimalSeparator)
{
    if (text.starts_with(byteOrderMark))
        text.remove_prefix(byteOrderMark.size());
    std::vector<std::string_view> rows = split(text, "\n");
    const auto first = std::find_if(rows.begin(), rows.end(), [](std::string_view r) { return !r.empty(); });
    if (first == rows.end())
        return std::string(text);
    const char separator = columnSeparator(*first, decimalSeparator);
    const std::vector<std::string> heading = cellsOf(*first, separator);
    const auto names = [&](std::initializer_list<std::string_view> wanted) {
        return std::any_of(heading.begin(), heading.end(), [&](const std::string& cell) {
            return std::find(wanted.begin(), wanted.end(), lower(cell)) != wanted.end();
        });
    };
    const bool table = heading.size() >= 2 || names({"value", "values"});
    if (!table || std::any_of(heading.begin(), heading.end(), [&](const std::string& cell) {
            return readsAsValue(cell, decimalSeparator);
        }))
        return std::string(text);

    // A table: the heading may name the columns.
    const Columns columns = namedColumns(heading);
    std::string list;
    for (auto row = rows.begin(); row != rows.end(); ++row) {
        if (row != rows.begin())
            list += '\n';
        if (row > first && !row->empty())
            list += lineOf(*row, cellsOf(*row, separator), columns, decimalSeparator);
    }
    return list;
}

std::optional<std::string> readPartsFile(const std::string& path, std::string& error)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        error = "cannot read '" + path + "'";
        return std::nullopt;
    }
    if (!std::filesystem::is_regular_file(status)) {
        error = "'" + path + "' is not a file";
        return std::nullopt;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > maxPartsFileBytes) {
        error = "'" + path + "' is larger than " + std::to_string(maxPartsFileBytes / 1'000'000) +
            " MB: a parts list is far smaller";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read '" + path + "'";
        return std::nullopt;
    }
    // Read no more than the limit, should the file grow meanwhile.
    std::string bytes(static_cast<std::size_t>(maxPartsFileBytes) + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > maxPartsFileBytes) {
        error = "'" + path + "' is larger than " + std::to_string(maxPartsFileBytes / 1'000'000) +
            " MB: a parts list is far smaller";
        return std::nullopt;
    }
    return bytes;
}

std::vector<Part> stockParts(const std::vector<StockEntry>& entries)
{
    std::map<Decimal, long long> counts;
    for (const StockEntry& e : entries) {
        if (e.value)
            counts[*e.value] += e.count;
    }
    std::vector<Part> parts;
    parts.reserve(counts.size());
    for (const auto& [value, count] : counts)
        parts.push_back({value, static_cast<int>(std::min<long long>(count, Part::unlimited - 1))});
    return parts;
}

std::string writeStock(const std::vector<StockEntry>& entries)
{
    std::string text;
    for (const StockEntry& e : entries) {
        if (e.value) {
            text += format(*e.value, std::max(e.value->digits(), 1));
            if (e.count != 1)
                text += " x" + std::to_string(e.count);
        } else {
            text += e.text;
        }
        text += '\n';
    }
    return text;
}

} // namespace values
