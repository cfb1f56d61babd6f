// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace arithmetic {

// What one Calculate press on the colour-code screen shows: the prompts for unrecognised
// bands, in band order, then the two result lines.
struct ColourCodeReading {
    std::vector<std::string> prompts;
    std::string valueLine;     // empty unless bands 1, 2 and 3 were all recognised
    std::string toleranceLine; // empty unless the tolerance was recognised
    // The first list to mend, in the order they are read: 0 to 2 the bands, 3 the tolerance.
    std::optional<int> firstUnrecognised;
};

// Band texts are compared exactly, case-sensitive and untrimmed. The value is assembled as
// text: two digits and a run of zeros, never scaled, a leading zero kept.
ColourCodeReading readColourCode(std::string_view band1, std::string_view band2, std::string_view band3,
                                 std::string_view tolerance);

} // namespace arithmetic
