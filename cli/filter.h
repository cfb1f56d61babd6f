// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include "values/filters.h"

#include <iosfwd>
#include <span>
#include <string>

namespace cli {

// Writes a picture of a designed filter's response to `path` (.svg or .png); empty when written,
// else the line saying why not. The command line has no painter of its own: the program passes
// the one the windows draw with.
using PictureWriter = std::string (*)(const std::string& path, const values::FilterDesign& design,
                                      const values::FilterCurves& curves);

// filter: an active filter's sections from standard parts, their errors, the response they give
// and, with --plot, the response written to a file (.csv here, .svg and .png through `pictures`).
int runFilter(const Arguments& a, std::ostream& out, std::ostream& err, PictureWriter pictures);

// What filter takes, for the program's own table of commands.
const Syntax& filterSyntax();

// filter, writing .csv plots only.
std::span<const Command> filterCommands();

// The curves as CSV: a header of names with units, then one line a frequency, every number the
// shortest text that reads back as the same double.
std::string filterCsv(const values::FilterCurves& curves);

} // namespace cli
