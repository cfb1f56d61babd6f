// SPDX-License-Identifier: MIT
// What the command line prints besides its answers: its messages, escaped, and the check that
// the answer reached standard output.
#include "cli/cli.h"

#include <ostream>

namespace cli {

namespace {

// The length of the UTF-8 sequence starting text[i] when it is well formed, else 0.
std::size_t sequence(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const std::size_t n = lead < 0x80 ? 1
        : (lead >> 5) == 0x6          ? 2
        : (lead >> 4) == 0xE          ? 3
        : (lead >> 3) == 0x1E         ? 4
                                      : 0;
    if (n == 0 || lead == 0xC0 || lead == 0xC1 || lead > 0xF4 || i + n > text.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    }
    // C1 controls (U+0080 to U+009F) act as escape sequences on some terminals.
    if (n == 2 && lead == 0xC2 && byte(i + 1) < 0xA0)
        return 0;
    return n;
}

} // namespace

std::string printable(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = sequence(text, i);
        if (n == 0 || c < 0x20 || c == 0x7F) {
            static constexpr char hex[] = "0123456789abcdef";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 0xF];
            ++i;
            continue;
        }
        out.append(text, i, n);
        i += n;
    }
    return out;
}

void message(std::ostream& err, std::string_view text)
{
    err << "voltiva: " << printable(text) << '\n';
}

int usage(std::ostream& err, std::string_view text)
{
    message(err, text);
    return exitUsage;
}

int run(const std::vector<std::string>& args, std::span<const Command> commands, std::ostream& out, std::ostream& err)
{
    const int status = dispatch(args, commands, out, err);
    // A full disk or a closed pipe must not pass for an answer given.
    out.flush();
    if (!out) {
        message(err, "cannot write the answer to standard output");
        return exitFailure;
    }
    return status;
}

} // namespace cli
