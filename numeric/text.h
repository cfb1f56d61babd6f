// SPDX-License-Identifier: MIT
#pragma once

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

namespace values {

// Micro as people type it: the micro sign, or the Greek mu that some keyboards give instead.
inline constexpr std::string_view microSign = "\xC2\xB5";
inline constexpr std::string_view greekMu = "\xCE\xBC";

// Without the blanks around it: what people type and paste comes with them.
inline std::string_view trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

// What was typed, as a message repeats it: at most `characters` of it, then "...". A pasted page
// would otherwise become a message a page long.
inline std::string elided(std::string_view text, std::size_t characters = 60)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A character starts at every byte that does not continue a UTF-8 sequence.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && kept++ == characters)
            return std::string(text.substr(0, i)) + "...";
    }
    return std::string(text);
}

// 'what was typed', elided, as every message quotes it.
inline std::string quoted(std::string_view text)
{
    return "'" + elided(text) + "'";
}

} // namespace values
