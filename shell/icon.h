// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QString>

#include <initializer_list>

namespace shell {

// An icon of one square picture a size, ascending, found by putting each side into
// pathTemplate ("%1x%1/app.png"). A picture is decoded the first time a size near it is asked
// for: windows open before any is decoded, and where windows carry no icon (offscreen,
// Wayland) none ever is.
QIcon iconOfSizes(const QString& pathTemplate, std::initializer_list<int> sides);

} // namespace shell
