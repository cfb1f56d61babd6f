// SPDX-License-Identifier: MIT
#include "cli/table.h"

#include <algorithm>
#include <ostream>

namespace cli {

namespace {

// Characters, not bytes: UTF-8 continuation bytes do not take a column.
std::size_t width(const std::string& s)
{
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace

Table::Table(std::vector<std::string> header, std::vector<Align> align)
    : align_(std::move(align))
{
    rows_.push_back(std::move(header));
}

void Table::add(std::vector<std::string> row)
{
    rows_.push_back(std::move(row));
}

void Table::print(std::ostream& out) const
{
    std::vector<std::size_t> widths;
    for (const auto& row : rows_) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], width(row[c]));
    }
    for (const auto& row : rows_) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string padding(widths[c] - width(row[c]), ' ');
            const bool right = c < align_.size() && align_[c] == Align::Right;
            if (c > 0)
                line += "  ";
            line += right ? padding + row[c] : row[c] + padding;
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out << line << '\n';
    }
}

} // namespace cli
