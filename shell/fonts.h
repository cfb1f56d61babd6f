// SPDX-License-Identifier: MIT
#pragma once

#include "shell/layout.h"

#include <QFont>

namespace shell {

// Makes "MS Sans Serif", the family every screen is laid out for, available: Debian's
// fonts-wine ships it outside fontconfig's path; where it is missing, close-metric
// families stand in so captions still fit their rectangles.
void installInterfaceFont();

// The font a declaration names. MS Sans Serif is a bitmap face with a single usable size
// (8.25 pt) and no bold, so other sizes and bold are drawn in Tahoma, its outline successor
// with the same proportions.
QFont makeFont(const FontSpec& spec);

} // namespace shell
