// SPDX-License-Identifier: MIT
#pragma once

namespace shell {

// Makes "MS Sans Serif", the family every screen is laid out for, available: Debian's
// fonts-wine ships it outside fontconfig's path; where it is missing, close-metric
// families stand in so captions still fit their rectangles.
void installInterfaceFont();

} // namespace shell
