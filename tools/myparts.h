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

// A text file as a parts list. A CSV file (.csv) is rewritten one part a line, each row giving its
// first column that reads as a value, so the list stays readable; rows without one (a heading)
// stay as they are, to be marked. Any other file is a list as it stands. On failure returns nothing
// and, when asked, why.
std::optional<QString> importFile(const QString& fileName, char decimalSeparator, QString* error = nullptr);

} // namespace tools::myparts
