// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

// Plain output: columns padded to their widest cell (counted in characters, so "µ" and "Ω" do
// not push a column out), two blanks between columns, no trailing blanks.
class Table {
public:
    enum class Align { Left, Right };
    explicit Table(std::vector<std::string> header, std::vector<Align> align = {});
    void add(std::vector<std::string> row);
    void print(std::ostream& out) const;

private:
    std::vector<std::vector<std::string>> rows_;
    std::vector<Align> align_;
};

} // namespace cli
