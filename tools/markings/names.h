// SPDX-License-Identifier: MIT
#pragma once

// Words the Markings panel and its drawing both show.

#include <QString>

namespace values {
enum class Colour;
}

namespace tools::markings {

QString colourName(values::Colour colour);
QString multiplierText(int exponent); // "×100", "×0.01"

} // namespace tools::markings
