// SPDX-License-Identifier: MIT
#pragma once

#include <cctype>
#include <string_view>

namespace values {

// Without the blanks around it: what people type and paste comes with them.
inline std::string_view trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

} // namespace values
