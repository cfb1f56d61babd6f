// SPDX-License-Identifier: MIT
#include "values/stock.h"

#include "numeric/format.h"
#include "numeric/text.h"

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

bool onlyDigits(std::string_view s)
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

// Why a value written with `unit` cannot be one of these parts, or nothing.
std::string unitProblem(std::string_view text, Unit unit, Unit kind)
{
    const std::string said = quoted(text);
    switch (unit) {
    case Unit::Volt:
        return said + " is a voltage, not a part";
    case Unit::Ampere:
        return said + " is a current, not a part";
    case Unit::Farad:
        return kind == Unit::Ohm ? said + " is a capacitance: these parts are resistors" : std::string();
    case Unit::Ohm:
        return kind == Unit::Farad ? said + " is a resistance: these parts are capacitors" : std::string();
    case Unit::None:
        break;
    }
    return {};
}

Read readEntry(std::string_view text, char separator, Unit kind)
{
    Read read;
    std::string_view valueText = text;
    long long count = 1;
    bool counted = false;
    // "4k7 x3": a mark followed by digits only, at the end.
    for (std::size_t at = text.size(); at-- > 0;) {
        if (const std::size_t mark = markAt(text, at); mark != 0) {
            const std::string_view digits = text.substr(at + mark);
            if (onlyDigits(digits) && !trim(text.substr(0, at)).empty()) {
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
        if (mark != 0 && onlyDigits(text.substr(0, n)) && !trim(text.substr(afterDigits + mark)).empty()) {
            count = std::stoll(std::string(text.substr(0, n)));
            valueText = trim(text.substr(afterDigits + mark));
        }
    }
    const Parsed parsed = parse(valueText, separator);
    if (!parsed.value) {
        read.reason = parsed.error;
        return read;
    }
    if (std::string why = unitProblem(valueText, parsed.unit, kind); !why.empty()) {
        read.reason = std::move(why);
        return read;
    }
    if (count < 1 || count > maxCount) {
        read.reason = quoted(text) + " has a count of " + std::to_string(count) + ": write from 1 to 1000000";
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
void readWords(int line, std::string_view field, char separator, Unit kind, std::vector<StockEntry>& out)
{
    const Read whole = readEntry(field, separator, kind);
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
            const Read read = readEntry(run, separator, kind);
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

// One line of a list: its entries, numbered `line`.
void readLine(int line, std::string_view quotedRow, char decimalSeparator, Unit kind, std::vector<StockEntry>& entries)
{
    if (quotedRow.empty())
        return;
    const std::string fieldSeparators = decimalSeparator == ',' ? ";\t" : ",;\t";
    const std::string kept = unquoted(quotedRow, decimalSeparator == ',' ? ';' : ',');
    const std::string_view row = kept;
    const std::vector<std::string_view> fields = split(row, fieldSeparators);
    if (fields.size() == 1) {
        readWords(line, row, decimalSeparator, kind, entries);
        return;
    }
    // A list of values, or a CSV row whose first field that reads as a value is the part.
    std::vector<StockEntry> listed;
    bool list = true;
    for (std::string_view field : fields) {
        if (field.empty())
            continue;
        const std::size_t before = listed.size();
        readWords(line, field, decimalSeparator, kind, listed);
        list = list &&
            std::all_of(listed.begin() + static_cast<std::ptrdiff_t>(before), listed.end(),
                        [](const StockEntry& e) { return e.value.has_value(); });
    }
    if (list) {
        entries.insert(entries.end(), listed.begin(), listed.end());
        return;
    }
    const auto first = std::find_if(fields.begin(), fields.end(), [&](std::string_view field) {
        return !field.empty() && readEntry(field, decimalSeparator, kind).value.has_value();
    });
    if (first != fields.end()) {
        entries.push_back(entryOf(line, *first, readEntry(*first, decimalSeparator, kind)));
    } else {
        Read none;
        none.reason = "no column reads as a value";
        entries.push_back(entryOf(line, row, none));
    }
}

// Counts past this are all the same to a search.
void addCount(std::map<Decimal, long long>& counts, const StockEntry& e)
{
    long long& count = counts[*e.value];
    count = std::min<long long>(count + e.count, Part::unlimited - 1);
}

std::vector<Part> partsOf(const std::map<Decimal, long long>& counts)
{
    std::vector<Part> parts;
    parts.reserve(counts.size());
    for (const auto& [value, count] : counts)
        parts.push_back({value, static_cast<int>(count)});
    return parts;
}

} // namespace

std::vector<StockEntry> parseStock(std::string_view text, char decimalSeparator, Unit kind)
{
    std::vector<StockEntry> entries;
    int line = 0;
    for (std::string_view row : split(text, "\n"))
        readLine(++line, row, decimalSeparator, kind, entries);
    return entries;
}

StockReader::StockReader(char decimalSeparator, Unit kind)
    : decimalSeparator_(decimalSeparator)
    , kind_(kind)
{
}

StockRead StockReader::read(std::string_view text, std::size_t maxProblems, const std::stop_token& stop)
{
    // Lines kept only while they are in the text: what this read meets moves to `now`.
    constexpr std::size_t maxRemembered = 200'000;
    decltype(lines_) now;
    std::map<Decimal, long long> counts;
    StockRead read;
    int line = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        if ((line & 0xfff) == 0 && stop.stop_requested()) {
            read.stopped = true;
            return read;
        }
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view row = trim(text.substr(start, end - start));
        start = end + 1;
        ++line;
        if (row.empty())
            continue;
        const std::string key(row);
        const std::vector<StockEntry>* entries = nullptr;
        std::vector<StockEntry> unkept;
        if (const auto found = now.find(key); found != now.end()) {
            entries = &found->second;
        } else if (auto old = lines_.extract(key); !old.empty()) {
            entries = &now.insert(std::move(old)).position->second;
        } else {
            readLine(0, row, decimalSeparator_, kind_, unkept);
            entries = now.size() < maxRemembered ? &now.emplace(key, std::move(unkept)).first->second : &unkept;
        }
        for (const StockEntry& e : *entries) {
            if (e.value) {
                addCount(counts, e);
            } else if (read.problemCount++ < maxProblems) {
                read.problems.push_back(e);
                read.problems.back().line = line;
            }
        }
    }
    lines_ = std::move(now);
    read.parts = partsOf(counts);
    return read;
}

namespace {

// The length of the UTF-8 sequence at `at`, or 0 when it is not one (overlong forms, surrogates
// and code points beyond U+10FFFF are not).
std::size_t utf8At(std::string_view s, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (at + length > s.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xbf)
            return 0;
    }
    return length;
}

bool isUtf8(std::string_view s)
{
    for (std::size_t at = 0; at < s.size();) {
        const std::size_t length = utf8At(s, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

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
    if (const std::string* count = cell(columns.count); count && onlyDigits(*count) && std::stoll(*count) != 1)
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

DecodedParts decodeParts(std::string_view bytes)
{
    DecodedParts decoded;
    decoded.text.reserve(bytes.size());
    std::size_t line = 0;
    for (std::size_t start = 0; start <= bytes.size(); ++line) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view row = bytes.substr(start, end - start);
        if (isUtf8(row)) {
            decoded.text += row;
        } else {
            decoded.latin1Lines.push_back(line);
            for (const char c : row) {
                const auto b = static_cast<unsigned char>(c);
                if (b < 0x80) {
                    decoded.text += c;
                } else {
                    decoded.text += static_cast<char>(0xc0 | (b >> 6));
                    decoded.text += static_cast<char>(0x80 | (b & 0x3f));
                }
            }
        }
        if (end < bytes.size())
            decoded.text += '\n';
        start = end + 1;
    }
    return decoded;
}

std::optional<StockRead> readStockFile(const std::string& path, Unit kind, std::size_t maxProblems, std::string& error)
{
    const std::optional<std::string> bytes = readPartsFile(path, error);
    if (!bytes)
        return std::nullopt;
    return StockReader('.', kind).read(importParts(decodeParts(*bytes).text), maxProblems);
}

std::vector<Part> stockParts(const std::vector<StockEntry>& entries)
{
    std::map<Decimal, long long> counts;
    for (const StockEntry& e : entries) {
        if (e.value)
            addCount(counts, e);
    }
    return partsOf(counts);
}

std::string writeStock(const std::vector<StockEntry>& entries)
{
    std::string text;
    for (const StockEntry& e : entries) {
        if (e.value) {
            text += format(*e.value, allDigits);
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
