// SPDX-License-Identifier: MIT
#include "values/stock.h"

#include "values/text.h"
#include "values/value.h"

#include <algorithm>
#include <cctype>
#include <map>

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
    for (std::string_view row : split(text, "\n")) {
        ++line;
        if (row.empty())
            continue;
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
