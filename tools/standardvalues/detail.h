// SPDX-License-Identifier: MIT
#pragma once

// What the Standard values window's files share: the choices and columns its panels agree on.

#include "values/series.h"

namespace tools::standardvalues {

constexpr int myPartsIndex = static_cast<int>(values::allSeries.size()); // after the series in cboSource
constexpr int networksTop = 10;

enum NearestColumn { NSeries, NNearest, NNearestDev, NBelow, NBelowDev, NAbove, NAboveDev, NExact, NColumns };
enum NetworkColumn { WNetwork, WValue, WDeviation, WParts, WColumns };

} // namespace tools::standardvalues
