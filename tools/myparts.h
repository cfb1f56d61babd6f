// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

namespace tools::myparts {

// The user's own parts list, as typed: one file in the user's data folder, shared by every window
// that searches it.
QString filePath();

// The saved list, or an empty text when there is none yet or it cannot be read.
QString load();

// Replaces the saved list in one step, so a crash mid-save leaves the old list or the new one,
// never a cut one. On failure returns false and, when asked, why.
bool save(const QString& text, QString* error = nullptr);

// A text file as a parts list: a CSV file (.csv) through partsFromCsv, any other file as it stands.
// On failure returns nothing and, when asked, why.
std::optional<QString> importFile(const QString& fileName, char decimalSeparator, QString* error = nullptr);

// A CSV table (comma, semicolon or tab separated, quotes allowed) as a parts list, one row a line.
// The part is the row's first column that reads as a value. A first row without a value is a
// heading and is left out; when it names a "Value" column, that column is the part instead, because
// a bill of materials starts with designators such as "R1" that read as values too, and a "Qty"
// column gives the count ("4k7 x3"). Rows without a value stay as typed, so the list marks them.
QString partsFromCsv(const QString& csv, char decimalSeparator);

} // namespace tools::myparts
